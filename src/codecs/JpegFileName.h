#pragma once
#include <string>

namespace kalvo {

// True when the file name's extension is one of the JPEG format's (.JPG, .JPE or .JPEG in any
// case: the files the lossless JPEG transformation accepts).
bool IsJpegFileName(const std::string& fileName);

} // namespace kalvo
