#include "app/startup/CommandLine.h"

namespace kalvo {

namespace {

// Qt's own command-line options: those followed by a value, and plain switches.
const QStringList kQtOptionsWithValue = {
    QStringLiteral("platform"),
    QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),
    QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"),
    QStringLiteral("geometry"),
    QStringLiteral("qwindowtitle"),
    QStringLiteral("title"),
    QStringLiteral("qwindowicon"),
    QStringLiteral("icon"),
    QStringLiteral("style"),
    QStringLiteral("stylesheet"),
    QStringLiteral("session"),
    QStringLiteral("display"),
    QStringLiteral("name"),
    QStringLiteral("qmljsdebugger"),
};
const QStringList kQtSwitches = {
    QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
    QStringLiteral("dograb"),  QStringLiteral("sync"),        QStringLiteral("testability"),
};

} // namespace

QStringList WithoutQtOptions(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--")) {
            kept += arguments.mid(i);
            break;
        }
        // Qt reads "-option" and "--option", and a value also as "-option=value".
        QString name = arg.startsWith(QLatin1String("--")) ? arg.mid(2)
            : arg.startsWith(QLatin1Char('-'))             ? arg.mid(1)
                                                           : QString();
        const bool valueAttached = name.contains(QLatin1Char('='));
        name = name.section(QLatin1Char('='), 0, 0);
        if (kQtOptionsWithValue.contains(name)) {
            if (!valueAttached)
                ++i;
            continue;
        }
        if (kQtSwitches.contains(name) && !valueAttached)
            continue;
        kept << arg;
    }
    return kept;
}

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
    return QStringLiteral(
        "Usage: kalvo [FILE]  (open FILE, a BMP, DIB, RLE, JPEG, JPEG 2000, PNG, GIF, WebP, TIFF, HEIC or AVIF "
        "picture; --help, --version)");
}

} // namespace kalvo
