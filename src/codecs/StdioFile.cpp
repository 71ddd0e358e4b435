#include "codecs/StdioFile.h"

#include "image/ImageErrors.h"

#include <cerrno>
#include <cstring>

namespace kalvo {

TStdioOutput::TStdioOutput(const std::string& fileName) : fileName_(fileName)
{
    file_ = std::fopen(fileName.c_str(), "wb");
    if (!file_)
        throw EFileError("Cannot write file \"" + fileName + "\": " + std::strerror(errno));
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

TStdioOutput::~TStdioOutput()
{
    if (file_)
        std::fclose(file_);
}

void TStdioOutput::close()
{
    std::FILE* file = file_;
    file_ = nullptr;
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed)
        throw EFileError("Cannot write file \"" + fileName_ + "\"");
}

} // namespace kalvo
