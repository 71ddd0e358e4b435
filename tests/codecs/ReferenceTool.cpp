#include "ReferenceTool.h"

#include "image/AlphaOverWhite.h"
#include "support/TestSupport.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace kalvo::test {

bool RunTool(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

namespace {

struct TPnmHeader {
    int width = 0, height = 0, channels = 0, maxval = 0;
    std::size_t dataStart = 0;
};

TPnmHeader parseHeader(const std::vector<std::uint8_t>& bytes)
{
    const std::string text(bytes.begin(), bytes.begin() + std::min<std::ptrdiff_t>(std::ptrdiff_t(bytes.size()), 256));
    TPnmHeader h;
    if (text.starts_with("P7")) {
        const std::size_t end = text.find("ENDHDR\n");
        std::istringstream in(text.substr(3, end - 3));
        std::string key;
        while (in >> key) {
            if (key == "WIDTH")
                in >> h.width;
            else if (key == "HEIGHT")
                in >> h.height;
            else if (key == "DEPTH")
                in >> h.channels;
            else if (key == "MAXVAL")
                in >> h.maxval;
            else
                in >> key;
        }
        h.dataStart = end + 7;
        return h;
    }
    std::istringstream in(text);
    std::string magic;
    in >> magic >> h.width >> h.height >> h.maxval;
    h.channels = magic == "P6" ? 3 : magic == "P5" ? 1 : 0;
    h.dataStart = std::size_t(in.tellg()) + 1;
    return h;
}

} // namespace

TBitmap ReadPnm(const std::string& fileName, int significantBits)
{
    const std::vector<std::uint8_t> bytes = ReadAll(fileName);
    const TPnmHeader h = parseHeader(bytes);
    const int sampleBytes = h.maxval == 65535 ? 2 : 1;
    if (h.channels < 1 || h.channels > 4 || (h.maxval != 255 && h.maxval != 65535)
        || bytes.size() < h.dataStart + std::size_t(h.width) * h.height * h.channels * sampleBytes)
        throw std::runtime_error("not a PNM picture this reader knows: " + fileName);
    TBitmap bitmap(h.width, h.height, 24);
    const std::uint8_t* p = bytes.data() + h.dataStart;
    const int maximum = (1 << significantBits) - 1;
    auto sample = [&] {
        const int v = sampleBytes == 2 ? (((p[0] << 8 | p[1]) >> (16 - significantBits)) * 255 + maximum / 2) / maximum
                                       : p[0];
        p += sampleBytes;
        return v;
    };
    for (int y = 0; y < h.height; ++y) {
        std::uint8_t* out = bitmap.scanLine(y);
        for (int x = 0; x < h.width; ++x, out += 3) {
            int rgba[4] = {0, 0, 0, 255};
            for (int c = 0; c < h.channels; ++c)
                rgba[c] = sample();
            if (h.channels <= 2) { // grey, grey + alpha
                rgba[3] = h.channels == 2 ? rgba[1] : 255;
                rgba[1] = rgba[2] = rgba[0];
            }
            const std::uint8_t pixel[4] = {std::uint8_t(rgba[0]), std::uint8_t(rgba[1]), std::uint8_t(rgba[2]),
                                           std::uint8_t(rgba[3])};
            RgbaRowOverWhite(pixel, 1, out);
        }
    }
    return bitmap;
}

} // namespace kalvo::test
