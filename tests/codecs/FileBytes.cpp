#include "FileBytes.h"

#include "codecs/FormatDispatch.h"

#include <gtest/gtest.h>

namespace kalvo::test {

TLoadedFile LoadFileBytes(const TempDir& dir, const std::vector<std::uint8_t>& bytes, const std::string& name)
{
    TLoadedFile loaded;
    loaded.info.FileName = dir.file(name);
    WriteAll(loaded.info.FileName, bytes);
    loaded.bitmap = LoadImageFile(loaded.info);
    return loaded;
}

std::optional<TBitmap> OpenPicture(const std::string& fileName)
{
    TpxImageInfo info;
    info.FileName = fileName;
    std::optional<TBitmap> bitmap = LoadImageFile(info);
    EXPECT_EQ(info.Result, bitmap ? 0 : -1) << info.FailureReason;
    return bitmap;
}

std::vector<std::uint8_t> SaveFileBytes(const TempDir& dir, TBitmap bitmap, TpxImageInfo info, const std::string& name)
{
    info.FileName = dir.file(name);
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, 0) << name;
    return ReadAll(info.FileName);
}

} // namespace kalvo::test
