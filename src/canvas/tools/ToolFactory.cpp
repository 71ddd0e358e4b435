// Which tool class serves which mouse mode.
#include "canvas/tools/CanvasTool.h"
// Painting tools.
#include "canvas/tools/BrushTool.h"
#include "canvas/tools/FillTool.h"
#include "canvas/tools/PenTool.h"
#include "canvas/tools/PickerTool.h"
// Moves and floating pastes.
#include "canvas/tools/MergeTool.h"
#include "canvas/tools/MoveRegionTool.h"
#include "canvas/tools/MoveSelectAreaTool.h"

namespace kalvo {

std::unique_ptr<TCanvasTool> CreateCanvasTool(TMouseMode mode, TToolHost& host)
{
    switch (mode) {
    // Painting tools.
    case mmPaint: return std::make_unique<TFillTool>(host, mode);
    case mmSpoit: return std::make_unique<TPickerTool>(host, mode);
    case mmPenFreehand:
    case mmPenLine: return std::make_unique<TPenTool>(host, mode);
    case mmBrush: return std::make_unique<TBrushTool>(host, mode);
    // Moves and floating pastes.
    case mmMoveRegion:
        return std::make_unique<TMoveRegionTool>(host, mode);
    case mmMoveSelectArea:
        return std::make_unique<TMoveSelectAreaTool>(host, mode);
    case mmMerge:
        return std::make_unique<TMergeTool>(host, mode);
    default:
        return std::make_unique<TCanvasTool>(host, mode);
    }
}

} // namespace kalvo
