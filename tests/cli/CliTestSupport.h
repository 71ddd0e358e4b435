#pragma once
// Runs the built kalvo-cli and captures its exit status and output.
#include <cstddef>
#include <string>
#include <vector>

namespace kalvo::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs kalvo-cli with args; environment holds "NAME=VALUE" settings added for this run. A memory
// limit (bytes, 0 for none) limits the program's address space (setrlimit through ulimit -v).
CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& environment = {},
                 std::size_t memoryLimit = 0);

} // namespace kalvo::test
