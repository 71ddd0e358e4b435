#include "codecs/heif/HeifLibrary.h"
#include "codecs/SharedLibrary.h"

namespace kalvo {

namespace {

void fill(THeifLibrary& table)
{
    const TSharedLibrary library(KALVO_HEIF_SONAME);
#define KALVO_HEIF_RESOLVE(name) library.resolve(table.name, #name);
    KALVO_HEIF_FUNCTIONS(KALVO_HEIF_RESOLVE)
#undef KALVO_HEIF_RESOLVE
}

} // namespace

const THeifLibrary& Heif()
{
    return LoadOnce<THeifLibrary, EHeifError>("HEIF", fill);
}

} // namespace kalvo
