#pragma once
#include <string>

namespace kalvo {

// True when the file name's extension, upper-cased, is .JPG, .JPE or .JPEG (the files the
// lossless JPEG transformation accepts).
bool IsJpegFileName(const std::string& fileName);

} // namespace kalvo
