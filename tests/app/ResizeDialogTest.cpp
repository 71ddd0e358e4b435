// The resize dialog's linking and limits, and the resize command on the main window.
#include "app/dialogs/ResizeDialog.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "imaging/resample/ResizeNearest.h"
#include "imaging/resample/ResizeResample.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// Types text into a field that has the focus, as the user would.
void typeInto(TpxNumericEdit* edit, const QString& text)
{
    QWidget* window = edit->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

struct ShownResize {
    explicit ShownResize(int w, int h) : dialog(w, h)
    {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    TKVfrmResize dialog;
};

} // namespace

TEST(ResizeDialog, StartsWithTheCurrentSizeAndTheSizeGroup)
{
    ShownResize s(320, 200);
    TKVfrmResize& d = s.dialog;
    EXPECT_EQ(d.windowTitle(), "リサイズ");
    EXPECT_EQ(d.lblCurrentSize->text(), "320 x 200");
    EXPECT_EQ(d.rbSize->text(), "サイズで指定する(&S)");
    EXPECT_EQ(d.rbRatio->text(), "比率で指定する(&R)");
    EXPECT_EQ(d.cbKeepAspect->text(), "縦横の比率を保持する(&A)");
    EXPECT_EQ(d.cbResample->text(), "補間処理を行う(&M)");
    EXPECT_TRUE(d.rbSize->isChecked());
    EXPECT_FALSE(d.edtPercentX->isEnabled());
    EXPECT_EQ(d.edtWidth->Value(), 320);
    EXPECT_EQ(d.edtHeight->Value(), 200);
    EXPECT_EQ(d.edtPercentX->Value(), 100);
    EXPECT_EQ(d.edtWidth->MaxValue(), TBitmap::kMaxDimension);

    d.rbRatio->click();
    EXPECT_TRUE(d.rbRatio->isChecked());
    EXPECT_FALSE(d.rbSize->isChecked());
    EXPECT_TRUE(d.edtPercentX->isEnabled());
    EXPECT_FALSE(d.edtWidth->isEnabled());
    EXPECT_TRUE(d.edtPercentX->hasFocus());
}

TEST(ResizeDialog, WidthLinksToHeightAndPercentagesOnlyFromTheFocusedField)
{
    ShownResize s(300, 200);
    TKVfrmResize& d = s.dialog;
    d.SetKeepAspect(true);
    typeInto(d.edtWidth, "451");
    EXPECT_EQ(d.edtHeight->Value(), 301);   // Trunc(200 / 300 * 451 + 0.5) = Trunc(301.17)
    EXPECT_EQ(d.edtPercentX->Value(), 150); // 451 * 100 div 300
    EXPECT_EQ(d.edtPercentY->Value(), 150); // 301 * 100 div 200

    // A field written while another has the focus does not link.
    d.edtHeight->SetValue(50);
    EXPECT_EQ(d.edtWidth->Value(), 451);

    typeInto(d.edtHeight, "100");
    EXPECT_EQ(d.edtWidth->Value(), 150);

    d.SetKeepAspect(false);
    typeInto(d.edtWidth, "600");
    EXPECT_EQ(d.edtHeight->Value(), 100);
    EXPECT_EQ(d.edtPercentX->Value(), 200);
    EXPECT_EQ(d.edtPercentY->Value(), 50);
}

TEST(ResizeDialog, PercentagesLinkWithIntegerDivision)
{
    ShownResize s(333, 77);
    TKVfrmResize& d = s.dialog;
    d.SetKeepAspect(true);
    d.rbRatio->click();
    typeInto(d.edtPercentX, "33");
    EXPECT_EQ(d.edtPercentY->Value(), 33);
    EXPECT_EQ(d.edtWidth->Value(), 109); // 333 * 33 div 100
    EXPECT_EQ(d.edtHeight->Value(), 25); // 77 * 33 div 100
    d.SetKeepAspect(false);
    typeInto(d.edtPercentY, "200");
    EXPECT_EQ(d.edtPercentX->Value(), 33);
    EXPECT_EQ(d.edtHeight->Value(), 154);
}

TEST(ResizeDialog, LinkedValuesAreLimitedToTheTargetRange)
{
    ShownResize s(1000, 10);
    TKVfrmResize& d = s.dialog;
    d.SetKeepAspect(true);
    typeInto(d.edtWidth, "1");
    EXPECT_EQ(d.edtHeight->Value(), 1);   // Trunc(0.01 + 0.5) = 0, raised to 1
    EXPECT_EQ(d.edtPercentX->Value(), 1); // 0, raised to 1

    // 10000 % of 1000 pixels is beyond the bitmap's limit: the width stops at 65535 and the
    // product is computed without overflow.
    d.rbRatio->click();
    typeInto(d.edtPercentX, "10000");
    EXPECT_EQ(d.edtWidth->Value(), TKVfrmResize::kMaxSide);
    EXPECT_EQ(d.edtHeight->Value(), 1000);

    // A percentage typed beyond its range: both sides follow the limited value.
    ShownResize small(4, 3);
    small.dialog.SetKeepAspect(true);
    small.dialog.rbRatio->click();
    typeInto(small.dialog.edtPercentY, "99999");
    EXPECT_EQ(small.dialog.edtPercentX->Value(), TKVfrmResize::kMaxPercent);
    EXPECT_EQ(small.dialog.edtWidth->Value(), 400);
    EXPECT_EQ(small.dialog.edtHeight->Value(), 300);

    // Typed beyond the range and accepted by Enter without leaving the field: OK reads the
    // limited value.
    d.rbSize->click();
    typeInto(d.edtHeight, "99999999");
    QTest::keyClick(d.edtHeight, Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.edtHeight->text(), "65535");
    EXPECT_EQ(d.NewHeight(), 65535);
}

TEST(ResizeCommand, PointSamplingResizesDropsTheSelectionAndWritesTheSettings)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = PatternBitmap(8, 6, 8);
    h.form.Canvas()->SetBitmap(original);
    h.form.UpdateImageActions();
    h.form.ClearUndoHistory();
    h.form.Canvas()->SetRegion(TRegion::rect({1, 1, 4, 4}));
    bool readResample = false, readKeep = false;
    AnswerModal<TKVfrmResize>([&](TKVfrmResize* d) {
        readResample = d->Resample();
        readKeep = d->KeepAspect();
        d->SetResample(false);
        typeInto(d->edtWidth, "20");
        d->btnOk->click();
    });
    h.form.Action("acResize")->trigger();
    EXPECT_TRUE(readResample); // defaults
    EXPECT_TRUE(readKeep);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), ResizeNearest(original, 20, 15));
    EXPECT_EQ(h.form.Canvas()->BitCount(), 8);
    EXPECT_FALSE(h.form.Canvas()->Region());
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "リサイズ");
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(ReadIniString("Resize", "Resample", "-"), "0");
    EXPECT_EQ(ReadIniString("Resize", "KeepAspect", "-"), "1");
    EXPECT_EQ(Internals(h.form).FBusyDepth, 0);

    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);
}

