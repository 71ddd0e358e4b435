// The lossless JPEG dialog: settings, the transformation on OK and its failure result.
#include "app/dialogs/LossLessJpegDialog.h"
#include "codecs/JpegTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

TEST(LossLessJpegDialog, OkRotatesTheFileAndRemembersTheChoice)
{
    TempDir dir;
    const std::string ini = dir.file("kalvo.ini");
    const std::string file = dir.file("photo.jpg");
    WriteAll(file, EncodeJpeg(PhotoLike(48, 32)));
    int busy = 0;
    {
        TKVfrmLosslessJpeg dialog(nullptr, q(ini));
        EXPECT_EQ(dialog.ItemIndex(), 0);
        EXPECT_TRUE(dialog.CheckBox1->isChecked());
        dialog.SourceFileName = q(file);
        dialog.BeginBusy = [&] { ++busy; };
        dialog.EndBusy = [&] { --busy; };
        dialog.SetItemIndex(2);
        dialog.CheckBox1->setChecked(false);
        dialog.Button1->click();
        EXPECT_EQ(dialog.result(), TKVfrmLosslessJpeg::kResultOk);
    }
    EXPECT_EQ(busy, 0);
    EXPECT_EQ(DecodeJpeg(ReadAll(file)).width(), 32);
    TKVfrmLosslessJpeg again(nullptr, q(ini));
    EXPECT_EQ(again.ItemIndex(), 2);
    EXPECT_FALSE(again.CheckBox1->isChecked());
}

TEST(LossLessJpegDialog, FailureEndsWithAbortAndLeavesTheFile)
{
    TempDir dir;
    const std::string file = dir.file("broken.jpg");
    WriteAll(file, {0xFF, 0xD8, 0xFF, 0xDB, 0, 4, 1});
    TKVfrmLosslessJpeg dialog(nullptr, q(dir.file("kalvo.ini")));
    dialog.SourceFileName = q(file);
    dialog.Button1->click();
    EXPECT_EQ(dialog.result(), TKVfrmLosslessJpeg::kResultAbort);
    EXPECT_EQ(ReadAll(file), (std::vector<std::uint8_t>{0xFF, 0xD8, 0xFF, 0xDB, 0, 4, 1}));
    EXPECT_EQ(ListDir(dir.path()).size(), 2u); // the file and the settings

    TKVfrmLosslessJpeg missing(nullptr, q(dir.file("kalvo.ini")));
    missing.SourceFileName = q(dir.file("absent.jpg"));
    missing.Button1->click();
    EXPECT_EQ(missing.result(), TKVfrmLosslessJpeg::kResultAbort);

    TKVfrmLosslessJpeg none(nullptr, q(dir.file("kalvo.ini")));
    none.SourceFileName = q(file);
    none.SetItemIndex(-1);
    EXPECT_EQ(none.ItemIndex(), -1);
    none.Button1->click();
    EXPECT_EQ(none.result(), TKVfrmLosslessJpeg::kResultAbort);
}
