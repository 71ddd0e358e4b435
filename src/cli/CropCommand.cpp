// kalvo-cli crop IN OUT --rect X,Y,W,H
#include "cli/CliCommand.h"

#include "image/RectOps.h"
#include "imaging/geometry/CanvasSize.h"

#include <sstream>

namespace kalvo::cli {

namespace {

// "X,Y,W,H": the corner anywhere within a side's reach, width and height 1..65535.
QRect ParseRect(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    if (parts.size() != 4 || text.empty() || text.back() == ',')
        throw UsageError("--rect must be X,Y,WIDTH,HEIGHT: " + text);
    const int side = TBitmap::kMaxDimension;
    return QRect(ParseInt(parts[0], "--rect X", -side, side), ParseInt(parts[1], "--rect Y", -side, side),
                 ParseInt(parts[2], "--rect width", 1, side), ParseInt(parts[3], "--rect height", 1, side));
}

int runCrop(const std::vector<std::string>& argv)
{
    Args args(argv);
    const auto rect = args.option("--rect");
    const auto files = args.positional(2);
    if (!rect)
        throw UsageError("--rect is required");
    const QRect wanted = ParseRect(*rect);

    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadAsEditorHolds(info);
    // Cut to the picture as ImageMagick's -crop does; nothing left is the caller's mistake.
    if (IntersectRects(wanted, QRect(0, 0, image.width(), image.height())).isEmpty())
        throw UsageError("the rectangle " + *rect + " lies outside the " + std::to_string(image.width()) + "x"
                         + std::to_string(image.height()) + " picture");
    image = CropBitmap(image, wanted);
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("crop", "  kalvo-cli crop IN OUT --rect X,Y,W,H", runCrop);

} // namespace kalvo::cli
