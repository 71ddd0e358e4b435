// The pixel-format change of the DIB container: the chain of elementary conversions from any of
// the six formats to any other.
#include "codecs/bmp/DibConvert.h"
#include "codecs/bmp/LvDIBErrors.h"
#include "codecs/bmp/LvInternalDIB.h"

#include <vector>

namespace kalvo {

namespace {

using Step = std::function<TDibRecord(const TDibRecord&)>;

} // namespace

void TLvInternalDIB::SetPixelsFormat(TLvPixelFormat target, int convertMode, const TProgressCallback& progressStep,
                                     TColor bwColor)
{
    const TLvPixelFormat from = GetPixelFormat();
    if (from == target)
        return;
    const bool fmo = UseFMO;
    if (convertMode != 0 && convertMode != 1)
        throw std::logic_error("SetPixelsFormat: ConvertMode must be 0 or 1");
    const Step decode4 = [fmo](const TDibRecord& r) { return Convert4BitRLETo4BitRGB(r, fmo); };
    const Step decode8 = [fmo](const TDibRecord& r) { return Convert8BitRLETo8BitRGB(r, fmo); };
    const Step encode4 = [fmo](const TDibRecord& r) { return Convert4BitRGBTo4BitRLE(r, fmo); };
    const Step encode8 = [fmo](const TDibRecord& r) { return Convert8BitRGBTo8BitRLE(r, fmo); };
    const Step u1to4 = [fmo](const TDibRecord& r) { return Convert1BitRGBTo4BitRGB(r, fmo); };
    const Step u1to8 = [fmo](const TDibRecord& r) { return Convert1BitRGBTo8BitRGB(r, fmo); };
    const Step u4to8 = [fmo](const TDibRecord& r) { return Convert4BitRGBTo8BitRGB(r, fmo); };
    const Step x1 = [fmo](const TDibRecord& r) { return Convert1BitRGBToTrueColor(r, fmo); };
    const Step x4 = [fmo](const TDibRecord& r) { return Convert4BitRGBToTrueColor(r, fmo); };
    const Step x8 = [fmo](const TDibRecord& r) { return Convert8BitRGBToTrueColor(r, fmo); };
    const Step r4to1 = [fmo, bwColor](const TDibRecord& r) { return Convert4BitRGBTo1BitRGB(r, fmo, bwColor); };
    const Step r8to1 = [fmo, bwColor](const TDibRecord& r) { return Convert8BitTo1BitRGB(r, fmo, bwColor); };
    const Step r24to1 = [fmo, bwColor](const TDibRecord& r) { return ConvertTrueColorTo1BitRGB(r, fmo, bwColor); };
    const Step r8to4 = [fmo, &progressStep](const TDibRecord& r) {
        return Convert8BitRGBTo4BitRGB(r, fmo, progressStep);
    };
    const Step r24to4 = [fmo, convertMode, &progressStep](const TDibRecord& r) {
        return convertMode == 0 ? ConvertTrueColorTo4BitRGBLow(r, fmo, progressStep)
                                : ConvertTrueColorTo4BitRGBHigh(r, fmo, progressStep);
    };
    const Step r24to8 = [fmo, convertMode, &progressStep](const TDibRecord& r) {
        return convertMode == 0 ? ConvertTrueColorTo8BitRGBLow(r, fmo, progressStep)
                                : ConvertTrueColorTo8BitRGBHigh(r, fmo, progressStep);
    };

    // Rows: from; columns: to (lvPf1Bit .. lvPf24Bit).
    const std::vector<Step> table[6][6] = {
        {{}, {u1to4}, {u1to4, encode4}, {u1to8}, {u1to8, encode8}, {x1}},
        {{r4to1}, {}, {encode4}, {u4to8}, {u4to8, encode8}, {x4}},
        {{decode4, r4to1}, {decode4}, {}, {decode4, u4to8}, {decode4, u4to8, encode8}, {decode4, x4}},
        {{r8to1}, {r8to4}, {r8to4, encode4}, {}, {encode8}, {x8}},
        {{decode8, r8to1}, {decode8, r8to4}, {decode8, r8to4, encode4}, {decode8}, {}, {decode8, x8}},
        {{r24to1}, {r24to4}, {r24to4, encode4}, {r24to8}, {r24to8, encode8}, {}},
    };
    const auto& chain = table[from][target];
    // Intermediate results live only until the next step has produced its output.
    TDibRecord current = chain.at(0)(Rec);
    for (std::size_t i = 1; i < chain.size(); ++i)
        current = chain[i](current);
    TakeRecord(std::move(current));
}

} // namespace kalvo
