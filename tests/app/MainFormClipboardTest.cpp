// The clipboard commands on the real main window (offscreen clipboard, in process): what a copy
// puts on the clipboard, what paste and merge paste make of it, the paste enabling, failures,
// and the undo steps of moves, merges, cuts and pastes.
#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/clipboardformat/ClipboardData.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QActionGroup>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QClipboard* Clip()
{
    return QGuiApplication::clipboard();
}

TBitmap ClipboardPicture()
{
    return ReadClipboardPicture(*Clip()->mimeData());
}

void SetClipboard(const QString& type, const QByteArray& bytes)
{
    auto* data = new QMimeData;
    data->setData(type, bytes);
    Clip()->setMimeData(data);
}

QByteArray EncodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

std::vector<std::string> UndoSteps(const TKalvoMainForm& form)
{
    std::vector<std::string> steps;
    for (const auto& item : Internals(form).FUndoList)
        steps.push_back(item->Description);
    return steps;
}

struct Window : Harness {
    explicit Window(const TBitmap& image = PatternBitmap(30, 20, 24))
    {
        form.Canvas()->SetBitmap(image);
        form.ClearUndoHistory();
        form.UpdateImageActions();
    }
    TpxImage& canvas() { return *form.Canvas(); }
};

} // namespace

TEST(MainFormClipboard, EllipticalCopyGivesTheBoxWithBackgroundCornersAndTheShape)
{
    ScopedConfigDir config;
    Window w;
    w.canvas().SetBackgroundColor(RGB(9, 8, 7));
    const TRegion ellipse = TRegion::ellipse({4, 3, 16, 13});
    w.canvas().SetRegion(ellipse);
    w.form.Action("acCopy")->trigger();
    const TBitmap copied = ClipboardPicture();
    ASSERT_EQ(copied.width(), 12);
    ASSERT_EQ(copied.height(), 10);
    EXPECT_EQ(copied.pixelColor(0, 0), RGB(9, 8, 7));
    EXPECT_EQ(copied.pixelColor(11, 9), RGB(9, 8, 7));
    EXPECT_EQ(copied.pixelColor(6, 5), w.canvas().Bitmap().pixelColor(10, 8));
    TRegion expected = ellipse;
    expected.offset(-4, -3);
    const TRegionRef shape = ReadClipboardRegion(*Clip()->mimeData());
    ASSERT_TRUE(shape);
    EXPECT_EQ(*shape, expected);
    EXPECT_TRUE(w.form.Action("acPasteRegion")->isEnabled());
    // Other programs get the same pixels as an image.
    const QImage forOthers = qvariant_cast<QImage>(Clip()->mimeData()->imageData());
    EXPECT_EQ(forOthers.pixel(6, 5) & 0xFFFFFF,
              0xFFFFFFu
                  & QColor(GetRValue(copied.pixelColor(6, 5)), GetGValue(copied.pixelColor(6, 5)),
                           GetBValue(copied.pixelColor(6, 5)))
                        .rgb());

    // A selection reaching beyond the image copies only the part inside.
    w.canvas().SetRegion(std::nullopt);
    w.canvas().SelectAll();
    w.canvas().MoveRegionBy(20, 15);
    w.form.Action("acCopy")->trigger();
    const TBitmap part = ClipboardPicture();
    EXPECT_EQ(part.width(), 10);
    EXPECT_EQ(part.height(), 5);
    EXPECT_EQ(part.pixelColor(0, 0), w.canvas().Bitmap().pixelColor(20, 15));
}

