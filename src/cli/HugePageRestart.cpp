#include "cli/HugePageRestart.h"

#include "codecs/FileExtension.h"
#include "startup/HugePageMalloc.h"

#include <sys/stat.h>

namespace kalvo::cli {

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

void RestartWithHugePagesForLargeFiles(char** argv, const std::string& command,
                                       const std::vector<std::string>& args)
{
    if (LibrariesAllocatePictureBuffers(command, args) && NamesLargeFile(args))
        RestartWithHugePageMalloc(argv);
}

} // namespace kalvo::cli
