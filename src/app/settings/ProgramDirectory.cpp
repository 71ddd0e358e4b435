#include "app/settings/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kalvo {

namespace {

QString withSeparator(QString dir)
{
    if (!dir.endsWith('/'))
        dir += '/';
    return dir;
}

// An installed program (<prefix>/bin beside <prefix>/share/applications/kalvo.desktop) keeps
// per-user settings even where it could write its own directory (run as root, or a prefix in
// the home directory): several users share it.
bool isInstalled(const QString& exeDir)
{
    return QFileInfo::exists(exeDir + QStringLiteral("/../share/applications/kalvo.desktop"));
}

} // namespace

QString UserConfigDirectory()
{
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         + QStringLiteral("/Kalvo"));
}

QString ProgramDirectory()
{
    const QString overridden = qEnvironmentVariable("KALVO_CONFIG_DIR");
    if (!overridden.isEmpty())
        return withSeparator(QDir(overridden).absolutePath());
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable() && !isInstalled(exeDir))
        return withSeparator(exeDir);
    const QString config = UserConfigDirectory();
    QDir().mkpath(config);
    return config;
}

QString SettingsFileName()
{
    return ProgramDirectory() + QStringLiteral("Kalvo2.ini");
}
QString RecentFilesFileName()
{
    return ProgramDirectory() + QStringLiteral("Kalvo2.mru");
}
QString ToolBarLayoutFileName()
{
    return ProgramDirectory() + QStringLiteral("Kalvo2.tlb");
}

} // namespace kalvo
