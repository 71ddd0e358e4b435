#pragma once
// The brush's panel: size, spacing, hardness and tip shape, with a live preview of the tip.
#include "app/property/FrameBase.h"
#include "imaging/raster/PenBrush.h"

class QComboBox;
class QImage;
class QLabel;

namespace kalvo {

class TpxPaintBox;

class TKVFrameBrush : public TKVFrameBase {
    Q_OBJECT
public:
    explicit TKVFrameBrush(TpxImage& canvas, QWidget* parent = nullptr);
    ~TKVFrameBrush() override;

    QString Caption() const override;
    void Load() override;
    // Hardness needs full colour; the preview follows.
    void UpdateEnabling(int bits) override;
    // Rebuilds the preview tip from the canvas's settings (hardness 100 at 8 bits or fewer).
    void RefreshBrushPreview();
    // The preview as painted: white, the tip centred (and clipped) in grey 255 - weight.
    QImage PreviewImage() const;

    QLabel* Label1 = nullptr;
    TpxNumericEdit* edtBrushSize = nullptr;
    QLabel* lblBrushStep = nullptr;
    TpxNumericEdit* edtBrushStep = nullptr;
    QLabel* Label2 = nullptr;
    TpxNumericEdit* edtBrushHardness = nullptr;
    TpxPaintBox* pxPaintBox1 = nullptr;
    QComboBox* ComboBox1 = nullptr;

private:
    void edtBrushSizeChange();
    void edtBrushHardnessChange();
    void edtBrushStepChange();
    void ComboBox1Change();

    TpxPenBrush FBrush;
};

} // namespace kalvo
