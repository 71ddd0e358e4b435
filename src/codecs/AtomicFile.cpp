#include "codecs/AtomicFile.h"

#include "image/ImageErrors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kalvo {

namespace {

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes a rename in the directory durable. The new file is in place already, so a directory that
// cannot be synced (some file systems refuse) is not reported as a failed save.
void syncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Removes the temporary file unless the write was committed.
struct TempGuard {
    std::string path;
    bool committed = false;
    ~TempGuard()
    {
        if (!committed)
            ::unlink(path.c_str());
    }
};

} // namespace

void WriteFileAtomically(const std::string& target, const std::function<void(const std::string& tempPath)>& write)
{
    std::string pattern = directoryOf(target) + "/." + baseName(target) + ".XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0)
        throw EFileError("Cannot create file \"" + target + "\": " + std::strerror(errno));
    ::close(fd);
    TempGuard guard{std::string(buf.data())};

    write(guard.path);

    struct stat st { };
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : newFileMode();
    const int wfd = ::open(guard.path.c_str(), O_RDWR | O_CLOEXEC);
    if (wfd < 0)
        throw EFileError("Cannot write file \"" + target + "\": " + std::strerror(errno));
    // The data reaches the disk before the rename: a power cut right after the rename then
    // finds the whole new file, not an empty one.
    const bool ok = ::fchmod(wfd, mode) == 0 && ::fdatasync(wfd) == 0;
    const int err = errno;
    ::close(wfd);
    if (!ok)
        throw EFileError("Cannot write file \"" + target + "\": " + std::strerror(err));
    if (::rename(guard.path.c_str(), target.c_str()) != 0)
        throw EFileError("Cannot replace file \"" + target + "\": " + std::strerror(errno));
    guard.committed = true;
    syncDirectory(directoryOf(target));
}

} // namespace kalvo
