#include "app/dialogs/AdjustDialogs.h"

#include "app/controls/NumericEdit.h"
#include "imaging/adjust/BrightnessContrast.h"
#include "imaging/adjust/HueSaturation.h"
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/GaussianRows.h"
#include "imaging/filter/UnsharpMask.h"

namespace kalvo {

namespace {

const QString kRadiusCaption = QStringLiteral("半径(&R):");

} // namespace

TKVfrmBrightnessContrast::TKVfrmBrightnessContrast(const TpxImage& source, QWidget* parent)
    : TKVfrmAdjustPreview(source, QStringLiteral("明るさ・コントラスト"), QStringLiteral("BrightnessContrast"), parent)
{
    AddField(0, QStringLiteral("明るさ(&B):"), -100, 100, 10, QStringLiteral("Brightness"), 0);
    AddField(1, QStringLiteral("コントラスト(&C):"), -100, 100, 10, QStringLiteral("Contrast"), 0);
    Start();
}

bool TKVfrmBrightnessContrast::Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area,
                                     const TBitmap* mask, const TProgressCallback& progress) const
{
    const TValueTable table = BrightnessContrastTable(Edit[0]->Value(), Edit[1]->Value());
    return ApplyTablesArea(source, image, area, mask, SameTables(table), progress);
}

QString TKVfrmBrightnessContrast::HelpText() const
{
    return QStringLiteral("選択範囲（選択範囲がなければ画像全体）の明るさとコントラストを変えます．\r\n"
                          "どちらも -100～100 で，0 で変化しません．コントラスト 100 は 2 値化になります．");
}

TKVfrmHueSaturation::TKVfrmHueSaturation(const TpxImage& source, QWidget* parent)
    : TKVfrmAdjustPreview(source, QStringLiteral("色相・彩度"), QStringLiteral("HueSaturation"), parent)
{
    AddField(0, QStringLiteral("色相(&U):"), -180, 180, 30, QStringLiteral("Hue"), 0);
    AddField(1, QStringLiteral("彩度(&S):"), -100, 100, 10, QStringLiteral("Saturation"), 0);
    AddField(2, QStringLiteral("明度(&L):"), -100, 100, 10, QStringLiteral("Lightness"), 0);
    Start();
}

bool TKVfrmHueSaturation::Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area,
                                const TBitmap* mask, const TProgressCallback& progress) const
{
    const THueSaturation params{Edit[0]->Value(), Edit[1]->Value(), Edit[2]->Value()};
    return HueSaturationArea(source, image, area, mask, params, progress);
}

QString TKVfrmHueSaturation::HelpText() const
{
    return QStringLiteral("色相を角度（-180～180）で回し，彩度と明度を -100～100 で変えます．\r\n"
                          "彩度 -100 で灰色に，明度 100 で白に，-100 で黒になります．");
}

TKVfrmGaussianBlur::TKVfrmGaussianBlur(const TpxImage& source, QWidget* parent)
    : TKVfrmAdjustPreview(source, QStringLiteral("ぼかし"), QStringLiteral("GaussianBlur"), parent)
{
    AddField(0, kRadiusCaption, 1, 1000, 100, QStringLiteral("Radius"), 20, 1);
    Start();
}

double TKVfrmGaussianBlur::Sigma() const
{
    return Edit[0]->Value() / 10.0;
}

bool TKVfrmGaussianBlur::Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area,
                               const TBitmap* mask, const TProgressCallback& progress) const
{
    return GaussianBlurArea(source, image, area, mask, Sigma(), progress);
}

int TKVfrmGaussianBlur::Reach() const
{
    return GaussianRadius(Sigma());
}

QString TKVfrmGaussianBlur::HelpText() const
{
    return QStringLiteral("ガウスぼかしをかけます．半径（0.1～100.0 ピクセル）が大きいほど強くぼけます．");
}

TKVfrmSharpen::TKVfrmSharpen(const TpxImage& source, QWidget* parent)
    : TKVfrmAdjustPreview(source, QStringLiteral("シャープ"), QStringLiteral("Sharpen"), parent)
{
    AddField(0, QStringLiteral("適用量(&M) %:"), 1, 500, 50, QStringLiteral("Amount"), 100);
    AddField(1, kRadiusCaption, 1, 1000, 100, QStringLiteral("Radius"), 10, 1);
    AddField(2, QStringLiteral("しきい値(&T):"), 0, 255, 32, QStringLiteral("Threshold"), 0);
    Start();
}

bool TKVfrmSharpen::Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
                          const TProgressCallback& progress) const
{
    const TUnsharpMask params{Edit[0]->Value(), Edit[1]->Value() / 10.0, Edit[2]->Value()};
    return UnsharpMaskArea(source, image, area, mask, params, progress);
}

int TKVfrmSharpen::Reach() const
{
    return GaussianRadius(Edit[1]->Value() / 10.0);
}

QString TKVfrmSharpen::HelpText() const
{
    return QStringLiteral(
        "アンシャープマスクで輪郭をはっきりさせます．\r\n"
        "適用量（1～500％）だけぼかした画像との差を強めます．差がしきい値より小さい画素は変えません．");
}

} // namespace kalvo
