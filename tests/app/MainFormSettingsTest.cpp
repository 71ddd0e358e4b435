#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/dialogs/NewImageDialog.h"
#include "app/files/RecentFiles.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "app/startup/Instances.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

#include <filesystem>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string writeBmp(const TempDir& dir, const std::string& name)
{
    const std::string path = dir.file(name);
    WriteAll(path, BmpBytes(PatternBitmap(4, 3, 24)));
    return path;
}

QStringList menuCaptions(const TKalvoMainForm& form)
{
    QStringList captions;
    for (const QAction* a : form.Menu("RecentMenu")->actions())
        captions.push_back(a->text());
    return captions;
}

} // namespace

TEST(MainFormSettings, DefaultsWithoutASettingsFile)
{
    ScopedConfigDir config;
    Harness h;
    EXPECT_EQ(h.form.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
    EXPECT_EQ(Internals(h.form).FMaxUndo, 16);
    EXPECT_EQ(Internals(h.form).FPenMode, 12);
    EXPECT_EQ(h.form.Canvas()->ForegroundColor(), 0x000000u);
    EXPECT_EQ(h.form.Canvas()->BackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(h.form.Canvas()->ToolSettings().BrushSize, 10);
    EXPECT_EQ(h.form.Canvas()->ToolSettings().BrushStep, 20);
    EXPECT_EQ(h.form.Canvas()->ToolSettings().MagicWandTolerance, 10);
    EXPECT_TRUE(Internals(h.form).FSettings.ShowProperty);
    EXPECT_FALSE(Internals(h.form).StatusBar1->isHidden());
    EXPECT_EQ(Internals(h.form).FFileInfo.JpegQuality, 80);
    EXPECT_TRUE(Internals(h.form).TBMRUList1->Items().isEmpty());
    EXPECT_FALSE(h.form.Menu("RecentMenu")->isEnabled());
}

TEST(MainFormSettings, WrittenAtShutDownAndReadAtStartUp)
{
    ScopedConfigDir config;
    {
        Harness h;
        h.form.setGeometry(40, 50, 320, 240);
        Internals(h.form).FMaxUndo = 5;
        Internals(h.form).FFileInfo.JpegQuality = 33;
        {
            TToolSettings t = h.form.Canvas()->ToolSettings();
            t.BrushSize = 44;
            h.form.Canvas()->SetToolSettings(t);
        }
        h.form.Canvas()->SetBackgroundColor(0x00FF00);
        Internals(h.form).StatusBar1->hide();
    }
    const std::string ini = Text(ReadAll(config.file("Kalvo2.ini")));
    EXPECT_NE(ini.find("MaxUndo=5\r\n"), std::string::npos);
    EXPECT_NE(ini.find("ShowStatusBar=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("[Settings]\r\n"), std::string::npos);
    EXPECT_NE(ini.find("JpegQuality=33\r\n"), std::string::npos);
    EXPECT_NE(ini.find("BackgroundColor=00FF00\r\n"), std::string::npos);
    Harness h;
    EXPECT_EQ(h.form.geometry(), QRect(40, 50, 320, 240));
    EXPECT_EQ(Internals(h.form).FMaxUndo, 5);
    EXPECT_EQ(Internals(h.form).FFileInfo.JpegQuality, 33);
    EXPECT_EQ(h.form.Canvas()->ToolSettings().BrushSize, 44);
    EXPECT_EQ(h.form.Canvas()->BackgroundColor(), 0x00FF00u);
    EXPECT_TRUE(Internals(h.form).StatusBar1->isHidden());
}

TEST(MainFormSettings, StoredToleranceKeepsItsLowByteAndPlacementStateApplies)
{
    ScopedConfigDir config;
    WriteAll(config.file("Kalvo2.ini"),
             Bytes("[COMMON]\r\nPlacement=10,10,300,200,3\r\nForegroundColor=0000FF\r\n"
                   "[SETTINGS]\r\nMagicWandTolerance=300\r\n"));
    Harness h;
    EXPECT_EQ(h.form.Canvas()->ToolSettings().MagicWandTolerance, 44);
    EXPECT_EQ(h.form.Canvas()->ForegroundColor(), 0x0000FFu);
    EXPECT_TRUE(h.form.windowState() & Qt::WindowMaximized);
}

TEST(MainFormSettings, StartsWithGarbageSettingsAndRecentFiles)
{
    ScopedConfigDir config;
    std::string ini = "[COMMON\r\n=\r\n[COMMON]\r\nPlacement=a,b,c,d,e\r\nMaxUndo=99999999999999999999\r\n";
    ini += "ForegroundColor=xyz\r\n";
    ini.append("\0\xff\xfe\r\n", 5);
    ini += "[SETTINGS]\r\nBrushSize=-5\r\nPenMode=77\r\n";
    WriteAll(config.file("Kalvo2.ini"), Bytes(ini));
    WriteAll(config.file("Kalvo2.mru"), Bytes("\r\n\r\n" + std::string(5000, 'x') + "\r\n/does/not/exist.bmp\r\n"));
    Harness h;
    EXPECT_EQ(h.form.geometry(), QGuiApplication::primaryScreen()->availableGeometry());
    EXPECT_EQ(Internals(h.form).FMaxUndo, 16);
    EXPECT_EQ(Internals(h.form).FPenMode, 12);
    EXPECT_EQ(h.form.Canvas()->ForegroundColor(), 0x000000u);
    EXPECT_EQ(h.form.Canvas()->ToolSettings().BrushSize, 1);
    EXPECT_EQ(Internals(h.form).TBMRUList1->Items(), QStringList({"/does/not/exist.bmp"}));
}

TEST(MainFormSettings, RecentListGetsTheReplacedFileAndTheOpenFileAtClose)
{
    ScopedConfigDir config;
    TempDir dir;
    const auto a = writeBmp(dir, "a.bmp");
    const auto b = writeBmp(dir, "b.bmp");
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(a)));
    EXPECT_TRUE(Internals(h.form).TBMRUList1->Items().isEmpty());
    ASSERT_TRUE(h.form.OpenImageFile(q(b)));
    EXPECT_EQ(Internals(h.form).TBMRUList1->Items(), QStringList({q(a)}));
    EXPECT_TRUE(h.form.close());
    EXPECT_EQ(Internals(h.form).TBMRUList1->Items(), QStringList({q(b), q(a)}));
    EXPECT_EQ(Text(ReadAll(config.file("Kalvo2.mru"))), b + "\r\n" + a + "\r\n");
    EXPECT_EQ(menuCaptions(h.form), QStringList({"&1 " + q(b), "&2 " + q(a)}));
}

TEST(MainFormSettings, SeventeenthFileDropsTheOldest)
{
    ScopedConfigDir config;
    TempDir dir;
    Harness h;
    for (int i = 0; i <= 17; ++i)
        ASSERT_TRUE(h.form.OpenImageFile(q(writeBmp(dir, QStringLiteral("f%1.bmp").arg(i).toStdString()))));
    const QStringList items = Internals(h.form).TBMRUList1->Items();
    ASSERT_EQ(items.size(), 16);
    EXPECT_EQ(items.front(), q(dir.file("f16.bmp")));
    EXPECT_EQ(items.back(), q(dir.file("f1.bmp")));
    EXPECT_EQ(Text(ReadAll(config.file("Kalvo2.mru"))).find(dir.file("f0.bmp")), std::string::npos);
    EXPECT_EQ(menuCaptions(h.form).at(9), "&A " + q(dir.file("f7.bmp")));
}

TEST(MainFormSettings, TwoWindowsShareTheRecentList)
{
    ScopedConfigDir config;
    TempDir dir;
    const auto a = writeBmp(dir, "a.bmp");
    const auto b = writeBmp(dir, "b.bmp");
    Harness h;
    TKalvoMainForm other;
    EXPECT_EQ(FindMainWindows().size(), 2);
    // The posted message alone must reach the other window.
    Internals(other).TBMRUList1->SetWatching(false);
    ASSERT_TRUE(h.form.OpenImageFile(q(a)));
    ASSERT_TRUE(h.form.OpenImageFile(q(b)));
    EXPECT_TRUE(WaitFor([&] { return Internals(other).TBMRUList1->Items() == QStringList({q(a)}); }));
    EXPECT_EQ(menuCaptions(other), QStringList({"&1 " + q(a)}));

    // A click on a file that has gone removes it everywhere.
    std::filesystem::remove(a);
    other.Menu("RecentMenu")->actions().front()->trigger();
    ASSERT_FALSE(h.messages.shown.empty());
    EXPECT_EQ(h.messages.shown.back().text, "ファイル a.bmp は存在しません．");
    EXPECT_TRUE(Internals(other).TBMRUList1->Items().isEmpty());
    EXPECT_TRUE(WaitFor([&] { return Internals(h.form).TBMRUList1->Items().isEmpty(); }));
}

TEST(MainFormSettings, RecentClickMovesTheEntryUpAndOpensIt)
{
    ScopedConfigDir config;
    TempDir dir;
    const auto a = writeBmp(dir, "a.bmp");
    const auto b = writeBmp(dir, "b.bmp");
    const auto c = writeBmp(dir, "c.bmp");
    Harness h;
    for (const auto& f : {a, b, c})
        ASSERT_TRUE(h.form.OpenImageFile(q(f)));
    ASSERT_EQ(Internals(h.form).TBMRUList1->Items(), QStringList({q(b), q(a)}));
    h.form.Menu("RecentMenu")->actions().at(1)->trigger();
    EXPECT_EQ(h.form.FileName(), q(a));
    EXPECT_EQ(Internals(h.form).TBMRUList1->Items(), QStringList({q(c), q(a), q(b)}));
}

TEST(MainFormSettings, DropOnTheCanvasOpensTheFirstFile)
{
    ScopedConfigDir config;
    TempDir dir;
    const auto a = writeBmp(dir, "a.bmp");
    const auto b = writeBmp(dir, "b.bmp");
    WriteAll(dir.file("x.txt"), Bytes("hi"));
    Harness h;
    QWidget* target = h.form.Canvas()->viewport();
    const auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropEvent);
    };
    drop({QUrl::fromLocalFile(q(b)), QUrl::fromLocalFile(q(a)), QUrl::fromLocalFile(q(a))});
    EXPECT_EQ(h.form.FileName(), q(b));
    drop({QUrl::fromLocalFile(q(dir.file("x.txt")))});
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, "ファイル x.txt が開けませんでした．");
    EXPECT_EQ(h.form.FileName(), q(b));
}

