#include "codecs/gif/GifHandle.h"

#include "codecs/gif/GifCodec.h"

#include <string>

namespace kalvo {

void CloseGifDecoder(GifFileType* gif)
{
    int error = 0;
    DGifCloseFile(gif, &error);
}

void CloseGifEncoder(GifFileType* gif)
{
    int error = 0;
    EGifCloseFile(gif, &error);
}

void ThrowGifError(const char* what, int errorCode)
{
    const char* reason = GifErrorString(errorCode);
    throw EGifError(std::string("GIF: ") + what + ": " + (reason ? reason : "unknown error"));
}

} // namespace kalvo
