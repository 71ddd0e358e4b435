#include "app/settings/Placement.h"

#include "image/Clamp.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <array>

namespace kalvo {

namespace {

QRect workAreaOf(const QWidget* window)
{
    QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

bool parseFields(const QString& text, std::array<int, 5>& fields)
{
    const QStringList parts = text.split(',');
    if (parts.size() < 5)
        return false;
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        fields[std::size_t(i)] = parts.at(i).trimmed().toInt(&ok, 10);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

TPlacement ComputePlacement(const QString& text, const QRect& workArea)
{
    std::array<int, 5> f{};
    if (!parseFields(text, f))
        f = {0, 0, workArea.width(), workArea.height(), 1};
    const int width = std::clamp(f[2], 1, std::max(1, workArea.width()));
    const int height = std::clamp(f[3], 1, std::max(1, workArea.height()));
    const double left = double(f[0]) + workArea.left();
    const double top = double(f[1]) + workArea.top();
    const int right = workArea.left() + workArea.width();
    const int bottom = workArea.top() + workArea.height();
    TPlacement p;
    p.rect = QRect(ClampTrunc(0, right - width, left), ClampTrunc(0, bottom - height, top), width, height);
    p.show = f[4];
    return p;
}

QString GetPlacementText(const QWidget* window)
{
    const QRect work = workAreaOf(window);
    QRect r = window->normalGeometry();
    if (r.isEmpty())
        r = window->geometry();
    // The position is the frame's, as move() takes it; the size is the client's, as resize() takes it.
    const QPoint frameOffset = window->geometry().topLeft() - window->frameGeometry().topLeft();
    int show = 1;
    if (window->windowState() & Qt::WindowMinimized)
        show = 2;
    else if (window->windowState() & Qt::WindowMaximized)
        show = 3;
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(r.left() - frameOffset.x() - work.left())
        .arg(r.top() - frameOffset.y() - work.top())
        .arg(r.width())
        .arg(r.height())
        .arg(show);
}

void SetPlacementText(const QString& text, QWidget* window)
{
    const TPlacement p = ComputePlacement(text, workAreaOf(window));
    window->move(p.rect.topLeft());
    window->resize(p.rect.size());
    if (p.show == 2)
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
    else if (p.show == 3)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

} // namespace kalvo
