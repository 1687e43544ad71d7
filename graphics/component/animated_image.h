#pragma once
// A control that plays an animation: every frame of its list is prepared as a bitmap with a
// mask of its transparent pixels, and a timer composes the frames one after the other on an
// off-screen picture of the logical screen, disposing of each frame before the next as it asks
// (left in place, its area back to the background, or the picture before it came back).
//
// A frame stays for its own delay (5 ms when it has none), or until a mouse-down when it waits
// for user input. A loop count of n above 0 plays the frames n times and stops on the last one;
// 0 plays for ever.
#include <QColor>
#include <QImage>
#include <memory>

#include "graphics/animated_list.h"
#include "graphics/component/bitmap_list.h"
#include "platform/gui/control.h"
#include "platform/gui/timer.h"

class TCustomZUBAnimatedImage : public TControl {
public:
    explicit TCustomZUBAnimatedImage(TComponent *owner);
    ~TCustomZUBAnimatedImage() override;

    TAnimatedImageList &Images() { return *images_; }
    // Takes copies of the list's frames.
    void SetImages(const TAnimatedImageList &list) { images_->Assign(list); }

    // Plays from the first frame with the list's loop count.
    void Run();
    void Stop();
    // Shows the first frame again on fresh bitmaps.
    void Restart();
    // Prepares the frames again at the scales of the control's size (with Stretch only).
    void ResetImages();
    // Advances at once when the frame shown waits for user input (called on every mouse-down).
    void UserInput();
    // The frame shown, as an image on the clipboard.
    void CopyToClipboard() const;

    bool AllowTransparent() const { return allowTransparent_; }
    void SetTransparent(bool value);
    bool AutoRun() const { return autoRun_; }
    void SetAutoRun(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor colour);

    bool Running() const { return timer_->Enabled(); }
    // The index of the frame shown, -1 before the first is composed.
    int CurrentFrame() const { return current_; }
    // The composed picture as it is shown.
    const QImage &Composition() const { return composition_; }
    // Where the composition is shown on the control.
    const TRect &ImageRect() const { return imageRect_; }
    const TBitmapList &FrameBitmaps() const { return frames_; }
    const TBitmapList &MaskBitmaps() const { return masks_; }

    TNotifyEvent OnProgress;

protected:
    void Paint(QPainter &painter) override;
    virtual void ImageInserted(TAnimatedImageList &sender, int index);
    virtual void ImageDeleted(TAnimatedImageList &sender, int index);

private:
    void HandleTimeout();
    void HandleOnProgress();
    void StartTimer();
    // Composes frame `index` over what the previous frame left.
    void ComposeFrame(int index);
    // Composes and shows it.
    void DrawFrame(int index);
    void DisposePrevious(int index);
    void LoadImage(int index);
    void CreateBitmaps();
    // What lies behind the image: the parent's colour, as the control paints no background.
    QColor BehindColour() const;
    // What an area of the screen goes back to before frame `index`: what lies behind when the
    // frame lets it show through, else the background colour.
    QColor BlankColour(int index) const;
    QSize ScreenSize() const;
    QSize CompositionSize() const;
    // The frames' scales to the control with Stretch, else 1.
    void SetScales();
    void ResetLoops();

    bool allowTransparent_ = true;
    TColor backgroundColor_ = clBtnFace;
    TBitmapList frames_;
    TBitmapList masks_;
    std::unique_ptr<TAnimatedImageList> images_;
    TTimer *timer_;
    bool autoRun_ = true;
    bool autoSize_ = false;
    int current_ = -1;
    bool center_ = false;
    bool stretch_ = false;
    int loopsLeft_ = 0;
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    TRect imageRect_;
    bool waitingForInput_ = false;
    QImage composition_;
    QImage savedComposition_;
    // What the frame shown asks to be done with it before the next is drawn, and where it lies.
    TDisposalMethods previousDisposal_ = dmRestoreBackground;
    QRect previousArea_;
};

class TZUB_AnimatedImage : public TCustomZUBAnimatedImage {
public:
    using TCustomZUBAnimatedImage::TCustomZUBAnimatedImage;
};
