// Which tool class serves which mouse mode.
#include "canvas/tools/CanvasTool.h"
#include "canvas/tools/FreehandTool.h"
#include "canvas/tools/HandZoomTool.h"
#include "canvas/tools/MagicWandTool.h"
#include "canvas/tools/RectEllipseTool.h"
// Painting tools.
#include "canvas/tools/BrushTool.h"
#include "canvas/tools/FillTool.h"
#include "canvas/tools/PenTool.h"
#include "canvas/tools/PickerTool.h"
#include "canvas/tools/ShapeTool.h"
#include "canvas/tools/TextTool.h"
// Moves and floating pastes.
#include "canvas/tools/MergeTool.h"
#include "canvas/tools/MoveRegionTool.h"
#include "canvas/tools/MoveSelectAreaTool.h"

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
    // Painting tools.
    case mmPaint: return std::make_unique<TFillTool>(host, mode);
    case mmSpoit: return std::make_unique<TPickerTool>(host, mode);
    case mmPenFreehand:
    case mmPenLine: return std::make_unique<TPenTool>(host, mode);
    case mmBrush: return std::make_unique<TBrushTool>(host, mode);
    case mmShape: return std::make_unique<TShapeTool>(host, mode);
    case mmText: return std::make_unique<TTextTool>(host, mode);
    // Moves and floating pastes.
    case mmMoveRegion: return std::make_unique<TMoveRegionTool>(host, mode);
    case mmMoveSelectArea: return std::make_unique<TMoveSelectAreaTool>(host, mode);
    case mmMerge: return std::make_unique<TMergeTool>(host, mode);
    default: return std::make_unique<TCanvasTool>(host, mode);
    }
}

} // namespace kalvo
