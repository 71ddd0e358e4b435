#pragma once
// The levels dialog: input black and white points and a gamma for all channels, or automatic
// points per channel from the histogram of the selection ("Levels": Black, White, Gamma, Auto).
#include "app/dialogs/AdjustPreviewDialog.h"
#include "imaging/adjust/Levels.h"

#include <array>

class QLabel;
class QPushButton;

namespace kalvo {

class TKVfrmLevels : public TKVfrmAdjustPreview {
    Q_OBJECT
public:
    explicit TKVfrmLevels(const TpxImage& source, QWidget* parent = nullptr);
    bool Apply(const TBitmap& source, TBitmap& image, const std::optional<QRect>& area, const TBitmap* mask,
               const TProgressCallback& progress = {}) const override;

    QPushButton* btnAuto;
    QLabel* lblAuto;
    // True after 自動 until a field is changed by hand.
    bool Automatic() const { return FAutomatic.has_value(); }
    // The levels of each channel (blue, green, red) the dialog applies.
    std::array<TLevels, 3> Channels() const;
    // 自動: the automatic points of the picture's selection, shown in the fields as the widest
    // of the three channels' ranges with gamma 1.
    void AutoLevels();

    void accept() override;

protected:
    QString HelpText() const override;

private:
    void showAutomatic();

    std::optional<std::array<TLevels, 3>> FAutomatic;
    bool FSetting = false;
};

} // namespace kalvo
