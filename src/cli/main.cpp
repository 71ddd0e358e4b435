// kalvo-cli: the editor's operations without a window.
#include "cli/CliCommand.h"
#include "cli/HugePageRestart.h"

#include <algorithm>
#include <iostream>

#ifndef KALVO_VERSION
#define KALVO_VERSION "unknown"
#endif

using namespace kalvo::cli;

namespace {

void printUsage(std::ostream& out)
{
    out << "usage: kalvo-cli SUBCOMMAND [ARGS...]\n       kalvo-cli --version\n\nsubcommands:\n";
    auto commands = Registry();
    std::sort(commands.begin(), commands.end(), [](auto& a, auto& b) { return a.name < b.name; });
    for (const auto& c : commands)
        out << c.usage << "\n";
    out << "\nRun 'kalvo-cli SUBCOMMAND --help' for one subcommand.\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(std::cout);
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "kalvo-cli " << KALVO_VERSION << "\n";
        return kExitOk;
    }
    const auto& commands = Registry();
    auto it = std::find_if(commands.begin(), commands.end(), [&](auto& c) { return c.name == args[0]; });
    if (it == commands.end()) {
        std::cerr << "kalvo-cli: unknown subcommand '" << args[0] << "'\n";
        printUsage(std::cerr);
        return kExitUsage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        std::cout << "usage:\n" << it->usage << "\n";
        return kExitOk;
    }
    RestartWithHugePagesForLargeFiles(argv, it->name, rest);
    try {
        return it->run(rest);
    } catch (const UsageError& e) {
        std::cerr << "kalvo-cli " << it->name << ": " << e.what() << "\nusage:\n" << it->usage << "\n";
        return kExitUsage;
    } catch (const Failure& e) {
        std::cerr << "kalvo-cli " << it->name << ": " << e.what() << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        std::cerr << "kalvo-cli " << it->name << ": " << e.what() << "\n";
        return kExitFailure;
    }
}
