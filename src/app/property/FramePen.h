#pragma once
// The pen's panel: anti-aliasing, free-hand or straight line, and the transparency. The line
// kind switches the canvas's mode at once and becomes the mode the pen command chooses.
#include "app/property/FrameBase.h"
#include "canvas/MouseMode.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace kalvo {

class TKVFramePen : public TKVFrameBase {
    Q_OBJECT
public:
    // penMode reads and setPenMode writes the main window's pen mode.
    TKVFramePen(TpxImage& canvas, std::function<TMouseMode()> penMode, std::function<void(TMouseMode)> setPenMode,
                QWidget* parent = nullptr);

    QString Caption() const override;
    void Load() override;
    void UpdateEnabling(int bits) override;

    QLabel* Label2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* lblAlphaChannel = nullptr;
    TpxNumericEdit* edtAlphaChannel = nullptr;

private:
    void CheckBox1Click();
    void ComboBox1Change();
    void edtAlphaChannelChange();

    std::function<TMouseMode()> FPenMode;
    std::function<void(TMouseMode)> FSetPenMode;
};

} // namespace kalvo
