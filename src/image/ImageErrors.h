#pragma once
// Exception classes of the image module. The message is the only payload; it names the unit and
// the method followed by the reason.
#include <stdexcept>
#include <string>

namespace kalvo {

// Failures of the canvas and its pixel, palette and region utilities.
class EPxImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A picture that cannot be decoded or represented (the image bitmap's own BMP reader and writer).
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Compressed RLE data that does not fit the bitmap. badType is set when the input is not RLE of
// the decoder's kind at all.
class ERleDecodeError : public std::runtime_error {
public:
    ERleDecodeError(const std::string& message, bool badType) : std::runtime_error(message), badType(badType) { }
    bool badType;
};

} // namespace kalvo

namespace kalvo {

// A file that cannot be opened, read or written; the message names the file and the reason.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kalvo
