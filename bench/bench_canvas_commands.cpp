// The image commands on a 24-megapixel picture through the main window, from OK to the repainted
// canvas (copies, undo step, hand-over to the canvas, one frame), beside the same core operation
// as kalvo-cli runs it; rotate and mirror from the menu; and the drop-shadow preview of the visible
// area against the whole image. With one undo step (MaxUndo 1) each command gives back the buffer
// of the step it drops, which the next command reuses; the Fresh variants return it to the system
// first and pay for a freshly faulted picture-sized buffer, as the first command after an open does.
#include "app/controls/NumericEdit.h"
#include "app/dialogs/MessageService.h"
#include "app/dialogs/ReduceColorsDialog.h"
#include "app/dialogs/ResizeDialog.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "image/BlockMemory.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/colour/ReduceColors.h"
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/DropShadowArea.h"
#include "imaging/effects/NegativeImage.h"
#include "imaging/geometry/OrientBitmap.h"
#include "imaging/resample/ResizeNearest.h"
#include "imaging/resample/ResizeResample.h"
#include "support/CanvasBench.h"
#include "support/MainFormInternals.h"
#include "support/SamplePicture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace kalvo;

constexpr int kWidth = 6000, kHeight = 4000;

const TBitmap& Photo()
{
    static const TBitmap photo = bench::SamplePicture(kWidth, kHeight, 7);
    return photo;
}

const TRegion& Selection()
{
    static const TRegion region = TRegion::rect({1000, 800, 5000, 3200});
    return region;
}

TKalvoMainForm& Form()
{
    static TKalvoMainForm* form = [] {
        auto* f = new TKalvoMainForm;
        f->resize(1600, 1000);
        f->show();
        Internals(*f).FMaxUndo = 1;
        return f;
    }();
    return *form;
}

void Load(TKalvoMainForm& form, bool select)
{
    form.Canvas()->SetBitmap(Photo());
    if (select)
        form.Canvas()->SetRegion(Selection());
    form.UpdateImageActions();
    form.ClearUndoHistory();
}

void Repaint(TKalvoMainForm& form)
{
    form.Canvas()->viewport()->repaint();
}

// Answers the next modal dialog of type T with action.
template <typename T, typename F>
void Answer(F action)
{
    QTimer::singleShot(0, [action] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget()))
            action(d);
    });
}

void BM_NegativeCore(benchmark::State& state)
{
    for (auto _ : state) {
        TBitmap image = Photo();
        NegativeImage(image, TRegionRef{}, nullptr);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_NegativeWindow(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    Load(form, false);
    for (auto _ : state) {
        form.Action("acNegativeImage")->trigger();
        Repaint(form);
    }
}

// The spare picture-sized buffer returned before each command, as after an open or when no undo
// step has been dropped or moved into a file yet: the command faults a fresh buffer in.
void BM_NegativeWindowFresh(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    Load(form, false);
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseSpareBlock();
        state.ResumeTiming();
        form.Action("acNegativeImage")->trigger();
        Repaint(form);
    }
}

void BM_ClearWindowFresh(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    Load(form, true);
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseSpareBlock();
        state.ResumeTiming();
        form.Action("acClear")->trigger();
        Repaint(form);
    }
}

// Undo and redo of a whole-image negative, each to the repainted canvas.
void BM_NegativeUndoRedoWindow(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    Load(form, false);
    form.Action("acNegativeImage")->trigger();
    for (auto _ : state) {
        form.Action("acUndo")->trigger();
        Repaint(form);
        form.Action("acRedo")->trigger();
        Repaint(form);
    }
}

void BM_ClearCore(benchmark::State& state)
{
    for (auto _ : state) {
        auto result = ClearSelection(Photo(), TRegionRef(Selection()), nullptr, clWhite);
        benchmark::DoNotOptimize(result);
    }
}

void BM_ClearWindow(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    Load(form, true);
    for (auto _ : state) {
        form.Action("acClear")->trigger();
        Repaint(form);
    }
}

