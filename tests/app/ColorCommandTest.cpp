// The colour commands on the main window: the reduce dialog's choices per section, palette
// import (malformed files change nothing), export (a failed write is reported), the palette
// editor with its colour grid.
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/ColorGrid.h"
#include "app/dialogs/ColorPaletteDialog.h"
#include "app/dialogs/ReduceColorsDialog.h"
#include "app/mainform/ColorChoice.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "imaging/colour/DrawToPaletteBitmap.h"
#include "imaging/colour/JascPalette.h"
#include "imaging/colour/PaletteBitmap.h"
#include "imaging/colour/ReduceColors.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

TBitmap Picture(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(x * 17);
            p[1] = std::uint8_t(y * 23);
            p[2] = std::uint8_t((x + y) * 9);
        }
    return bmp;
}

void load(Harness& h, const TBitmap& image)
{
    h.form.Canvas()->SetBitmap(image);
    h.form.UpdateImageActions();
    h.form.ClearUndoHistory();
}

} // namespace

TEST(ReduceCommand, ChoicesAreReadAndWrittenPerSection)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap picture = Picture(16, 12);
    load(h, picture);
    QString caption, fixedText;
    AnswerModal<TKVfrmReduceColors>([&](TKVfrmReduceColors* d) {
        caption = d->windowTitle();
        fixedText = d->rbFixed->text();
        EXPECT_TRUE(d->rbOptimized->isChecked());
        EXPECT_TRUE(d->rbNearest->isChecked());
        d->rbFixed->click();
        d->rbDiffusion->click();
        d->btnOk->click();
    });
    h.form.Action("acReduce8bitColor")->trigger();
    EXPECT_EQ(caption, "減色 - 256色");
    EXPECT_EQ(fixedText, "標準 / WEBｾｰﾌ(&S)");
    EXPECT_EQ(h.form.Canvas()->Bitmap(), ReduceColors(picture, 256, TReducePalette::Fixed, true));
    EXPECT_EQ(h.form.Canvas()->BitCount(), 8);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "減色");
    EXPECT_EQ(ReadIniInteger("Reduce8bit", "Palette", -1), 1);
    EXPECT_EQ(ReadIniInteger("Reduce8bit", "Reduce", -1), 1);
    EXPECT_EQ(ReadIniInteger("Reduce4bit", "Palette", -1), -1);

    // The 8-bit result reduced again to 16 colours: its own section, its own defaults.
    const TBitmap indexed = h.form.Canvas()->Bitmap();
    AnswerModal<TKVfrmReduceColors>([&](TKVfrmReduceColors* d) {
        caption = d->windowTitle();
        fixedText = d->rbFixed->text();
        EXPECT_TRUE(d->rbOptimized->isChecked());
        d->rbDiffusion->click();
        d->btnOk->click();
    });
    h.form.Action("acReduce4bitColor")->trigger();
    EXPECT_EQ(caption, "減色 - 16色");
    EXPECT_EQ(fixedText, "Windows 標準(&S)");
    EXPECT_EQ(h.form.Canvas()->Bitmap(), ReduceColors(indexed, 16, TReducePalette::Optimized, true));
    EXPECT_EQ(ReadIniInteger("Reduce4bit", "Palette", -1), 0);
    EXPECT_EQ(ReadIniInteger("Reduce4bit", "Reduce", -1), 1);

    // Cancel: nothing changes, nothing is written; the stored choices come back.
    const TBitmap before = h.form.Canvas()->Bitmap();
    AnswerModal<TKVfrmReduceColors>([&](TKVfrmReduceColors* d) {
        caption = d->windowTitle();
        fixedText = d->rbFixed->text();
        d->rbFixed->click();
        d->btnCancel->click();
    });
    h.form.Action("acReduce1bitColor")->trigger();
    EXPECT_EQ(caption, "減色 - 2色");
    EXPECT_EQ(fixedText, "白黒(&S)");
    EXPECT_EQ(h.form.Canvas()->Bitmap(), before);
    EXPECT_EQ(ReadIniInteger("Reduce1bit", "Palette", -1), -1);
    TKVfrmReduceColors again(256);
    EXPECT_TRUE(again.rbFixed->isChecked());
    EXPECT_TRUE(again.rbDiffusion->isChecked());
    EXPECT_EQ(Internals(h.form).FProgressBar, nullptr);
}

