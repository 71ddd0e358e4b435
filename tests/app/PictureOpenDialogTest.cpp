// The picture open dialog's preview pane and the save dialog's options button, on the real
// dialogs: information lines, the fit of the picture in the paint box (checked on its pixels),
// the check box, folders and damaged files, list navigation, and the dialogs run through
// TFileDialogs.
#include "app/dialogs/PictureOpenDialog.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/dialogs/OptionSaveDialog.h"
#include "app/dialogs/PreviewPaintBox.h"
#include "app/dialogs/PreviewText.h"
#include "app/dialogs/SaveOptionDialog.h"
#include "app/files/FileDialogs.h"
#include "codecs/FileExtension.h"
#include "codecs/FormatDispatch.h"
#include "codecs/JpegTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGlyphRun>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextLayout>

#include <filesystem>

using namespace kalvo;
using namespace kalvo::test;

namespace {

constexpr TColor kRed = 0x0000FF; // 0x00BBGGRR

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string Save(const TempDir& dir, const std::string& name, TBitmap bitmap)
{
    TpxImageInfo info;
    info.FileName = dir.file(name);
    SaveImageFile(bitmap, info);
    EXPECT_EQ(info.Result, 0) << name;
    return info.FileName;
}

// A dialog shown at a fixed size, previewing whatever the test highlights.
struct ShownDialog {
    ShownDialog()
    {
        dialog.resize(900, 520);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    // Highlights fileName and waits until its preview has loaded.
    void highlight(const std::string& fileName)
    {
        dialog.SelectionChanged(q(fileName));
        EXPECT_TRUE(WaitFor([&] { return !dialog.PreviewPending(); }));
        QApplication::processEvents();
    }
    QImage box() const { return dialog.PaintBox->grab().toImage(); }
    int boxHeight() const { return dialog.PaintBox->height(); }

    TPictureOpenDialog dialog;
};

bool IsRed(QRgb c)
{
    return qRed(c) > 240 && qGreen(c) < 16 && qBlue(c) < 16;
}
bool IsPattern(QRgb c)
{
    return c == qRgb(255, 255, 255) || c == qRgb(192, 192, 192);
}

// The red picture covers exactly `expected` of the box; the rest shows the pattern.
void ExpectPictureAt(const QImage& box, const QRect& expected)
{
    ASSERT_FALSE(box.isNull());
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) {
            const QRgb c = box.pixel(x, y);
            if (expected.contains(x, y)) {
                ASSERT_TRUE(IsRed(c)) << "inside at " << x << "," << y;
            } else {
                ASSERT_TRUE(IsPattern(c)) << "outside at " << x << "," << y << ": " << std::hex << c;
            }
        }
}

void ExpectEmptyPane(const TPictureOpenDialog& d)
{
    EXPECT_EQ(d.PictureLabel1->text(), QString());
    EXPECT_EQ(d.PictureLabel2->text(), QString());
    EXPECT_EQ(d.PictureLabel3->text(), QString());
    EXPECT_FALSE(d.PaintBox->HasPicture());
}

} // namespace

