// Replaced files reach the disk before they replace the old ones: the system calls of a save and
// of a lossless JPEG rewrite, as strace sees them.
#include "CliTestSupport.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// The calls that make a replacement durable, in order: "sync-file", "rename", "sync-dir"
// (a sync of a descriptor opened on the target's directory).
std::vector<std::string> DurabilityCalls(const TempDir& dir, const std::string& args)
{
    const std::string log = dir.file("strace.log");
    // LeakSanitizer cannot run under ptrace: the sanitizer build's leak check is off here.
    const std::string cmd = "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 strace -f -qq -o '" + log
        + "' -e trace=openat,fdatasync,fsync,rename,renameat,renameat2 '" + std::string(KALVO_BIN_DIR) + "/kalvo-cli' "
        + args + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::vector<std::string> calls;
    std::string directoryFd = "-";
    const std::regex openDir("openat\\(AT_FDCWD, \"" + dir.path() + "\", .*O_DIRECTORY.*\\) = (\\d+)");
    const std::regex sync("(fdatasync|fsync)\\((\\d+)\\)");
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (std::regex_search(line, m, openDir))
            directoryFd = m[1];
        else if (std::regex_search(line, m, sync))
            calls.push_back(m[2] == directoryFd ? "sync-dir" : "sync-file");
        else if (line.find(" rename") != std::string::npos && line.find(dir.path()) != std::string::npos)
            calls.push_back("rename");
    }
    return calls;
}

} // namespace

TEST(CliDurableSave, FileDataIsSyncedBeforeTheRenameAndTheDirectoryAfter)
{
    if (std::system("command -v strace >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "strace is not installed";
    TempDir dir;
    WriteAll(dir.file("in.bmp"), BmpBytes(PatternBitmap(48, 32, 24)));
    const std::vector<std::string> durable = {"sync-file", "rename", "sync-dir"};
    EXPECT_EQ(DurabilityCalls(dir, "convert '" + dir.file("in.bmp") + "' '" + dir.file("out.jpg") + "'"), durable);
    EXPECT_EQ(DurabilityCalls(dir, "lossless-jpeg '" + dir.file("out.jpg") + "' --rotate 90"), durable);
}
