#include "graphics/animated_list.h"

#include <cmath>

#include "graphics/errors.h"

namespace {

constexpr const char *kIndexOutOfRange = "Index out of range";
constexpr const char *kLoadInProgress = "Load of current image in progress";

}  // namespace

TAnimatedImageList::TAnimatedImageList() {
    reader_.UseGlobalFrame = false;
    reader_.OnComment = [this](TZUB_CustomGifDecompressor &, const char *text) {
        collector_.SetComment(text ? text : "");
    };
    reader_.OnProgressReport = [this](TZUBGraphicsEngine &) { HandleOnReadProgress(); };
    writer_.GlobalFrame.UseGlobalFrame = true;
    writer_.OnProgressReport = [this](TZUBGraphicsEngine &) { HandleOnWriteProgress(); };
}

TAnimatedImageList::~TAnimatedImageList() {
    // The owner is told of no deletions any more: it may be going itself.
    OnImageDeleted = nullptr;
    frames_.clear();
}

TAnimatedImageList::TFrame &TAnimatedImageList::Frame(int index) {
    if (index < 0 || index >= GetCount()) throw EAnimateError(kIndexOutOfRange);
    return *frames_[static_cast<size_t>(index)];
}

const TAnimatedImageList::TFrame &TAnimatedImageList::Frame(int index) const {
    if (index < 0 || index >= GetCount()) throw EAnimateError(kIndexOutOfRange);
    return *frames_[static_cast<size_t>(index)];
}

const TZUBExtGraphic &TAnimatedImageList::GetItems(int index) const {
    return *Frame(index).Graphic;
}

void TAnimatedImageList::RefuseWhileLoading() const {
    if (state_ == isLoading) throw EAnimateError(kLoadInProgress);
}

int TAnimatedImageList::Add(std::unique_ptr<TZUBExtGraphic> graphic) {
    const int index = GetCount();
    Insert(index, std::move(graphic));
    return index;
}

void TAnimatedImageList::Insert(int index, std::unique_ptr<TZUBExtGraphic> graphic) {
    if (index < 0 || index > GetCount()) throw EAnimateError(kIndexOutOfRange);
    if (!graphic) throw EAnimateError("No graphic to insert");
    InsertFrame(index, std::move(graphic), {}, {});
}

void TAnimatedImageList::InsertFrame(int index, std::unique_ptr<TZUBExtGraphic> graphic,
                                     const TGIFGraphicControlInfo &info, const std::string &comment) {
    auto frame = std::make_unique<TFrame>();
    frame->Graphic = std::move(graphic);
    frame->Info = info;
    frame->Comment.SetComment(comment);
    // The owner hears of the frame with its timing and placement already in place.
    frames_.insert(frames_.begin() + index, std::move(frame));
    if (OnImageInserted) OnImageInserted(*this, index);
}

void TAnimatedImageList::Delete(int index) {
    RefuseWhileLoading();
    if (index < 0 || index >= GetCount()) throw EAnimateError(kIndexOutOfRange);
    if (OnImageDeleted) OnImageDeleted(*this, index);
    frames_.erase(frames_.begin() + index);
}

void TAnimatedImageList::Clear() {
    RefuseWhileLoading();
    for (int i = GetCount() - 1; i >= 0; --i) Delete(i);
    SetState(isEmpty);
}

void TAnimatedImageList::Move(int from, int to) {
    RefuseWhileLoading();
    Frame(from);
    Frame(to);
    auto frame = std::move(frames_[static_cast<size_t>(from)]);
    frames_.erase(frames_.begin() + from);
    frames_.insert(frames_.begin() + to, std::move(frame));
}

void TAnimatedImageList::SetScreenSize(int width, int height) {
    screenWidth_ = width;
    screenHeight_ = height;
}

void TAnimatedImageList::SetState(TAnimatedImageState state) {
    if (state == state_) return;
    state_ = state;
    if (OnStateChange) OnStateChange(*this);
}

void TAnimatedImageList::LoadFromFile(const std::string &name) {
    graphics::TFileStream stream(name, graphics::TFileMode::fmOpenRead);
    LoadFromStream(stream);
}

void TAnimatedImageList::SaveToFile(const std::string &name) {
    graphics::TFileStream stream(name, graphics::TFileMode::fmCreate);
    SaveToStream(stream);
}

