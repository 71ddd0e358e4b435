#pragma once
// An open libtiff handle over a byte span (reading) or a stdio file (writing), closed with the
// object. libtiff's errors and warnings go to the handle instead of standard error: the first
// error message is kept for the exception that reports the failure.
#include "codecs/tiff/TiffCodec.h"
#include "codecs/tiff/TiffLibrary.h"

#include <cstdio>
#include <span>
#include <string>

namespace kalvo {

class TTiffHandle {
public:
    // Opens the span for reading; throws ETiffError when libtiff refuses the header.
    explicit TTiffHandle(std::span<const std::uint8_t> data);
    // Opens the stdio file for writing.
    explicit TTiffHandle(std::FILE* out);
    ~TTiffHandle();
    TTiffHandle(const TTiffHandle&) = delete;
    TTiffHandle& operator=(const TTiffHandle&) = delete;

    TIFF* get() const { return tiff_; }
    // Throws ETiffError with what (and libtiff's first message, when there is one).
    [[noreturn]] void fail(const std::string& what) const;
    // Writes the directory and flushes; throws ETiffError on failure.
    void finish();

    struct TSource {
        const std::uint8_t* data = nullptr;
        std::size_t size = 0;
        std::size_t pos = 0;
    };
    struct TMessages {
        std::string firstError;
    };

private:
    void open(const char* mode, thandle_t client, TIFFReadWriteProc read, TIFFReadWriteProc write, TIFFSeekProc seek,
              TIFFSizeProc size, TIFFMapFileProc map);

    TIFF* tiff_ = nullptr;
    TSource source_;
    TMessages messages_;
};

} // namespace kalvo
