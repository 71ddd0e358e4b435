#pragma once
// Magic wand: a click selects the colour area around the pixel (tolerance from the tool
// settings). Point picking: a click reports the pixel's colour and returns to the mode before.
#include "canvas/tools/SelectionTool.h"

namespace kalvo {

class TMagicWandTool : public TSelectionTool {
public:
    using TSelectionTool::TSelectionTool;

protected:
    void OwnPress(const TToolMouse& m) override;
    void OwnRelease(const TToolMouse& m) override;
    TRegionRef BuildRegion() override;
    int CursorNumber(int combineMode) const override;
};

class TPointTool : public TSelectionTool {
public:
    using TSelectionTool::TSelectionTool;

protected:
    void OwnPress(const TToolMouse& m) override;
    void OwnRelease(const TToolMouse& m) override;
};

} // namespace kalvo
