#include "imaging/quantize/MedianCutReduce.h"

#include "image/PixelAccess.h"
#include "imaging/colour/PaletteBitmap.h"
#include "imaging/quantize/DiffusionRows.h"
#include "imaging/quantize/MedianCut.h"
#include "imaging/quantize/MedianCutQuantizeColor.h"
#include "imaging/quantize/PackIndices.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kalvo {

namespace {

void requireInput(const TBitmap& source, int depth)
{
    if (depth < 0 || depth > 8)
        throw std::logic_error("Assertion failed: depth out of range (pxMedianCut)");
    if (source.bitCount() != 24)
        throw std::logic_error("Assertion failed: source is not 24-bit (pxMedianCut)");
}

std::unique_ptr<TMedianCut> histogramOf(const TBitmap& source)
{
    auto medianCut = std::make_unique<TMedianCut>();
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* p = source.scanLine(y);
        for (int x = 0; x < source.width(); ++x, p += 3)
            medianCut->AddColor(QuantizeKey(p[2], p[1], p[0]));
    }
    return medianCut;
}

// An 8-bit bitmap with the built palette whose pixels are the indices of the source's cells.
TBitmap indexBitmap(const TMedianCut& medianCut, const TBitmap& source)
{
    TBitmap result(source.width(), source.height(), 8);
    result.setPalette(medianCut.MakePalette());
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* p = source.scanLine(y);
        std::uint8_t* out = result.scanLine(y);
        for (int x = 0; x < source.width(); ++x, p += 3)
            out[x] = medianCut.ColorIndex(QuantizeKey(p[2], p[1], p[0]));
    }
    return result;
}

// The entry whose colour a dithered pixel is. The entry of the colour's own cell is usually the
// one, but a box's mean can lie in a cell that belongs to another box; writing that box's index
// would show a colour the diffusion never chose, so such colours are looked up among the entries.
class TChosenEntry {
public:
    explicit TChosenEntry(const TMedianCut& medianCut) : medianCut_(medianCut)
    {
        for (int k = 0; k < medianCut.PaletteSize(); ++k)
            byColour_.emplace_back(keyOfEntry(std::uint8_t(k)), std::uint8_t(k));
        std::sort(byColour_.begin(), byColour_.end()); // equal colours: the lowest index first
    }

    std::uint8_t operator()(std::uint32_t key) const
    {
        const std::uint8_t index = medianCut_.ColorIndex(key);
        if (keyOfEntry(index) == key)
            return index;
        const auto it = std::lower_bound(byColour_.begin(), byColour_.end(), std::pair(key, std::uint8_t(0)));
        return it != byColour_.end() && it->first == key ? it->second : index;
    }

private:
    std::uint32_t keyOfEntry(std::uint8_t index) const
    {
        const TRGBQuad& e = medianCut_.Palette()[index];
        return QuantizeKey(e.rgbRed, e.rgbGreen, e.rgbBlue);
    }

    const TMedianCut& medianCut_;
    std::vector<std::pair<std::uint32_t, std::uint8_t>> byColour_;
};

// For every histogram cell, what the diffusion makes of a colour in it: the colour of the cell's
// entry (0x00RRGGBB) with, in the top byte, the index written for it (TChosenEntry of that colour).
// One lookup per pixel then gives both.
std::vector<std::uint32_t> chosenPerCell(const TMedianCut& medianCut)
{
    const TMedianCutQuantizeColor quantiser(medianCut);
    const TChosenEntry chosenEntry(medianCut);
    std::array<std::uint32_t, 256> byIndex{};
    for (std::size_t k = 0; k < byIndex.size(); ++k) {
        const TRGBTriple& c = quantiser.Colour(std::uint8_t(k));
        const std::uint32_t key = QuantizeKey(c.rgbtRed, c.rgbtGreen, c.rgbtBlue);
        byIndex[k] = key | std::uint32_t(chosenEntry(key)) << 24;
    }
    std::vector<std::uint32_t> chosen(TMedianCut::kCells);
    for (std::size_t cell = 0; cell < chosen.size(); ++cell)
        chosen[cell] = byIndex[medianCut.CellIndex(std::uint32_t(cell))];
    return chosen;
}

// The 8-bit result rewritten at the depth its palette needs.
TBitmap repack(const TBitmap& result)
{
    TBitmap packed;
    CreatePaletteBitmap(result.width(), result.height(), result.palette(), packed);
    if (packed.bitCount() >= 8)
        return result;
    for (int y = 0; y < result.height(); ++y)
        PackIndices(result.scanLine(y), result.width(), packed.scanLine(y), packed.bitCount());
    return packed;
}

} // namespace

TBitmap MedianCutReduce(const TBitmap& source, int depth, const TProgressCallback&)
{
    requireInput(source, depth);
    const auto medianCut = histogramOf(source);
    medianCut->Build(depth, true);
    return indexBitmap(*medianCut, source);
}

TBitmap MedianCutReduceDither(const TBitmap& source, int depth, const TProgressCallback& progress)
{
    requireInput(source, depth);
    const auto medianCut = histogramOf(source);
    medianCut->Build(depth, false);
    const std::vector<std::uint32_t> chosen = chosenPerCell(*medianCut);
    TBitmap result(source.width(), source.height(), 8);
    result.setPalette(medianCut->MakePalette());
    auto choose = [&chosen](std::uint32_t key, std::uint32_t& colour) {
        colour = chosen[TMedianCut::CellOf(key)];
        return std::uint8_t(colour >> 24);
    };
    auto rowDone = [&result](int y, const std::uint8_t* indices) {
        std::memcpy(result.scanLine(y), indices, std::size_t(result.width()));
    };
    DiffuseRows<std::uint8_t>(source, choose, rowDone, progress);
    return result;
}

TBitmap ReduceColorsMedianCut(const TBitmap& source, int depth, bool dither, const TProgressCallback& progress)
{
    const TBitmap converted = source.bitCount() == 24 ? TBitmap() : source.toTrueColor();
    const TBitmap& input = source.bitCount() == 24 ? source : converted;
    TBitmap result = dither ? MedianCutReduceDither(input, depth, progress) : MedianCutReduce(input, depth, progress);
    if (depth <= 4 && result.bitCount() == 8)
        return repack(result);
    return result;
}

} // namespace kalvo
