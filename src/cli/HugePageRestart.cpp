#include "cli/HugePageRestart.h"

#include "codecs/FileExtension.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvo::cli {

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

bool LibrariesAllocatePictureBuffers(const std::string& command, const std::vector<std::string>& args)
{
    if (command == "lossless-jpeg")
        return true;
    for (const auto& arg : args)
        if (FormatFromFileName(arg) == TImageFormat::Jpeg2000)
            return true;
    return false;
}

bool NamesLargeFile(const std::vector<std::string>& args)
{
    for (const auto& arg : args) {
        struct stat st {};
        if (::stat(arg.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= kHugePageInputBytes)
            return true;
    }
    return false;
}

bool HugePagesOnRequest()
{
    std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string mode;
    std::getline(in, mode);
    return mode.find("[madvise]") != std::string::npos;
}

void RestartWithHugePagesForLargeFiles(char** argv, const std::string& command,
                                       const std::vector<std::string>& args)
{
    const char* current = std::getenv("GLIBC_TUNABLES");
    const std::optional<std::string> tunables = TunablesWithHugePages(current);
    // The restarted process finds the tunable set and goes on, so this happens at most once.
    if (!tunables || !LibrariesAllocatePictureBuffers(command, args) || !NamesLargeFile(args)
        || !HugePagesOnRequest())
        return;
    const std::optional<std::string> previous = current ? std::optional<std::string>(current) : std::nullopt;
    if (::setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0)
        return;
    ::execv("/proc/self/exe", argv);
    // Could not start again: run as we are, with the environment as it was.
    if (previous)
        ::setenv("GLIBC_TUNABLES", previous->c_str(), 1);
    else
        ::unsetenv("GLIBC_TUNABLES");
}

} // namespace kalvo::cli
