// kalvo-cli brightness-contrast, hue-saturation, levels and grayscale: the editor's photo
// adjustments on the whole picture.
#include "cli/CliCommand.h"

#include "imaging/adjust/BrightnessContrast.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/adjust/HueSaturation.h"
#include "imaging/adjust/Levels.h"

namespace kalvo::cli {

namespace {

int runBrightnessContrast(const std::vector<std::string>& argv)
{
    Args args(argv);
    const int brightness = ParseInt(args.required("--brightness"), "--brightness", -100, 100);
    const int contrast = ParseInt(args.required("--contrast"), "--contrast", -100, 100);
    const TChannelTables tables = SameTables(BrightnessContrastTable(brightness, contrast));
    return RunOnTrueColor(args.positional(2), "adjust",
                          [&](TBitmap& image) { return ApplyTables(image, TRegionRef{}, nullptr, tables); });
}

int runHueSaturation(const std::vector<std::string>& argv)
{
    Args args(argv);
    THueSaturation params;
    params.Hue = ParseInt(args.required("--hue"), "--hue", -180, 180);
    params.Saturation = ParseInt(args.required("--saturation"), "--saturation", -100, 100);
    params.Lightness = ParseInt(args.required("--lightness"), "--lightness", -100, 100);
    return RunOnTrueColor(args.positional(2), "adjust",
                          [&](TBitmap& image) { return HueSaturation(image, TRegionRef{}, nullptr, params); });
}

int runLevels(const std::vector<std::string>& argv)
{
    Args args(argv);
    const bool automatic = args.flag("--auto");
    const auto input = args.option("--input");
    const auto gamma = args.option("--gamma");
    if (automatic == input.has_value())
        throw UsageError("give either --auto or --input LO,HI");
    if (automatic && gamma)
        throw UsageError("--gamma goes with --input");
    TLevels levels;
    if (input) {
        const auto comma = input->find(',');
        if (comma == std::string::npos)
            throw UsageError("--input must be LO,HI: " + *input);
        levels.Black = ParseInt(input->substr(0, comma), "--input LO", 0, 255);
        levels.White = ParseInt(input->substr(comma + 1), "--input HI", 0, 255);
        if (gamma)
            levels.Gamma = ParseDecimal(*gamma, "--gamma", 0.1, 10.0);
    }
    return RunOnTrueColor(args.positional(2), "adjust", [&](TBitmap& image) {
        const std::array<TLevels, 3> channels = automatic ? AutoLevels(image, TRegionRef{}, nullptr)
                                                          : std::array<TLevels, 3>{levels, levels, levels};
        return ApplyTables(image, TRegionRef{}, nullptr, LevelsTables(channels));
    });
}

int runGrayscale(const std::vector<std::string>& argv)
{
    Args args(argv);
    return RunOnTrueColor(args.positional(2), "convert to grayscale",
                          [](TBitmap& image) { return Grayscale(image, TRegionRef{}, nullptr); });
}

} // namespace

KALVO_CLI_COMMAND("brightness-contrast", "  kalvo-cli brightness-contrast IN OUT --brightness B --contrast C",
                  runBrightnessContrast);
KALVO_CLI_COMMAND("hue-saturation", "  kalvo-cli hue-saturation IN OUT --hue H --saturation S --lightness L",
                  runHueSaturation);
KALVO_CLI_COMMAND("levels", "  kalvo-cli levels IN OUT (--auto | --input LO,HI [--gamma G])", runLevels);
KALVO_CLI_COMMAND("grayscale", "  kalvo-cli grayscale IN OUT", runGrayscale);

} // namespace kalvo::cli
