#pragma once
// The picture named on the command line is read on a thread of its own while the toolkit and
// the main window start, and handed to the window's open once that is on the screen: on two or
// more cores the start-up no longer waits for the decoder.
#include "codecs/ImageInfo.h"
#include "image/Bitmap.h"

#include <future>
#include <optional>
#include <string>

namespace kalvo {

class TPictureLoad {
public:
    // Starts reading fileName (as LoadImageFile does) at once.
    explicit TPictureLoad(std::string fileName);
    // Waits for the read and hands over its picture, once. info (the file name must be the one
    // read) receives what the reader found out: result, failure reason, size, transparency,
    // interlacing and metadata; its save options stay. The reader's exception, std::bad_alloc
    // among them, is thrown here.
    std::optional<TBitmap> Take(TpxImageInfo& info);

private:
    struct TRead {
        std::optional<TBitmap> Bitmap;
        TpxImageInfo Info;
    };
    std::future<TRead> FRead;
};

} // namespace kalvo
