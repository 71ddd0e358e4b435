// kalvo-cli reduce IN OUT --colors 256|16|2 [--palette optimized|fixed] [--dither]
#include "cli/CliCommand.h"
#include "imaging/colour/ReduceColors.h"

namespace kalvo::cli {

namespace {

TReducePalette parsePalette(const std::optional<std::string>& text)
{
    if (!text || *text == "optimized")
        return TReducePalette::Optimized;
    if (*text == "fixed")
        return TReducePalette::Fixed;
    throw UsageError("--palette must be optimized or fixed");
}

int runReduce(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto colorsText = args.option("--colors");
    const auto paletteText = args.option("--palette");
    const bool dither = args.flag("--dither");
    const auto files = args.positional(2);
    if (!colorsText)
        throw UsageError("--colors is required");
    if (*colorsText != "256" && *colorsText != "16" && *colorsText != "2")
        throw UsageError("--colors must be 256, 16 or 2");
    const int colors = std::stoi(*colorsText);
    const TReducePalette palette = parsePalette(paletteText);

    TpxImageInfo info;
    info.FileName = files[0];
    const TBitmap image = LoadForCli(info);
    if (!CanReduceColors(image.bitCount(), colors))
        throw Failure("cannot reduce " + files[0] + " to " + *colorsText + " colours: the image has "
                      + std::to_string(image.bitCount()) + " bits per pixel");
    TBitmap result = ReduceColors(image, colors, palette, dither);
    info.FileName = files[1];
    SaveForCli(result, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("reduce", "  kalvo-cli reduce IN OUT --colors 256|16|2 [--palette optimized|fixed] [--dither]",
                  runReduce);

} // namespace kalvo::cli
