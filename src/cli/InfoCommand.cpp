// kalvo-cli info FILE
#include "cli/CliCommand.h"

#include <iostream>

namespace kalvo::cli {

namespace {

int runInfo(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto files = args.positional(1);
    TpxImageInfo info;
    info.FileName = files[0];
    const TBitmap bitmap = LoadForCli(info);
    // The canvas holds 16- and 32-bit images at 24 bits.
    const int bits = bitmap.bitCount() > 8 ? 24 : bitmap.bitCount();
    std::cout << bitmap.width() << ' ' << bitmap.height() << ' ' << bits << " interlaced=" << (info.Interlaced ? 1 : 0)
              << " transparent=" << (info.Transparent ? 1 : 0)
              << " transparent-color=" << FormatColor(info.TransparentColor) << "\n";
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("info", "  kalvo-cli info FILE", runInfo);

} // namespace kalvo::cli
