#include "graphics/component/animated_image.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "graphics/component/dib_image.h"
#include "graphics/dib_iterators.h"
#include "graphics/errors.h"
#include "graphics/plain_text.h"
#include "platform/gui/application.h"
#include "platform/gui/widgets.h"

namespace {

// The control's widget: a mouse-down is the user input a frame may wait for.
class AnimatedImageWidget : public gui::ControlWidget {
public:
    explicit AnimatedImageWidget(TCustomZUBAnimatedImage *image) : gui::ControlWidget(image), image_(image) {}

protected:
    void mousePressEvent(QMouseEvent *event) override {
        gui::ControlWidget::mousePressEvent(event);
        image_->UserInput();
    }

private:
    TCustomZUBAnimatedImage *image_;
};

// The frame's pixels at its own size; a plain-text frame shows its grid in its background colour.
QImage FrameImage(const TZUBExtGraphic &graphic) {
    if (const auto *dib = dynamic_cast<const TDeviceIndependentBitmap *>(&graphic))
        return graphics::ImageFromDIB(*dib);
    const auto &text = dynamic_cast<const TPlainText &>(graphic);
    return graphics::ImageFromDIB(
        *text.AsDIB(dt24bit, {}, text.GetWidth(), text.GetHeight(), text.BackgroundColour));
}

QRgb RgbOf(uint32_t bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

constexpr QRgb kShown = 0xFF000000u;
constexpr QRgb kHidden = 0xFFFFFFFFu;

// The pixels of the transparent entry of an indexed bitmap hidden.
QImage MaskByIndex(const TDeviceIndependentBitmap &dib) {
    QImage mask(dib.GetWidth(), dib.GetHeight(), QImage::Format_RGB32);
    const auto reader = dib.GetReader();
    auto &mapped = static_cast<TDIBMappedReader &>(*reader);
    for (int y = 0; !mapped.EndOfImage(); ++y, mapped.NextRow()) {
        auto *out = reinterpret_cast<QRgb *>(mask.scanLine(y));
        TColourIndex index;
        for (int x = 0; mapped.GetNextColourIndex(index); ++x)
            out[x] = index == dib.TransparentIndex ? kHidden : kShown;
    }
    return mask;
}

// White where the frame is transparent, black where it shows: by its transparent entry when it
// has one, else by its transparent colour.
QImage MaskOf(const TZUBExtGraphic &graphic, const QImage &frame) {
    const auto *dib = dynamic_cast<const TDeviceIndependentBitmap *>(&graphic);
    if (graphic.Transparent && dib && dib->GetColourBits() <= 8 && dib->TransparentIndex >= 0)
        return MaskByIndex(*dib);
    QImage mask(frame.size(), QImage::Format_RGB32);
    const QRgb transparent = RgbOf(graphic.TransparentColour);
    for (int y = 0; y < frame.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            out[x] = graphic.Transparent && (in[x] | 0xFF000000u) == transparent ? kHidden : kShown;
    }
    return mask;
}

std::unique_ptr<TBitmap> BitmapOf(const QImage &image) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetImage(image);
    return bitmap;
}

int Scaled(int value, double scale) {
    return static_cast<int>(std::lround(value * scale));
}

}  // namespace

TCustomZUBAnimatedImage::TCustomZUBAnimatedImage(TComponent *owner)
    : TControl(owner), images_(std::make_unique<TAnimatedImageList>()), timer_(new TTimer(this)) {
    AttachWidget(new AnimatedImageWidget(this));
    timer_->SetEnabled(false);
    timer_->OnTimer = [this](TObject *) { HandleTimeout(); };
    images_->OnImageInserted = [this](TAnimatedImageList &sender, int index) {
        ImageInserted(sender, index);
    };
    images_->OnImageDeleted = [this](TAnimatedImageList &sender, int index) { ImageDeleted(sender, index); };
    images_->OnProgress = [this](TAnimatedImageList &) { HandleOnProgress(); };
    SetBounds(Left(), Top(), 50, 50);
    imageRect_ = {0, 0, Width(), Height()};
    CreateBitmaps();
}

TCustomZUBAnimatedImage::~TCustomZUBAnimatedImage() {
    timer_->OnTimer = nullptr;
}

QSize TCustomZUBAnimatedImage::ScreenSize() const {
    const TAnimatedImageList &list = *images_;
    if (list.ScreenWidth() > 0 && list.ScreenHeight() > 0) return {list.ScreenWidth(), list.ScreenHeight()};
    // A stream without a logical screen shows its first frame's area.
    if (list.GetCount() > 0) return {list.GetItems(0).GetWidth(), list.GetItems(0).GetHeight()};
    return {};
}