TEST(MainFormNewImage, EachColourIndexFillsTheCanvas)
{
    ScopedConfigDir config;
    const TColor expected[] = {0x123456, 0x654321, 0xFFFFFF, 0x000000, 0x0000FF,
                               0x008000, 0xFF0000, 0x00FFFF, 0x808080};
    Harness h;
    h.form.Canvas()->SetForegroundColor(0x123456);
    h.form.Canvas()->SetBackgroundColor(0x654321);
    for (int index = 0; index < 9; ++index) {
        Internals(h.form).FModified = false;
        AnswerModal<TKVfrmNewImage>([index](TKVfrmNewImage* d) {
            d->pxNumericEdit1->SetValue(7 + index);
            d->pxNumericEdit2->SetValue(5);
            d->ComboBox1->setCurrentIndex(index);
            d->Button1->click();
        });
        h.form.Action("acNewImage")->trigger();
        ASSERT_TRUE(h.form.Canvas()->HasImage());
        const TBitmap& bmp = h.form.Canvas()->Bitmap();
        EXPECT_EQ(bmp.width(), 7 + index);
        EXPECT_EQ(bmp.height(), 5);
        EXPECT_EQ(bmp.bitCount(), 24);
        EXPECT_EQ(bmp.pixelColor(0, 0), expected[index]) << index;
        EXPECT_EQ(bmp.pixelColor(6 + index, 4), expected[index]) << index;
        EXPECT_EQ(ReadIniInteger("NEWIMAGE", "CanvasColorIndex", -1), index);
    }
    EXPECT_EQ(h.form.windowTitle(), "無題 - Kalvo");
    EXPECT_TRUE(Internals(h.form).FModified);
    EXPECT_EQ(Internals(h.form).FFileInfo.Width, 15);
    EXPECT_TRUE(h.form.Action("acSave")->isEnabled());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(MainFormNewImage, RemembersConfirmedValuesAndCancelStoresNothing)
{
    ScopedConfigDir config;
    TempDir dir;
    const auto a = writeBmp(dir, "a.bmp");
    Harness h;
    ASSERT_TRUE(h.form.OpenImageFile(q(a)));
    int shownWidth = 0, shownHeight = 0, shownIndex = -1;
    AnswerModal<TKVfrmNewImage>([&](TKVfrmNewImage* d) {
        shownWidth = d->pxNumericEdit1->Value();
        shownHeight = d->pxNumericEdit2->Value();
        shownIndex = d->ComboBox1->currentIndex();
        d->pxNumericEdit1->setText("50000"); // typed out of range, confirmed with Enter
        d->pxNumericEdit2->SetValue(480);
        d->ComboBox1->setCurrentIndex(3);
        d->Button1->click();
    });
    h.form.Action("acNewImage")->trigger();
    EXPECT_EQ(shownWidth, 100);
    EXPECT_EQ(shownHeight, 100);
    EXPECT_EQ(shownIndex, 1);
    EXPECT_EQ(h.form.Canvas()->Bitmap().width(), 9999);
    EXPECT_EQ(h.form.FileName(), "");
    EXPECT_EQ(Internals(h.form).TBMRUList1->Items(), QStringList({q(a)}));

    // Cancelling the dialog stores nothing and asks nothing.
    AnswerModal<TKVfrmNewImage>([&](TKVfrmNewImage* d) {
        shownWidth = d->pxNumericEdit1->Value();
        shownIndex = d->ComboBox1->currentIndex();
        d->pxNumericEdit1->SetValue(12);
        d->Button2->click();
    });
    h.form.Action("acNewImage")->trigger();
    EXPECT_EQ(shownWidth, 9999);
    EXPECT_EQ(shownIndex, 3);
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_EQ(ReadIniInteger("NEWIMAGE", "Width", 0), 9999);
    EXPECT_EQ(ReadIniInteger("NEWIMAGE", "Height", 0), 480);

    // The image is modified: the save prompt comes after the dialog.
    h.messages.answers.push_back(IDNO);
    AnswerModal<TKVfrmNewImage>([&](TKVfrmNewImage* d) {
        d->ComboBox1->setCurrentIndex(2);
        d->Button1->click();
    });
    h.form.Action("acNewImage")->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].flags, 51);
    EXPECT_EQ(h.form.Canvas()->Bitmap().height(), 480);
    EXPECT_EQ(h.form.Canvas()->Bitmap().pixelColor(0, 0), 0xFFFFFFu);
}
