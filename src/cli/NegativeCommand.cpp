// kalvo-cli negative IN OUT
#include "cli/CliCommand.h"

#include "imaging/effects/NegativeImage.h"

namespace kalvo::cli {

namespace {

int runNegative(const std::vector<std::string>& argv)
{
    Args args(argv);
    return RunOnTrueColor(args.positional(2), "invert",
                          [](TBitmap& image) { return NegativeImage(image, TRegionRef{}, nullptr); });
}

} // namespace

KALVO_CLI_COMMAND("negative", "  kalvo-cli negative IN OUT", runNegative);

} // namespace kalvo::cli
