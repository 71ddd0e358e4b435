#pragma once
// The scaffolding every image command runs through: the busy section and the progress bar as
// scope guards, copies of the image and the selection, one undo step and the result handed to
// the canvas. A command then reads as its computation and a call.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QString>

#include <functional>
#include <optional>

namespace kalvo {

class TKalvoMainForm;

// The main window's busy section for a scope (the busy cursor, the canvas standing still).
class TBusyScope {
public:
    explicit TBusyScope(TKalvoMainForm& form);
    ~TBusyScope();
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TKalvoMainForm& FForm;
};

// The status-bar progress bar (0..100) for a scope; Callback() moves it.
class TProgressScope {
public:
    explicit TProgressScope(TKalvoMainForm& form);
    ~TProgressScope();
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;
    TProgressCallback Callback() const;

private:
    TKalvoMainForm& FForm;
};

// What a computation receives: copies it may change or move from.
struct TImageCommandInput {
    const TBitmap* Source = nullptr; // the canvas image itself, unchanged while compute runs
    TBitmap Image;                   // a copy of the canvas image; with icDestination a bitmap of its
                                     // layout whose pixels are undefined; empty with icReadOnly
    TRegionRef Region;               // the selection; none when nothing is selected
    std::optional<TBitmap> Mask;     // with icMask: the selection mask, made from the region when
                                     // the canvas has none (all selected without a region)
    TProgressCallback Progress;      // with icProgress: moves the progress bar; else empty
};

enum TImageCommandFlag : unsigned {
    icProgress = 1, // show the progress bar while computing
    icMask = 2,     // pass the selection mask
    icReadOnly = 4, // compute only reads Source and makes its own result: no copy is made
    // compute writes every pixel of Image from Source (read once, written once); Image then
    // becomes the picture and the undo step takes the old one. At most this one picture-sized
    // buffer is taken, the spare one when it is kept (image/BlockMemory.h).
    icDestination = 8,
};

using TImageComputation = std::function<std::optional<TBitmap>(TImageCommandInput&)>;

// Runs compute on copies inside a busy section. When it yields a bitmap, undo step `undo` (kind
// image, recorded after the computation so that a failure records nothing) is pushed, the bitmap
// becomes the canvas image and the command states are refreshed; returns true. Returns false
// when there is no image or compute yields nothing. Exceptions pass through after the busy
// section and the progress bar are closed.
bool RunImageCommand(TKalvoMainForm& form, const QString& undo, unsigned flags, const TImageComputation& compute);

// Puts `result` into the canvas and records `undo` with the image it replaced, taken over rather
// than copied; when the step cannot be recorded the canvas gets its image back and the error
// passes on. Nothing is recorded when the canvas had no image.
void ReplaceImageRecording(TKalvoMainForm& form, const QString& undo, TBitmap&& result);

// True when a picture of this size and depth can be made; otherwise tells the user so.
bool PictureSizeAllowed(int width, int height, int bitCount);

// Records `undo` and puts `result` into the canvas with the refreshes that follow every image
// change (for commands whose result comes from elsewhere).
void ApplyImageResult(TKalvoMainForm& form, const QString& undo, TBitmap&& result);

} // namespace kalvo
