#include "canvas/tools/PickerTool.h"

namespace kalvo {

void TPickerTool::Press(const TToolMouse& mouse)
{
    TToolHost& host = Host();
    if (!host.HasImage())
        return;
    const QPoint p = host.ScreenToImage(mouse.Pos);
    if (!host.IsInImage(p))
        return;
    host.SetDragging(true);
    host.RaiseSpoitSelect(mouse.Button, host.Bitmap().pixelColor(p.x(), p.y()));
}

void TPickerTool::Release(const TToolMouse&)
{
    Host().SetDragging(false);
}

void TPickerTool::Cancel()
{
    Host().SetDragging(false);
}

} // namespace kalvo
