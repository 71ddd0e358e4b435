#pragma once
// The text's panel: font family (the system's fonts), size in points (6..300, at 96 dpi), bold,
// italic, anti-aliasing and transparency (the last two for full colour), and 適用 / キャンセル
// for the text being typed.
#include "app/property/FrameBase.h"

class QCheckBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace kalvo {

class TKVFrameText : public TKVFrameBase {
    Q_OBJECT
public:
    explicit TKVFrameText(TpxImage& canvas, QWidget* parent = nullptr);

    QString Caption() const override;
    void Load() override;
    void UpdateEnabling(int bits) override;

    QFontComboBox* cmbFont = nullptr;
    TpxNumericEdit* edtSize = nullptr;
    QCheckBox* chkBold = nullptr;
    QCheckBox* chkItalic = nullptr;
    QCheckBox* chkAntiAlias = nullptr;
    QLabel* lblAlphaChannel = nullptr;
    TpxNumericEdit* edtAlphaChannel = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void Store();
};

} // namespace kalvo
