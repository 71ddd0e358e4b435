#pragma once
// libpng's read and write structures with its error handling sealed in: libpng reports errors
// by longjmp, which must never cross C++ frames that own resources. Every libpng call runs
// inside guarded(), whose step must not create objects with destructors; a libpng error comes
// back out of guarded() as EPngError with libpng's message.
#include "codecs/png/PngCodec.h"

#include <png.h>

#include <cstdio>
#include <span>
#include <string>

namespace kalvo {

namespace png_detail {

struct TErrorState {
    char message[160] = {};
};

struct TByteSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos;
};

// Runs step(context) with a longjmp target set; false when libpng raised an error.
bool RunGuarded(png_structp png, void (*step)(void*), void* context);

} // namespace png_detail

class TPngSession {
public:
    TPngSession(const TPngSession&) = delete;
    TPngSession& operator=(const TPngSession&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

    template <typename Step>
    void guarded(Step step)
    {
        auto call = [](void* context) { (*static_cast<Step*>(context))(); };
        if (!png_detail::RunGuarded(png_, call, &step))
            throw EPngError(std::string("PNG: ") + error_.message);
    }

protected:
    TPngSession() = default;
    ~TPngSession() = default;

    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    png_detail::TErrorState error_;
};

// Reads from a byte span; running past its end is a libpng error.
class TPngReadSession : public TPngSession {
public:
    explicit TPngReadSession(std::span<const std::uint8_t> data);
    ~TPngReadSession();

private:
    png_detail::TByteSource source_;
};

// Writes to a stdio file; a failed write is a libpng error.
class TPngWriteSession : public TPngSession {
public:
    explicit TPngWriteSession(std::FILE* out);
    ~TPngWriteSession();
};

} // namespace kalvo