TEST(MainFormClipboard, CopyWithoutSelectionOffersNoShapeAndPaletteDepthSurvives)
{
    ScopedConfigDir config;
    const TBitmap indexed = PatternBitmap(13, 7, 4);
    Window w(indexed);
    w.form.Action("acCopy")->trigger();
    EXPECT_FALSE(Clip()->mimeData()->hasFormat(QString::fromLatin1(kRegionMimeType)));
    EXPECT_FALSE(w.form.Action("acPasteRegion")->isEnabled());
    EXPECT_TRUE(w.form.Action("acPaste")->isEnabled());
    const TBitmap back = ClipboardPicture();
    EXPECT_EQ(back.bitCount(), 4);
    EXPECT_EQ(back.width(), 13);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(back.pixelColor(x, y), indexed.pixelColor(x, y));

    // Paste in a second window keeps depth and palette.
    Window other(PatternBitmap(5, 5, 24));
    other.form.Action("acPaste")->trigger();
    EXPECT_EQ(other.canvas().BitCount(), 4);
    EXPECT_EQ(other.canvas().Bitmap().pixelColor(12, 6), indexed.pixelColor(12, 6));
    EXPECT_EQ(UndoSteps(other.form), std::vector<std::string>{"貼り付け"});
    EXPECT_TRUE(Internals(other.form).FModified);
}

TEST(MainFormClipboard, CopySelectionAndPasteSelectionInAnotherWindowGiveTheSameOutline)
{
    ScopedConfigDir config;
    Window a, b;
    const TRegion shape = TRegion::ellipse({3, 2, 19, 15});
    a.canvas().SetRegion(shape);
    a.form.Action("acCopyRegion")->trigger();
    EXPECT_FALSE(Clip()->mimeData()->hasImage());
    EXPECT_FALSE(b.form.Action("acPaste")->isEnabled());
    ASSERT_TRUE(b.form.Action("acPasteRegion")->isEnabled());
    b.form.Action("acPasteRegion")->trigger();
    ASSERT_TRUE(b.canvas().Region());
    EXPECT_EQ(*b.canvas().Region(), shape);
    EXPECT_EQ(b.canvas().Outline(), a.canvas().Outline());
}

