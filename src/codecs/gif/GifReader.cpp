// GIF decoding with giflib's record-level reader: only the records up to the end of the first
// frame are read; later frames are never decoded.
#include "codecs/gif/GifCodec.h"
#include "codecs/gif/GifHandle.h"
#include "codecs/gif/GifRowOrder.h"
#include "imaging/quantize/PackIndices.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace kalvo {

namespace {

struct TGifSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

int readFromSpan(GifFileType* gif, GifByteType* out, int length)
{
    auto* source = static_cast<TGifSource*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(std::max(length, 0)), source->size - source->pos);
    std::memcpy(out, source->data + source->pos, n);
    source->pos += n;
    return int(n);
}

struct TControlBlock {
    bool present = false;
    bool transparent = false;
    int index = 0;
};

void readExtension(GifFileType* gif, TControlBlock& control)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        ThrowGifError("Cannot read an extension", gif->Error);
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        control.present = true;
        control.transparent = (block[1] & 1) != 0;
        control.index = block[4];
    }
    while (block)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            ThrowGifError("Cannot read an extension", gif->Error);
}

// Reads the records up to and including the first image descriptor; the last graphic control
// extension before it belongs to that frame.
TControlBlock readToFirstFrame(GifFileType* gif)
{
    TControlBlock control;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            ThrowGifError("Cannot read a record", gif->Error);
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                ThrowGifError("Cannot read the image descriptor", gif->Error);
            return control;
        }
        if (type == TERMINATE_RECORD_TYPE)
            throw EGifError("GIF: The file holds no image");
        if (type == EXTENSION_RECORD_TYPE)
            readExtension(gif, control);
    }
}

