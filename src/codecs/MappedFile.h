#pragma once
// A read-only memory mapping of a whole file, so that readers can parse it as one span of bytes
// without copying it first.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kalvo {

class TMappedFile {
public:
    // Throws EFileError when the file cannot be opened or mapped.
    explicit TMappedFile(const std::string& fileName);
    ~TMappedFile();
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace kalvo
