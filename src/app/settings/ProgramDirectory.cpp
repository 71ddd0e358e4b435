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

} // namespace

QString ProgramDirectory()
{
    const QString overridden = qEnvironmentVariable("KALVO_CONFIG_DIR");
    if (!overridden.isEmpty())
        return withSeparator(QDir(overridden).absolutePath());
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
        return withSeparator(exeDir);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return withSeparator(config);
}

QString SettingsFileName() { return ProgramDirectory() + QStringLiteral("Kalvo2.ini"); }
QString RecentFilesFileName() { return ProgramDirectory() + QStringLiteral("Kalvo2.mru"); }
QString ToolBarLayoutFileName() { return ProgramDirectory() + QStringLiteral("Kalvo2.tlb"); }

} // namespace kalvo
