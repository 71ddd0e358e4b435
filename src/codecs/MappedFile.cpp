#include "codecs/MappedFile.h"

#include "image/ImageErrors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvo {

TMappedFile::TMappedFile(const std::string& fileName)
{
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EFileError("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw EFileError("Cannot read file \"" + fileName + "\": not a regular file");
    }
    size_ = std::size_t(st.st_size);
    if (size_ > 0) {
        void* p = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (p == MAP_FAILED) {
            const int err = errno;
            ::close(fd);
            throw EFileError("Cannot read file \"" + fileName + "\": " + std::strerror(err));
        }
        ::madvise(p, size_, MADV_SEQUENTIAL);
        data_ = static_cast<const std::uint8_t*>(p);
    }
    ::close(fd);
}

TMappedFile::~TMappedFile()
{
    if (data_)
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
}

} // namespace kalvo
