// Painting on a 24-megapixel photograph through the real canvas and main window on the offscreen
// platform: each mouse event is sent, then the event loop runs until the screen is repainted, so
// the times are from the event to the updated screen.
//   - a brush stroke of 200 moves at size 100, hardness 0, at 100 % and fit to window;
//   - a flood fill at tolerance 10 and 50; a pen stroke of 1000 points;
//   - stroking the outline of a magic-wand selection; undo of a brush stroke;
//   - the history's memory after 16 brush strokes, against 16 whole pictures;
//   - the frame time of the view: a recomposed frame, a hand-tool scroll step and a rubber-band
//     move, at 100 % and fit to window.
// --scale=F runs on a screen with device pixel ratio F (QT_SCALE_FACTOR); the window stays
// 1600 x 1000 logical pixels, so at 2 the canvas composes and shows four times the pixels.
#include "app/mainform/MainForm.h"
#include "app/startup/Application.h"
#include "canvas/PxImage.h"
#include "image/RegionConvert.h"
#include "imaging/raster/FloodMask.h"
#include "support/MainFormInternals.h"
#include "support/SamplePicture.h"

#include <QAction>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

using namespace kalvo;
using Clock = std::chrono::steady_clock;

constexpr int kImageWidth = 6000, kImageHeight = 4000;

const TBitmap& Photo()
{
    static const TBitmap photo = bench::SamplePicture(kImageWidth, kImageHeight, 2024);
    return photo;
}

