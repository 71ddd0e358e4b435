#pragma once
// Libraries that allocate their own large buffers with malloc (libjpeg-turbo's coefficient arrays,
// OpenJPEG's tile buffers, Qt's clipboard data and images) touch them in 4 KiB pages: tens of
// thousands of page faults for a 24-megapixel photo, which can cost as much as the work itself.
// glibc's malloc backs large allocations with transparent huge pages when the process starts with
// the tunable glibc.malloc.hugetlb=1, and only then; so a program restarts itself once with it.
// Kalvo's own pixel buffers ask for huge pages themselves (BlockMemory).
#include <optional>
#include <string>

namespace kalvo {

// The GLIBC_TUNABLES value that adds the huge-page setting to `current` (null when unset); nothing
// when `current` already decides how malloc uses huge pages.
std::optional<std::string> TunablesWithHugePages(const char* current);

// Whether the kernel gives huge pages to memory that asks for them ("madvise" mode); in "always"
// mode every large mapping has them already, in "never" mode none can.
bool HugePagesOnRequest();

// Replaces the process with a new start of itself, same arguments, with the huge-page tunable
// added to its environment, when it is not set yet and the kernel offers huge pages on request.
// Returns when no restart is wanted or the restart fails (the program then runs as it is). The
// restarted process finds the tunable set and goes on, so this happens at most once.
void RestartWithHugePageMalloc(char** argv);

} // namespace kalvo
