// Which tool class serves which mouse mode.
#include "canvas/tools/CanvasTool.h"
#include "canvas/tools/FreehandTool.h"
#include "canvas/tools/HandZoomTool.h"
#include "canvas/tools/MagicWandTool.h"
#include "canvas/tools/RectEllipseTool.h"

namespace kalvo {

std::unique_ptr<TCanvasTool> CreateCanvasTool(TMouseMode mode, TToolHost& host)
{
    switch (mode) {
    // --- Selection, hand and zoom tools ---
    case mmNeko: return std::make_unique<THandTool>(host, mode);
    case mmZoom: return std::make_unique<TZoomTool>(host, mode);
    case mmSelectRegion: return std::make_unique<TFreehandTool>(host, mode);
    case mmSelectRect:
    case mmSelectEllipse: return std::make_unique<TRectEllipseTool>(host, mode);
    case mmSelectMagicWand: return std::make_unique<TMagicWandTool>(host, mode);
    case mmSelectPoint: return std::make_unique<TPointTool>(host, mode);
    // --- end of the selection, hand and zoom tools ---
    default:
        return std::make_unique<TCanvasTool>(host, mode);
    }
}

} // namespace kalvo
