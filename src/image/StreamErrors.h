#pragma once
// Failures of reading or writing a byte stream (a short read, a failed write).
#include <stdexcept>

namespace kalvo {

// A stream ended before the bytes a reader required ("Stream read error").
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") { }
};

// A stream refused bytes ("Stream write error").
class EWriteError : public std::runtime_error {
public:
    EWriteError() : std::runtime_error("Stream write error") { }
};

} // namespace kalvo
