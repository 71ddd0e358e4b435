// kalvo-cli palette-import IN PALETTE.pal OUT
#include "cli/CliCommand.h"
#include "codecs/palette/PaletteFile.h"
#include "imaging/colour/DrawToPaletteBitmap.h"
#include "imaging/colour/PaletteBitmap.h"

namespace kalvo::cli {

namespace {

int runPaletteImport(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto files = args.positional(3);
    TpxImageInfo info;
    info.FileName = files[0];
    const TBitmap image = LoadForCli(info);
    const auto palette = ImportPalette(files[1]);
    if (!palette)
        throw Failure("cannot read palette " + files[1] + ": not a valid palette file");
    TBitmap result;
    CreatePaletteBitmap(image.width(), image.height(), *palette, result);
    DrawToPaletteBitmap(result, image, 0, 0);
    info.FileName = files[2];
    SaveForCli(result, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("palette-import", "  kalvo-cli palette-import IN PALETTE.pal OUT", runPaletteImport);

} // namespace kalvo::cli
