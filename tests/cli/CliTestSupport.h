#pragma once
// Runs the built kalvo-cli and captures its exit status and output.
#include <string>
#include <vector>

namespace kalvo::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args);

} // namespace kalvo::test
