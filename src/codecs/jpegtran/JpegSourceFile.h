#pragma once
// The bytes of a JPEG file to transform, without copying them when the file can be mapped.
#include "codecs/MappedFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace kalvo {

class TJpegSourceFile {
public:
    // A regular file is mapped; anything else (or a file that cannot be mapped) is read into
    // memory. Throws EFileError when the file cannot be opened or read.
    explicit TJpegSourceFile(const std::string& fileName);

    std::span<const std::uint8_t> bytes() const;

private:
    std::unique_ptr<TMappedFile> mapped_;
    std::vector<std::uint8_t> read_;
};

} // namespace kalvo