TEST(PreviewText, LinesWithTabsSeparatorsAndDepth)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(PictureSizeLine(600, 300, 24), QStringLiteral("画像ｻｲｽﾞ：\t600 x 300 pixels 24 bpp"));
    EXPECT_EQ(PictureSizeLine(7, 3, 0), QStringLiteral("画像ｻｲｽﾞ：\t7 x 3 pixels "));
    // Even the C locale, which leaves them out by default, groups the digits.
    EXPECT_EQ(FileSizeLine(1234567), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ：\t1,234,567 bytes"));
    EXPECT_EQ(FileSizeLine(999), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ：\t999 bytes"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FileSizeLine(1234567), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ：\t1.234.567 bytes"));
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const QDateTime t(QDate(2026, 1, 2), QTime(3, 4, 5));
    EXPECT_EQ(ModifiedLine(t), QStringLiteral("最終更新：\t2026/01/02 3:04:05"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(ModifiedLine(QDateTime(QDate(2025, 11, 30), QTime(23, 59, 58))),
              QStringLiteral("最終更新：\t11/30/25 11:59:58 PM"));
    QLocale::setDefault(QLocale::system());
}

TEST(PictureOpenDialog, ControlsAndCaptions)
{
    TPictureOpenDialog d;
    EXPECT_TRUE(d.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(d.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(d.EnablePreview());
    EXPECT_EQ(d.PreviewCheckBox->text(), QStringLiteral("プレビュー(&P)"));
    EXPECT_TRUE(d.PreviewCheckBox->isChecked());
    EXPECT_EQ(d.PaintBox->width(), 150);
    EXPECT_EQ(d.findChild<QFrame*>(QStringLiteral("PaintPanel")), d.PaintPanel);
    EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("PictureLabel2")), d.PictureLabel2);
    EXPECT_EQ(d.PreviewBaseColor(), QApplication::palette().color(QPalette::Button));
    d.SetEnablePreview(false);
    EXPECT_FALSE(d.PreviewCheckBox->isChecked());
    // The tile: silver diagonals on white.
    const QImage tile = TPreviewPaintBox::BackgroundTile();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(tile.pixel(x, y), (x == y || x == 7 - y) ? qRgb(192, 192, 192) : qRgb(255, 255, 255));
}

TEST(PictureOpenDialog, EachFormatShowsItsSizeDepthAndFileInformation)
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    TempDir dir;
    ShownDialog s;
    struct Case {
        std::string name;
        TBitmap bitmap;
        QString line1;
    };
    const Case cases[] = {
        {"a.bmp", PatternBitmap(300, 120, 8), QStringLiteral("画像ｻｲｽﾞ：\t300 x 120 pixels 8 bpp")},
        {"b.rle", PatternBitmap(40, 20, 4), QStringLiteral("画像ｻｲｽﾞ：\t40 x 20 pixels 4 bpp")},
        {"c.png", SolidBitmap(600, 300, kRed), QStringLiteral("画像ｻｲｽﾞ：\t600 x 300 pixels 24 bpp")},
        {"d.gif", PatternBitmap(64, 64, 8), QStringLiteral("画像ｻｲｽﾞ：\t64 x 64 pixels 8 bpp")},
        {"e.jpg", PhotoLike(1024, 768), QStringLiteral("画像ｻｲｽﾞ：\t1024 x 768 pixels 24 bpp")},
        {"f.jpe", PhotoLike(64, 48), QStringLiteral("画像ｻｲｽﾞ：\t64 x 48 pixels 24 bpp")},
        {"g.jp2", PhotoLike(320, 200), QStringLiteral("画像ｻｲｽﾞ：\t320 x 200 pixels 24 bpp")},
        // The JPEG 2000 save writes 24 bits even from a 1-bit picture.
        {"h.j2k", PatternBitmap(50, 50, 1), QStringLiteral("画像ｻｲｽﾞ：\t50 x 50 pixels 24 bpp")},
    };
    for (const Case& c : cases) {
        const std::string file = Save(dir, c.name, c.bitmap);
        const QDateTime stamp(QDate(2025, 11, 30), QTime(23, 59, 58));
        QFile f(q(file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
        f.close();
        s.highlight(file);
        EXPECT_EQ(s.dialog.PictureLabel1->text(), c.line1) << c.name;
        EXPECT_EQ(s.dialog.PictureLabel2->text(), FileSizeLine(QFileInfo(q(file)).size())) << c.name;
        EXPECT_TRUE(s.dialog.PictureLabel2->text().endsWith(QStringLiteral(" bytes")));
        EXPECT_EQ(s.dialog.PictureLabel3->text(), QStringLiteral("最終更新：\t2025/11/30 23:59:58"));
        EXPECT_TRUE(s.dialog.PaintBox->HasPicture()) << c.name;
    }
    // A file of 1,234,567 bytes: a PNG with padding after its end chunk.
    const std::string padded = Save(dir, "padded.png", SolidBitmap(20, 10, kRed));
    std::vector<std::uint8_t> bytes = ReadAll(padded);
    bytes.resize(1234567, 0);
    WriteAll(padded, bytes);
    s.highlight(padded);
    EXPECT_EQ(s.dialog.PictureLabel2->text(), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ：\t1,234,567 bytes"));
    QLocale::setDefault(QLocale::system());
}

TEST(PictureOpenDialog, PicturesFitTheBoxByTheSmallerScale)
{
    TempDir dir;
    ShownDialog s;
    const int h = s.boxHeight();
    ASSERT_GT(h, 150); // a box taller than wide, where the old rule overflowed
    // Fits: own size, centred.
    s.highlight(Save(dir, "small.bmp", SolidBitmap(100, 50, kRed)));
    EXPECT_EQ(s.dialog.PaintBox->PictureRect(), QRect(25, (h - 50) / 2, 100, 50));
    ExpectPictureAt(s.box(), QRect(25, (h - 50) / 2, 100, 50));
    // Wide: 150 x 75 centred vertically.
    s.highlight(Save(dir, "wide.png", SolidBitmap(600, 300, kRed)));
    ExpectPictureAt(s.box(), QRect(0, (h - 75) / 2, 150, 75));
    // Square: 150 x 150, not box height wide.
    s.highlight(Save(dir, "square.png", SolidBitmap(400, 400, kRed)));
    ExpectPictureAt(s.box(), QRect(0, (h - 150) / 2, 150, 150));
    // Tall: the smaller of the two scales.
    s.highlight(Save(dir, "tall.bmp", SolidBitmap(300, 900, kRed)));
    const QRect tall = 150 * 900 <= h * 300 ? QRect(0, (h - 450) / 2, 150, 450)
                                            : QRect((150 - (300 * h + 450) / 900) / 2, 0, (300 * h + 450) / 900, h);
    ExpectPictureAt(s.box(), tall);
}

TEST(PictureOpenDialog, CheckBoxSwitchesThePreviewOffAndBackOn)
{
    TempDir dir;
    ShownDialog s;
    const std::string wide = Save(dir, "wide.png", SolidBitmap(600, 300, kRed));
    s.highlight(wide);
    ASSERT_TRUE(s.dialog.PaintBox->HasPicture());
    s.dialog.PreviewCheckBox->click();
    EXPECT_FALSE(s.dialog.EnablePreview());
    ExpectEmptyPane(s.dialog);
    ExpectPictureAt(s.box(), QRect());
    // Highlighting while off shows nothing; switching on shows the file highlighted last.
    const std::string square = Save(dir, "square.png", SolidBitmap(400, 400, kRed));
    s.highlight(square);
    ExpectEmptyPane(s.dialog);
    s.dialog.PreviewCheckBox->click();
    EXPECT_TRUE(WaitFor([&] { return !s.dialog.PreviewPending(); }));
    QApplication::processEvents();
    EXPECT_EQ(s.dialog.PictureLabel1->text(), QStringLiteral("画像ｻｲｽﾞ：\t400 x 400 pixels 24 bpp"));
    ExpectPictureAt(s.box(), QRect(0, (s.boxHeight() - 150) / 2, 150, 150));
}

TEST(PictureOpenDialog, FoldersAndMissingNamesKeepThePreviewDamagedFilesClearIt)
{
    TempDir dir;
    ShownDialog s;
    const std::string wide = Save(dir, "wide.png", SolidBitmap(600, 300, kRed));
    std::filesystem::create_directory(dir.file("folder.png"));
    s.highlight(wide);
    const QString line1 = s.dialog.PictureLabel1->text();
    for (const std::string& other : {dir.file("folder.png"), dir.file("missing.png"), dir.path(), std::string()}) {
        s.highlight(other);
        EXPECT_EQ(s.dialog.PictureLabel1->text(), line1) << other;
        EXPECT_TRUE(s.dialog.PaintBox->HasPicture()) << other;
    }
    // Damaged, truncated and unknown files clear the pane without a message.
    std::vector<std::uint8_t> bytes = ReadAll(wide);
    WriteAll(dir.file("cut.png"), std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 60));
    bytes[20] ^= 0xFF;
    WriteAll(dir.file("corrupt.png"), bytes);
    WriteAll(dir.file("photo.jpg"), std::vector<std::uint8_t>(100, 0xFF));
    WriteAll(dir.file("notes.txt"), std::vector<std::uint8_t>(10, 'a'));
    for (const char* bad : {"cut.png", "corrupt.png", "photo.jpg", "notes.txt"}) {
        s.highlight(wide);
        ASSERT_TRUE(s.dialog.PaintBox->HasPicture());
        s.highlight(dir.file(bad));
        ExpectEmptyPane(s.dialog);
        ExpectPictureAt(s.box(), QRect());
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(qobject_cast<QMessageBox*>(w) && w->isVisible()) << bad;
    }
}

TEST(PictureOpenDialog, ALaterHighlightWinsOverOneStillLoading)
{
    TempDir dir;
    ShownDialog s;
    const std::string big = Save(dir, "big.png", SolidBitmap(3000, 2000, kRed));
    const std::string small = Save(dir, "small.bmp", SolidBitmap(100, 50, kRed));
    s.dialog.SelectionChanged(q(big));
    s.dialog.SelectionChanged(q(small));
    EXPECT_TRUE(WaitFor([&] { return !s.dialog.PreviewPending(); }));
    QApplication::processEvents();
    EXPECT_EQ(s.dialog.PictureLabel1->text(), QStringLiteral("画像ｻｲｽﾞ：\t100 x 50 pixels 24 bpp"));
    ExpectPictureAt(s.box(), QRect(25, (s.boxHeight() - 50) / 2, 100, 50));
}

TEST(PictureOpenDialog, MovingThroughTheFileListPreviewsEachFile)
{
    TempDir dir;
    Save(dir, "a.bmp", SolidBitmap(100, 50, kRed));
    Save(dir, "b.png", SolidBitmap(600, 300, kRed));
    ShownDialog s;
    s.dialog.setNameFilters(OpenDialogFilters());
    s.dialog.setDirectory(q(dir.path()));
    auto* list = s.dialog.findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_TRUE(list);
    ASSERT_TRUE(WaitFor([&] { return list->model()->rowCount(list->rootIndex()) == 2; }));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    ASSERT_TRUE(WaitFor([&] { return !s.dialog.PictureLabel1->text().isEmpty() && !s.dialog.PreviewPending(); }));
    EXPECT_EQ(s.dialog.PictureLabel1->text(), QStringLiteral("画像ｻｲｽﾞ：\t100 x 50 pixels 24 bpp"));
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_TRUE(WaitFor(
        [&] { return s.dialog.PictureLabel1->text() == QStringLiteral("画像ｻｲｽﾞ：\t600 x 300 pixels 24 bpp"); }));
    // A name typed into the name box selects its file, which previews too.
    auto* edit = s.dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_TRUE(edit);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("a.bmp"));
    EXPECT_TRUE(WaitFor(
        [&] { return s.dialog.PictureLabel1->text() == QStringLiteral("画像ｻｲｽﾞ：\t100 x 50 pixels 24 bpp"); }));
}

TEST(FileDialogs, OpenDialogRemembersFolderAndPreviewAndTakesATypedPath)
{
    TempDir dir;
    const std::string file = Save(dir, "typed.png", SolidBitmap(10, 10, kRed));
    TFileDialogs dialogs;
    AnswerModal<TPictureOpenDialog>([&](TPictureOpenDialog* d) {
        EXPECT_EQ(d->nameFilters(), OpenDialogFilters());
        d->setDirectory(q(dir.path()));
        d->PreviewCheckBox->click();
        d->reject();
    });
    EXPECT_FALSE(dialogs.OpenFile(nullptr));
    AnswerModal<TPictureOpenDialog>([&](TPictureOpenDialog* d) {
        EXPECT_EQ(QDir(d->directory()).canonicalPath(), QDir(q(dir.path())).canonicalPath());
        EXPECT_FALSE(d->EnablePreview());
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(edit);
        edit->setFocus();
        edit->setText(q(file));
        QTest::keyClick(edit, Qt::Key_Return);
        if (d->isVisible())
            d->reject();
    });
    const auto chosen = dialogs.OpenFile(nullptr);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(QFileInfo(*chosen).canonicalFilePath(), QFileInfo(q(file)).canonicalFilePath());
}

TEST(FileDialogs, SaveDialogOptionsButtonOpensTheOptionsAndTheDialogStaysOpen)
{
    TempDir dir;
    TFileDialogs dialogs;
    TpxImageInfo info;
    int clicks = 0;
    bool stillOpenAfterOptions = false;
    AnswerModal<TOptionSaveDialog>([&](TOptionSaveDialog* d) {
        EXPECT_EQ(d->OptionButton1->text(), QStringLiteral("設定(&O)..."));
        EXPECT_TRUE(d->OptionButton1->isVisible());
        AnswerModal<TKVfrmSaveOption>([&](TKVfrmSaveOption* options) {
            EXPECT_TRUE(d->isVisible()); // behind the options
            options->pxNumericEdit1->setFocus();
            options->pxNumericEdit1->SetValue(55);
            options->Button1->click();
        });
        d->OptionButton1->click();
        stillOpenAfterOptions = d->isVisible() && QApplication::activeModalWidget() == d;
        d->reject();
    });
    int filterIndex = 2;
    const auto chosen = dialogs.SaveFile(nullptr, filterIndex, q(dir.file("name")), [&] {
        ++clicks;
        TKVfrmSaveOption::Execute(nullptr, info);
    });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(stillOpenAfterOptions);
    EXPECT_EQ(info.JpegQuality, 55);
}

namespace {

// The faces the glyphs of text are drawn in with font.
QSet<QString> facesOf(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QSet<QString> faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces << run.rawFont().familyName();
    return faces;
}

QStringList typeList(const QFileDialog& dialog)
{
    QStringList shown;
    if (const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
    return shown;
}

} // namespace

TEST(PictureOpenDialog, InformationLinesAreDrawnInOneFace)
{
    TPictureOpenDialog d;
    const QStringList lines = {PictureSizeLine(600, 300, 24), FileSizeLine(1234567),
                               ModifiedLine(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)))};
    for (const QString& line : lines)
        for (const QLabel* label : {d.PictureLabel1, d.PictureLabel2, d.PictureLabel3})
            EXPECT_EQ(facesOf(line, label->font()).size(), 1) << line.toStdString();
}

