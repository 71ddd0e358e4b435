#include "codecs/tiff/TiffLibrary.h"
#include "codecs/SharedLibrary.h"

namespace kalvo {

namespace {

void fill(TTiffLibrary& table)
{
    const TSharedLibrary library(KALVO_TIFF_SONAME);
#define KALVO_TIFF_RESOLVE(name) library.resolve(table.name, #name);
    KALVO_TIFF_FUNCTIONS(KALVO_TIFF_RESOLVE)
#undef KALVO_TIFF_RESOLVE
}

} // namespace

const TTiffLibrary& Tiff()
{
    return LoadOnce<TTiffLibrary, ETiffError>("TIFF", fill);
}

} // namespace kalvo
