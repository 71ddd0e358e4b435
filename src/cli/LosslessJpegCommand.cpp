// kalvo-cli lossless-jpeg FILE (--rotate 90|180|270 | --flip horizontal|vertical) [--keep-timestamp]
#include "cli/CliCommand.h"
#include "codecs/FileExtension.h"
#include "codecs/jpegtran/LosslessReplace.h"
#include "codecs/jpegtran/LosslessTransform.h"

namespace kalvo::cli {

namespace {

int transformFor(const std::optional<std::string>& rotate, const std::optional<std::string>& flip)
{
    if (rotate.has_value() == flip.has_value())
        throw UsageError("give exactly one of --rotate and --flip");
    if (rotate) {
        if (*rotate == "90")
            return kJpegTransformRotate90;
        if (*rotate == "180")
            return kJpegTransformRotate180;
        if (*rotate == "270")
            return kJpegTransformRotate270;
        throw UsageError("--rotate takes 90, 180 or 270");
    }
    if (*flip == "horizontal")
        return kJpegTransformFlipHorizontal;
    if (*flip == "vertical")
        return kJpegTransformFlipVertical;
    throw UsageError("--flip takes horizontal or vertical");
}

int runLosslessJpeg(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto rotate = args.option("--rotate");
    const auto flip = args.option("--flip");
    const bool keepTimestamp = args.flag("--keep-timestamp");
    const auto files = args.positional(1);
    const int transform = transformFor(rotate, flip);
    const std::string& file = files[0];
    // The editor offers the command only for JPEG file names.
    if (FormatFromFileName(file) != TImageFormat::Jpeg)
        throw Failure("cannot transform " + file + ": not a .jpg, .jpe or .jpeg file");
    try {
        ReplaceJpegLossless(file, transform, keepTimestamp);
    } catch (const std::exception& e) {
        throw Failure("cannot transform " + file + ": " + Reason(e));
    }
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("lossless-jpeg",
                  "  kalvo-cli lossless-jpeg FILE (--rotate 90|180|270 | --flip horizontal|vertical)\n"
                  "                                [--keep-timestamp]",
                  runLosslessJpeg);

} // namespace kalvo::cli
