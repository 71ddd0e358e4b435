// Which tool class serves which mouse mode.
#include "canvas/tools/CanvasTool.h"
// Moves and floating pastes.
#include "canvas/tools/MergeTool.h"
#include "canvas/tools/MoveRegionTool.h"
#include "canvas/tools/MoveSelectAreaTool.h"

namespace kalvo {

std::unique_ptr<TCanvasTool> CreateCanvasTool(TMouseMode mode, TToolHost& host)
{
    switch (mode) {
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