TEST(ResizeCommand, ResamplingAsksForFullColourAndTheSameSizeDoesNothing)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = PatternBitmap(6, 4, 8);
    h.form.Canvas()->SetBitmap(original);
    h.form.UpdateImageActions();
    h.form.ClearUndoHistory();

    // The same size: no work, no question, no settings.
    AnswerModal<TKVfrmResize>([&](TKVfrmResize* d) { d->btnOk->click(); });
    h.form.Action("acResize")->trigger();
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(ReadIniString("Resize", "Resample", "-"), "-");

    // Cancel changes nothing.
    AnswerModal<TKVfrmResize>([&](TKVfrmResize* d) {
        typeInto(d->edtWidth, "12");
        d->btnCancel->click();
    });
    h.form.Action("acResize")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);

    // Resampling a palette image: refused conversion stops the command.
    h.messages.answers.push_back(IDNO);
    AnswerModal<TKVfrmResize>([&](TKVfrmResize* d) {
        typeInto(d->edtWidth, "12");
        d->btnOk->click();
    });
    h.form.Action("acResize")->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].flags, 36);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());

    // Agreed: converted, then resampled; two steps.
    h.messages.answers.push_back(IDYES);
    AnswerModal<TKVfrmResize>([&](TKVfrmResize* d) {
        typeInto(d->edtWidth, "12");
        d->btnOk->click();
    });
    h.form.Action("acResize")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), ResizeResample(original.toTrueColor(), 12, 8));
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 2u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "色解像度変更");
    EXPECT_EQ(Internals(h.form).FUndoList[1]->Description, "リサイズ");
}

TEST(ResizeCommand, ASizeBeyondTheBitmapBoundIsRefusedBeforeAnyWork)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = PatternBitmap(6, 4, 24);
    h.form.Canvas()->SetBitmap(original);
    h.form.UpdateImageActions();
    AnswerModal<TKVfrmResize>([&](TKVfrmResize* d) {
        d->SetKeepAspect(false);
        typeInto(d->edtWidth, "60000");
        typeInto(d->edtHeight, "60000");
        d->btnOk->click();
    });
    h.form.Action("acResize")->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].flags, 16);
    EXPECT_TRUE(h.messages.shown[0].text.contains("60000 x 60000"));
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());
}
