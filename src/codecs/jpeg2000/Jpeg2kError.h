#pragma once
// The exception of the JPEG 2000 adapter. The message names the class or routine and the method
// followed by the reason.
#include <stdexcept>

namespace kalvo {

class EJpeg2kError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kalvo
