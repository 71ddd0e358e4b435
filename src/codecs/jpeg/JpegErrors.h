#pragma once
// The exception class of the JPEG adapter. Library errors arrive with the library's own message
// text; the adapter's own failures carry the texts listed in JpegBase.h.
#include <stdexcept>

namespace kalvo {

class EJPEGError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kalvo
