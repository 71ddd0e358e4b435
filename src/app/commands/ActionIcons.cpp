#include "app/commands/ActionIcons.h"

#include <QAction>
#include <QIcon>
#include <QObject>
#include <QStandardPaths>

#include <cstring>

// The resources live in a static library: make sure they are registered.
static void initIconResources()
{
    Q_INIT_RESOURCE(kalvo_icons);
}

namespace kalvo {

namespace {

struct TActionIcon {
    const char* action;
    const char* themeName; // freedesktop or breeze name, or null
    const char* own;       // the program's own icon in the resources, or null
};

constexpr TActionIcon kIcons[] = {
    {"acNewImage", "document-new", nullptr},
    {"acOpen", "document-open", nullptr},
    {"acSave", "document-save", nullptr},
    {"acSaveAs", "document-save-as", nullptr},
    {"acClose", "application-exit", nullptr},
    {"acUndo", "edit-undo", nullptr},
    {"acRedo", "edit-redo", nullptr},
    {"acCopy", "edit-copy", nullptr},
    {"acCut", "edit-cut", nullptr},
    {"acPaste", "edit-paste", nullptr},
    {"acClear", "edit-clear", nullptr},
    {"acZoomIn", "zoom-in", nullptr},
    {"acZoomOut", "zoom-out", nullptr},
    {"acZoom100", "zoom-original", nullptr},
    {"acZoomAuto", "zoom-fit-best", nullptr},
    {"acZoomMenu", "zoom", nullptr},
    {"acViewMaximumSize", "view-fullscreen", nullptr},
    {"acShowProperty", "document-properties", nullptr},
    {"acApply", "dialog-ok-apply", nullptr},
    {"acCancel", "dialog-cancel", nullptr},
    {"acHandScroll", nullptr, "hand-scroll"},
    {"acZoom", "zoom-select", nullptr},
    {"acSpoit", "color-picker", nullptr},
    {"acSelectRect", "select-rectangular", nullptr},
    {"acSelectEllipse", nullptr, "select-ellipse-centre"},
    {"acSelectRegion", nullptr, "select-freehand"},
    {"acSelectMagicWand", nullptr, "select-magic-wand"},
    {"acMoveRegion", nullptr, "move-outline"},
    {"acMoveSelectArea", nullptr, "move-pixels"},
    {"acPen", "draw-freehand", nullptr},
    {"acBrush", "draw-brush", nullptr},
    {"acPaint", "fill-color", nullptr},
    {"acShape", nullptr, "draw-shapes"},
    {"acText", nullptr, "draw-text"},
    {"acSwapFBColors", nullptr, "swap-colors"},
    {"acSelectAll", "edit-select-all", nullptr},
    {"acInvertRegion", "edit-select-invert", nullptr},
    {"acDeleteRegion", "edit-select-none", nullptr},
    {"acResize", "transform-scale", nullptr},
    {"acLoassLessJpeg", "object-rotate-right", nullptr},
};

QIcon iconFor(const TActionIcon& entry)
{
    if (entry.own)
        return QIcon(QStringLiteral(":/kalvo/icons/%1.svg").arg(QLatin1String(entry.own)));
    return QIcon::fromTheme(QLatin1String(entry.themeName));
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
        for (const TActionIcon& entry : kIcons)
            if (name == entry.action) {
                action->setIcon(iconFor(entry));
                break;
            }
    }
}

} // namespace kalvo