TEST(PaletteImport, MalformedFilesChangeNothingAndAPaletteMapsTheImage)
{
    ScopedConfigDir config;
    TempDir dir;
    Harness h;
    const std::string image = dir.file("p.bmp");
    WriteAll(image, BmpBytes(Picture(10, 8)));
    ASSERT_TRUE(h.form.OpenImageFile(QString::fromStdString(image)));
    h.form.ClearUndoHistory();
    const TBitmap picture = h.form.Canvas()->Bitmap();

    const std::string tooMany = dir.file("many.pal");
    WriteAll(tooMany, Bytes("JASC-PAL\r\n0100\r\n300\r\n0 0 0\r\n"));
    const std::string truncated = dir.file("short.pal");
    WriteAll(truncated, Bytes("JASC-PAL\r\n0100\r\n4\r\n0 0 0\r\n255 255 255\r\n"));
    const std::string badToken = dir.file("bad.pal");
    WriteAll(badToken, Bytes("JASC-PAL\r\n0100\r\n2\r\n0 0 0\r\n255 x 255\r\n"));
    for (const std::string& name : {tooMany, truncated, badToken, dir.file("missing.pal")}) {
        h.dialogs->paletteOpenAnswers.push_back(QString::fromStdString(name));
        h.form.Action("acPaletteImport")->trigger();
        EXPECT_EQ(h.form.Canvas()->Bitmap(), picture) << name;
    }
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());
    EXPECT_EQ(h.dialogs->lastPaletteFolder, QString::fromStdString(dir.path()));

    // Two entries, one separated by commas: a 1-bit image of the nearest of the two.
    const std::string two = dir.file("two.pal");
    WriteAll(two, Bytes("JASC-PAL\r\n0100\r\n2\r\n10,20,30\r\n200 210 220\r\n"));
    h.dialogs->paletteOpenAnswers.push_back(QString::fromStdString(two));
    h.form.Action("acPaletteImport")->trigger();
    TBitmap expected;
    CreatePaletteBitmap(10, 8, {RGB(10, 20, 30), RGB(200, 210, 220)}, expected);
    DrawToPaletteBitmap(expected, picture, 0, 0);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), expected);
    EXPECT_EQ(h.form.Canvas()->BitCount(), 1);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "パレットのインポート");
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), picture);
}

TEST(PaletteExport, WritesThePaletteAndReportsAFailedWrite)
{
    ScopedConfigDir config;
    TempDir dir;
    Harness h;
    const TBitmap indexed = PatternBitmap(6, 4, 4);
    load(h, indexed);
    ASSERT_TRUE(h.form.Action("acPaletteExport")->isEnabled());
    const std::string out = dir.file("out.pal");
    h.dialogs->paletteSaveAnswers.push_back(QString::fromStdString(out));
    h.form.Action("acPaletteExport")->trigger();
    EXPECT_EQ(Text(ReadAll(out)), JascPaletteText(indexed.palette()));
    EXPECT_TRUE(h.messages.shown.empty());

    const std::string nowhere = dir.file("no/such/dir/out.pal");
    h.dialogs->paletteSaveAnswers.push_back(QString::fromStdString(nowhere));
    h.form.Action("acPaletteExport")->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].flags, 16);
    EXPECT_TRUE(h.messages.shown[0].text.contains("out.pal"));
    EXPECT_FALSE(FileExists(nowhere));
    EXPECT_EQ(ListDir(dir.path()).size(), 1u); // nothing half-written beside the first file
}

