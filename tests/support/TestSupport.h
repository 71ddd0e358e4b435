#pragma once
// Helpers for tests: temporary directories that vanish with the test, whole-file reads and
// writes, and small synthetic bitmaps.
#include "image/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kalvo::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::vector<std::uint8_t> ReadAll(const std::string& fileName);
void WriteAll(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
bool FileExists(const std::string& fileName);
std::vector<std::string> ListDir(const std::string& dir);

// A bitmap of the given depth whose pixels follow a fixed pattern of x and y, with a palette of
// distinct colours for indexed depths.
TBitmap PatternBitmap(int width, int height, int bitCount);
// A 24-bit bitmap of one colour.
TBitmap SolidBitmap(int width, int height, TColor color);

} // namespace kalvo::test
