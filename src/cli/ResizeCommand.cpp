// kalvo-cli resize IN OUT (--size WxH | --percent P) [--resample] [--keep-aspect]
#include "cli/CliCommand.h"

#include "imaging/resample/ResizeNearest.h"
#include "imaging/resample/ResizeResample.h"

#include <algorithm>
#include <cstdint>

namespace kalvo::cli {

namespace {

constexpr int kMaxSide = 100000;
constexpr int kMaxPercent = 10000;

struct TTargetSize {
    int width = 0;
    int height = 0;
};

TTargetSize ParseTarget(const std::string& text)
{
    TTargetSize target;
    ParseSize(text, "--size", kMaxSide, target.width, target.height);
    return target;
}

// The size the resize dialog settles on: the percentage of each side (W * P div 100), or the
// typed size with the height following the width when the aspect is kept; each side 1..100000.
TTargetSize TargetSize(const TBitmap& image, const std::optional<std::string>& size,
                       const std::optional<std::string>& percent, bool keepAspect)
{
    const int w = image.width(), h = image.height();
    if (percent) {
        const int p = ParseInt(*percent, "--percent", 1, kMaxPercent);
        return {std::clamp(int(std::int64_t(w) * p / 100), 1, kMaxSide),
                std::clamp(int(std::int64_t(h) * p / 100), 1, kMaxSide)};
    }
    TTargetSize target = ParseTarget(*size);
    if (keepAspect)
        target.height = std::clamp(int(double(h) / w * target.width + 0.5), 1, kMaxSide);
    return target;
}

int runResize(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto size = args.option("--size");
    const auto percent = args.option("--percent");
    const bool resample = args.flag("--resample");
    const bool keepAspect = args.flag("--keep-aspect");
    const auto files = args.positional(2);
    if (size.has_value() == percent.has_value())
        throw UsageError("give either --size or --percent");
    if (size)
        ParseTarget(*size);
    else
        ParseInt(*percent, "--percent", 1, kMaxPercent);

    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadAsEditorHolds(info);
    const TTargetSize target = TargetSize(image, size, percent, keepAspect);
    if (target.width != image.width() || target.height != image.height()) {
        try {
            image = resample ? ResizeResample(image, target.width, target.height)
                             : ResizeNearest(image, target.width, target.height);
        } catch (const std::exception& e) {
            throw Failure("cannot resize " + files[0] + ": " + e.what());
        }
    }
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("resize", "  kalvo-cli resize IN OUT (--size WxH | --percent P) [--resample] [--keep-aspect]",
                  runResize);

} // namespace kalvo::cli
