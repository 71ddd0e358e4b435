// kalvo-cli flip IN OUT (--horizontal | --vertical)
#include "cli/CliCommand.h"

#include "imaging/geometry/OrientBitmap.h"

namespace kalvo::cli {

namespace {

int runFlip(const std::vector<std::string>& argv)
{
    Args args(argv);
    const bool horizontal = args.flag("--horizontal");
    const bool vertical = args.flag("--vertical");
    const auto files = args.positional(2);
    if (horizontal == vertical)
        throw UsageError("give either --horizontal or --vertical");

    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadAsEditorHolds(info);
    image = OrientBitmap(image, horizontal ? TOrientation::FlipHorizontal : TOrientation::FlipVertical);
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("flip", "  kalvo-cli flip IN OUT (--horizontal | --vertical)", runFlip);

} // namespace kalvo::cli
