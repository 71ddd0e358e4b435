#include "app/CommandLine.h"

namespace kalvo {

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    TCommandLine result;
    bool optionsEnded = false;
    for (const QString& arg : arguments) {
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
                return {TCommandLine::TAction::Help, {}, {}};
            if (arg == QLatin1String("--version") || arg == QLatin1String("-v"))
                return {TCommandLine::TAction::Version, {}, {}};
            return {TCommandLine::TAction::Error, {}, QStringLiteral("unknown option %1").arg(arg)};
        }
        if (!result.FileName.isEmpty())
            return {TCommandLine::TAction::Error, {}, QStringLiteral("only one file can be opened")};
        result.FileName = arg;
    }
    return result;
}

QString CommandLineUsage()
{
    return QStringLiteral("Usage: kalvo [FILE]  (open FILE, a BMP, DIB, RLE, JPEG, JPEG 2000, PNG, GIF, WebP, TIFF, HEIC or AVIF "
                          "picture; --help, --version)");
}

} // namespace kalvo
