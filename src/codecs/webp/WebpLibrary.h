#pragma once
// libwebp, opened on the first WebP file: the functions the WebP codec calls, resolved from the
// library's versioned soname (the header's inline initialisers call the ...Internal functions
// with the header's ABI version, as here). Webp() throws EWebpError "WebP: cannot load
// libwebp.so.N" when the library is missing.
#include "codecs/webp/WebpCodec.h"

#include <webp/decode.h>
#include <webp/encode.h>

// clang-format off
#define KALVO_WEBP_FUNCTIONS(X) \
    X(WebPGetFeaturesInternal) \
    X(WebPInitDecoderConfigInternal) \
    X(WebPDecode) \
    X(WebPFreeDecBuffer) \
    X(WebPConfigInitInternal) \
    X(WebPValidateConfig) \
    X(WebPPictureInitInternal) \
    X(WebPPictureImportBGR) \
    X(WebPEncode) \
    X(WebPPictureFree)
// clang-format on

namespace kalvo {

struct TWebpLibrary {
#define KALVO_WEBP_MEMBER(name) decltype(&::name) name = nullptr;
    KALVO_WEBP_FUNCTIONS(KALVO_WEBP_MEMBER)
#undef KALVO_WEBP_MEMBER
};

const TWebpLibrary& Webp();

} // namespace kalvo
