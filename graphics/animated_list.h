#pragma once
// The frames of a multi-image GIF with their placement, timing and comments, the loop count and
// the logical screen they are shown on. Loads and saves through the GIF reader and writer, and
// tells its owner of every inserted and deleted frame and of its state.
//
// Loading reports progress, and the owner may let pending work run from that report: while a
// load is in progress, deleting, moving or clearing frames and a second load are refused.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/comment.h"
#include "graphics/gif_reader.h"
#include "graphics/gif_writer.h"

enum TAnimatedImageState { isEmpty, isLoading, isLoaded, isSaving };

class TAnimatedImageList;
using TAnimatedImageEvent = std::function<void(TAnimatedImageList &sender, int index)>;
using TAnimatedNotifyEvent = std::function<void(TAnimatedImageList &sender)>;

class TAnimatedImageList {
public:
    TAnimatedImageList();
    TAnimatedImageList(const TAnimatedImageList &) = delete;
    TAnimatedImageList &operator=(const TAnimatedImageList &) = delete;
    ~TAnimatedImageList();

    int Add(std::unique_ptr<TZUBExtGraphic> graphic);
    // index in 0..count; a new frame has zero control information and no comment.
    void Insert(int index, std::unique_ptr<TZUBExtGraphic> graphic);
    // OnImageDeleted runs before the frame goes.
    void Delete(int index);
    void Clear();
    void Move(int from, int to);

    const TZUBExtGraphic &GetItems(int index) const;
    int GetCount() const { return static_cast<int>(frames_.size()); }

    int GetDelayTime(int index) const { return Frame(index).Info.DelayTime; }
    void SetDelayTime(int index, int ms) { Frame(index).Info.DelayTime = ms; }
    TDisposalMethods GetDisposalMethod(int index) const { return Frame(index).Info.DisposalMethod; }
    void SetDisposalMethod(int index, TDisposalMethods value) { Frame(index).Info.DisposalMethod = value; }
    graphics::TPoint GetOrigin(int index) const { return Frame(index).Info.Origin; }
    void SetOrigin(int index, graphics::TPoint value) { Frame(index).Info.Origin = value; }
    bool GetUserInput(int index) const { return Frame(index).Info.UserInput; }
    void SetUserInput(int index, bool value) { Frame(index).Info.UserInput = value; }
    const std::string &GetComment(int index) const { return Frame(index).Comment.GetComment(); }
    void SetComment(int index, std::string text) { Frame(index).Comment.SetComment(std::move(text)); }
    const TGIFGraphicControlInfo &GetControlInfo(int index) const { return Frame(index).Info; }

    void LoadFromFile(const std::string &name);
    void SaveToFile(const std::string &name);
    // Replaces the frames by those of a GIF stream; an empty stream leaves the list empty.
    // Errors of the GIF reader pass unchanged; the frames read before them stay.
    void LoadFromStream(graphics::TStream &stream);
    // Writes the frames as a GIF stream, with a loop block when there is more than one frame.
    void SaveToStream(graphics::TStream &stream);
    // Copies of the source's frames, screen, palette and loop count.
    void Assign(const TAnimatedImageList &source);
    // Ends a load or save in progress at its next progress report with "User Abort".
    void Abort();

    TAnimatedImageState State() const { return state_; }
    void SetState(TAnimatedImageState state);
    int PercentDone() const { return percentDone_; }

    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    void SetScreenSize(int width, int height);
    uint32_t BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(uint32_t colour) { backgroundColor_ = colour; }
    const TLogicalPalette &GlobalPalette() const { return globalPalette_; }
    void SetGlobalPalette(const TLogicalPalette &palette) { globalPalette_.Assign(palette); }

    // How often the frames play; 0 for ever.
    int LoopCount = 0;
    TAnimatedImageEvent OnImageInserted;
    TAnimatedImageEvent OnImageDeleted;
    TAnimatedNotifyEvent OnProgress;
    TAnimatedNotifyEvent OnStateChange;

private:
    struct TFrame {
        std::unique_ptr<TZUBExtGraphic> Graphic;
        TGIFGraphicControlInfo Info;
        TComment Comment;
    };

    TFrame &Frame(int index);
    const TFrame &Frame(int index) const;
    void RefuseWhileLoading() const;
    void InsertFrame(int index, std::unique_ptr<TZUBExtGraphic> graphic, const TGIFGraphicControlInfo &info,
                     const std::string &comment);
    void ReadFrames(graphics::TStream &stream);
    void WriteFrames(graphics::TStream &stream);
    void HandleOnReadProgress();
    void HandleOnWriteProgress();
    void Progress(int percent);

    std::vector<std::unique_ptr<TFrame>> frames_;
    TZUB_GIFDecompressor reader_;
    TZUB_GIFCompressor writer_;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    uint32_t backgroundColor_ = 0x00FFFFFF;
    int percentDone_ = 0;
    graphics::TStream *readStream_ = nullptr;
    int writtenFrame_ = 0;
    TAnimatedImageState state_ = isEmpty;
    TLogicalPalette globalPalette_;
    TComment collector_;
};
