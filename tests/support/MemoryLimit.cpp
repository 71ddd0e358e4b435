#include "support/MemoryLimit.h"

#include "image/BlockMemory.h"

#include <exception>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalvo::test {

namespace {

// The process's mapped address space in bytes (VmSize).
std::size_t MappedBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmSize:", 0) == 0)
            return std::stoull(line.substr(7)) * 1024;
    return 0;
}

} // namespace

bool MemoryLimitsWork()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

std::string RunWithMemoryLimit(std::size_t headroom, const std::function<std::string()>& body)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child < 0)
        return "fork failed";
    if (child == 0) {
        ::close(channel[0]);
        // The spare picture-sized block would serve an allocation of its size without new memory.
        ReleaseSpareBlock();
        std::string text;
        const rlimit limit{MappedBytes() + headroom, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            text = "setrlimit failed";
        else
            try {
                text = body();
            } catch (const std::exception& e) {
                text = std::string("exception in the child: ") + e.what();
            }
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(channel[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += std::size_t(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return text + "killed by signal " + std::to_string(WTERMSIG(status));
    return text;
}

} // namespace kalvo::test