TEST(PaletteEdit, ArrowKeysMoveTheSelectionAndADoubleClickEditsTheEntry)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap indexed = PatternBitmap(6, 4, 8);
    load(h, indexed);
    ASSERT_TRUE(h.form.Action("acPaletteEdit")->isEnabled());
    SetColorChoiceHandler([](TColor& c) {
        c = RGB(0x12, 0xAB, 0xFE);
        return true;
    });
    AnswerModal<TKVfrmColorPalette>([&](TKVfrmColorPalette* d) {
        EXPECT_EQ(d->windowTitle(), "カラーパレット");
        EXPECT_EQ(d->ColorGrid->SelectColorIndex(), 0);
        EXPECT_EQ(d->lblIndex->text(), "INDEX: 0");
        const TColor c0 = indexed.palette()[0];
        EXPECT_EQ(d->lblRed->text(), QStringLiteral("R: %1").arg(GetRValue(c0)));
        EXPECT_EQ(d->edtWebColor->text(),
                  QStringLiteral("#%1%2%3")
                      .arg(GetRValue(c0), 2, 16, QLatin1Char('0'))
                      .arg(GetGValue(c0), 2, 16, QLatin1Char('0'))
                      .arg(GetBValue(c0), 2, 16, QLatin1Char('0'))
                      .toUpper());
        // Keys reach the grid even with a button focused.
        d->btnOk->setFocus();
        QTest::keyClick(d->btnOk, Qt::Key_Left); // -1 from 0: ignored
        EXPECT_EQ(d->ColorGrid->SelectColorIndex(), 0);
        QTest::keyClick(d->btnOk, Qt::Key_Down);
        QTest::keyClick(d->btnOk, Qt::Key_Right);
        EXPECT_EQ(d->ColorGrid->SelectColorIndex(), 17);
        QTest::keyClick(d->btnCancel, Qt::Key_Up);
        EXPECT_EQ(d->ColorGrid->SelectColorIndex(), 1);
        // Double click on entry 3 (column 3, row 0).
        const QSize cell = d->ColorGrid->CellSize();
        const QPoint at(3 * cell.width() + cell.width() / 2, cell.height() / 2);
        QTest::mouseClick(d->ColorGrid, Qt::LeftButton, {}, at);
        QTest::mouseDClick(d->ColorGrid, Qt::LeftButton, {}, at);
        EXPECT_EQ(d->ColorGrid->SelectColorIndex(), 3);
        EXPECT_EQ(d->edtWebColor->text(), "#12ABFE");
        EXPECT_EQ(d->lblIndex->text(), "INDEX: 3");
        d->btnOk->click();
    });
    h.form.Action("acPaletteEdit")->trigger();
    SetColorChoiceHandler({});
    EXPECT_EQ(h.form.Canvas()->Bitmap().palette()[3], RGB(0x12, 0xAB, 0xFE));
    EXPECT_EQ(h.form.Canvas()->Bitmap().palette()[2], indexed.palette()[2]);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "パレットの変更");
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), indexed);
}

TEST(ColorGrid, SizeSnapsToSixteenCellsAndEntriesHaveLimits)
{
    TpxColorGrid grid;
    grid.resize(100, 70);
    grid.show();
    EXPECT_EQ(grid.CellSize(), QSize(6, 4));
    EXPECT_EQ(grid.size(), QSize(97, 65));
    grid.SetPalette({RGB(1, 2, 3), RGB(4, 5, 6)});
    EXPECT_EQ(grid.PaletteEntries(), 2);
    grid.SetSelectColorIndex(1);
    EXPECT_EQ(grid.SelectColor(), RGB(4, 5, 6));
    grid.SetSelectColorIndex(5);
    EXPECT_EQ(grid.SelectColor(), TColor(-1));
    EXPECT_EQ(grid.IndexAt(QPoint(6 * 3 + 1, 4 * 2 + 1)), 35);
    grid.SetPalette({});
    EXPECT_EQ(grid.PaletteEntries(), 0);
    grid.SetPaletteEntries(300);
    EXPECT_EQ(grid.PaletteEntries(), 256);
    EXPECT_EQ(grid.Palette().size(), 256u);

    // The dialog with the grid choosing a colour for a command: a double click is OK.
    TKVfrmColorPalette dialog;
    dialog.SetDoubleClickAccepts(true);
    dialog.ColorGrid->SetPalette({RGB(9, 9, 9), RGB(7, 7, 7)});
    dialog.ColorGrid->SetSelectColorIndex(1);
    dialog.show();
    QTest::mouseDClick(dialog.ColorGrid, Qt::LeftButton, {}, QPoint(dialog.ColorGrid->CellSize().width() + 2, 2));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ColorGrid->SelectColor(), RGB(7, 7, 7));
}
