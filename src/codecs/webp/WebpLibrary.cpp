#include "codecs/webp/WebpLibrary.h"
#include "codecs/SharedLibrary.h"

namespace kalvo {

namespace {

void fill(TWebpLibrary& table)
{
    const TSharedLibrary library(KALVO_WEBP_SONAME);
#define KALVO_WEBP_RESOLVE(name) library.resolve(table.name, #name);
    KALVO_WEBP_FUNCTIONS(KALVO_WEBP_RESOLVE)
#undef KALVO_WEBP_RESOLVE
}

} // namespace

const TWebpLibrary& Webp()
{
    return LoadOnce<TWebpLibrary, EWebpError>("WebP", fill);
}

} // namespace kalvo
