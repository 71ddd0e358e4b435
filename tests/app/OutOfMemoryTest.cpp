// The main window when memory runs out: each command runs in a child process whose address space
// is limited, fails with a message and leaves picture, title, undo history and modified flag as
// they were.
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/dialogs/DropShadowDialog.h"
#include "app/dialogs/ResizeDialog.h"
#include "app/mainform/MainForm.h"
#include "app/systemclipboard/CanvasClipboard.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/MainFormInternals.h"
#include "support/MemoryLimit.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

using namespace kalvo;
using namespace kalvo::test;

namespace {

constexpr std::size_t kHeadroom = std::size_t(24) << 20;
const QString kNoMemory = QStringLiteral("メモリが足りないため，実行できませんでした．");

// What a window looked like before a command: compared after the command failed.
struct State {
    explicit State(const TKalvoMainForm& f)
        : picture(f.Canvas()->Bitmap()),
          title(f.windowTitle()),
          steps(Internals(f).FUndoList.size()),
          position(Internals(f).FUndoPos),
          modified(Internals(f).FModified)
    {
    }
    TBitmap picture;
    QString title;
    std::size_t steps;
    int position;
    bool modified;
};

// Empty when the window still is as before and the last message is `message` (any message when
// it is empty), else what differs.
std::string Unchanged(const Harness& h, const State& before, const QString& message)
{
    std::ostringstream out;
    const TKalvoMainForm& f = h.form;
    const TMainFormInternals in = Internals(f);
    if (!(f.Canvas()->Bitmap() == before.picture))
        out << "picture changed; ";
    if (f.windowTitle() != before.title)
        out << "title " << f.windowTitle().toStdString() << "; ";
    if (in.FUndoList.size() != before.steps || in.FUndoPos != before.position)
        out << "undo history " << in.FUndoList.size() << " at " << in.FUndoPos << "; ";
    if (in.FModified != before.modified)
        out << "modified flag changed; ";
    if (in.FBusyDepth != 0)
        out << "still busy; ";
    if (h.messages.shown.empty())
        out << "no message; ";
    else if (!message.isEmpty() && h.messages.shown.back().text != message)
        out << "message " << h.messages.shown.back().text.toStdString() << "; ";
    return out.str();
}

// A window showing `picture` from a file, so that it has a title.
void OpenPicture(Harness& h, const TempDir& dir, const TBitmap& picture)
{
    const std::string path = dir.file("shown.bmp");
    WriteAll(path, BmpBytes(picture));
    h.dialogs->openAnswers.push_back(QString::fromStdString(path));
    h.form.Action("acOpen")->trigger();
    ASSERT_EQ(h.form.windowTitle(), "shown.bmp - Kalvo");
}

} // namespace

TEST(OutOfMemory, OpenPasteAndUndoFailWithAMessageAndChangeNothing)
{
    if (!MemoryLimitsWork())
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    ScopedConfigDir config;
    TempDir dir;
    Harness h;
    OpenPicture(h, dir, PatternBitmap(1500, 1200, 24));
    State before(h.form); // taken outside the child, whose memory is limited
    // A picture larger than the headroom, as a file and on the clipboard.
    const TBitmap large = PatternBitmap(4000, 3000, 24);
    const std::string largeFile = dir.file("large.bmp");
    WriteAll(largeFile, BmpBytes(large));
    ASSERT_TRUE(CopyImageToClipboard(large, std::nullopt, 0));

    before = State(h.form);
    EXPECT_EQ(RunWithMemoryLimit(kHeadroom,
                                 [&] {
                                     h.dialogs->openAnswers.push_back(QString::fromStdString(largeFile));
                                     h.form.Action("acOpen")->trigger();
                                     return Unchanged(h, before,
                                                      QStringLiteral("ファイル large.bmp が開けませんでした．"));
                                 }),
              "");
    before = State(h.form);
    EXPECT_EQ(RunWithMemoryLimit(kHeadroom,
                                 [&] {
                                     h.form.Action("acPaste")->trigger();
                                     return Unchanged(h, before, kNoMemory);
                                 }),
              "");

    // Undo needs a copy of the recorded picture (5.4 MB): not with 2 MB to spare.
    h.form.Action("acNegativeImage")->trigger();
    ASSERT_EQ(Internals(h.form).FUndoPos, 1);
    before = State(h.form);
    EXPECT_EQ(RunWithMemoryLimit(std::size_t(2) << 20,
                                 [&] {
                                     h.form.Action("acUndo")->trigger();
                                     return Unchanged(h, before, kNoMemory);
                                 }),
              "");
}