TEST(MainFormClipboard, PasteIntoTheEmptyCanvasIsAnUntitledUnmodifiedDocument)
{
    ScopedConfigDir config;
    Harness h;
    Clip()->setImage(QImage(7, 4, QImage::Format_RGB32));
    ASSERT_TRUE(h.form.Action("acPaste")->isEnabled());
    EXPECT_FALSE(h.form.Action("acMergePaste")->isEnabled());
    h.form.Action("acPaste")->trigger();
    EXPECT_TRUE(h.form.Canvas()->HasImage());
    EXPECT_EQ(Internals(h.form).FFileInfo.Width, 7);
    EXPECT_FALSE(Internals(h.form).FModified);
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());
    EXPECT_TRUE(h.form.FileName().isEmpty());
    EXPECT_TRUE(h.form.Action("acMergePaste")->isEnabled());
    EXPECT_TRUE(h.form.ConfirmSave());
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(MainFormClipboard, ForeignPicturesPasteWithExactPixelsAndTransparencyOverWhite)
{
    ScopedConfigDir config;
    Window w;
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(10, 20, 30, 255));
    image.setPixel(1, 0, qRgba(255, 0, 0, 0));
    image.setPixel(2, 0, qRgba(0, 0, 0, 128));
    image.setPixel(0, 1, qRgba(1, 2, 3, 255));
    image.setPixel(1, 1, qRgba(250, 251, 252, 255));
    image.setPixel(2, 1, qRgba(0, 255, 0, 255));
    SetClipboard(QStringLiteral("image/png"), EncodePng(image));
    ASSERT_TRUE(w.form.Action("acPaste")->isEnabled());
    w.form.Action("acPaste")->trigger();
    const TBitmap& b = w.canvas().Bitmap();
    ASSERT_EQ(b.width(), 3);
    EXPECT_EQ(b.pixelColor(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(b.pixelColor(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(b.pixelColor(2, 0), RGB(127, 127, 127));
    EXPECT_EQ(b.pixelColor(1, 1), RGB(250, 251, 252));

    // A BMP from another program.
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImage opaque(2, 2, QImage::Format_RGB32);
    opaque.fill(qRgb(3, 4, 5));
    opaque.save(&buffer, "BMP");
    SetClipboard(QStringLiteral("image/bmp"), bmp);
    ASSERT_TRUE(w.form.Action("acPaste")->isEnabled());
    w.form.Action("acPaste")->trigger();
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(1, 1), RGB(3, 4, 5));
}

TEST(MainFormClipboard, UnreadableClipboardDataFailsCleanlyWithoutAnUndoStep)
{
    ScopedConfigDir config;
    Window w;
    const TBitmap before = w.canvas().Bitmap();
    QByteArray png = EncodePng(QImage(40, 40, QImage::Format_RGB32));
    const std::vector<QPair<QString, QByteArray>> bad = {
        {QString::fromLatin1(kDibMimeType), QByteArray("\x28\0\0\0\xff\xff\xff\x7f", 8)},
        {QStringLiteral("image/png"), png.left(png.size() / 2)},
        {QStringLiteral("image/png"), QByteArray("\x89PNG\r\n\x1a\n garbage")},
    };
    for (const auto& [type, bytes] : bad) {
        SetClipboard(type, bytes);
        w.messages.shown.clear();
        w.form.Action("acPaste")->trigger();
        ASSERT_EQ(w.messages.shown.size(), 1u) << type.toStdString();
        EXPECT_EQ(w.messages.shown[0].flags, MB_ICONERROR);
        EXPECT_EQ(w.canvas().Bitmap(), before);
        EXPECT_TRUE(Internals(w.form).FUndoList.empty());
        EXPECT_FALSE(Internals(w.form).FModified);
    }
    // A lying size (60000 x 60000 in a valid header) is refused before anything is decoded.
    QByteArray huge = EncodePng(QImage(1, 1, QImage::Format_RGB32));
    for (int at : {16, 20}) {
        huge[at] = 0;
        huge[at + 1] = 0;
        huge[at + 2] = char(0xEA);
        huge[at + 3] = char(0x60);
    }
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.constData()) + 12, 17);
    for (int i = 0; i < 4; ++i)
        huge[29 + i] = char(crc >> (24 - 8 * i));
    SetClipboard(QStringLiteral("image/png"), huge);
    w.messages.shown.clear();
    w.form.Action("acPaste")->trigger();
    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_TRUE(w.messages.shown[0].text.contains(QStringLiteral("too large")))
        << w.messages.shown[0].text.toStdString();
    EXPECT_EQ(w.canvas().Bitmap(), before);

    // A garbage private DIB beside a good PNG: the PNG is used.
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kDibMimeType), QByteArray(5, 'x'));
    data->setData(QStringLiteral("image/png"), png);
    data->setData(QString::fromLatin1(kRegionMimeType), QByteArray(40, '\x01'));
    Clip()->setMimeData(data);
    w.form.Action("acPaste")->trigger();
    EXPECT_EQ(w.canvas().Bitmap().width(), 40);

    // Text: nothing to paste.
    Clip()->setText(QStringLiteral("hello"));
    EXPECT_FALSE(w.form.Action("acPaste")->isEnabled());
    EXPECT_FALSE(w.form.Action("acMergePaste")->isEnabled());
    EXPECT_FALSE(w.form.Action("acPasteRegion")->isEnabled());
}

TEST(MainFormClipboard, MergePasteFloatsTheCopyInItsShapeAndRecordsTheMerge)
{
    ScopedConfigDir config;
    Window w;
    const TBitmap original = w.canvas().Bitmap();
    w.canvas().SetRegion(TRegion::ellipse({0, 0, 10, 10}));
    w.form.Action("acCopy")->trigger();
    w.canvas().DeleteSelection();
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmMerge);
    EXPECT_TRUE(w.form.Action("acApply")->isEnabled());
    QTest::keyClick(w.canvas().viewport(), Qt::Key_Return);
    EXPECT_NE(w.canvas().MouseMode(), mmMerge);
    // Removing the selection is a step of its own.
    EXPECT_EQ(UndoSteps(w.form), (std::vector<std::string>{"選択範囲の変更", "合成"}));
    // Inside the ellipse the copy landed on itself, the corners are unchanged.
    EXPECT_EQ(w.canvas().Bitmap(), original);

    // A picture of another program with a malformed shape: no shape, the whole rectangle merges.
    QImage red(4, 3, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), EncodePng(red));
    data->setData(QString::fromLatin1(kRegionMimeType), QByteArray("garbage"));
    Clip()->setMimeData(data);
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmMerge);
    QTest::keyClick(w.canvas().viewport(), Qt::Key_Return);
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(3, 2), RGB(255, 0, 0));
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(4, 2), original.pixelColor(4, 2));

    // Escape cancels.
    w.form.Action("acMergePaste")->trigger();
    QTest::keyClick(w.canvas().viewport(), Qt::Key_Escape);
    EXPECT_NE(w.canvas().MouseMode(), mmMerge);
    EXPECT_EQ(Internals(w.form).FUndoList.size(), 3u);
}

