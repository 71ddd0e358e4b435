#pragma once
// A decoded JPEG 2000 picture (JP2 file or code stream), held as an image bitmap.
#include "codecs/jpeg2000/Jpeg2kInfo.h"
#include "image/Bitmap.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <span>
#include <string>

namespace kalvo {

// The file extensions a picture dialog offers for TpxJpeg2k, with their descriptions.
struct TJpeg2kGraphicFormat {
    const char* extension;
    const char* description;
};
inline constexpr TJpeg2kGraphicFormat kJpeg2kGraphicFormats[] = {
    {"J2K", "JPEG2000 Code Stream"},
    {"J2C", "JPEG2000 Code Stream"},
    {"JPC", "JPEG2000 Code Stream"},
    {"JP2", "JPEG2000"},
};

class TpxJpeg2k {
public:
    // Raised after the picture changed (a load or an Assign).
    std::function<void()> OnChange;

    // Decodes data into the picture (see DecodeJpeg2k); data that is not JPEG 2000 or cannot be
    // decoded leaves the picture empty.
    void LoadFromMemory(std::span<const std::uint8_t> data);
    // Reads the rest of stream and decodes it like LoadFromMemory.
    void LoadFromStream(std::istream& stream);
    // Throws EFileError when the file cannot be opened or read.
    void LoadFromFile(const std::string& fileName);

    // Copies the other picture's bitmap.
    void Assign(const TpxJpeg2k& other);
    // Copies the bitmap into dest.
    void AssignTo(TBitmap& dest) const;
    // Hands the bitmap over and leaves the picture empty.
    TBitmap ReleaseBitmap();

    bool Empty() const { return bitmap_.empty(); }
    // The picture's size; throws EJpeg2kError while the picture is empty.
    int Width() const;
    int Height() const;

    const TBitmap& Bitmap() const { return bitmap_; }
    // What the last decoding reported; Threads is used for decoding.
    TJpeg2kInfo& Info() { return info_; }

private:
    void changed();

    TBitmap bitmap_;
    TJpeg2kInfo info_;
};

} // namespace kalvo
