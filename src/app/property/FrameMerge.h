#pragma once
// The floating paste's panel: its transparency.
#include "app/property/FrameBase.h"

class QLabel;

namespace kalvo {

class TKVFrameMerge : public TKVFrameBase {
    Q_OBJECT
public:
    explicit TKVFrameMerge(TpxImage& canvas, QWidget* parent = nullptr);

    QString Caption() const override;
    void Load() override;
    // The field needs full colour; its label stays enabled.
    void UpdateEnabling(int bits) override;

    QLabel* lblAlphaChannel = nullptr;
    TpxNumericEdit* edtAlphaChannel = nullptr;

private:
    void edtAlphaChannelChange();
};

} // namespace kalvo
