#include "codecs/jpeg2000/YCbCrTables.h"

#include <cmath>

namespace kalvo {

namespace {

TYCbCrTables buildTables()
{
    // The coefficients in single precision, derived from the luma weights as the tables
    // always have been.
    const float cr = 2.0f - 2.0f * 0.299f;
    const float cb = 2.0f - 2.0f * 0.114f;
    const float cg = 0.299f * 1.402f / 0.587f;
    const float cbg = 0.114f * 1.772f / 0.587f;
    TYCbCrTables t{};
    for (int i = 0; i < 256; ++i) {
        const double d = i - 128;
        // nearbyint rounds to nearest with ties to even in the default rounding mode.
        t.CR[std::size_t(i)] = int(std::nearbyint(double(cr) * d));
        t.CB[std::size_t(i)] = int(std::nearbyint(double(cb) * d));
        t.CG[std::size_t(i)] = -int(std::nearbyint(double(cg) * d));
        t.CBG[std::size_t(i)] = -int(std::nearbyint(double(cbg) * d));
    }
    return t;
}

} // namespace

const TYCbCrTables& YCbCrTables()
{
    static const TYCbCrTables tables = buildTables();
    return tables;
}

} // namespace kalvo
