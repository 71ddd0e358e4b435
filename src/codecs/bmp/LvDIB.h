#pragma once
// The DIB container: a device-independent bitmap whose pixels live in the Windows DIB layout in a
// store that several containers share until one of them changes it (copy on write). It reads and
// writes BMP files and the clipboard's packed DIB form, copies itself from and into the image
// bitmap, and changes its pixel format.
#include "codecs/bmp/LvInternalDIB.h"
#include "image/Bitmap.h"

#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>

namespace kalvo {

enum class TProgressStage { Starting, Running, Ending };

class TLvDIB {
public:
    // Process-wide default kind of pixel memory for new containers (mapped memory).
    static bool DefaultUseFMO;
    static constexpr int ClipboardFormat = 8;

    TLvDIB();

    int Width() const { return FInternalDIB->Width; }
    int Height() const { return FInternalDIB->Height; }
    int BitCount() const { return FInternalDIB->Rec.Header.biBitCount; }
    bool UseFMO() const { return FInternalDIB->UseFMO; }
    long RefCount() const { return FInternalDIB.use_count(); }
    const TLvInternalDIB& InternalDIB() const { return *FInternalDIB; }
    bool GetEmpty() const { return false; }

    void SetWidth(int value);
    void SetHeight(int value);
    void SetBitCount(int value);

    // The palette made from the colour table; none for a DIB without a table.
    std::optional<std::vector<TColor>> Palette();
    // Replaces the colour table (empty: no table). "TLvDIB.SetPalette: Invalid Palette" when the
    // given palette holds no entry.
    void SetPalette(const std::optional<std::vector<TColor>>& palette);

    void LoadFromStream(std::span<const std::uint8_t> data);
    void LoadFromFile(const std::string& fileName);
    void SaveToStream(std::ostream& out) const;
    void SaveToFile(const std::string& fileName) const;
    // format must be 8 and data present, else EInvalidGraphic.
    void LoadFromClipboardFormat(int format, const std::vector<std::uint8_t>* data);
    // The same over bytes held elsewhere (no copy of a large block first).
    void LoadFromClipboardFormat(int format, std::span<const std::uint8_t> data);
    std::vector<std::uint8_t> SaveToClipboardFormat() const;

    // Shares the other container's store (nothing is copied until one side changes).
    void Assign(const TLvDIB& source);
    // A new store with the bitmap's pixels (16 and 32 bits become 24).
    void Assign(const TBitmap& source);
    // Back to the default content (a 1 x 1 8-bit DIB).
    void AssignNone();
    // The pixels as an image bitmap (RLE data decoded; top-down files shown upright).
    TBitmap ToBitmap() const;

    TLvPixelFormat PixelFormat() const { return FInternalDIB->GetPixelFormat(); }
    void SetPixelFormat(TLvPixelFormat target);

    std::uint8_t ConvertMode = 0;
    TColor BWColor = clWhite;
    int ProgressCount = 0;
    int ProgressTotal = 0;
    std::string ProgressText;

    // Notifications of the graphic: changes, palette changes and pixel-format progress.
    std::function<void()> OnChange;
    std::function<void()> OnPaletteModified;
    std::function<void(TProgressStage, int percent, bool redraw, const std::string& text)> OnProgress;

    // Copy on write: makes the store private to this container.
    void UniqueDIB();

private:
    friend class TLvDIBCanvas;
    void takeStore(std::shared_ptr<TLvInternalDIB> store);
    void UpdatePaletteModified();
    void Changed();
    void progressStep();

    std::shared_ptr<TLvInternalDIB> FInternalDIB;
};

} // namespace kalvo
