#pragma once
// The shared store of the DIB container: a DIB record plus the cached palette and flags.
#include "codecs/bmp/DibRecord.h"
#include "image/Color.h"
#include "imaging/ProgressCallback.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <vector>

namespace kalvo {

class TLvDIB;

class TLvInternalDIB {
public:
    explicit TLvInternalDIB(bool useFMO) : UseFMO(useFMO) { }

    int Width = 0;
    int Height = 0; // |biHeight|
    TDibRecord Rec;
    bool PaletteChanged = false;
    bool UseFMO;

    // A blank DIB: zero pixels, a colour table of Colors black entries, 3780 dots per metre.
    void CreateDIB(int width, int height, int colors, int bitCount);
    // Reads a BMP file; on failure the store is unchanged and the error passes on. When adopt is
    // given, plain pixel data may become the store's memory through it (offset, size) instead of
    // being copied.
    using TAdoptPixels = std::function<TDibMemory(std::size_t offset, std::size_t size)>;
    void LoadFromStream(std::span<const std::uint8_t> data, const TAdoptPixels& adopt = {});
    // Reads a packed DIB (header, colour table, pixels) as the clipboard holds it.
    void LoadFromClipboardFormat(std::span<const std::uint8_t> data);
    void SaveToStream(std::ostream& out) const;
    std::vector<std::uint8_t> SaveToClipboardFormat() const;

    TLvPixelFormat GetPixelFormat() const;
    // Drops the cached palette and marks the colour table as changed.
    void UpdatePalette();
    // The palette made from the colour table (biClrUsed entries), cached; none without a table.
    const std::optional<std::vector<TColor>>& Palette();

    // Changes the pixel format through the chain of elementary conversions; the store keeps its
    // content when a step fails.
    void SetPixelsFormat(TLvPixelFormat target, int convertMode, const TProgressCallback& progressStep, TColor bwColor);

    // Takes a finished record (a load or conversion result) as the store's content.
    void TakeRecord(TDibRecord&& rec);

private:
    std::optional<std::vector<TColor>> FPaletteHandle;
};

} // namespace kalvo
