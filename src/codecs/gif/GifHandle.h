#pragma once
// giflib's file handles, closed on every path, and its error codes turned into EGifError.
#include <gif_lib.h>

#include <memory>

namespace kalvo {

void CloseGifDecoder(GifFileType* gif);
// Closes an encoder that did not finish (the caller discards the output).
void CloseGifEncoder(GifFileType* gif);
using TGifHandle = std::unique_ptr<GifFileType, void (*)(GifFileType*)>;

// Throws EGifError "GIF: <what>: <giflib's reason>".
[[noreturn]] void ThrowGifError(const char* what, int errorCode);

} // namespace kalvo
