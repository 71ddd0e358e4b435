#pragma once
// Dashed lines with a fixed 8-pixel dash, plotted point by point: the selection outline, rubber
// bands and moving outlines.
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdlib>

class QPainter;

namespace kalvo {

// Calls plot(x, y) for every point of the line from (x1, y1) to (x2, y2), the end point excluded
// (a digital line walk: one point per step along the longer axis).
template <class Plot>
void LineDDA(int x1, int y1, int x2, int y2, Plot&& plot)
{
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    const int steps = dx > dy ? dx : dy;
    const int major = steps;
    int error = major / 2;
    int x = x1, y = y1;
    for (int i = 0; i < steps; ++i) {
        plot(x, y);
        error -= dx > dy ? dy : dx;
        if (error < 0) {
            error += major;
            if (dx > dy)
                y += sy;
            else
                x += sx;
        }
        if (dx > dy)
            x += sx;
        else
            y += sy;
    }
}

// Black or white at (x, y) for a dash phase: black when (x + y + phase) mod 8 <= 4, the
// remainder taking the sign of the dividend (negative sums are black).
constexpr bool IsDashBlack(int x, int y, int phase)
{
    return (x + y + phase) % 8 <= 4;
}

// The buffer dash: writes the dash into a Format_RGB32 frame at points with 0 <= x < width and
// 0 <= y < height (width and height no larger than the frame's).
struct TLineDDAParam {
    QImage* Buffer = nullptr;
    int BufferWidth = 0;
    int BufferHeight = 0;
    int Phase = 0;
};
void BufferDashLine(const TLineDDAParam& param, QPoint from, QPoint to);

// The screen dashes: black where (x + y + phase) mod 8 <= 4, else white, drawn with the painter;
// the clipped form draws only points inside the clip rectangle. A moving outline drawn with the
// ants' phase marches with them.
void ScreenDashLine(QPainter& painter, QPoint from, QPoint to);
void ClippedScreenDashLine(QPainter& painter, QPoint from, QPoint to, const QRect& clip, int phase = 0);

} // namespace kalvo