TEST(FileDialogs, TypeListsShowOneDescriptionEachAndAllImagesTakesEveryExtensionThatOpens)
{
    TPictureOpenDialog open;
    open.setNameFilters(OpenDialogFilters());
    TOptionSaveDialog save(nullptr, QStringLiteral("名前を付けて保存"));
    save.setNameFilters(SaveDialogFilters());
    // Each entry shows its description alone: "JPEG イメージ(*.jpg)", not followed by Qt's list.
    for (const QFileDialog* d : {static_cast<QFileDialog*>(&open), static_cast<QFileDialog*>(&save)}) {
        const QStringList shown = typeList(*d);
        ASSERT_EQ(shown.size(), d->nameFilters().size());
        for (qsizetype i = 0; i < shown.size(); ++i)
            EXPECT_EQ(shown[i], d->nameFilters()[i].section(QStringLiteral(" ("), 0, 0)) << shown[i].toStdString();
    }
    EXPECT_EQ(typeList(open).first(), QStringLiteral("すべてのイメージ"));
    EXPECT_EQ(typeList(save).at(1), QStringLiteral("JPEG イメージ(*.jpg)"));
    // "All images" takes every pattern of the other entries and the extensions none offers.
    const auto patterns = [](const QString& filter) {
        return filter.section(QLatin1Char('('), -1).chopped(1).split(QLatin1Char(' '));
    };
    const QStringList all = patterns(OpenDialogFilters().first());
    QStringList wanted = {"*.rle", "*.jpc", "*.j2c"};
    for (const QString& filter : OpenDialogFilters().mid(1))
        wanted << patterns(filter);
    for (const QString& pattern : wanted) {
        EXPECT_TRUE(all.contains(pattern)) << pattern.toStdString();
        EXPECT_NE(FormatFromFileName(("x" + pattern.mid(1)).toStdString()), TImageFormat::None)
            << pattern.toStdString();
    }
}