double Ms(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// This thread's processor time in milliseconds: what a move costs whatever else the machine runs.
double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The main window at 1600 x 1000 showing the photograph.
struct Window {
    TKalvoMainForm form;
    TpxImage& canvas = *form.Canvas();
    Window()
    {
        form.resize(1600, 1000);
        form.show();
        canvas.SetBitmap(Photo());
        form.ClearUndoHistory();
        Settle();
    }
    static void Settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // client: the canvas's client (device) pixels, sent at the logical position they lie on.
    void Mouse(QEvent::Type type, QPoint client, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPointF at = canvas.ViewportPoint(client);
        QMouseEvent event(type, at, canvas.viewport()->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
        QCoreApplication::sendEvent(canvas.viewport(), &event);
    }
    // Sends the event and runs the event loop until the repaint it asked for is on screen.
    double Timed(QEvent::Type type, QPoint client, Qt::MouseButton button = Qt::LeftButton)
    {
        const auto t0 = Clock::now();
        Mouse(type, client, button);
        QCoreApplication::processEvents();
        return Ms(t0);
    }
    QPoint Client(QPoint image) const { return canvas.ImageToScreenCentre(image); }
};

Window& SharedWindow()
{
    static Window* window = new Window; // lives until the process ends, with the application
    return *window;
}

void Reset(Window& w, TMouseMode mode)
{
    w.canvas.SetMouseMode(mmNeko);
    w.canvas.SetRegion(std::nullopt);
    w.canvas.SetBitmap(Photo());
    w.form.ClearUndoHistory();
    w.canvas.SetMouseMode(mode);
    Window::Settle();
}

// Fitted to the window, or at 100 %.
void ShowAt(Window& w, bool fit)
{
    w.canvas.SetAutoStretch(fit);
    if (!fit)
        w.canvas.SetZoom(100);
}

void BrushSettings(TpxImage& canvas)
{
    TToolSettings s = canvas.ToolSettings();
    s.BrushSize = 100;
    s.BrushHardness = 0;
    s.BrushStep = 0;
    canvas.SetToolSettings(s);
    canvas.SetForegroundColor(RGB(250, 40, 10));
}

// One stroke of 200 moves across the visible part; range(0): 1 = fit to window, 0 = 100 %.
void BM_BrushStroke200Moves(benchmark::State& state)
{
    Window& w = SharedWindow();
    const bool fit = state.range(0) != 0;
    double worst = 0, total = 0, press = 0, release = 0, cpuWorst = 0, cpuTotal = 0;
    long moves = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ShowAt(w, fit);
        Reset(w, mmBrush);
        BrushSettings(w.canvas);
        w.canvas.viewport()->repaint();
        const int cw = w.canvas.ClientWidth(), ch = w.canvas.ClientHeight();
        state.ResumeTiming();
        press += w.Timed(QEvent::MouseButtonPress, {cw / 10, ch / 5});
        for (int i = 1; i <= 200; ++i) {
            // Two and a half waves across the view, a few screen pixels per move.
            const QPoint p(cw / 10 + i * (cw * 8 / 10) / 200,
                           int(ch / 5 + (ch / 2) * (0.5 - 0.5 * std::cos(i * 5 * 3.14159265 / 200))));
            const double cpu0 = ThreadCpuMs();
            const double ms = w.Timed(QEvent::MouseMove, p);
            const double cpu = ThreadCpuMs() - cpu0;
            worst = std::max(worst, ms);
            total += ms;
            cpuWorst = std::max(cpuWorst, cpu);
            cpuTotal += cpu;
            ++moves;
        }
        release += w.Timed(QEvent::MouseButtonRelease, {cw * 9 / 10, ch / 2});
    }
    state.counters["move_ms_mean"] = total / double(std::max(moves, 1L));
    state.counters["move_ms_max"] = worst;
    state.counters["move_cpu_ms_mean"] = cpuTotal / double(std::max(moves, 1L));
    state.counters["move_cpu_ms_max"] = cpuWorst;
    state.counters["press_ms"] = press / double(state.iterations());
    state.counters["release_ms"] = release / double(state.iterations());
    state.counters["zoom"] = w.canvas.Zoom();
}
BENCHMARK(BM_BrushStroke200Moves)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

// Undo of one brush stroke (after the stroke above), from the command to the updated screen.
void BM_UndoBrushStroke(benchmark::State& state)
{
    Window& w = SharedWindow();
    w.canvas.SetAutoStretch(true);
    for (auto _ : state) {
        state.PauseTiming();
        Reset(w, mmBrush);
        BrushSettings(w.canvas);
        w.Mouse(QEvent::MouseButtonPress, {200, 200});
        for (int i = 1; i <= 20; ++i)
            w.Mouse(QEvent::MouseMove, {200 + 30 * i, 200 + 10 * i});
        w.Mouse(QEvent::MouseButtonRelease, {800, 400});
        Window::Settle();
        state.ResumeTiming();
        w.form.Action("acUndo")->trigger();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_UndoBrushStroke)->Iterations(5)->Unit(benchmark::kMillisecond);

// 16 brush strokes of 20 moves at size 100 in fit to window: the memory the history holds for
// them (each step keeps its stroke's box), the release that records a step, and undo and redo
// of all 16.
void BM_SixteenBrushStrokesHistory(benchmark::State& state)
{
    Window& w = SharedWindow();
    w.canvas.SetAutoStretch(true);
    double release = 0, undoRedo = 0, history = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(w, mmBrush);
        BrushSettings(w.canvas);
        Window::Settle();
        state.ResumeTiming();
        for (int s = 0; s < 16; ++s) {
            const QPoint from(100 + 80 * s, 100 + 30 * (s % 8));
            w.Mouse(QEvent::MouseButtonPress, from);
            for (int i = 1; i <= 20; ++i)
                w.Mouse(QEvent::MouseMove, from + QPoint(5 * i, 8 * i));
            release += w.Timed(QEvent::MouseButtonRelease, from + QPoint(100, 160));
        }
        history = 0;
        for (const auto& item : Internals(w.form).FUndoList)
            history += double(UndoItemMemory(*item)) / 1e6;
        const auto t0 = Clock::now();
        for (const char* action : {"acUndo", "acRedo"})
            for (int s = 0; s < 16; ++s)
                w.form.Action(action)->trigger();
        QCoreApplication::processEvents();
        undoRedo += Ms(t0);
    }
    const double n = double(state.iterations());
    state.counters["history_MB"] = history;
    state.counters["whole_pictures_MB"] = 16 * double(Photo().byteSize()) / 1e6;
    state.counters["release_ms"] = release / n / 16;
    state.counters["undo_redo_32_ms"] = undoRedo / n;
}
BENCHMARK(BM_SixteenBrushStrokesHistory)->Iterations(2)->Unit(benchmark::kMillisecond);

// A fill click at the given tolerance (fit to window), click to updated screen.
void BM_FloodFill(benchmark::State& state)
{
    Window& w = SharedWindow();
    w.canvas.SetAutoStretch(true);
    TToolSettings s = w.canvas.ToolSettings();
    s.PaintTolerance = std::uint8_t(state.range(0));
    w.canvas.SetToolSettings(s);
    const QPoint seed(3000, 2000);
    long filled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(w, mmPaint);
        w.canvas.SetToolSettings(s);
        w.canvas.viewport()->repaint();
        state.ResumeTiming();
        w.Timed(QEvent::MouseButtonPress, w.Client(seed));
        state.PauseTiming();
        w.Mouse(QEvent::MouseButtonRelease, w.Client(seed));
        if (const auto mask = FloodMask(Photo(), seed.x(), seed.y(), s.PaintTolerance)) {
            const TRegion area = MonoBitmapToRegion(*mask);
            filled = long(area.boundingRect().width()) * area.boundingRect().height();
        }
        state.ResumeTiming();
    }
    state.counters["filled_box_px"] = double(filled);
}
BENCHMARK(BM_FloodFill)->Arg(10)->Arg(50)->Iterations(3)->Unit(benchmark::kMillisecond);

