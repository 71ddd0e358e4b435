#include "app/property/FrameBase.h"

#include "app/controls/NumericEdit.h"
#include "canvas/PxImage.h"

namespace kalvo {

TKVFrameBase::TKVFrameBase(TpxImage& canvas, QWidget* parent) : QFrame(parent), FCanvas(canvas)
{
}

void TKVFrameBase::ChangeSettings(const std::function<void(TToolSettings&)>& change) const
{
    TToolSettings settings = FCanvas.ToolSettings();
    change(settings);
    FCanvas.SetToolSettings(settings);
}

TpxNumericEdit* TKVFrameBase::MakeNumericEdit(int minValue, int maxValue, const QString& hint)
{
    auto* edit = new TpxNumericEdit(this);
    edit->SetRange(minValue, maxValue);
    edit->setToolTip(hint);
    edit->setStatusTip(hint);
    edit->setFixedWidth(48);
    return edit;
}

} // namespace kalvo
