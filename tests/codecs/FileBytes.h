#pragma once
// Round trips through the format dispatch for the codec tests: bytes in, bitmap and record out,
// and back.
#include "codecs/ImageInfo.h"
#include "image/Bitmap.h"
#include "support/TestSupport.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvo::test {

struct TLoadedFile {
    std::optional<TBitmap> bitmap;
    TpxImageInfo info;
};

// Writes the bytes to dir/name and opens that file with LoadImageFile.
TLoadedFile LoadFileBytes(const TempDir& dir, const std::vector<std::uint8_t>& bytes, const std::string& name);

// Opens the file with LoadImageFile, expecting Result to agree with the outcome.
std::optional<TBitmap> OpenPicture(const std::string& fileName);

// Saves with SaveImageFile to dir/name, expecting success, and returns the file's bytes.
std::vector<std::uint8_t> SaveFileBytes(const TempDir& dir, TBitmap bitmap, TpxImageInfo info, const std::string& name);

} // namespace kalvo::test
