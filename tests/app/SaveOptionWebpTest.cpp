// The save options dialog's WebP page: after the JPEG and JPEG 2000 pages, quality 1..100 and the
// lossless check box, carried to and from the document record.
#include "app/controls/NumericEdit.h"
#include "app/dialogs/SaveOptionDialog.h"
#include "codecs/ImageInfo.h"

#include <QCheckBox>
#include <QSlider>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace kalvo;

TEST(SaveOptionDialog, WebpPageFollowsTheOthersAndCarriesItsOptions)
{
    TKVfrmSaveOption dialog;
    ASSERT_EQ(dialog.PageControl1->count(), 3);
    EXPECT_EQ(dialog.PageControl1->tabText(0), QStringLiteral("JPEG"));
    EXPECT_EQ(dialog.PageControl1->tabText(1), QStringLiteral("JPEG2000"));
    EXPECT_EQ(dialog.PageControl1->tabText(2), QStringLiteral("WebP"));
    EXPECT_EQ(dialog.WebpLosslessCheck->text(), QStringLiteral("ロスレス"));
    EXPECT_EQ(dialog.WebpQualityBar->maximum(), 100);

    TpxImageInfo info;
    dialog.SetOptions(info);
    EXPECT_EQ(dialog.WebpQualityEdit->Value(), 80);
    EXPECT_FALSE(dialog.WebpLosslessCheck->isChecked());
    info.WebpQuality = 42;
    info.WebpLossless = true;
    dialog.SetOptions(info);
    EXPECT_EQ(dialog.WebpQualityBar->value(), 42);
    dialog.WebpQualityEdit->SetValue(7);
    dialog.WebpLosslessCheck->setChecked(false);
    TpxImageInfo back;
    dialog.GetOptions(back);
    EXPECT_EQ(back.WebpQuality, 7);
    EXPECT_FALSE(back.WebpLossless);
    EXPECT_EQ(back.JpegQuality, 80);
}
