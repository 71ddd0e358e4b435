#pragma once
// A stream over a temporary file: a uniquely named file in the system's temporary directory whose
// name starts with a prefix; the file is removed when the stream is destroyed.
#include <cstdint>
#include <span>
#include <string>

namespace kalvo {

class TTempFileStream {
public:
    // Creates the file; EPxImageError "一時ファイルストリームの生成エラー" when none can be made.
    explicit TTempFileStream(const std::string& prefix);
    ~TTempFileStream();
    TTempFileStream(const TTempFileStream&) = delete;
    TTempFileStream& operator=(const TTempFileStream&) = delete;

    const std::string& FileName() const { return FFileName; }
    // Replaces the file's content; false when it could not be written completely.
    bool Write(std::span<const std::uint8_t> bytes);

private:
    std::string FFileName;
    int FHandle = -1;
};

} // namespace kalvo
