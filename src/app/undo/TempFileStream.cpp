#include "app/undo/TempFileStream.h"

#include "image/ImageErrors.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace kalvo {

std::string UndoSpillDirectory()
{
    const QString temp = QDir::tempPath();
    struct statfs fs { };
    if (::statfs(QFile::encodeName(temp).constData(), &fs) != 0 || fs.f_type != TMPFS_MAGIC)
        return QFile::encodeName(temp).toStdString();
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString dir = cache + QStringLiteral("/kalvo");
    if (!QDir().mkpath(dir))
        return QFile::encodeName(temp).toStdString();
    return QFile::encodeName(dir).toStdString();
}

TTempFileStream::TTempFileStream(const std::string& prefix)
{
    std::string pattern = UndoSpillDirectory() + "/" + prefix + "XXXXXX.tmp";
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
