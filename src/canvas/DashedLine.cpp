#include "canvas/DashedLine.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <cstdint>

namespace kalvo {

void BufferDashLine(const TLineDDAParam& param, QPoint from, QPoint to)
{
    QImage& buffer = *param.Buffer;
    const int width = std::min(param.BufferWidth, buffer.width());
    const int height = std::min(param.BufferHeight, buffer.height());
    std::uint8_t* bits = buffer.bits();
    const qsizetype stride = buffer.bytesPerLine();
    LineDDA(from.x(), from.y(), to.x(), to.y(), [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        reinterpret_cast<std::uint32_t*>(bits + stride * y)[x] = IsDashBlack(x, y, param.Phase) ? 0xFF000000u
                                                                                                : 0xFFFFFFFFu;
    });
}

namespace {

void DrawDash(QPainter& painter, QPoint from, QPoint to, const QRect* clip, int phase)
{
    QPolygon black, white;
    LineDDA(from.x(), from.y(), to.x(), to.y(), [&](int x, int y) {
        if (clip && !(x >= clip->left() && x <= clip->right() && y >= clip->top() && y <= clip->bottom()))
            return;
        (IsDashBlack(x, y, phase) ? black : white).append(QPoint(x, y));
    });
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawPoints(black);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawPoints(white);
    painter.restore();
}

} // namespace

void ScreenDashLine(QPainter& painter, QPoint from, QPoint to)
{
    DrawDash(painter, from, to, nullptr, 0);
}

void ClippedScreenDashLine(QPainter& painter, QPoint from, QPoint to, const QRect& clip, int phase)
{
    DrawDash(painter, from, to, &clip, phase);
}

} // namespace kalvo
