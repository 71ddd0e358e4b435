// kalvo-cli count-colors FILE
#include "cli/CliCommand.h"
#include "imaging/colour/CountColors.h"

#include <iostream>

namespace kalvo::cli {

namespace {

int runCountColors(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto files = args.positional(1);
    TpxImageInfo info;
    info.FileName = files[0];
    const TBitmap image = LoadAsEditorHolds(info);
    const int count = CountColors(image);
    if (count < 0)
        throw Failure("cannot count the colours of " + files[0]);
    std::cout << count << "\n";
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("count-colors", "  kalvo-cli count-colors FILE", runCountColors);

} // namespace kalvo::cli
