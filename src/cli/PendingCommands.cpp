// Subcommands whose operations have not landed yet: each answers "not available yet" (exit 1).
// A subcommand moves to its own file when its operation is built.
#include "cli/CliCommand.h"

namespace kalvo::cli {

namespace {

int notYet(const std::vector<std::string>&)
{
    throw Failure("not available yet");
}

} // namespace

KALVO_CLI_COMMAND("reduce", "  kalvo-cli reduce IN OUT --colors 256|16|2 [--palette optimized|fixed] [--dither]", notYet);
KALVO_CLI_COMMAND("expand", "  kalvo-cli expand IN OUT --bits 4|8|24", notYet);
KALVO_CLI_COMMAND("count-colors", "  kalvo-cli count-colors FILE", notYet);
KALVO_CLI_COMMAND("palette-export", "  kalvo-cli palette-export IN OUT.pal", notYet);
KALVO_CLI_COMMAND("palette-import", "  kalvo-cli palette-import IN PALETTE.pal OUT", notYet);

} // namespace kalvo::cli
