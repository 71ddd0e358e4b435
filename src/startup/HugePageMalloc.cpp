#include "startup/HugePageMalloc.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <unistd.h>

namespace kalvo {

namespace {

constexpr const char* kTunable = "glibc.malloc.hugetlb";

} // namespace

std::optional<std::string> TunablesWithHugePages(const char* current)
{
    if (!current || !*current)
        return std::string(kTunable) + "=1";
    if (std::strstr(current, kTunable))
        return std::nullopt;
    return std::string(current) + ":" + kTunable + "=1";
}

bool HugePagesOnRequest()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string mode;
    std::getline(in, mode);
    return mode.find("[madvise]") != std::string::npos;
}

void RestartWithHugePageMalloc(char** argv)
{
    const char* current = std::getenv("GLIBC_TUNABLES");
    const std::optional<std::string> tunables = TunablesWithHugePages(current);
    if (!tunables || !HugePagesOnRequest())
        return;
    const std::optional<std::string> previous = current ? std::optional<std::string>(current) : std::nullopt;
    if (::setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0)
        return;
    // The program's own path rather than /proc/self/exe, so that the process keeps its name.
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n > 0) {
        path[n] = '\0';
        ::execv(path, argv);
    }
    ::execv("/proc/self/exe", argv);
    // Could not start again: run as we are, with the environment as it was.
    if (previous)
        ::setenv("GLIBC_TUNABLES", previous->c_str(), 1);
    else
        ::unsetenv("GLIBC_TUNABLES");
}

} // namespace kalvo
