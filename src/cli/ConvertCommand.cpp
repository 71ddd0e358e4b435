// kalvo-cli convert IN OUT [save options]
#include "cli/CliCommand.h"

namespace kalvo::cli {

namespace {

int runConvert(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto jpegQuality = args.option("--jpeg-quality");
    const auto jpeg2kQuality = args.option("--jpeg2k-quality");
    const bool reversible = args.flag("--jpeg2k-reversible");
    const bool lossy = args.flag("--jpeg2k-lossy");
    const bool interlaced = args.flag("--interlaced");
    const bool noInterlaced = args.flag("--no-interlaced");
    const auto transparent = args.option("--transparent");
    const bool noTransparent = args.flag("--no-transparent");
    const auto webpQuality = args.option("--webp-quality");
    const bool webpLossless = args.flag("--webp-lossless");
    const auto files = args.positional(2);
    if (reversible && lossy)
        throw UsageError("--jpeg2k-reversible and --jpeg2k-lossy exclude each other");
    if (interlaced && noInterlaced)
        throw UsageError("--interlaced and --no-interlaced exclude each other");
    if (transparent && noTransparent)
        throw UsageError("--transparent and --no-transparent exclude each other");

    TpxImageInfo info;
    if (jpegQuality)
        info.JpegQuality = ParseInt(*jpegQuality, "--jpeg-quality", 1, 100);
    if (jpeg2kQuality)
        info.Jpeg2kQuality = ParseInt(*jpeg2kQuality, "--jpeg2k-quality", 1, 1000);
    if (lossy)
        info.Jpeg2kReversible = false;
    if (webpQuality)
        info.WebpQuality = ParseInt(*webpQuality, "--webp-quality", 1, 100);
    info.WebpLossless = webpLossless;
    const TColor transparentColor = transparent ? ParseColor(*transparent) : 0;

    info.FileName = files[0];
    TBitmap bitmap = LoadForCli(info);
    if (interlaced || noInterlaced)
        info.Interlaced = interlaced;
    if (transparent) {
        info.Transparent = true;
        info.TransparentColor = transparentColor;
    } else if (noTransparent) {
        info.Transparent = false;
    }
    info.FileName = files[1];
    SaveForCli(bitmap, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("convert",
                  "  kalvo-cli convert IN OUT [--jpeg-quality N] [--jpeg2k-quality N]\n"
                  "                           [--jpeg2k-reversible | --jpeg2k-lossy]\n"
                  "                           [--interlaced | --no-interlaced]\n"
                  "                           [--transparent RRGGBB | --no-transparent]\n"
                  "                           [--webp-quality N] [--webp-lossless]",
                  runConvert);

} // namespace kalvo::cli
