// kalvo-cli rotate IN OUT --angle A [--background RRGGBB]
#include "cli/CliCommand.h"

#include "imaging/geometry/RotateByAngle.h"

namespace kalvo::cli {

namespace {

// Degrees with at most one decimal ("90", "-12.5") to tenths, -360..360.
int ParseAngle(const std::string& text)
{
    const auto dot = text.find('.');
    std::string whole = text.substr(0, dot), tenth = dot == std::string::npos ? "0" : text.substr(dot + 1);
    const bool negative = !whole.empty() && whole[0] == '-';
    if (whole.empty() || whole == "-" || whole == "+" || tenth.size() != 1 || tenth[0] < '0' || tenth[0] > '9')
        throw UsageError("--angle must be degrees with at most one decimal, from -360 to 360: " + text);
    const int degrees = ParseInt(whole, "--angle", -360, 360);
    const int tenths = degrees * 10 + (negative ? -1 : 1) * (tenth[0] - '0');
    if (tenths < kMinRotationTenths || tenths > kMaxRotationTenths)
        throw UsageError("--angle must be from -360 to 360: " + text);
    return tenths;
}

int runRotate(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto angle = args.option("--angle");
    const auto background = args.option("--background");
    const auto files = args.positional(2);
    if (!angle)
        throw UsageError("--angle is required");
    const int tenths = ParseAngle(*angle);
    const TColor fill = background ? ParseColor(*background) : clWhite;

    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadAsEditorHolds(info);
    try {
        image = RotateByAngle(image, tenths, fill);
    } catch (const std::exception& e) {
        throw Failure("cannot rotate " + files[0] + ": " + e.what());
    }
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("rotate", "  kalvo-cli rotate IN OUT --angle A [--background RRGGBB]", runRotate);

} // namespace kalvo::cli
