// kalvo-cli expand IN OUT --bits 4|8|24
#include "cli/CliCommand.h"
#include "imaging/colour/EnlargeColors.h"

namespace kalvo::cli {

namespace {

int runExpand(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto bitsText = args.option("--bits");
    const auto files = args.positional(2);
    if (!bitsText)
        throw UsageError("--bits is required");
    if (*bitsText != "4" && *bitsText != "8" && *bitsText != "24")
        throw UsageError("--bits must be 4, 8 or 24");
    const int bits = std::stoi(*bitsText);

    TpxImageInfo info;
    info.FileName = files[0];
    const TBitmap image = LoadForCli(info);
    auto result = EnlargeColors(image, bits);
    if (!result)
        throw Failure("cannot expand " + files[0] + " to " + *bitsText + " bits: the image has "
                      + std::to_string(image.bitCount() > 8 ? 24 : image.bitCount()) + " bits per pixel");
    info.FileName = files[1];
    SaveForCli(*result, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("expand", "  kalvo-cli expand IN OUT --bits 4|8|24", runExpand);

} // namespace kalvo::cli
