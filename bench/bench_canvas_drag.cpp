// Dragging floating pixels on a 6000 x 4000 image in a 1920 x 1080 canvas (offscreen platform):
// each step is one mouse move plus the repaint it asks for, at 100 % and fitted to the window,
// for the pixel move of a 12-megapixel elliptical selection and for a floating paste of a
// 12-megapixel picture; an ants step while the moved pixels float. Also: copying and pasting the whole 24-megapixel
// picture through the clipboard within the program.
#include "app/systemclipboard/CanvasClipboard.h"
#include "canvas/PxImage.h"
#include "support/CanvasBench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include <cstdlib>

namespace {

using namespace kalvo;

constexpr int kImageWidth = 6000, kImageHeight = 4000;

const TBitmap& Image()
{
    static const TBitmap image = bench::NoisePicture(kImageWidth, kImageHeight);
    return image;
}

// The canvas with the 12-megapixel selection ready to float (mmMoveSelectArea) or the
// 12-megapixel picture floating (mmMerge), at 100 % or fitted, scrolled into the picture.
struct TFloatSetup {
    TpxImage canvas;
    // About 12 megapixels: the ellipse inscribed in 4500 x 3400.
    const TRegion ellipse = TRegion::ellipse({750, 300, 5250, 3700});
    TFloatSetup(bool fit, TMouseMode mode)
    {
        canvas.SetBitmap(Image());
        canvas.resize(1924, 1084);
        canvas.show();
        QCoreApplication::processEvents();
        if (fit)
            canvas.SetAutoStretch(true);
        else
            canvas.SetZoom(100);
        if (mode == mmMoveSelectArea) {
            canvas.SetRegion(ellipse);
            canvas.SetMouseMode(mmMoveSelectArea);
        } else {
            static const TBitmap picture = bench::NoisePicture(4500, 3400);
            TRegion shape = ellipse;
            shape.offset(-750, -300);
            canvas.PasteMerge(picture, shape);
        }
        canvas.SetScrollPosition(2000, 1500);
        canvas.viewport()->repaint();
    }
    double selectedPixels() const
    {
        const TRect box = ellipse.boundingRect();
        return double(box.width()) * box.height() * 0.785;
    }
};

void Drag(benchmark::State& state, TMouseMode mode)
{
    TFloatSetup s(state.range(0) != 0, mode);
    QWidget* vp = s.canvas.viewport();
    const QPoint start(900, 500);
    bench::SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 200;
        bench::SendMouse(vp, QEvent::MouseMove, start + QPoint(step, step / 2), Qt::LeftButton);
        vp->repaint();
    }
    bench::SendMouse(vp, QEvent::MouseButtonRelease, start, Qt::NoButton);
    state.counters["selected_px"] = s.selectedPixels();
}

// One ants step while the moved pixels float: the frame's outline and the one going with the
// pixels drawn with the next phase, and the repaint of their bounds it asks for.
void BM_FloatingAntsStep(benchmark::State& state)
{
    TFloatSetup s(state.range(0) != 0, mmMoveSelectArea);
    QWidget* vp = s.canvas.viewport();
    const QPoint start(900, 500);
    bench::SendMouse(vp, QEvent::MouseButtonPress, start, Qt::LeftButton);
    bench::SendMouse(vp, QEvent::MouseMove, start + QPoint(60, 30), Qt::LeftButton);
    bench::SendMouse(vp, QEvent::MouseButtonRelease, start + QPoint(60, 30), Qt::NoButton);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        s.canvas.AntsTimerTimer();
        QCoreApplication::processEvents();
    }
    state.counters["selected_px"] = s.selectedPixels();
}
BENCHMARK(BM_FloatingAntsStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MoveSelectAreaDrag(benchmark::State& state)
{
    Drag(state, mmMoveSelectArea);
}
void BM_FloatingPasteDrag(benchmark::State& state)
{
    Drag(state, mmMerge);
}
BENCHMARK(BM_MoveSelectAreaDrag)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloatingPasteDrag)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CopyToClipboard24Mp(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CopyImageToClipboard(Image(), std::nullopt, 0));
}
BENCHMARK(BM_CopyToClipboard24Mp)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PasteFromClipboard24Mp(benchmark::State& state)
{
    CopyImageToClipboard(Image(), std::nullopt, 0);
    for (auto _ : state) {
        const TBitmap picture = GetBitmapFromClipboard();
        benchmark::DoNotOptimize(picture.bits());
    }
}
BENCHMARK(BM_PasteFromClipboard24Mp)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return kalvo::bench::RunCanvasBenchmarks(argc, argv);
}