void TAnimatedImageList::LoadFromStream(graphics::TStream &stream) {
    RefuseWhileLoading();
    Clear();
    if (stream.Size() == 0) return;
    SetState(isLoading);
    readStream_ = &stream;
    collector_.SetComment("");
    try {
        ReadFrames(stream);
    } catch (...) {
        readStream_ = nullptr;
        reader_.CloseImageStream();
        SetState(GetCount() > 0 ? isLoaded : isEmpty);
        throw;
    }
    LoopCount = reader_.GetLoopCount();
    SetState(isLoaded);
    Progress(100);
    readStream_ = nullptr;
    reader_.CloseImageStream();
}

void TAnimatedImageList::ReadFrames(graphics::TStream &stream) {
    reader_.OpenImageStream(stream);
    while (!reader_.GetEOF()) {
        // The reader looks ahead past each image, so the comment of a frame has been collected
        // before the frame is read, and reading it collects the next frame's comment.
        const std::string comment = collector_.GetComment();
        collector_.SetComment("");
        std::unique_ptr<TZUBExtGraphic> graphic;
        TGIFGraphicControlInfo info;
        reader_.ReadGIFGraphicFromStream(stream, graphic, info);
        if (!graphic) break;
        if (GetCount() == 0) {
            globalPalette_.Assign(reader_.GlobalPalette());
            backgroundColor_ = reader_.GetBackgroundColor();
            SetScreenSize(reader_.GetScreenWidth(), reader_.GetScreenHeight());
        }
        // The loop block comes before the images it governs, so the frames shown while the
        // rest loads already play the file's loop count.
        LoopCount = reader_.GetLoopCount();
        InsertFrame(GetCount(), std::move(graphic), info, comment);
    }
}

void TAnimatedImageList::SaveToStream(graphics::TStream &stream) {
    if (GetCount() == 0) return;
    writer_.GlobalFrame.Width = screenWidth_;
    writer_.GlobalFrame.Height = screenHeight_;
    writer_.SetGlobalPalette(globalPalette_);
    writer_.BackgroundColor = backgroundColor_;
    SetState(isSaving);
    try {
        WriteFrames(stream);
    } catch (...) {
        writer_.CloseImageStream();
        SetState(isLoaded);
        throw;
    }
    writer_.CloseImageStream();
    SetState(isLoaded);
    Progress(100);
}

void TAnimatedImageList::WriteFrames(graphics::TStream &stream) {
    for (int i = 0; i < GetCount(); ++i) {
        writtenFrame_ = i;
        const TFrame &frame = *frames_[static_cast<size_t>(i)];
        writer_.Comment = frame.Comment.GetComment();
        writer_.WriteGIFGraphicToStream(stream, *frame.Graphic, frame.Info);
        // The loop block needs the screen descriptor, which comes with the first frame.
        if (i == 0 && GetCount() > 1) writer_.WriteLoopControl(LoopCount);
    }
}

void TAnimatedImageList::Assign(const TAnimatedImageList &source) {
    if (&source == this) return;
    Clear();
    backgroundColor_ = source.backgroundColor_;
    SetScreenSize(source.screenWidth_, source.screenHeight_);
    LoopCount = source.LoopCount;
    globalPalette_.Assign(source.globalPalette_);
    SetState(isLoading);
    for (const auto &frame : source.frames_)
        InsertFrame(GetCount(), frame->Graphic->Copy(), frame->Info, frame->Comment.GetComment());
    SetState(isLoaded);
}

void TAnimatedImageList::Abort() {
    if (state_ == isLoading) reader_.Abort();
    if (state_ == isSaving) writer_.Abort();
}

void TAnimatedImageList::HandleOnReadProgress() {
    if (!readStream_) return;
    const int64_t size = readStream_->Size();
    if (size <= 0) return;
    Progress(static_cast<int>(
        std::lround(static_cast<double>(readStream_->Position()) * 100.0 / static_cast<double>(size))));
}

void TAnimatedImageList::HandleOnWriteProgress() {
    const double count = GetCount();
    Progress(static_cast<int>(std::lround(writer_.GetPercentDone() / count + writtenFrame_ * 100.0 / count)));
}

void TAnimatedImageList::Progress(int percent) {
    percentDone_ = percent;
    if (OnProgress) OnProgress(*this);
}
