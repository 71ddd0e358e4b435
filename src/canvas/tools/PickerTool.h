#pragma once
// The colour picker: any button on the image reports the colour of the pixel under it (the
// main window takes it as foreground colour for the left button, background for the right).
#include "canvas/tools/CanvasTool.h"

namespace kalvo {

class TPickerTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;
    void Press(const TToolMouse& mouse) override;
    void Release(const TToolMouse& mouse) override;
    void Cancel() override;
};

} // namespace kalvo
