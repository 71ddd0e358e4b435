#include "PngTestFiles.h"

#include "codecs/png/PngSession.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace kalvo::test {

std::vector<std::uint8_t> EncodeRawPng(const TRawPng& raw)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    {
        TPngWriteSession session(memory);
        png_structp png = session.png();
        png_infop info = session.info();
        std::vector<png_bytep> rows;
        for (const auto& row : raw.rows)
            rows.push_back(const_cast<png_bytep>(row.data()));
        png_bytepp rowPointers = rows.data();
        session.guarded([&] {
            png_set_IHDR(png, info, png_uint_32(raw.width), png_uint_32(raw.height), raw.bitDepth, raw.colorType,
                         raw.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                         PNG_FILTER_TYPE_BASE);
            if (!raw.palette.empty())
                png_set_PLTE(png, info, raw.palette.data(), int(raw.palette.size()));
            if (!raw.trnsAlpha.empty())
                png_set_tRNS(png, info, raw.trnsAlpha.data(), int(raw.trnsAlpha.size()), nullptr);
            if (raw.trnsColor)
                png_set_tRNS(png, info, nullptr, 0, &*raw.trnsColor);
            png_set_rows(png, info, rowPointers);
            png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        });
    }
    std::fclose(memory);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

TRawPng DecodeRawPng(const std::vector<std::uint8_t>& bytes)
{
    TPngReadSession session(bytes);
    png_structp png = session.png();
    png_infop info = session.info();
    TRawPng raw;
    png_uint_32 width = 0, height = 0;
    int interlace = 0;
    session.guarded([&] {
        png_read_info(png, info);
        png_get_IHDR(png, info, &width, &height, &raw.bitDepth, &raw.colorType, &interlace, nullptr, nullptr);
    });
    raw.width = int(width);
    raw.height = int(height);
    raw.interlaced = interlace != PNG_INTERLACE_NONE;
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count))
        raw.palette.assign(palette, palette + count);
    png_bytep alpha = nullptr;
    png_color_16p colour = nullptr;
    if (png_get_tRNS(png, info, &alpha, &count, &colour)) {
        if (raw.colorType == PNG_COLOR_TYPE_PALETTE)
            raw.trnsAlpha.assign(alpha, alpha + count);
        else
            raw.trnsColor = *colour;
    }
    std::size_t rowBytes = 0;
    session.guarded([&] {
        if (interlace != PNG_INTERLACE_NONE)
            png_set_interlace_handling(png);
        png_read_update_info(png, info);
        rowBytes = png_get_rowbytes(png, info);
    });
    raw.rows.assign(height, std::vector<std::uint8_t>(rowBytes));
    std::vector<png_bytep> rows;
    for (auto& row : raw.rows)
        rows.push_back(row.data());
    png_bytepp rowPointers = rows.data();
    session.guarded([&] {
        png_read_image(png, rowPointers);
        png_read_end(png, nullptr);
    });
    return raw;
}

namespace {

std::uint32_t be32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(v >> shift));
}

} // namespace

std::vector<TChunk> ListChunks(const std::vector<std::uint8_t>& bytes)
{
    std::vector<TChunk> chunks;
    std::size_t pos = 8;
    while (pos + 12 <= bytes.size()) {
        const std::uint32_t length = be32(&bytes[pos]);
        if (length > bytes.size() - pos - 12)
            throw std::runtime_error("chunk runs past the end");
        TChunk chunk;
        chunk.type.assign(bytes.begin() + long(pos) + 4, bytes.begin() + long(pos) + 8);
        chunk.data.assign(bytes.begin() + long(pos) + 8, bytes.begin() + long(pos + 8 + length));
        chunk.crc = be32(&bytes[pos + 8 + length]);
        chunks.push_back(chunk);
        pos += 12 + length;
    }
    return chunks;
}

std::vector<std::uint8_t> BuildPng(const std::vector<TChunk>& chunks)
{
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const TChunk& chunk : chunks) {
        putBe32(out, std::uint32_t(chunk.data.size()));
        const std::size_t typeAt = out.size();
        out.insert(out.end(), chunk.type.begin(), chunk.type.end());
        out.insert(out.end(), chunk.data.begin(), chunk.data.end());
        putBe32(out, std::uint32_t(crc32(0, out.data() + typeAt, uInt(4 + chunk.data.size()))));
    }
    return out;
}

std::vector<std::uint8_t> InflatedImageData(const std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> compressed;
    for (const TChunk& chunk : ListChunks(bytes))
        if (chunk.type == "IDAT")
            compressed.insert(compressed.end(), chunk.data.begin(), chunk.data.end());
    std::vector<std::uint8_t> out(1 << 16);
    z_stream z{};
    inflateInit(&z);
    z.next_in = compressed.data();
    z.avail_in = uInt(compressed.size());
    std::vector<std::uint8_t> result;
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        status = inflate(&z, Z_NO_FLUSH);
        result.insert(result.end(), out.data(), out.data() + (out.size() - z.avail_out));
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END)
        throw std::runtime_error("image data does not inflate");
    return result;
}

} // namespace kalvo::test
