#pragma once
// The flood fill's panel: the magic wand's tolerance (a change sets both tolerances) and the
// fill's transparency.
#include "app/property/FrameMagicWand.h"

namespace kalvo {

class TKVFramePaint : public TKVFrameMagicWand {
    Q_OBJECT
public:
    explicit TKVFramePaint(TpxImage& canvas, QWidget* parent = nullptr);

    QString Caption() const override;
    void Load() override;
    void UpdateEnabling(int bits) override;

    QLabel* lblAlphaChannel = nullptr;
    TpxNumericEdit* edtAlphaChannel = nullptr;

protected:
    void edtToleranceChange() override;
    void edtAlphaChannelChange();
};

} // namespace kalvo
