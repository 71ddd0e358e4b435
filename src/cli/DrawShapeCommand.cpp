// kalvo-cli draw-shape IN OUT --shape KIND --from X,Y --to X,Y [...]: the shapes tool's aliased
// figure drawn into the picture at its own depth (palette pictures take the nearest entry).
#include "cli/CliCommand.h"

#include "imaging/raster/ApplyCoverage.h"
#include "imaging/raster/ShapeMask.h"

#include <map>

namespace kalvo::cli {

namespace {

QPoint parsePoint(const std::string& text, const std::string& what)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        throw UsageError(what + " must be X,Y: " + text);
    return QPoint(ParseInt(text.substr(0, comma), what + " X", -1000000, 1000000),
                  ParseInt(text.substr(comma + 1), what + " Y", -1000000, 1000000));
}

template <typename T>
T parseName(const std::optional<std::string>& text, const std::map<std::string, T>& names, const std::string& what,
            T def)
{
    if (!text)
        return def;
    const auto it = names.find(*text);
    if (it == names.end())
        throw UsageError("unknown " + what + ": " + *text);
    return it->second;
}

int runDrawShape(const std::vector<std::string>& argv)
{
    Args args(argv);
    TShapeSpec spec;
    spec.Kind = parseName<TShapeKind>(args.required("--shape"),
                                      {{"line", TShapeKind::Line},
                                       {"arrow", TShapeKind::Arrow},
                                       {"rect", TShapeKind::Rect},
                                       {"round-rect", TShapeKind::RoundRect},
                                       {"ellipse", TShapeKind::Ellipse}},
                                      "--shape", TShapeKind::Rect);
    spec.From = parsePoint(args.required("--from"), "--from");
    spec.To = parsePoint(args.required("--to"), "--to");
    const auto width = args.option("--width");
    spec.Width = width ? ParseInt(*width, "--width", 1, 100) : 1;
    const auto radius = args.option("--radius");
    spec.Radius = radius ? ParseInt(*radius, "--radius", 0, 500) : 8;
    spec.Fill = parseName<TShapeFill>(
        args.option("--fill"),
        {{"none", TShapeFill::Outline}, {"only", TShapeFill::FillOnly}, {"both", TShapeFill::Both}}, "--fill",
        TShapeFill::Outline);
    const auto color = args.option("--color");
    const auto fillColor = args.option("--fill-color");
    const auto alpha = args.option("--alpha");
    const TColor stroke = color ? ParseColor(*color) : clBlack;
    const TColor inside = fillColor ? ParseColor(*fillColor) : clWhite;
    const int transparency = alpha ? ParseInt(*alpha, "--alpha", 0, 100) : 0;
    std::vector<std::string> files = args.positional(2);
    TpxImageInfo info;
    info.FileName = files[0];
    TBitmap image = LoadForCli(info);
    const TShapeCoverage coverage = AliasedShapeCoverage(spec);
    const int used = image.bitCount() > 8 ? transparency : 0;
    ApplyCoverage(image, coverage.Fill, inside, used, nullptr, TRegionRef{});
    ApplyCoverage(image, coverage.Stroke, stroke, used, nullptr, TRegionRef{});
    info.FileName = files[1];
    SaveForCli(image, info);
    return kExitOk;
}

} // namespace

KALVO_CLI_COMMAND("draw-shape",
                  "  kalvo-cli draw-shape IN OUT --shape line|arrow|rect|round-rect|ellipse --from X,Y --to X,Y\n"
                  "            [--width N] [--color RRGGBB] [--fill none|only|both] [--fill-color RRGGBB]\n"
                  "            [--radius N] [--alpha 0..100]",
                  runDrawShape);

} // namespace kalvo::cli
