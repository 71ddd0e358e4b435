#pragma once
// The codec libraries allocate their own large buffers with malloc: libjpeg-turbo the coefficient
// arrays of a lossless rotation (two sets of 72 MB for a 24-megapixel photo), OpenJPEG its tile
// buffers. In 4 KiB pages that is tens of thousands of page faults, which cost as much as the
// codec's work itself. glibc backs such allocations with transparent huge pages when the process
// starts with the tunable glibc.malloc.hugetlb=1, and only then, so kalvo-cli restarts itself
// once with it before such a library works on a large picture. Kalvo's own pixel buffers ask for
// huge pages themselves and need no restart.
#include <optional>
#include <string>
#include <vector>

namespace kalvo::cli {

// Inputs from this size on make the restart pay for itself (it costs one more program start).
constexpr long long kHugePageInputBytes = 1 << 20;

// The GLIBC_TUNABLES value that adds the huge-page setting to `current` (null when unset); nothing
// when `current` already decides how malloc uses huge pages.
std::optional<std::string> TunablesWithHugePages(const char* current);

// Whether the command hands the picture to a library that allocates its large buffers itself: a
// lossless JPEG transformation, or any JPEG 2000 file read or written.
bool LibrariesAllocatePictureBuffers(const std::string& command, const std::vector<std::string>& args);

// Whether one of the arguments names an existing regular file of at least kHugePageInputBytes.
bool NamesLargeFile(const std::vector<std::string>& args);

// Whether the kernel gives huge pages to memory that asks for them ("madvise" mode); in "always"
// mode every large mapping has them already, in "never" mode none can.
bool HugePagesOnRequest();

// Replaces the process with a new start of itself with the huge-page tunable, when such a library
// works on a large file and the kernel offers huge pages on request. Returns when no restart is
// wanted or the restart fails (the command then runs as it is).
void RestartWithHugePagesForLargeFiles(char** argv, const std::string& command,
                                       const std::vector<std::string>& args);

} // namespace kalvo::cli
