#include "app/mainform/ToolBarLayout.h"

#include "app/settings/IniFile.h"
#include "config/IniText.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <vector>

namespace kalvo {

namespace {

struct TDockName {
    Qt::ToolBarArea toolBarArea;
    Qt::DockWidgetArea dockArea;
    const char* name;
};

constexpr TDockName kDocks[] = {
    {Qt::TopToolBarArea, Qt::TopDockWidgetArea, "TBDockTop"},
    {Qt::LeftToolBarArea, Qt::LeftDockWidgetArea, "TBDockLeft"},
    {Qt::RightToolBarArea, Qt::RightDockWidgetArea, "TBDockRight"},
    {Qt::BottomToolBarArea, Qt::BottomDockWidgetArea, "TBDockBottom"},
};

const TDockName* dockByName(const QString& name)
{
    for (const auto& d : kDocks)
        if (name.compare(QLatin1String(d.name), Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

QString toolBarAreaName(Qt::ToolBarArea area)
{
    for (const auto& d : kDocks)
        if (d.toolBarArea == area)
            return QLatin1String(d.name);
    return QString();
}

QString dockAreaName(Qt::DockWidgetArea area)
{
    for (const auto& d : kDocks)
        if (d.dockArea == area)
            return QLatin1String(d.name);
    return QString();
}

bool horizontal(Qt::ToolBarArea area)
{
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

bool named(const QObject* o)
{
    return o->objectName().startsWith(QLatin1String("TB"));
}

// Position across the area's rows and along its row.
int acrossOf(const QWidget* w, bool horiz)
{
    return horiz ? w->y() : w->x();
}
int alongOf(const QWidget* w, bool horiz)
{
    return horiz ? w->x() : w->y();
}

int rowOf(const QMainWindow* window, const QToolBar* bar)
{
    const Qt::ToolBarArea area = window->toolBarArea(bar);
    const bool horiz = horizontal(area);
    std::vector<int> rows;
    for (const QToolBar* other : window->findChildren<QToolBar*>())
        if (!other->isFloating() && window->toolBarArea(other) == area)
            rows.push_back(acrossOf(other, horiz));
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return int(std::lower_bound(rows.begin(), rows.end(), acrossOf(bar, horiz)) - rows.begin());
}

void writeCommon(TIniText& ini, const QString& s, bool visible, const QString& dockedTo, const QWidget* w)
{
    ini.SetValue(s, QStringLiteral("Rev"), QString::number(kToolBarLayoutRev));
    ini.SetValue(s, QStringLiteral("Visible"), visible ? QStringLiteral("1") : QStringLiteral("0"));
    ini.SetValue(s, QStringLiteral("DockedTo"), dockedTo);
    const QString last = dockedTo == QLatin1String("+") ? w->property("kalvoLastDock").toString() : dockedTo;
    ini.SetValue(s, QStringLiteral("LastDock"), last);
}

void writeToolBar(TIniText& ini, const QMainWindow* window, const QToolBar* bar)
{
    const QString s = bar->objectName();
    const Qt::ToolBarArea area = window->toolBarArea(bar);
    const bool horiz = horizontal(area);
    writeCommon(ini, s, !bar->isHidden(), bar->isFloating() ? QStringLiteral("+") : toolBarAreaName(area), bar);
    ini.SetValue(s, QStringLiteral("DockRow"), QString::number(bar->isFloating() ? 0 : rowOf(window, bar)));
    ini.SetValue(s, QStringLiteral("DockPos"), QString::number(bar->isFloating() ? 0 : alongOf(bar, horiz)));
    const QPoint floatAt = bar->isFloating() ? bar->pos() : QPoint();
    ini.SetValue(s, QStringLiteral("FloatLeft"), QString::number(floatAt.x()));
    ini.SetValue(s, QStringLiteral("FloatTop"), QString::number(floatAt.y()));
    ini.SetValue(s, QStringLiteral("FloatRightX"),
                 QString::number(floatAt.x() + (bar->isFloating() ? bar->width() : 0)));
}

void writeDock(TIniText& ini, const QMainWindow* window, const QDockWidget* dock)
{
    const QString s = dock->objectName();
    const Qt::DockWidgetArea area = window->dockWidgetArea(const_cast<QDockWidget*>(dock));
    const bool horiz = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
    writeCommon(ini, s, !dock->isHidden(), dock->isFloating() ? QStringLiteral("+") : dockAreaName(area), dock);
    ini.SetValue(s, QStringLiteral("DockRow"), QStringLiteral("0"));
    ini.SetValue(s, QStringLiteral("DockPos"), QString::number(dock->isFloating() ? 0 : alongOf(dock, horiz)));
    ini.SetValue(s, QStringLiteral("FloatLeft"), QString::number(dock->isFloating() ? dock->x() : 0));
    ini.SetValue(s, QStringLiteral("FloatTop"), QString::number(dock->isFloating() ? dock->y() : 0));
    const QWidget* client = dock->widget() ? dock->widget() : dock;
    ini.SetValue(s, QStringLiteral("ClientWidth"), QString::number(client->width()));
    ini.SetValue(s, QStringLiteral("ClientHeight"), QString::number(client->height()));
}

struct TStoredBar {
    QToolBar* bar;
    int row;
    int pos;
};

int intValue(const TIniText& ini, const QString& s, const char* key, int def)
{
    return IniInteger(ini, s, QLatin1String(key), def);
}

bool currentRev(const TIniText& ini, const QString& s)
{
    return intValue(ini, s, "Rev", 0) == kToolBarLayoutRev;
}

// The dock a section places its bar in: DockedTo, or LastDock when floating; null for neither.
const TDockName* placedDock(const TIniText& ini, const QString& s)
{
    const QString dockedTo = ini.Value(s, QStringLiteral("DockedTo")).value_or(QString());
    if (dockedTo == QLatin1String("+"))
        return dockByName(ini.Value(s, QStringLiteral("LastDock")).value_or(QString()));
    return dockByName(dockedTo);
}

void restoreDock(const TIniText& ini, QMainWindow* window, QDockWidget* dock)
{
    const QString s = dock->objectName();
    dock->setProperty("kalvoLastDock", ini.Value(s, QStringLiteral("LastDock")).value_or(QString()));
    const bool floating = ini.Value(s, QStringLiteral("DockedTo")).value_or(QString()) == QLatin1String("+");
    if (const TDockName* d = placedDock(ini, s))
        window->addDockWidget(d->dockArea, dock);
    if (floating) {
        dock->setFloating(true);
        dock->move(intValue(ini, s, "FloatLeft", dock->x()), intValue(ini, s, "FloatTop", dock->y()));
    }
    QWidget* client = dock->widget() ? dock->widget() : dock;
    const int w = std::clamp(intValue(ini, s, "ClientWidth", client->width()), 0, 4096);
    const int h = std::clamp(intValue(ini, s, "ClientHeight", client->height()), 0, 4096);
    if (w > 0 && h > 0)
        client->resize(w, h);
    dock->setVisible(intValue(ini, s, "Visible", 1) != 0);
}

// The menu bar always spans the top dock's first row; its section records that.
void writeMenuBar(TIniText& ini, const QWidget* menu)
{
    const QString s = menu->objectName();
    writeCommon(ini, s, !menu->isHidden(), QStringLiteral("TBDockTop"), menu);
    for (const char* key : {"DockRow", "DockPos", "FloatLeft", "FloatTop", "FloatRightX"})
        ini.SetValue(s, QLatin1String(key), QStringLiteral("0"));
}

} // namespace

bool SaveToolBarLayout(const QMainWindow* window, const QString& fileName)
{
    TIniText ini;
    if (const QWidget* menu = window->menuWidget(); menu && named(menu))
        writeMenuBar(ini, menu);
    for (const QToolBar* bar : window->findChildren<QToolBar*>())
        if (named(bar))
            writeToolBar(ini, window, bar);
    for (const QDockWidget* dock : window->findChildren<QDockWidget*>())
        if (named(dock))
            writeDock(ini, window, dock);
    return TIniFile(fileName).Store(ini);
}

void LoadToolBarLayout(QMainWindow* window, const QString& fileName)
{
    const std::optional<TIniText> text = TIniFile(fileName).Load();
    if (!text)
        return;
    const TIniText& ini = *text;
    std::map<int, std::vector<TStoredBar>> byArea;
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        const QString s = bar->objectName();
        if (!named(bar) || !currentRev(ini, s))
            continue;
        bar->setProperty("kalvoLastDock", ini.Value(s, QStringLiteral("LastDock")).value_or(QString()));
        if (const TDockName* d = placedDock(ini, s))
            byArea[int(d->toolBarArea)].push_back(
                {bar, intValue(ini, s, "DockRow", 0), intValue(ini, s, "DockPos", 0)});
        bar->setVisible(intValue(ini, s, "Visible", 1) != 0);
    }
    for (auto& [area, bars] : byArea) {
        std::stable_sort(bars.begin(), bars.end(), [](const TStoredBar& a, const TStoredBar& b) {
            return a.row != b.row ? a.row < b.row : a.pos < b.pos;
        });
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (i > 0 && bars[i].row != bars[i - 1].row)
                window->addToolBarBreak(Qt::ToolBarArea(area));
            window->addToolBar(Qt::ToolBarArea(area), bars[i].bar);
        }
    }
    for (QDockWidget* dock : window->findChildren<QDockWidget*>())
        if (named(dock) && currentRev(ini, dock->objectName()))
            restoreDock(ini, window, dock);
}

} // namespace kalvo
