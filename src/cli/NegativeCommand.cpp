// kalvo-cli negative IN OUT
#include "cli/CliCommand.h"

#include "imaging/effects/NegativeImage.h"

namespace kalvo::cli {

namespace {

int runNegative(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto files = args.positional(2);
    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadForCli(info);
    if (image.bitCount() != 24)
        image = image.toTrueColor();
    if (!NegativeImage(image, TRegionRef{}, nullptr))
        throw Failure("cannot invert " + files[0]);
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("negative", "  kalvo-cli negative IN OUT", runNegative);

} // namespace kalvo::cli
