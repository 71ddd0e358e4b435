#pragma once
// The photo adjustment dialogs of the Effects menu, each a preview dialog with its fields and
// settings section: brightness and contrast, hue and saturation, blur and sharpen (levels has
// its own file for its automatic points).
#include "app/dialogs/AdjustPreviewDialog.h"

namespace kalvo {

// Brightness and contrast, -100..100 each ("BrightnessContrast": Brightness, Contrast).
class TKVfrmBrightnessContrast : public TKVfrmAdjustPreview {
    Q_OBJECT
public:
    explicit TKVfrmBrightnessContrast(const TpxImage& source, QWidget* parent = nullptr);
    bool Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
               const TProgressCallback& progress = {}) const override;

protected:
    QString HelpText() const override;
};

// Hue -180..180 degrees, saturation and lightness -100..100 ("HueSaturation": Hue, Saturation,
// Lightness).
class TKVfrmHueSaturation : public TKVfrmAdjustPreview {
    Q_OBJECT
public:
    explicit TKVfrmHueSaturation(const TpxImage& source, QWidget* parent = nullptr);
    bool Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
               const TProgressCallback& progress = {}) const override;

protected:
    QString HelpText() const override;
};

// The Gaussian blur's radius 0.1..100.0 ("GaussianBlur": Radius).
class TKVfrmGaussianBlur : public TKVfrmAdjustPreview {
    Q_OBJECT
public:
    explicit TKVfrmGaussianBlur(const TpxImage& source, QWidget* parent = nullptr);
    bool Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
               const TProgressCallback& progress = {}) const override;
    double Sigma() const;

protected:
    int Reach() const override;
    QString HelpText() const override;
};

// The unsharp mask's amount 1..500 %, radius 0.1..100.0 and threshold 0..255 ("Sharpen":
// Amount, Radius, Threshold).
class TKVfrmSharpen : public TKVfrmAdjustPreview {
    Q_OBJECT
public:
    explicit TKVfrmSharpen(const TpxImage& source, QWidget* parent = nullptr);
    bool Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
               const TProgressCallback& progress = {}) const override;

protected:
    int Reach() const override;
    QString HelpText() const override;
};

} // namespace kalvo
