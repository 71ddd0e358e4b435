#include "GifTestFiles.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kalvo::test {

namespace {

void put16(std::vector<std::uint8_t>& out, int v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

// The table size field and the padded entries of a colour table.
int putColorTable(std::vector<std::uint8_t>& out, const std::vector<TColor>& colors)
{
    int bits = 1;
    while ((1u << bits) < colors.size())
        ++bits;
    for (std::size_t i = 0; i < (std::size_t(1) << bits); ++i) {
        const TColor c = i < colors.size() ? colors[i] : 0;
        out.push_back(std::uint8_t(GetRValue(c)));
        out.push_back(std::uint8_t(GetGValue(c)));
        out.push_back(std::uint8_t(GetBValue(c)));
    }
    return bits - 1;
}

int tableBits(std::size_t count)
{
    int bits = 1;
    while ((std::size_t(1) << bits) < count)
        ++bits;
    return bits;
}

std::vector<int> literalCodes(const TGifFrameLayout& frame, int codeSize)
{
    const int clear = 1 << codeSize;
    std::vector<int> rows;
    if (frame.interlaced) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < frame.height; y += step[pass])
                rows.push_back(y);
    } else {
        for (int y = 0; y < frame.height; ++y)
            rows.push_back(y);
    }
    std::vector<int> codes;
    int sinceClear = clear; // forces a clear code first
    for (const int y : rows)
        for (int x = 0; x < frame.width; ++x) {
            if (sinceClear >= clear / 2) {
                codes.push_back(clear);
                sinceClear = 0;
            }
            codes.push_back(frame.indices[std::size_t(y * frame.width + x)]);
            ++sinceClear;
        }
    codes.push_back(clear + 1);
    return codes;
}

void putCodes(std::vector<std::uint8_t>& out, const std::vector<int>& codes, int width)
{
    std::vector<std::uint8_t> packed;
    std::uint32_t buffer = 0;
    int bits = 0;
    for (const int code : codes) {
        buffer |= std::uint32_t(code) << bits;
        bits += width;
        while (bits >= 8) {
            packed.push_back(std::uint8_t(buffer));
            buffer >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        packed.push_back(std::uint8_t(buffer));
    for (std::size_t at = 0; at < packed.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, packed.size() - at);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), packed.begin() + long(at), packed.begin() + long(at + n));
    }
    out.push_back(0);
}

void putFrame(std::vector<std::uint8_t>& out, const TGifFrameLayout& frame, std::size_t globalCount)
{
    if (frame.control) {
        out.insert(out.end(), {0x21, 0xF9, 4});
        out.insert(out.end(), frame.control->begin(), frame.control->end());
        out.push_back(0);
    }
    out.push_back(0x2C);
    put16(out, frame.left);
    put16(out, frame.top);
    put16(out, frame.width);
    put16(out, frame.height);
    const std::size_t packedAt = out.size();
    out.push_back(frame.interlaced ? 0x40 : 0);
    if (!frame.localMap.empty())
        out[packedAt] = std::uint8_t(out[packedAt] | 0x80 | putColorTable(out, frame.localMap));
    const std::size_t count = frame.localMap.empty() ? globalCount : frame.localMap.size();
    const int codeSize = frame.codeSize ? frame.codeSize : std::max(2, tableBits(count));
    out.push_back(std::uint8_t(codeSize));
    putCodes(out, frame.rawCodes.empty() ? literalCodes(frame, codeSize) : frame.rawCodes, codeSize + 1);
}

struct TMemory {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos;
};

int readMemory(GifFileType* gif, GifByteType* out, int length)
{
    auto* memory = static_cast<TMemory*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(length), memory->bytes->size() - memory->pos);
    std::memcpy(out, memory->bytes->data() + memory->pos, n);
    memory->pos += n;
    return int(n);
}

std::vector<TColor> colorsOf(const ColorMapObject* map)
{
    std::vector<TColor> colors;
    for (int i = 0; map && i < map->ColorCount; ++i)
        colors.push_back(RGB(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    return colors;
}

} // namespace

std::vector<std::uint8_t> BuildGif(const TGifLayout& layout)
{
    std::vector<std::uint8_t> out(layout.version.begin(), layout.version.end());
    put16(out, layout.width);
    put16(out, layout.height);
    out.insert(out.end(), {0, 0, 0});
    if (!layout.globalMap.empty())
        out[10] = std::uint8_t(0x80 | 0x70 | putColorTable(out, layout.globalMap));
    for (const TGifFrameLayout& frame : layout.frames)
        putFrame(out, frame, layout.globalMap.size());
    out.push_back(0x3B);
    return out;
}

TGifFacts InspectGif(const std::vector<std::uint8_t>& bytes)
{
    TMemory memory{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&memory, readMemory, &error);
    if (!gif)
        throw std::runtime_error("giflib cannot open the file");
    if (DGifSlurp(gif) == GIF_ERROR) {
        DGifCloseFile(gif, &error);
        throw std::runtime_error("giflib cannot read the file");
    }
    TGifFacts facts;
    facts.version.assign(bytes.begin(), bytes.begin() + 6);
    facts.width = gif->SWidth;
    facts.height = gif->SHeight;
    facts.globalMap = colorsOf(gif->SColorMap);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        TGifFrameFacts frame;
        frame.left = image.ImageDesc.Left;
        frame.top = image.ImageDesc.Top;
        frame.width = image.ImageDesc.Width;
        frame.height = image.ImageDesc.Height;
        frame.interlaced = image.ImageDesc.Interlace;
        frame.activeMap = colorsOf(image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap);
        frame.indices.assign(image.RasterBits, image.RasterBits + std::size_t(frame.width) * std::size_t(frame.height));
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK) {
            for (int e = 0; e < image.ExtensionBlockCount; ++e)
                frame.hasControl = frame.hasControl || image.ExtensionBlocks[e].Function == GRAPHICS_EXT_FUNC_CODE;
            frame.transparentFlag = control.TransparentColor != NO_TRANSPARENT_COLOR;
            frame.transparentIndex = control.TransparentColor;
        }
        facts.frames.push_back(frame);
    }
    DGifCloseFile(gif, &error);
    return facts;
}

} // namespace kalvo::test
