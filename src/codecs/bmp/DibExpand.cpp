// Unpacking indices and expanding them to true colour.
#include "codecs/bmp/DibConvert.h"
#include "imaging/colour/PixelIndex.h"

namespace kalvo {

namespace {

// Rewrites every pixel of a plain indexed source at the target depth.
TDibRecord unpack(const TDibRecord& src, bool useFMO, int fromBits, int toBits, const char* name)
{
    RequireFormat(src, fromBits, BI_RGB, name);
    const std::size_t stride = DibStride(src.Width(), toBits);
    TDibRecord out = DeriveRecord(src, stride * std::size_t(src.AbsHeight()), useFMO, toBits, BI_RGB);
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* s = src.Row(y);
        std::uint8_t* d = out.Row(y);
        for (long x = 0; x < src.Width(); ++x)
            SetIndexAt(d, int(x), toBits, IndexAt(s, int(x), fromBits));
    }
    return out;
}

TDibRecord expand(const TDibRecord& src, bool useFMO, int fromBits, const char* name)
{
    RequireFormat(src, fromBits, BI_RGB, name);
    const std::size_t stride = DibStride(src.Width(), 24);
    TDibRecord out = DeriveRecord(src, stride * std::size_t(src.AbsHeight()), useFMO, 24, BI_RGB);
    for (long y = 0; y < src.AbsHeight(); ++y) {
        const std::uint8_t* s = src.Row(y);
        std::uint8_t* d = out.Row(y);
        for (long x = 0; x < src.Width(); ++x, d += 3) {
            const TRGBQuad& c = src.Colors[IndexAt(s, int(x), fromBits)];
            d[0] = c.rgbBlue;
            d[1] = c.rgbGreen;
            d[2] = c.rgbRed;
        }
    }
    return out;
}

} // namespace

TDibRecord Convert1BitRGBTo4BitRGB(const TDibRecord& src, bool useFMO)
{
    return unpack(src, useFMO, 1, 4, "Convert1BitRGBTo4BitRGB");
}

TDibRecord Convert1BitRGBTo8BitRGB(const TDibRecord& src, bool useFMO)
{
    return unpack(src, useFMO, 1, 8, "Convert1BitRGBTo8BitRGB");
}

TDibRecord Convert4BitRGBTo8BitRGB(const TDibRecord& src, bool useFMO)
{
    return unpack(src, useFMO, 4, 8, "Convert4BitRGBTo8BitRGB");
}

TDibRecord Convert1BitRGBToTrueColor(const TDibRecord& src, bool useFMO)
{
    return expand(src, useFMO, 1, "Convert1BitRGBToTrueColor");
}

TDibRecord Convert4BitRGBToTrueColor(const TDibRecord& src, bool useFMO)
{
    return expand(src, useFMO, 4, "Convert4BitRGBToTrueColor");
}

TDibRecord Convert8BitRGBToTrueColor(const TDibRecord& src, bool useFMO)
{
    return expand(src, useFMO, 8, "Convert8BitRGBToTrueColor");
}

} // namespace kalvo
