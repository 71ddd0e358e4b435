#pragma once
// The base of the property window's tool panels: a frame that edits some of the canvas's tool
// settings. A panel is built from the canvas (Load), writes every change straight back into it
// and enables its controls by the image's bit depth.
#include "canvas/ToolSettings.h"

#include <QFrame>

#include <functional>

namespace kalvo {

class TpxImage;
class TpxNumericEdit;

class TKVFrameBase : public QFrame {
    Q_OBJECT
public:
    explicit TKVFrameBase(TpxImage& canvas, QWidget* parent = nullptr);

    // The tab caption of the panel.
    virtual QString Caption() const = 0;
    // Sets the controls from the canvas. Every field's change handler runs once afterwards, so
    // the (limited) values are written back into the canvas even when the text did not change.
    virtual void Load() = 0;
    // Enables the controls that need full colour (bits > 8; 0 for no image).
    virtual void UpdateEnabling(int bits) = 0;

protected:
    TpxImage& Canvas() const { return FCanvas; }
    // Changes one field of the canvas's tool settings.
    void ChangeSettings(const std::function<void(TToolSettings&)>& change) const;
    // A numeric field with a range and a hint, placed by the caller.
    TpxNumericEdit* MakeNumericEdit(int minValue, int maxValue, const QString& hint);

private:
    TpxImage& FCanvas;
};

} // namespace kalvo
