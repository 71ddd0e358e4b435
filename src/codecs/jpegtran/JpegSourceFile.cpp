#include "codecs/jpegtran/JpegSourceFile.h"

#include "codecs/jpegtran/LosslessTransform.h"
#include "image/ImageErrors.h"

#include <sys/stat.h>

namespace kalvo {

TJpegSourceFile::TJpegSourceFile(const std::string& fileName)
{
    struct stat st { };
    if (::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        try {
            mapped_ = std::make_unique<TMappedFile>(fileName);
            return;
        } catch (const EFileError&) {
            // Some file systems cannot map files; reading below still works there.
        }
    }
    read_ = ReadJpegFileBytes(fileName);
}

std::span<const std::uint8_t> TJpegSourceFile::bytes() const
{
    return mapped_ ? mapped_->bytes() : std::span<const std::uint8_t>(read_);
}

} // namespace kalvo
