#pragma once
// kalvo-cli restarts itself with glibc's huge-page malloc (startup/HugePageMalloc.h) only when a
// library that allocates its own large buffers works on a large file: the restart costs one more
// program start, which small files and Kalvo's own buffers do not win back.
#include <string>
#include <vector>

namespace kalvo::cli {

// Inputs from this size on make the restart pay for itself.
constexpr long long kHugePageInputBytes = 1 << 20;

// Whether the command hands the picture to a library that allocates its large buffers itself: a
// lossless JPEG transformation, or any JPEG 2000 file read or written.
bool LibrariesAllocatePictureBuffers(const std::string& command, const std::vector<std::string>& args);

// Whether one of the arguments names an existing regular file of at least kHugePageInputBytes.
bool NamesLargeFile(const std::vector<std::string>& args);

// Restarts with huge pages (RestartWithHugePageMalloc) when both of the above hold.
void RestartWithHugePagesForLargeFiles(char** argv, const std::string& command,
                                       const std::vector<std::string>& args);

} // namespace kalvo::cli
