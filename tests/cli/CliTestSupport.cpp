#include "CliTestSupport.h"

#include "support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace kalvo::test {

namespace {

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                 std::size_t memoryLimit)
{
    TempDir dir;
    std::string cmd;
    if (memoryLimit > 0)
        cmd = "ulimit -v " + std::to_string(memoryLimit / 1024) + " && exec ";
    for (const auto& setting : environment) {
        const std::size_t eq = setting.find('=');
        cmd += setting.substr(0, eq) + "=" + quote(setting.substr(eq + 1)) + " ";
    }
    cmd += quote(std::string(KALVO_BIN_DIR) + "/kalvo-cli");
    for (const auto& a : args) {
        cmd += ' ';
        cmd += quote(a);
    }
    cmd += " >" + quote(dir.file("out")) + " 2>" + quote(dir.file("err")) + " </dev/null";
    const int raw = std::system(cmd.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = slurp(dir.file("out"));
    r.err = slurp(dir.file("err"));
    return r;
}

} // namespace kalvo::test