TEST(MainFormClipboard, MergePasteOnAPaletteImageOffersTheConversion)
{
    ScopedConfigDir config;
    Window w(PatternBitmap(10, 10, 8));
    w.form.Action("acCopy")->trigger();
    w.messages.answers.push_back(IDNO);
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.messages.shown.size(), 1u);
    EXPECT_EQ(w.canvas().MouseMode(), mmSelectRect); // the mode the program starts in
    EXPECT_EQ(w.canvas().BitCount(), 8);
    w.messages.answers.push_back(IDYES);
    w.form.Action("acMergePaste")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMerge);
    EXPECT_EQ(w.canvas().BitCount(), 24);
}

TEST(MainFormClipboard, CutFillsTheSelectionHardAndIsOneStep)
{
    ScopedConfigDir config;
    Window w;
    w.canvas().SetBackgroundColor(RGB(0, 0, 255));
    w.canvas().SetRegion(TRegion::rect({2, 2, 6, 5}));
    ASSERT_TRUE(w.form.Action("acCut")->isEnabled());
    const TBitmap before = w.canvas().Bitmap();
    w.form.Action("acCut")->trigger();
    EXPECT_EQ(UndoSteps(w.form), std::vector<std::string>{"切り取り"});
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(6, 2), before.pixelColor(6, 2));
    EXPECT_EQ(ClipboardPicture().pixelColor(0, 0), before.pixelColor(2, 2));
}

TEST(MainFormClipboard, AHeldArrowKeyRecordsOneOutlineMoveStep)
{
    ScopedConfigDir config;
    Window w;
    w.form.show();
    w.canvas().SetRegion(TRegion::rect({5, 5, 10, 10}));
    QWidget* target = w.canvas().viewport();
    QTest::keyPress(target, Qt::Key_Right);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(target, &repeat);
    }
    QTest::keyRelease(target, Qt::Key_Right);
    QTest::keyClick(target, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(w.canvas().Region()->boundingRect(), (TRect{9, 15, 14, 20}));
    EXPECT_EQ(UndoSteps(w.form), std::vector<std::string>{"選択範囲の移動"});
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Region()->boundingRect(), (TRect{5, 5, 10, 10}));
}

TEST(MainFormClipboard, PixelMoveAppliesWithEnterAsOneStepAndPasteCancelsItFirst)
{
    ScopedConfigDir config;
    Window w;
    const TBitmap original = w.canvas().Bitmap();
    w.canvas().SetRegion(TRegion::rect({2, 2, 6, 6}));
    w.canvas().SetMouseMode(mmMoveSelectArea);
    QWidget* vp = w.canvas().viewport();
    const QPoint from = w.canvas().ImageToScreenCentre({3, 3});
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QTest::mouseMove(vp, w.canvas().ImageToScreenCentre({5, 3}));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, w.canvas().ImageToScreenCentre({5, 3}));
    EXPECT_TRUE(w.form.Action("acApply")->isEnabled());
    QTest::keyClick(vp, Qt::Key_Enter);
    EXPECT_EQ(UndoSteps(w.form), std::vector<std::string>{"選択領域の移動/複写"});
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(4, 2), original.pixelColor(2, 2));
    EXPECT_FALSE(w.form.Action("acApply")->isEnabled());

    // A pending move is abandoned by Paste.
    w.form.Action("acCopy")->trigger();
    QTest::mousePress(vp, Qt::LeftButton, {}, w.canvas().ImageToScreenCentre({5, 3}));
    QTest::mouseMove(vp, w.canvas().ImageToScreenCentre({8, 3}));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, w.canvas().ImageToScreenCentre({8, 3}));
    ASSERT_NE(w.canvas().FloatPosition(), QPoint(0, 0));
    w.form.Action("acPaste")->trigger();
    EXPECT_EQ(UndoSteps(w.form), (std::vector<std::string>{"選択領域の移動/複写", "貼り付け"}));
}