TEST(OutOfMemory, ResizeAndDropShadowFailWithAMessageAndChangeNothing)
{
    if (!MemoryLimitsWork())
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    ScopedConfigDir config;
    TempDir dir;
    Harness h;
    OpenPicture(h, dir, PatternBitmap(1500, 1000, 24));
    State before(h.form); // taken outside the child, whose memory is limited

    before = State(h.form);
    EXPECT_EQ(RunWithMemoryLimit(kHeadroom,
                                 [&] {
                                     AnswerModal<TKVfrmResize>([](TKVfrmResize* d) {
                                         d->SetResample(false);
                                         d->edtWidth->SetValue(6000);
                                         d->edtHeight->SetValue(4000);
                                         d->btnOk->click();
                                     });
                                     h.form.Action("acResize")->trigger();
                                     return Unchanged(h, before, kNoMemory);
                                 }),
              "");

    // The shadow needs a new picture (4.5 MB, mapped for itself like every block from 4 MB on,
    // never taken from memory the process already holds); the dialog's copy fails first.
    h.form.Canvas()->SetRegion(TRegion::rect({100, 100, 600, 500}));
    before = State(h.form);
    EXPECT_EQ(RunWithMemoryLimit(std::size_t(2) << 20,
                                 [&] {
                                     AnswerModal<TKVfrmDropShadow>([](TKVfrmDropShadow* d) { d->btnOk->click(); });
                                     h.form.Action("acDropShadow")->trigger();
                                     return Unchanged(h, before, QString());
                                 }),
              "");
}

// Sends the mouse events (image pixels) to the canvas in a child whose address space has 256 KB
// to spare and whose heap keeps only 128 KB of free blocks; empty when the window is unchanged
// afterwards and shows the message.
std::string PaintWithoutMemory(Harness& h, const std::vector<std::pair<QEvent::Type, QPoint>>& events,
                               const QString& message = kNoMemory)
{
    TpxImage& canvas = *h.form.Canvas();
    canvas.viewport()->grab();
    const State before(h.form);
    return RunWithMemoryLimit(std::size_t(256) << 10, [&] {
        std::vector<void*> held;
        held.reserve(1 << 16);
        while (void* block = std::malloc(std::size_t(64) << 10))
            held.push_back(block);
        for (int i = 0; i < 2 && !held.empty(); ++i) {
            std::free(held.back());
            held.pop_back();
        }
        for (const auto& [type, pixel] : events) {
            const QPointF at = canvas.ViewportPoint(canvas.ImageToScreenCentre(pixel));
            QMouseEvent event(type, at, canvas.viewport()->mapToGlobal(at),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(canvas.viewport(), &event);
        }
        std::string result = Unchanged(h, before, message);
        for (void* block : held)
            std::free(block);
        return result;
    });
}

TEST(OutOfMemory, BrushPenAndFillWithoutMemoryPaintNothing)
{
    if (!MemoryLimitsWork())
        GTEST_SKIP() << "address-space limits do not work under AddressSanitizer";
    ScopedConfigDir config;
    TempDir dir;
    Harness h;
    OpenPicture(h, dir, PatternBitmap(600, 400, 24));
    h.form.Action("acBrush")->trigger();
    TpxImage& canvas = *h.form.Canvas();
    TToolSettings s = canvas.ToolSettings();
    s.BrushSize = 100; // a dab on a corner of four tiles: 192 KB of pixels to keep
    canvas.SetToolSettings(s);
    EXPECT_EQ(PaintWithoutMemory(h, {{QEvent::MouseButtonPress, {128, 128}}, {QEvent::MouseButtonRelease, {128, 128}}}),
              "");

    h.form.Action("acPen")->trigger();
    ASSERT_EQ(canvas.MouseMode(), mmPenFreehand);
    const std::vector<std::pair<QEvent::Type, QPoint>> stroke{{QEvent::MouseButtonPress, {0, 0}},
                                                              {QEvent::MouseMove, {599, 399}},
                                                              {QEvent::MouseMove, {0, 399}},
                                                              {QEvent::MouseButtonRelease, {0, 399}}};
    // The plain pen needs memory only for its undo step (the whole picture): a step that cannot
    // be recorded ends the stroke before it draws.
    EXPECT_EQ(PaintWithoutMemory(h, stroke, QStringLiteral("Except on AddUndoItem.")), "");
    // The anti-aliased pen strokes a copy of its box (here the whole picture).
    s.PenAntiAlias = true;
    canvas.SetToolSettings(s);
    EXPECT_EQ(PaintWithoutMemory(h, stroke), "");
    h.form.Action("acPaint")->trigger();
    EXPECT_EQ(PaintWithoutMemory(h, {{QEvent::MouseButtonPress, {300, 200}}, {QEvent::MouseButtonRelease, {300, 200}}}),
              "");
}
