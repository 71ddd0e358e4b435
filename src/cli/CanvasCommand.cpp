// kalvo-cli canvas IN OUT --size WxH [--anchor NAME] [--background RRGGBB]
#include "cli/CliCommand.h"

#include "imaging/geometry/CanvasSize.h"

#include <array>
#include <utility>

namespace kalvo::cli {

namespace {

TAnchor ParseAnchor(const std::string& text)
{
    using P = TAnchorPart;
    static const std::array<std::pair<const char*, TAnchor>, 9> names = {{
        {"top-left", {P::Start, P::Start}},
        {"top", {P::Centre, P::Start}},
        {"top-right", {P::End, P::Start}},
        {"left", {P::Start, P::Centre}},
        {"center", {P::Centre, P::Centre}},
        {"right", {P::End, P::Centre}},
        {"bottom-left", {P::Start, P::End}},
        {"bottom", {P::Centre, P::End}},
        {"bottom-right", {P::End, P::End}},
    }};
    for (const auto& [name, anchor] : names)
        if (text == name)
            return anchor;
    throw UsageError("--anchor must be center, top-left, top, top-right, left, right, bottom-left, bottom or "
                     "bottom-right: "
                     + text);
}

int runCanvas(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto size = args.option("--size");
    const auto anchorName = args.option("--anchor");
    const auto background = args.option("--background");
    const auto files = args.positional(2);
    if (!size)
        throw UsageError("--size is required");
    int width = 0, height = 0;
    ParseSize(*size, "--size", TBitmap::kMaxDimension, width, height);
    const TAnchor anchor = anchorName ? ParseAnchor(*anchorName) : TAnchor{};
    const TColor fill = background ? ParseColor(*background) : clWhite;

    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadAsEditorHolds(info);
    try {
        image = ResizeCanvas(image, width, height, anchor, fill);
    } catch (const std::exception& e) {
        throw Failure("cannot change the canvas of " + files[0] + ": " + e.what());
    }
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("canvas",
                  "  kalvo-cli canvas IN OUT --size WxH [--anchor center|top-left|top|top-right|left|right|\n"
                  "                                              bottom-left|bottom|bottom-right]\n"
                  "                          [--background RRGGBB]",
                  runCanvas);

} // namespace kalvo::cli
