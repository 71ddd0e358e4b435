#include "support/TestSupport.h"

#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

namespace kalvo::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvo-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::vector<std::uint8_t> ReadAll(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& fileName, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool FileExists(const std::string& fileName)
{
    struct stat st { };
    return ::stat(fileName.c_str(), &st) == 0;
}

std::vector<std::string> ListDir(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

TBitmap SolidBitmap(int width, int height, TColor color)
{
    TBitmap bmp(width, height, 24);
    bmp.fill(color);
    return bmp;
}

TBitmap PatternBitmap(int width, int height, int bitCount)
{
    TBitmap bmp(width, height, bitCount);
    if (bitCount <= 8) {
        const int n = 1 << bitCount;
        std::vector<TColor> palette(n);
        for (int i = 0; i < n; ++i)
            palette[i] = RGB(i * 37 % 256, 255 - i, i * 11 % 256);
        bmp.setPalette(palette);
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bmp.scanLine(y);
        for (std::size_t i = 0; i < bmp.stride(); ++i)
            row[i] = std::uint8_t((i * 7 + std::size_t(y) * 13 + 1) & 0xFF);
        // Keep the padding zero so that round trips compare whole rows.
        const std::size_t used = (std::size_t(width) * bitCount + 7) / 8;
        for (std::size_t i = used; i < bmp.stride(); ++i)
            row[i] = 0;
        if (bitCount < 8 && (width * bitCount) % 8 != 0) {
            const int spare = 8 - (width * bitCount) % 8;
            row[used - 1] = std::uint8_t(row[used - 1] & (0xFF << spare));
        }
        if (bitCount == 32)
            for (int x = 0; x < width; ++x)
                row[4 * x + 3] = 0;
    }
    return bmp;
}

} // namespace kalvo::test
