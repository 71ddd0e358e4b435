// kalvo-cli palette-export IN OUT.pal
#include "cli/CliCommand.h"
#include "codecs/palette/PaletteFile.h"

namespace kalvo::cli {

namespace {

int runPaletteExport(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto files = args.positional(2);
    TpxImageInfo info;
    info.FileName = files[0];
    const TBitmap image = LoadForCli(info);
    if (image.bitCount() > 8 || image.palette().empty())
        throw Failure("cannot export the palette of " + files[0] + ": the image has no palette");
    if (!ExportPalette(image.palette(), files[1]))
        throw Failure("cannot write " + files[1]);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("palette-export", "  kalvo-cli palette-export IN OUT.pal", runPaletteExport);

} // namespace kalvo::cli
