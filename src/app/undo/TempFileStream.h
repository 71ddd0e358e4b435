#pragma once
// A stream over a temporary file: a uniquely named file in the spill directory whose name starts
// with a prefix; the file is removed when the stream is destroyed.
#include <cstdint>
#include <span>
#include <string>

namespace kalvo {

// Where undo snapshots are spilled: the system's temporary directory, unless it is a memory file
// system (tmpfs, as on current Debian), where a spilled snapshot would free no memory; then the
// user's cache directory, $XDG_CACHE_HOME/kalvo or else ~/.cache/kalvo (created when missing; the
// temporary directory again when it cannot be).
std::string UndoSpillDirectory();

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
