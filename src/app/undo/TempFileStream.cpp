#include "app/undo/TempFileStream.h"

#include "image/ImageErrors.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace kalvo {

TTempFileStream::TTempFileStream(const std::string& prefix)
{
    std::string pattern = QDir::tempPath().toStdString() + "/" + prefix + "XXXXXX.tmp";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    FHandle = ::mkstemps(name.data(), 4);
    if (FHandle < 0)
        throw EPxImageError("一時ファイルストリームの生成エラー");
    FFileName = name.data();
}

TTempFileStream::~TTempFileStream()
{
    ::close(FHandle);
    ::unlink(FFileName.c_str());
}

bool TTempFileStream::Write(std::span<const std::uint8_t> bytes)
{
    if (::ftruncate(FHandle, 0) != 0 || ::lseek(FHandle, 0, SEEK_SET) != 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(FHandle, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

} // namespace kalvo
