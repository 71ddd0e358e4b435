#pragma once
// A stdio output file with a large buffer for the codecs that write through FILE* callbacks.
#include <cstdio>
#include <string>

namespace kalvo {

class TStdioOutput {
public:
    // Opens (creates or truncates) the file for writing; EFileError when it cannot.
    explicit TStdioOutput(const std::string& fileName);
    ~TStdioOutput();
    TStdioOutput(const TStdioOutput&) = delete;
    TStdioOutput& operator=(const TStdioOutput&) = delete;

    std::FILE* get() const { return file_; }
    // Flushes and closes the file; EFileError when any write failed.
    void close();

private:
    std::string fileName_;
    std::FILE* file_ = nullptr;
};

} // namespace kalvo
