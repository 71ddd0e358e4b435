// The geometry commands of the Image menu on the main window: menu places, enabling, pixels,
// selection and undo steps, and the two dialogs.
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/commands/ActionHint.h"
#include "app/controls/NumericEdit.h"
#include "app/dialogs/CanvasSizeDialog.h"
#include "app/dialogs/RotateAngleDialog.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "imaging/geometry/CanvasSize.h"
#include "imaging/geometry/OrientBitmap.h"
#include "imaging/geometry/RotateByAngle.h"

#include <QAbstractButton>
#include <QAction>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QStringList Entries(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? "[" + a->text() : a->objectName());
    return out;
}

void Open(Harness& h, const TBitmap& picture)
{
    h.form.Canvas()->SetBitmap(picture);
    h.form.UpdateImageActions();
    h.form.ClearUndoHistory();
}

QString LastStep(Harness& h)
{
    return QString::fromStdString(Internals(h.form).FUndoList.back()->Description);
}

} // namespace

TEST(GeometryCommands, StandBehindTheSpecifiedItemsAndFollowTheDocument)
{
    Harness h;
    EXPECT_EQ(Entries(h.form.Menu("ImageMenu")),
              QStringList({"acResize", "-", "acNegativeImage", "acLoassLessJpeg", "-", "acCrop", "[回転・反転(&O)",
                           "acCanvasSize"}));
    EXPECT_EQ(Entries(h.form.Menu("RotateFlipMenu")),
              QStringList({"acRotateRight", "acRotateLeft", "acRotate180", "acRotateAngle", "-", "acFlipHorizontal",
                           "acFlipVertical"}));
    const std::pair<const char*, const char*> captions[] = {{"acCrop", "切り抜き(&C)"},
                                                            {"acRotateRight", "右へ90度回転(&R)"},
                                                            {"acRotateLeft", "左へ90度回転(&L)"},
                                                            {"acRotate180", "180度回転(&1)"},
                                                            {"acRotateAngle", "角度を指定して回転(&A)..."},
                                                            {"acFlipHorizontal", "左右反転(&H)"},
                                                            {"acFlipVertical", "上下反転(&V)"},
                                                            {"acCanvasSize", "キャンバスサイズ(&V)..."}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(h.form.Action(name)->text(), QString::fromUtf8(caption));
        EXPECT_FALSE(h.form.Action(name)->isEnabled()) << name; // no picture yet
    }
    EXPECT_EQ(h.form.Action("acCrop")->shortcut(), QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_X));

    Open(h, PatternBitmap(6, 4, 24));
    EXPECT_TRUE(h.form.Action("acRotateRight")->isEnabled());
    EXPECT_TRUE(h.form.Action("acCanvasSize")->isEnabled());
    EXPECT_FALSE(h.form.Action("acCrop")->isEnabled());
    h.form.Canvas()->SetRegion(TRegion::rect({1, 1, 3, 3}));
    EXPECT_TRUE(h.form.Action("acCrop")->isEnabled());
}

TEST(GeometryCommands, CropKeepsTheBoxAndTheSelectionStaysOnItsPixels)
{
    Harness h;
    const TBitmap original = PatternBitmap(20, 12, 4);
    Open(h, original);
    h.form.Canvas()->SetRegion(TRegion::rect({3, 2, 11, 9}));
    h.form.Action("acCrop")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), CropBitmap(original, QRect(3, 2, 8, 7)));
    ASSERT_TRUE(h.form.Canvas()->Region());
    EXPECT_EQ(h.form.Canvas()->Region()->boundingRect(), (TRect{0, 0, 8, 7}));
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(LastStep(h), "切り抜き");

    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);
    EXPECT_EQ(h.form.Canvas()->Region()->boundingRect(), (TRect{3, 2, 11, 9}));
}