TEST(MainFormClipboard, UndoAbandonsAFloatingPasteAndPasteKeepsTheTitle)
{
    ScopedConfigDir config;
    Window w;
    w.form.Action("acCopy")->trigger();
    w.canvas().SetRegion(TRegion::rect({1, 1, 3, 3}));
    w.form.Action("acCut")->trigger();
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmMerge);
    // Undo drops the floating paste first, then undoes the cut.
    w.form.Action("acUndo")->trigger();
    EXPECT_NE(w.canvas().MouseMode(), mmMerge);
    EXPECT_FALSE(w.form.Action("acApply")->isEnabled());
    EXPECT_EQ(Internals(w.form).FUndoPos, 0);

    // A paste over a titled image keeps its name and marks it modified.
    const std::string file = config.file("titled.bmp");
    WriteBmpFile(PatternBitmap(4, 4, 24), file);
    ASSERT_TRUE(w.form.OpenImageFile(QString::fromStdString(file)));
    w.form.Action("acPaste")->trigger();
    EXPECT_EQ(w.form.FileName(), QString::fromStdString(file));
    EXPECT_TRUE(Internals(w.form).FModified);
    EXPECT_EQ(w.canvas().Bitmap().width(), 2); // the cut part
}

TEST(MainFormClipboard, MoveModeActionsFollowTheSelectionAndTheMode)
{
    ScopedConfigDir config;
    Window w;
    EXPECT_FALSE(w.form.Action("acMoveRegion")->isEnabled());
    w.canvas().SetRegion(TRegion::rect({1, 1, 4, 4}));
    ASSERT_TRUE(w.form.Action("acMoveSelectArea")->isEnabled());
    w.form.Action("acMoveSelectArea")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMoveSelectArea);
    EXPECT_TRUE(w.form.Action("acMoveSelectArea")->isChecked());
    w.form.Action("acMoveRegion")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMoveRegion);
    EXPECT_FALSE(w.form.Action("acMoveSelectArea")->isChecked());
    // The selection goes: back to rectangle selection.
    w.canvas().DeleteSelection();
    EXPECT_EQ(w.canvas().MouseMode(), mmSelectRect);
    EXPECT_FALSE(w.form.Action("acMoveRegion")->isEnabled());
    EXPECT_FALSE(w.form.Action("acMoveRegion")->isChecked());
}

TEST(MainFormClipboard, MoveModeActionsKeepOneButtonDownInTheModeGroup)
{
    ScopedConfigDir config;
    Window w;
    QActionGroup* group = w.form.ModeActionGroup();
    const auto checkedCount = [group] {
        const QList<QAction*> actions = group->actions();
        return std::count_if(actions.begin(), actions.end(), [](QAction* a) { return a->isChecked(); });
    };
    EXPECT_TRUE(group->actions().contains(w.form.Action("acMoveRegion")));
    EXPECT_TRUE(group->actions().contains(w.form.Action("acMoveSelectArea")));
    w.canvas().SetRegion(TRegion::rect({2, 2, 6, 6}));
    for (QAction* action : {w.form.Action("acMoveRegion"), w.form.Action("acMoveSelectArea")}) {
        // Choosing the mode on show again keeps its button down.
        action->trigger();
        action->trigger();
        EXPECT_EQ(group->checkedAction(), action);
        EXPECT_EQ(checkedCount(), 1);
    }
    // A selection tool takes the button from the move mode.
    w.form.Action("acSelectEllipse")->trigger();
    EXPECT_EQ(group->checkedAction(), w.form.Action("acSelectEllipse"));
    EXPECT_FALSE(w.form.Action("acMoveSelectArea")->isChecked());

    // A floating paste has no button; applying it returns to the move mode before it, checked.
    w.form.Action("acMoveRegion")->trigger();
    w.form.Action("acCopy")->trigger();
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmMerge);
    EXPECT_EQ(checkedCount(), 0);
    w.form.Action("acApply")->setEnabled(true);
    w.form.Action("acApply")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMoveRegion);
    EXPECT_EQ(group->checkedAction(), w.form.Action("acMoveRegion"));
    EXPECT_EQ(checkedCount(), 1);
    // Cancelling a paste made in the pixel move mode checks that one again.
    w.form.Action("acMoveSelectArea")->trigger();
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmMerge);
    EXPECT_EQ(checkedCount(), 0);
    w.form.Action("acCancel")->setEnabled(true);
    w.form.Action("acCancel")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMoveSelectArea);
    EXPECT_EQ(group->checkedAction(), w.form.Action("acMoveSelectArea"));

    // Pixels moved wholly off the image leave no selection: rectangle selection, checked.
    QWidget* vp = w.canvas().viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, w.canvas().ImageToScreenCentre({3, 3}));
    QTest::mouseMove(vp, w.canvas().ImageToScreenCentre({29, 19}) + QPoint(200, 200));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, w.canvas().ImageToScreenCentre({29, 19}) + QPoint(200, 200));
    w.form.Action("acApply")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmSelectRect);
    EXPECT_EQ(group->checkedAction(), w.form.Action("acSelectRect"));
    EXPECT_EQ(checkedCount(), 1);
}

