#pragma once
// The shapes' panel: the kind (直線, 矢印, 四角形, 角丸四角形, 楕円), outline and fill, the line
// width, the corner radius, anti-aliasing and the transparency (the last two for full colour).
#include "app/property/FrameBase.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace kalvo {

class TKVFrameShape : public TKVFrameBase {
    Q_OBJECT
public:
    explicit TKVFrameShape(TpxImage& canvas, QWidget* parent = nullptr);

    QString Caption() const override;
    void Load() override;
    void UpdateEnabling(int bits) override;

    QComboBox* cmbKind = nullptr;
    QComboBox* cmbFill = nullptr;
    TpxNumericEdit* edtWidth = nullptr;
    TpxNumericEdit* edtRadius = nullptr;
    QCheckBox* chkAntiAlias = nullptr;
    QLabel* lblAlphaChannel = nullptr;
    TpxNumericEdit* edtAlphaChannel = nullptr;

private:
    void Store();
};

} // namespace kalvo
