#pragma once
// Helpers for driving the canvas widget in tests.
#include "canvas/PxImage.h"

#include <QCoreApplication>
#include <QScrollBar>

namespace kalvo::test {

// Shows the canvas and resizes it until its client area (the viewport) is width x height,
// whatever frame and scroll bars it has.
inline void SetClientSize(TpxImage& canvas, int width, int height)
{
    canvas.show();
    for (int round = 0; round < 6; ++round) {
        QCoreApplication::processEvents();
        const QSize now = canvas.viewport()->size();
        if (now == QSize(width, height))
            return;
        canvas.resize(canvas.size() + QSize(width - now.width(), height - now.height()));
    }
}

inline std::uint32_t FrameAt(const QImage& frame, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(frame.constScanLine(y))[x];
}

} // namespace kalvo::test