void BM_ResizeCore(benchmark::State& state)
{
    const bool resample = state.range(0) != 0;
    for (auto _ : state) {
        TBitmap result = resample ? ResizeResample(Photo(), kWidth / 2, kHeight / 2)
                                  : ResizeNearest(Photo(), kWidth / 2, kHeight / 2);
        benchmark::DoNotOptimize(result.bits());
    }
}

void BM_ResizeWindow(benchmark::State& state)
{
    const bool resample = state.range(0) != 0;
    TKalvoMainForm& form = Form();
    for (auto _ : state) {
        state.PauseTiming();
        Load(form, false);
        state.ResumeTiming();
        Answer<TKVfrmResize>([resample](TKVfrmResize* d) {
            d->SetResample(resample);
            d->SetKeepAspect(true);
            d->edtWidth->SetValue(kWidth / 2);
            d->edtHeight->SetValue(kHeight / 2);
            d->btnOk->click();
        });
        form.Action("acResize")->trigger();
        Repaint(form);
    }
}

void BM_ReduceCore(benchmark::State& state)
{
    for (auto _ : state) {
        TBitmap result = ReduceColors(Photo(), 256, TReducePalette::Fixed, true);
        benchmark::DoNotOptimize(result.bits());
    }
}

void BM_ReduceWindow(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    for (auto _ : state) {
        state.PauseTiming();
        Load(form, false);
        state.ResumeTiming();
        Answer<TKVfrmReduceColors>([](TKVfrmReduceColors* d) {
            d->rbFixed->setChecked(true);
            d->rbDiffusion->setChecked(true);
            d->btnOk->click();
        });
        form.Action("acReduce8bitColor")->trigger();
        Repaint(form);
    }
}

// Rotate right and the left-right mirror from the menu to the repainted canvas, and the core
// permutation alone.
void BM_OrientCore(benchmark::State& state)
{
    for (auto _ : state) {
        TBitmap turned = OrientBitmap(Photo(), TOrientation(state.range(0)));
        benchmark::DoNotOptimize(turned.bits());
    }
}

void BM_OrientWindow(benchmark::State& state)
{
    TKalvoMainForm& form = Form();
    Load(form, false);
    const char* action = state.range(0) == int(TOrientation::Rotate90) ? "acRotateRight" : "acFlipHorizontal";
    for (auto _ : state) {
        form.Action(action)->trigger();
        Repaint(form);
    }
}

// The drop shadow of the area a preview shows (260 x 220 pixels) and of the whole picture.
void BM_DropShadowPreviewArea(benchmark::State& state)
{
    const TBitmap mask = RegionToMask(TRegionRef(Selection()), kWidth, kHeight);
    const TDropShadowParams params{2, 2, 5, 50, clBlack};
    for (auto _ : state) {
        auto part = DropShadowArea(Photo(), mask, params, QRect(4900, 3100, 260, 220));
        benchmark::DoNotOptimize(part);
    }
}

void BM_DropShadowWhole(benchmark::State& state)
{
    const TBitmap mask = RegionToMask(TRegionRef(Selection()), kWidth, kHeight);
    TPoints outline;
    Bitmap8ToPoints(&mask, outline);
    const TDropShadowParams params{2, 2, 5, 50, clBlack};
    for (auto _ : state) {
        auto whole = DropShadow(Photo(), mask, outline, params);
        benchmark::DoNotOptimize(whole);
    }
}

BENCHMARK(BM_NegativeCore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NegativeWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NegativeWindowFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearWindowFresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NegativeUndoRedoWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearCore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeCore)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceCore)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReduceWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrientCore)
    ->Arg(int(TOrientation::Rotate90))
    ->Arg(int(TOrientation::FlipHorizontal))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrientWindow)
    ->Arg(int(TOrientation::Rotate90))
    ->Arg(int(TOrientation::FlipHorizontal))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropShadowPreviewArea)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropShadowWhole)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return kalvo::bench::RunCanvasBenchmarks(
        argc, argv, [] { kalvo::SetMessageHandler([](const QString&, int) { return kalvo::IDYES; }); });
}