QSize TCustomZUBAnimatedImage::CompositionSize() const {
    return stretch_ ? QSize(Width(), Height()) : ScreenSize();
}

QColor TCustomZUBAnimatedImage::BehindColour() const {
    return ToQColor(Parent() ? Parent()->Color() : Color());
}

QColor TCustomZUBAnimatedImage::BlankColour(int index) const {
    return allowTransparent_ && images_->GetItems(index).Transparent ? BehindColour()
                                                                     : ToQColor(backgroundColor_);
}

void TCustomZUBAnimatedImage::SetScales() {
    const QSize screen = ScreenSize();
    const bool scaled = stretch_ && !screen.isEmpty();
    scaleX_ = scaled ? static_cast<double>(Width()) / screen.width() : 1.0;
    scaleY_ = scaled ? static_cast<double>(Height()) / screen.height() : 1.0;
}

void TCustomZUBAnimatedImage::CreateBitmaps() {
    composition_ = QImage(CompositionSize(), QImage::Format_RGB32);
    composition_.fill(BehindColour());
    savedComposition_ = QImage();
    previousDisposal_ = dmRestoreBackground;
    previousArea_ = composition_.rect();
}

void TCustomZUBAnimatedImage::LoadImage(int index) {
    const TZUBExtGraphic &graphic = images_->GetItems(index);
    const graphics::TPoint origin = images_->GetOrigin(index);
    QImage frame = FrameImage(graphic);
    QImage mask = MaskOf(graphic, frame);
    if (stretch_) {
        const QSize size(Scaled(frame.width(), scaleX_), Scaled(frame.height(), scaleY_));
        frame = frame.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        mask = mask.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    const TPoint at =
        stretch_ ? TPoint{Scaled(origin.X, scaleX_), Scaled(origin.Y, scaleY_)} : TPoint{origin.X, origin.Y};
    frames_.Insert(index, BitmapOf(frame));
    frames_.SetOrigin(index, at);
    masks_.Insert(index, BitmapOf(mask));
    masks_.SetOrigin(index, at);
}

void TCustomZUBAnimatedImage::ImageInserted(TAnimatedImageList &sender, int index) {
    if (&sender != images_.get()) return;
    if (sender.GetCount() == 1) {
        SetScales();
        if (!stretch_ && autoSize_) SetBounds(Left(), Top(), ScreenSize().width(), ScreenSize().height());
        SetCenter(center_);
        CreateBitmaps();
        SetBackgroundColor(static_cast<TColor>(sender.BackgroundColor()));
        current_ = -1;
        frames_.Clear();
        masks_.Clear();
    } else if (index <= current_) {
        ++current_;
    }
    LoadImage(index);
    if (!Running()) {
        if (autoRun_) {
            if (current_ < 0) DrawFrame(0);
            StartTimer();
        } else if (index == 0) {
            Invalidate();
        }
    }
    ResetLoops();
}

void TCustomZUBAnimatedImage::ImageDeleted(TAnimatedImageList &sender, int index) {
    if (&sender != images_.get()) return;
    frames_.Delete(index);
    masks_.Delete(index);
    // The list removes the frame after this notice.
    const int remaining = sender.GetCount() - 1;
    if (remaining > 0) {
        if (current_ > index) {
            --current_;
        } else if (current_ == index && index == remaining) {
            current_ = 0;
        }
        return;
    }
    Stop();
    current_ = -1;
    composition_.fill(BehindColour());
    Invalidate();
}

void TCustomZUBAnimatedImage::ResetLoops() {
    const int loops = images_->LoopCount;
    loopsLeft_ = loops > 0 ? loops + 1 : loops;
}

void TCustomZUBAnimatedImage::StartTimer() {
    waitingForInput_ = false;
    if (images_->GetCount() == 0 || current_ < 0) {
        timer_->SetEnabled(false);
        return;
    }
    int interval = images_->GetDelayTime(current_);
    waitingForInput_ = images_->GetUserInput(current_);
    // A frame that waits for input and has no delay waits for the input alone.
    if (interval <= 0 && waitingForInput_) return;
    if (interval <= 0) interval = 5;
    timer_->SetInterval(interval);
    timer_->SetEnabled(true);
}

void TCustomZUBAnimatedImage::HandleTimeout() {
    timer_->SetEnabled(false);
    waitingForInput_ = false;
    const int count = images_->GetCount();
    if (count == 0) return;
    int next = current_ + 1;
    if (next >= count) {
        // The next frame may still come: the last one loaded stays for another delay.
        if (images_->State() == isLoading) {
            StartTimer();
            return;
        }
        if (loopsLeft_ > 0) --loopsLeft_;
        if (count == 1 || loopsLeft_ == 1) return;
        // Each loop starts from a clean screen.
        next = 0;
        previousDisposal_ = dmRestoreBackground;
        previousArea_ = composition_.rect();
    }
    DrawFrame(next);
    StartTimer();
}

void TCustomZUBAnimatedImage::UserInput() {
    if (waitingForInput_) HandleTimeout();
}

void TCustomZUBAnimatedImage::DisposePrevious(int index) {
    switch (previousDisposal_) {
        case dmRestoreBackground:
            QPainter(&composition_).fillRect(previousArea_, BlankColour(index));
            break;
        case dmRestorePrevious:
            if (!savedComposition_.isNull()) composition_ = savedComposition_;
            break;
        default:
            break;
    }
}

void TCustomZUBAnimatedImage::ComposeFrame(int index) {
    if (index < 0 || index >= frames_.GetCount()) return;
    DisposePrevious(index);
    // Frame `index` may ask for the picture it is drawn over to come back after it.
    if (images_->GetDisposalMethod(index) == dmRestorePrevious) savedComposition_ = composition_;

    const QImage frame = frames_.GetItems(index).ToQImage();
    const QImage mask = masks_.GetItems(index).ToQImage();
    const TPoint at = frames_.GetOrigin(index);
    const QRect area = QRect(at.X, at.Y, frame.width(), frame.height()).intersected(composition_.rect());
    const bool transparent = allowTransparent_ && images_->GetItems(index).Transparent;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(frame.constScanLine(y - at.Y)) - at.X;
        const auto *hidden = reinterpret_cast<const QRgb *>(mask.constScanLine(y - at.Y)) - at.X;
        auto *out = reinterpret_cast<QRgb *>(composition_.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (!transparent || qRed(hidden[x]) == 0) out[x] = in[x];
    }
    previousDisposal_ = images_->GetDisposalMethod(index);
    previousArea_ = area;
    current_ = index;
}

void TCustomZUBAnimatedImage::DrawFrame(int index) {
    ComposeFrame(index);
    Invalidate();
}

void TCustomZUBAnimatedImage::Run() {
    Stop();
    ResetLoops();
    if (images_->GetCount() > 0) DrawFrame(0);
    StartTimer();
}

void TCustomZUBAnimatedImage::Stop() {
    timer_->SetEnabled(false);
    waitingForInput_ = false;
    previousDisposal_ = dmRestoreBackground;
    previousArea_ = composition_.rect();
    Invalidate();
}

void TCustomZUBAnimatedImage::Restart() {
    CreateBitmaps();
    current_ = -1;
    Invalidate();
}

void TCustomZUBAnimatedImage::ResetImages() {
    const int count = images_->GetCount();
    if (count == 0) return;
    SetScales();
    frames_.Clear();
    masks_.Clear();
    for (int i = 0; i < count; ++i) LoadImage(i);
    SetCenter(center_);
    Restart();
}

void TCustomZUBAnimatedImage::SetCenter(bool value) {
    center_ = value;
    const QSize screen = ScreenSize();
    const int dx = value ? (Width() - screen.width()) / 2 : 0;
    const int dy = value ? (Height() - screen.height()) / 2 : 0;
    imageRect_ = {Scaled(dx, scaleX_), Scaled(dy, scaleY_), Scaled(screen.width() + dx, scaleX_),
                  Scaled(screen.height() + dy, scaleY_)};
    Invalidate();
}

void TCustomZUBAnimatedImage::SetAutoRun(bool value) {
    autoRun_ = value;
    value ? Run() : Stop();
}

void TCustomZUBAnimatedImage::SetAutoSize(bool value) {
    autoSize_ = value;
    Restart();
}

void TCustomZUBAnimatedImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    ResetImages();
}

void TCustomZUBAnimatedImage::SetTransparent(bool value) {
    if (value == allowTransparent_) return;
    allowTransparent_ = value;
    Invalidate();
}

void TCustomZUBAnimatedImage::SetBackgroundColor(TColor colour) {
    backgroundColor_ = colour;
    Invalidate();
}

void TCustomZUBAnimatedImage::HandleOnProgress() {
    if (OnProgress) OnProgress(this);
    Application->ProcessMessages();
}

void TCustomZUBAnimatedImage::CopyToClipboard() const {
    if (current_ < 0 || current_ >= frames_.GetCount()) return;
    QGuiApplication::clipboard()->setImage(FrameImage(images_->GetItems(current_)));
}

void TCustomZUBAnimatedImage::Paint(QPainter &painter) {
    if (stretch_ && composition_.size() != QSize(Width(), Height())) ResetImages();
    if (current_ < 0 && frames_.GetCount() > 0) ComposeFrame(0);
    painter.drawImage(QPoint(imageRect_.Left, imageRect_.Top), composition_);
}