std::vector<TColor> colorsOf(const ColorMapObject* map)
{
    std::vector<TColor> colors;
    for (int i = 0; map && i < map->ColorCount && i < 256; ++i)
        colors.push_back(RGB(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    return colors;
}

// Every code yields at most 4096 pixels, so data too short for the declared frame is refused
// before anything is allocated for it.
void checkFrameData(const GifImageDesc& desc, std::size_t bytesLeft)
{
    const std::size_t pixels = std::size_t(desc.Width) * std::size_t(desc.Height);
    if (pixels / 4096 / 8 > bytesLeft)
        throw EGifError("GIF: Not enough image data");
}

// Decodes the frame's rows into rowAt(y) (room for the frame's width), checking every index
// against the colour map.
template <typename RowAt>
void decodeRows(GifFileType* gif, std::size_t colorCount, RowAt&& rowAt)
{
    const GifImageDesc& desc = gif->Image;
    if (desc.Width == 0)
        return;
    for (const int y : GifRowOrder(desc.Height, desc.Interlace)) {
        GifPixelType* line = rowAt(y);
        if (DGifGetLine(gif, line, desc.Width) == GIF_ERROR)
            ThrowGifError("Cannot decode the image data", gif->Error);
        if (*std::max_element(line, line + desc.Width) >= colorCount)
            throw EGifError("GIF: A pixel lies outside the colour map");
    }
}

int bitCountFor(std::size_t colors)
{
    return colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
}

// One screen row in full colour: the frame's colours inside [left, right), background outside.
void storeRow24(TBitmap& bitmap, int y, const std::uint8_t* indices, const std::vector<TColor>& colors, int left,
                int right, TColor background)
{
    std::uint8_t* row = bitmap.scanLine(y);
    for (int x = 0; x < bitmap.width(); ++x) {
        const TColor c = x >= left && x < right ? colors[indices[x]] : background;
        row[3 * x] = std::uint8_t(GetBValue(c));
        row[3 * x + 1] = std::uint8_t(GetGValue(c));
        row[3 * x + 2] = std::uint8_t(GetRValue(c));
    }
}

bool coversScreen(const GifFileType* gif)
{
    const GifImageDesc& desc = gif->Image;
    return desc.Left == 0 && desc.Top == 0 && desc.Width == gif->SWidth && desc.Height == gif->SHeight;
}

// The logical screen with the frame drawn at its place. Pixels outside the frame take the
// screen's background, index 0 of the global map, which joins the frame's colours when it is
// not among them (a 24-bit screen when they already fill 256 entries).
TBitmap composeScreen(const GifFileType* gif, const std::vector<std::uint8_t>& frame,
                      const std::vector<TColor>& frameColors)
{
    const GifImageDesc& desc = gif->Image;
    const TColor background = gif->SColorMap ? colorsOf(gif->SColorMap).at(0) : frameColors.at(0);
    std::vector<TColor> palette = frameColors;
    const auto found = std::find(palette.begin(), palette.end(), background);
    const std::size_t backgroundIndex = std::size_t(found - palette.begin());
    if (found == palette.end())
        palette.push_back(background);
    const bool indexed = palette.size() <= 256;
    if (!indexed && !TBitmap::fitsBounds(gif->SWidth, gif->SHeight, 24))
        throw EGifError("GIF: Image is too large for full colour");
    TBitmap screen(gif->SWidth, gif->SHeight, indexed ? bitCountFor(palette.size()) : 24);
    if (indexed)
        screen.setPalette(palette);
    std::vector<std::uint8_t> line(std::size_t(screen.width()));
    for (int y = 0; y < screen.height(); ++y) {
        const bool inFrame = y >= desc.Top && y < desc.Top + desc.Height && desc.Width > 0;
        std::fill(line.begin(), line.end(), std::uint8_t(indexed ? backgroundIndex : 0));
        if (inFrame)
            std::memcpy(line.data() + desc.Left, frame.data() + std::size_t(y - desc.Top) * std::size_t(desc.Width),
                        std::size_t(desc.Width));
        if (indexed)
            PackIndices(line.data(), screen.width(), screen.scanLine(y), screen.bitCount());
        else
            storeRow24(screen, y, line.data(), frameColors, inFrame ? desc.Left : 0,
                       inFrame ? desc.Left + desc.Width : 0, background);
    }
    return screen;
}

// An 8-bit frame covering the screen is decoded straight into the bitmap; any other first frame
// into a buffer that is then drawn onto the screen.
TBitmap decodeScreen(GifFileType* gif, const std::vector<TColor>& colors)
{
    const GifImageDesc& desc = gif->Image;
    if (coversScreen(gif) && bitCountFor(colors.size()) == 8) {
        TBitmap screen(gif->SWidth, gif->SHeight, 8);
        screen.setPalette(colors);
        decodeRows(gif, colors.size(), [&](int y) { return screen.scanLine(y); });
        return screen;
    }
    std::vector<std::uint8_t> frame(std::size_t(desc.Width) * std::size_t(desc.Height));
    decodeRows(gif, colors.size(), [&](int y) { return frame.data() + std::size_t(y) * std::size_t(desc.Width); });
    return composeScreen(gif, frame, colors);
}

void checkFrame(const GifFileType* gif)
{
    const GifImageDesc& desc = gif->Image;
    if (gif->SWidth <= 0 || gif->SHeight <= 0)
        throw EGifError("GIF: Invalid screen size");
    if (!TBitmap::fitsBounds(gif->SWidth, gif->SHeight, 8))
        throw EGifError("GIF: Image is too large (" + std::to_string(gif->SWidth) + " x " + std::to_string(gif->SHeight)
                        + ")");
    if (desc.Left < 0 || desc.Top < 0 || desc.Width < 0 || desc.Height < 0 || desc.Left + desc.Width > gif->SWidth
        || desc.Top + desc.Height > gif->SHeight)
        throw EGifError("GIF: The first frame lies outside the screen");
    if (!desc.ColorMap && !gif->SColorMap)
        throw EGifError("GIF: The first frame has no colour map");
}

} // namespace

TDecodedImage ReadGif(std::span<const std::uint8_t> data)
{
    // giflib only looks at "GIF"; the two versions that exist are the only ones read.
    static constexpr std::uint8_t gif87a[6] = {'G', 'I', 'F', '8', '7', 'a'},
                                  gif89a[6] = {'G', 'I', 'F', '8', '9', 'a'};
    if (data.size() < 6
        || (!std::equal(gif87a, gif87a + 6, data.data()) && !std::equal(gif89a, gif89a + 6, data.data())))
        throw EGifError("GIF: Not a GIF87a or GIF89a file");
    TGifSource source{data.data(), data.size(), 0};
    int error = 0;
    const TGifHandle gif(DGifOpen(&source, readFromSpan, &error), CloseGifDecoder);
    if (!gif)
        ThrowGifError("Cannot read the header", error);
    const TControlBlock control = readToFirstFrame(gif.get());
    checkFrame(gif.get());
    const std::vector<TColor> colors = colorsOf(gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap);
    if (colors.empty())
        throw EGifError("GIF: The colour map is empty");
    checkFrameData(gif->Image, source.size - source.pos);

    TDecodedImage result;
    result.bitmap = decodeScreen(gif.get(), colors);
    TImageProperties& properties = result.properties;
    properties.interlaced = gif->Image.Interlace;
    properties.transparent = control.transparent;
    if (control.present && std::size_t(control.index) < colors.size())
        properties.transparentColor = colors[std::size_t(control.index)];
    result.bitmap.setTransparent(properties.transparent);
    result.bitmap.setTransparentColor(properties.transparentColor);
    return result;
}

} // namespace kalvo
