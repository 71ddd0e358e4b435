#pragma once
// What the canvas benchmarks share: a picture of random bytes, a synthetic mouse event sent to a
// widget, and a main() on the offscreen platform with a fresh settings directory.
#include "image/Bitmap.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <functional>

namespace kalvo::bench {

// Random bytes: as hard as it gets for anything that compresses or compares pixels.
inline TBitmap NoisePicture(int width, int height)
{
    TBitmap image(width, height, 24);
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < image.byteSize(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        image.bits()[i] = std::uint8_t(seed >> 24);
    }
    return image;
}

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// A press or release with the left button, or a move with buttons held.
inline void SendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    SendMouse(target, type, pos, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons);
}

// Runs the benchmarks given on the command line; prepare runs once the application exists.
inline int RunCanvasBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {})
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir config;
    ::setenv("KALVO_CONFIG_DIR", config.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kalvo::bench