// A free-hand pen stroke of 1000 points across 1200 x 800 client pixels: the mean move and the
// release (drawing); range(0): anti-aliasing. At 100 % the stroke's box is 1200 x 800 image
// pixels, fitted to the window about 4700 x 3100.
void PenStroke(benchmark::State& state, bool fit)
{
    Window& w = SharedWindow();
    ShowAt(w, fit);
    double moveTotal = 0, worst = 0, release = 0, releaseCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(w, mmPenFreehand);
        TToolSettings s = w.canvas.ToolSettings();
        s.PenAntiAlias = state.range(0) != 0;
        w.canvas.SetToolSettings(s);
        state.ResumeTiming();
        w.Timed(QEvent::MouseButtonPress, {50, 50});
        for (int i = 1; i <= 1000; ++i) {
            const double ms = w.Timed(QEvent::MouseMove, {50 + i % 1200, 50 + (i * 7) % 800});
            moveTotal += ms;
            worst = std::max(worst, ms);
        }
        const double cpu = ThreadCpuMs();
        release += w.Timed(QEvent::MouseButtonRelease, {50, 50});
        releaseCpu += ThreadCpuMs() - cpu;
    }
    state.counters["move_ms_mean"] = moveTotal / 1000.0 / double(state.iterations());
    state.counters["move_ms_max"] = worst;
    state.counters["release_ms"] = release / double(state.iterations());
    state.counters["release_cpu_ms"] = releaseCpu / double(state.iterations());
}

void BM_PenStroke1000Points(benchmark::State& state)
{
    PenStroke(state, false);
}
void BM_PenStroke1000PointsAtFit(benchmark::State& state)
{
    PenStroke(state, true);
}
BENCHMARK(BM_PenStroke1000Points)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PenStroke1000PointsAtFit)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);

// Stroking the outline of a magic-wand selection (tolerance 30 around the middle), with the
// brush size as width; range(0): anti-aliasing.
void BM_StrokeOutlineOfMagicWand(benchmark::State& state)
{
    Window& w = SharedWindow();
    w.canvas.SetAutoStretch(true);
    const std::optional<TBitmap> mask = FloodMask(Photo(), 3000, 2000, 30);
    const TRegion wand = MonoBitmapToRegion(*mask);
    std::size_t outline = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(w, mmSelectRect);
        w.canvas.SetRegion(wand);
        TToolSettings s = w.canvas.ToolSettings();
        s.BrushSize = 3;
        s.PenAntiAlias = state.range(0) != 0;
        w.canvas.SetToolSettings(s);
        outline = w.canvas.Outline().size();
        Window::Settle();
        state.ResumeTiming();
        w.canvas.StrokeOutline();
        QCoreApplication::processEvents();
    }
    state.counters["outline_points"] = double(outline);
}
BENCHMARK(BM_StrokeOutlineOfMagicWand)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);

// The frame time of the view, from the event to the repainted viewport; range(0): 1 = fit to
// window, 0 = 100 %; range(1): 0 = the frame recomposed (after any change of what it shows),
// 1 = a hand-tool drag step that scrolls by 8 x 5 pixels (100 % only), 2 = a rubber-band move of a
// rectangle selection (the frame is reused, the band drawn over it).
void BM_ViewFrame(benchmark::State& state)
{
    Window& w = SharedWindow();
    const bool fit = state.range(0) != 0;
    const int gesture = int(state.range(1));
    constexpr int kSteps = 40;
    double total = 0, worst = 0;
    long steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ShowAt(w, fit);
        Reset(w, gesture == 1 ? mmNeko : mmSelectRect);
        if (!fit)
            w.canvas.SetScrollPosition(1000, 800);
        w.canvas.viewport()->repaint();
        const int cw = w.canvas.ClientWidth(), ch = w.canvas.ClientHeight();
        const QPoint start(cw * 3 / 4, ch * 3 / 4);
        if (gesture != 0)
            w.Mouse(QEvent::MouseButtonPress, start);
        Window::Settle();
        state.ResumeTiming();
        for (int i = 1; i <= kSteps; ++i) {
            double ms = 0;
            if (gesture == 0) {
                const auto t0 = Clock::now();
                w.canvas.Invalidate();
                QCoreApplication::processEvents();
                ms = Ms(t0);
            } else {
                ms = w.Timed(QEvent::MouseMove, start - QPoint(8 * i, 5 * i));
            }
            total += ms;
            worst = std::max(worst, ms);
            ++steps;
        }
        state.PauseTiming();
        if (gesture != 0)
            w.Mouse(QEvent::MouseButtonRelease, start - QPoint(8 * kSteps, 5 * kSteps));
        Window::Settle();
        state.ResumeTiming();
    }
    state.counters["frame_ms_mean"] = total / double(std::max(steps, 1L));
    state.counters["frame_ms_max"] = worst;
    state.counters["frame_px"] = double(w.canvas.ComposedFrame().width()) * w.canvas.ComposedFrame().height();
    state.counters["ratio"] = w.canvas.PixelRatio();
    state.counters["zoom"] = w.canvas.Zoom();
}
BENCHMARK(BM_ViewFrame)
    ->ArgNames({"fit", "gesture"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 0})
    ->Args({1, 2})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // --scale=F: the screen's device pixel ratio; taken out before the benchmark library reads
    // the arguments.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--scale=", 8) == 0)
            ::setenv("QT_SCALE_FACTOR", argv[i] + 8, 1);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    QTemporaryDir configDir;
    ::setenv("KALVO_CONFIG_DIR", QDir::toNativeSeparators(configDir.path()).toLocal8Bit().constData(), 1);
    TKalvoApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::_Exit(0); // the shared window is left to the process end
}
