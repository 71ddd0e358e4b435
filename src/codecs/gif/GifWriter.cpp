// GIF encoding: one frame over the whole image with a global colour map and a graphic control
// extension, written as GIF89a.
#include "codecs/gif/GifCodec.h"
#include "codecs/gif/GifColorMap.h"
#include "codecs/gif/GifHandle.h"
#include "codecs/gif/GifRowOrder.h"
#include "imaging/quantize/OctreeQuantizer.h"

#include <vector>

namespace kalvo {

namespace {

int writeToFile(GifFileType* gif, const GifByteType* data, int length)
{
    return int(std::fwrite(data, 1, std::size_t(length), static_cast<std::FILE*>(gif->UserData)));
}

struct TMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::unique_ptr<ColorMapObject, TMapDeleter> makeColorMap(const std::vector<TColor>& colors)
{
    const std::vector<TColor> table = PaddedColorTable(colors);
    std::vector<GifColorType> entries;
    for (const TColor c : table)
        entries.push_back({GifByteType(GetRValue(c)), GifByteType(GetGValue(c)), GifByteType(GetBValue(c))});
    std::unique_ptr<ColorMapObject, TMapDeleter> map(GifMakeMapObject(int(entries.size()), entries.data()));
    if (!map)
        throw EGifError("GIF: Cannot create the colour map");
    return map;
}

void putControlBlock(GifFileType* gif, bool transparent, int index)
{
    // Packed fields: no disposal, no user input, the transparency flag; no delay.
    const GifByteType block[4] = {GifByteType(transparent ? 1 : 0), 0, 0, GifByteType(transparent ? index : 0)};
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_ERROR)
        ThrowGifError("Cannot write the graphic control extension", gif->Error);
}

void putRows(GifFileType* gif, const TBitmap& indexed, const TGifColorMap& map, bool interlaced)
{
    std::vector<GifPixelType> line(std::size_t(indexed.width()));
    for (const int y : GifRowOrder(indexed.height(), interlaced)) {
        UnpackRow(indexed, y, line.data());
        for (GifPixelType& index : line)
            index = map.remap[index];
        if (EGifPutLine(gif, line.data(), indexed.width()) == GIF_ERROR)
            ThrowGifError("Cannot write the image data", gif->Error);
    }
}

} // namespace

void WriteGif(const TBitmap& bitmap, const TImageProperties& options, std::FILE* out)
{
    if (bitmap.empty())
        throw EGifError("GIF: The image is empty");
    if (bitmap.width() > 65535 || bitmap.height() > 65535)
        throw EGifError("GIF: The image is too large");
    TBitmap reduced;
    if (bitmap.bitCount() > 8)
        reduced = OctreeQuantize(bitmap, 256);
    const TBitmap& indexed = bitmap.bitCount() > 8 ? reduced : bitmap;
    TGifColorMap map = OptimizeColorMap(indexed);
    const int transparentIndex = options.transparent ? TransparentIndex(map, options.transparentColor) : 0;
    const auto colorMap = makeColorMap(map.colors);

    int error = 0;
    TGifHandle gif(EGifOpen(out, writeToFile, &error), CloseGifEncoder);
    if (!gif)
        ThrowGifError("Cannot start the encoder", error);
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), bitmap.width(), bitmap.height(), colorMap->BitsPerPixel, 0, colorMap.get())
        == GIF_ERROR)
        ThrowGifError("Cannot write the screen descriptor", gif->Error);
    putControlBlock(gif.get(), options.transparent, transparentIndex);
    if (EGifPutImageDesc(gif.get(), 0, 0, bitmap.width(), bitmap.height(), options.interlaced, nullptr) == GIF_ERROR)
        ThrowGifError("Cannot write the image descriptor", gif->Error);
    putRows(gif.get(), indexed, map, options.interlaced);
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR)
        ThrowGifError("Cannot finish the file", error);
}

} // namespace kalvo
