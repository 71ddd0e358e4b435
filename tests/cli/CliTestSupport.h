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

// Runs kalvo-cli with args; environment holds "NAME=VALUE" settings added for this run.
CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& environment = {});

} // namespace kalvo::test