TEST(MainFormClipboard, ApplyAndCancelFollowTheButtonsOnTheCanvas)
{
    ScopedConfigDir config;
    Window w;
    w.canvas().SetRegion(TRegion::rect({2, 2, 6, 6}));
    w.canvas().SetMouseMode(mmMoveSelectArea);
    QWidget* vp = w.canvas().viewport();
    const QPoint a = w.canvas().ImageToScreenCentre({3, 3}), b = w.canvas().ImageToScreenCentre({6, 4});
    // A right click without an offset leaves them off; after a drag the right button enables them.
    QTest::mousePress(vp, Qt::RightButton, {}, a);
    EXPECT_FALSE(w.form.Action("acApply")->isEnabled());
    QTest::mouseRelease(vp, Qt::RightButton, {}, a);
    QTest::mousePress(vp, Qt::LeftButton, {}, a);
    QTest::mouseMove(vp, b);
    EXPECT_FALSE(w.form.Action("acCancel")->isEnabled()); // not while the left button drags
    QTest::mouseRelease(vp, Qt::LeftButton, {}, b);
    EXPECT_TRUE(w.form.Action("acCancel")->isEnabled());
    QTest::mousePress(vp, Qt::RightButton, {}, b);
    EXPECT_TRUE(w.form.Action("acApply")->isEnabled());
    QTest::mouseRelease(vp, Qt::RightButton, {}, b);
    QTest::keyClick(vp, Qt::Key_Escape);
    EXPECT_EQ(w.canvas().FloatPosition(), QPoint(0, 0));
    EXPECT_FALSE(w.form.Action("acApply")->isEnabled());
    EXPECT_TRUE(Internals(w.form).FUndoList.empty());
}

TEST(MainFormClipboard, OpeningAPictureReevaluatesMergePasteAndPasteSelection)
{
    ScopedConfigDir config;
    Harness h;
    // A picture with a shape on the clipboard before any image is open.
    auto* data = new QMimeData;
    data->setImageData(QImage(3, 3, QImage::Format_RGB32));
    data->setData(QString::fromLatin1(kRegionMimeType), QByteArray(40, '\x01'));
    Clip()->setMimeData(data);
    ASSERT_TRUE(h.form.Action("acPaste")->isEnabled());
    EXPECT_FALSE(h.form.Action("acMergePaste")->isEnabled());
    EXPECT_FALSE(h.form.Action("acPasteRegion")->isEnabled());

    const std::string file = config.file("open.bmp");
    WriteBmpFile(PatternBitmap(4, 4, 24), file);
    ASSERT_TRUE(h.form.OpenImageFile(QString::fromStdString(file)));
    EXPECT_TRUE(h.form.Action("acMergePaste")->isEnabled());
    EXPECT_TRUE(h.form.Action("acPasteRegion")->isEnabled());
}