TEST(GeometryCommands, TurnsAndFlipsArePermutationsThatDropTheSelection)
{
    Harness h;
    const std::pair<const char*, TOrientation> turns[] = {{"acRotateRight", TOrientation::Rotate90},
                                                          {"acRotateLeft", TOrientation::Rotate270},
                                                          {"acRotate180", TOrientation::Rotate180},
                                                          {"acFlipHorizontal", TOrientation::FlipHorizontal},
                                                          {"acFlipVertical", TOrientation::FlipVertical}};
    for (const auto& [name, orientation] : turns) {
        const TBitmap original = PatternBitmap(13, 7, 1);
        Open(h, original);
        h.form.Canvas()->SetRegion(TRegion::rect({1, 1, 5, 5}));
        h.form.Action(name)->trigger();
        EXPECT_EQ(h.form.Canvas()->Bitmap(), OrientBitmap(original, orientation)) << name;
        EXPECT_FALSE(h.form.Canvas()->Region()) << name;
        EXPECT_FALSE(h.form.Action("acCrop")->isEnabled()) << name;
        EXPECT_EQ(LastStep(h), PlainCaption(h.form.Action(name)->text()));
        h.form.Action("acUndo")->trigger();
        EXPECT_EQ(h.form.Canvas()->Bitmap(), original) << name;
        EXPECT_TRUE(h.form.Canvas()->Region()) << name;
    }
}

TEST(GeometryCommands, FreeAngleOffersFullColourAndFillsTheCornersWithTheBackground)
{
    ScopedConfigDir config;
    Harness h;
    Open(h, PatternBitmap(40, 20, 8));
    h.form.Canvas()->SetBackgroundColor(RGB(1, 2, 3));
    h.messages.answers.push_back(IDYES); // convert to full colour
    AnswerModal<TKVfrmRotateAngle>([](TKVfrmRotateAngle* d) {
        d->edtAngle->setValue(-30.5);
        d->btnOk->click();
    });
    h.form.Action("acRotateAngle")->trigger();
    int width = 0, height = 0;
    RotatedSize(40, 20, -305, width, height);
    const TBitmap& turned = h.form.Canvas()->Bitmap();
    EXPECT_EQ(turned.bitCount(), 24);
    EXPECT_EQ(turned.width(), width);
    EXPECT_EQ(turned.height(), height);
    EXPECT_EQ(turned.pixelColor(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(LastStep(h), "角度を指定して回転");
    EXPECT_EQ(ReadIniInteger("RotateAngle", "Tenths", 0), -305);
}

TEST(GeometryCommands, CanvasSizeDialogPlacesFillsAndRemembers)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = PatternBitmap(10, 8, 24);
    Open(h, original);
    h.form.Canvas()->SetBackgroundColor(RGB(9, 8, 7));
    AnswerModal<TKVfrmCanvasSize>([](TKVfrmCanvasSize* d) {
        EXPECT_TRUE(d->btnAnchor[0]->isChecked()); // top left at first
        d->edtWidth->SetValue(14);
        d->btnAnchor[8]->click(); // bottom right
        d->btnOk->click();
    });
    h.form.Action("acCanvasSize")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(),
              ResizeCanvas(original, 14, 8, {TAnchorPart::End, TAnchorPart::End}, RGB(9, 8, 7)));
    EXPECT_EQ(LastStep(h), "キャンバスサイズ");

    AnswerModal<TKVfrmCanvasSize>([](TKVfrmCanvasSize* d) {
        EXPECT_TRUE(d->btnAnchor[8]->isChecked()); // remembered
        d->rbRatio->click();
        d->edtPercentX->SetValue(50);
        d->edtPercentY->SetValue(50);
        d->rbOtherColor->setChecked(true);
        d->btnOk->click();
    });
    h.form.Action("acCanvasSize")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 7);
    EXPECT_EQ(h.form.Canvas()->Bitmap().height(), 4);
    EXPECT_TRUE(ReadIniBool("CanvasSize", "ByPercent", false));
    EXPECT_EQ(ReadIniInteger("CanvasSize", "Anchor", 0), 8);
    EXPECT_FALSE(ReadIniBool("CanvasSize", "UseBackground", true));
}
