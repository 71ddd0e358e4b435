#pragma once
// The paint mode: a click fills the colour area under it, left button with the foreground
// colour, right button with the background colour, with the paint tolerance and transparency.
#include "canvas/tools/CanvasTool.h"

namespace kalvo {

class TFillTool : public TCanvasTool {
public:
    using TCanvasTool::TCanvasTool;
    void Press(const TToolMouse& mouse) override;
};

} // namespace kalvo
