#pragma once
// The magic wand's panel: its colour tolerance.
#include "app/property/FrameBase.h"

class QGridLayout;
class QLabel;

namespace kalvo {

class TKVFrameMagicWand : public TKVFrameBase {
    Q_OBJECT
public:
    explicit TKVFrameMagicWand(TpxImage& canvas, QWidget* parent = nullptr);

    QString Caption() const override;
    void Load() override;
    void UpdateEnabling(int) override { }

    QLabel* lblTolerance = nullptr;
    TpxNumericEdit* edtTolerance = nullptr;

protected:
    virtual void edtToleranceChange();
    QGridLayout* Grid() const { return FGrid; }

private:
    QGridLayout* FGrid = nullptr;
};

} // namespace kalvo
