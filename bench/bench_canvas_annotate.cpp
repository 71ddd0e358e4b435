// The live preview of the annotation tools on a 6000 x 4000 image in a 1920 x 1080 canvas
// (offscreen platform), at 100 % and fitted: one pointer move of a shape drag (a filled,
// anti-aliased ellipse and a width-1 rectangle) or one typed key of a text, plus the repaint it
// asks for; and the commit of a large shape on release.
#include "canvas/PxImage.h"
#include "support/CanvasBench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cstdlib>

namespace {

using namespace kalvo;

const TBitmap& Image()
{
    static const TBitmap image = bench::NoisePicture(6000, 4000);
    return image;
}

struct TSetup {
    TpxImage canvas;
    TSetup(bool fit, TMouseMode mode, bool antiAliasedFill)
    {
        canvas.SetBitmap(Image());
        canvas.resize(1924, 1084);
        canvas.show();
        QCoreApplication::processEvents();
        if (fit)
            canvas.SetAutoStretch(true);
        else
            canvas.SetZoom(100);
        TToolSettings s = canvas.ToolSettings();
        s.ShapeKind = antiAliasedFill ? TShapeKind::Ellipse : TShapeKind::Rect;
        s.ShapeFill = antiAliasedFill ? TShapeFill::Both : TShapeFill::Outline;
        s.ShapeAntiAlias = antiAliasedFill;
        s.ShapeWidth = antiAliasedFill ? 8 : 1;
        s.TextSize = 48;
        canvas.SetToolSettings(s);
        canvas.SetMouseMode(mode);
        canvas.SetScrollPosition(2000, 1500);
        canvas.viewport()->repaint();
    }
};

void BM_ShapeDragStep(benchmark::State& state)
{
    TSetup s(state.range(0) != 0, mmShape, state.range(1) != 0);
    QWidget* vp = s.canvas.viewport();
    const QPoint start(100, 100);
    bench::SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 400;
        bench::SendMouse(vp, QEvent::MouseMove, QPoint(1400, 900) + QPoint(step, step / 2), Qt::LeftButton);
        vp->repaint();
    }
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&s.canvas, &escape);
    bench::SendMouse(vp, QEvent::MouseButtonRelease, start, Qt::NoButton);
}
BENCHMARK(BM_ShapeDragStep)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1})->Unit(benchmark::kMillisecond);

void BM_TextKey(benchmark::State& state)
{
    TSetup s(state.range(0) != 0, mmText, false);
    QWidget* vp = s.canvas.viewport();
    bench::SendMouse(vp, QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton);
    bench::SendMouse(vp, QEvent::MouseButtonRelease, QPoint(300, 300), Qt::NoButton);
    int typed = 0;
    for (auto _ : state) {
        // A line of up to 40 characters typed and erased again.
        const bool erase = (typed / 40) % 2 == 1;
        QKeyEvent key(QEvent::KeyPress, erase ? Qt::Key_Backspace : Qt::Key_A, Qt::NoModifier,
                      erase ? QString() : QStringLiteral("a"));
        QCoreApplication::sendEvent(&s.canvas, &key);
        vp->repaint();
        ++typed;
    }
    s.canvas.EndToolEdit(false);
}
BENCHMARK(BM_TextKey)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Drawing a filled anti-aliased 4000 x 3000 ellipse into the picture on release.
void BM_ShapeCommit(benchmark::State& state)
{
    TSetup s(true, mmShape, true);
    QWidget* vp = s.canvas.viewport();
    for (auto _ : state) {
        bench::SendMouse(vp, QEvent::MouseButtonPress, s.canvas.ImageToScreenCentre({1000, 500}), Qt::LeftButton);
        bench::SendMouse(vp, QEvent::MouseMove, s.canvas.ImageToScreenCentre({5000, 3500}), Qt::LeftButton);
        bench::SendMouse(vp, QEvent::MouseButtonRelease, s.canvas.ImageToScreenCentre({5000, 3500}), Qt::NoButton);
    }
}
BENCHMARK(BM_ShapeCommit)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return kalvo::bench::RunCanvasBenchmarks(argc, argv);
}
