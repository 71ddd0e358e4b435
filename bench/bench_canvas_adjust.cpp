// The photo adjustment dialogs' previews on a 24-megapixel picture with a selection: one preview
// of the visible part (restoring the previous one, computing, patching and repainting the
// preview canvas), at the dialog's 1 : 1 (260 x 220 pixels shown), zoomed out to 1 : 4, and at
// 1 : 1 on a preview canvas of 1920 x 1080 (a dialog enlarged to a full-HD screen). The CPU
// column counts the whole process (both threads of the computation).
#include "app/controls/NumericEdit.h"
#include "app/dialogs/AdjustDialogs.h"
#include "app/dialogs/LevelsDialog.h"
#include "app/dialogs/MessageService.h"
#include "canvas/PxImage.h"
#include "support/CanvasBench.h"
#include "support/SamplePicture.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace kalvo;

const TpxImage& Source()
{
    static TpxImage* canvas = [] {
        auto* c = new TpxImage;
        c->SetBitmap(bench::SamplePicture(6000, 4000, 7));
        c->SetRegion(TRegion::rect({1000, 800, 5000, 3200}));
        return c;
    }();
    return *canvas;
}

// Range 0: the zoom-out steps (0 = 1 : 1, 3 = 1 : 4), plus kLarge for the 1920 x 1080 canvas; the
// preview scrolled into the selection.
// set(dialog, i) changes a value before preview i, so that every preview computes anew.
constexpr int kLarge = 10;

template <typename Dialog, typename Set>
void RunPreviews(benchmark::State& state, Set&& set)
{
    Dialog dialog(Source());
    dialog.SetAutoPreview(false);
    if (state.range(0) >= kLarge)
        dialog.pxPreview->setFixedSize(1920, 1080);
    dialog.show();
    for (int i = 0; i < state.range(0) % kLarge; ++i)
        dialog.ZoomOut();
    dialog.pxPreview->SetScrollPosition(2000, 1500);
    dialog.PreviewTimerTimer();
    int i = 0;
    for (auto _ : state) {
        set(dialog, i++);
        dialog.PreviewTimerTimer();
        dialog.pxPreview->viewport()->repaint();
    }
    const QRect area = dialog.PreviewArea();
    state.counters["pixels"] = double(area.width()) * area.height();
}

void BM_PreviewBrightnessContrast(benchmark::State& state)
{
    RunPreviews<TKVfrmBrightnessContrast>(state, [](auto& d, int i) { d.Edit[0]->SetValue(i % 50); });
}

void BM_PreviewHueSaturation(benchmark::State& state)
{
    RunPreviews<TKVfrmHueSaturation>(state, [](auto& d, int i) { d.Edit[0]->SetValue(i % 90); });
}

void BM_PreviewLevels(benchmark::State& state)
{
    RunPreviews<TKVfrmLevels>(state, [](auto& d, int i) { d.Edit[0]->SetValue(i % 50); });
}

// Range 1: the radius in tenths of a pixel.
void BM_PreviewBlur(benchmark::State& state)
{
    RunPreviews<TKVfrmGaussianBlur>(state, [&](auto& d, int i) { d.Edit[0]->SetValue(int(state.range(1)) + i % 2); });
}

void BM_PreviewSharpen(benchmark::State& state)
{
    RunPreviews<TKVfrmSharpen>(state, [](auto& d, int i) { d.Edit[0]->SetValue(100 + i % 50); });
}

// Opening a dialog up to its first preview on the screen and closing it again.
void BM_OpenBrightnessContrast(benchmark::State& state)
{
    Source();
    for (auto _ : state) {
        TKVfrmBrightnessContrast dialog(Source());
        dialog.SetAutoPreview(false);
        dialog.show();
        dialog.PreviewTimerTimer();
        dialog.pxPreview->viewport()->repaint();
    }
}
BENCHMARK(BM_OpenBrightnessContrast)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

BENCHMARK(BM_PreviewBrightnessContrast)
    ->Arg(0)
    ->Arg(3)
    ->Arg(kLarge)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_PreviewHueSaturation)->Arg(0)->Arg(3)->Arg(kLarge)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PreviewLevels)->Arg(0)->Arg(3)->Arg(kLarge)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PreviewBlur)
    ->Args({0, 100})
    ->Args({3, 100})
    ->Args({0, 1000})
    ->Args({kLarge, 100})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_PreviewSharpen)->Arg(0)->Arg(3)->Arg(kLarge)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace

int main(int argc, char** argv)
{
    return kalvo::bench::RunCanvasBenchmarks(
        argc, argv, [] { kalvo::SetMessageHandler([](const QString&, int) { return kalvo::IDYES; }); });
}
