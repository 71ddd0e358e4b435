#include "app/commands/ActionIcons.h"
#include "app/commands/Command.h"

#include <QAction>
#include <QIcon>
#include <QObject>
#include <QStandardPaths>

// The resources live in a static library: make sure they are registered.
static void initIconResources()
{
    Q_INIT_RESOURCE(kalvo_icons);
}

namespace kalvo {

namespace {

// A theme icon, or with a leading colon the program's own picture.
QIcon iconFor(const char* icon)
{
    if (icon[0] == ':')
        return QIcon(QStringLiteral(":/kalvo/icons/%1.svg").arg(QLatin1String(icon + 1)));
    return QIcon::fromTheme(QLatin1String(icon));
}

} // namespace

void InitIconResources()
{
    initIconResources();
}

void SetUpIconTheme()
{
    initIconResources();
    // Platforms without a desktop theme (offscreen, some minimal sessions) search no system
    // icon directories at all.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory))
        if (!paths.contains(dir))
            paths << dir;
    QIcon::setThemeSearchPaths(paths);
    const QString desktop = QIcon::themeName();
    if (desktop.isEmpty() || desktop == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("breeze"));
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
}

void ApplyActionIcons(QObject* root)
{
    initIconResources();
    for (QAction* action : root->findChildren<QAction*>()) {
        const QByteArray name = action->objectName().toLatin1();
        if (const TCommand* command = FindCommand(name.constData()); command && command->icon)
            action->setIcon(iconFor(command->icon));
    }
}

} // namespace kalvo
