#include "canvas/ViewGeometry.h"

#include <algorithm>

namespace kalvo {

namespace {

// One axis of the layout: image size, client size and the values derived from them.
struct TAxis {
    int image;
    int client;
    int& scroll;
    int& zoomed;
    int& visible;
    int& display;
};

void LayoutAxis(const TViewGeometry& g, TAxis a)
{
    a.zoomed = g.Zoomed(a.image);
    if (a.client < a.zoomed) {
        a.visible = int((long long)a.client * 100 / g.Zoom) + 1;
        a.display = g.Zoomed(a.visible);
    } else {
        a.scroll = 0;
        a.display = a.zoomed;
        a.visible = a.image;
    }
}

// At the far end the view shows the last pixel completely, with up to two pixels of slack.
// An image that fits the client area is never scrolled (its first pixels would otherwise be
// unreachable when the zoomed size equals the client size exactly).
void SnapAxis(int& scroll, int image, int visible, bool scrolls)
{
    if (scroll + visible >= image)
        scroll = scrolls ? image - visible + 2 : 0;
    else if (scroll < 0)
        scroll = 0;
}

void ClampAxis(int& scroll, int image, int visible, bool scrolls)
{
    if (scroll < 0 || !scrolls)
        scroll = 0;
    else if (scroll + visible > image + 2)
        scroll = image - visible + 2;
}

TScrollBarInfo BarInfo(bool shown, int image, int visible, int scroll)
{
    if (!shown)
        return {};
    return {0, image + 1, visible, scroll};
}

} // namespace

void TViewGeometry::RecalcLayout()
{
    LayoutAxis(*this, {ImageWidth, ClientWidth, ScrollX, ZoomedWidth, VisibleWidth, DisplayWidth});
    LayoutAxis(*this, {ImageHeight, ClientHeight, ScrollY, ZoomedHeight, VisibleHeight, DisplayHeight});
}

void TViewGeometry::UpdateView()
{
    SnapAxis(ScrollY, ImageHeight, VisibleHeight, ScrollsVertically());
    SnapAxis(ScrollX, ImageWidth, VisibleWidth, ScrollsHorizontally());
    ImageLeft = Center && DisplayWidth < ClientWidth ? (ClientWidth - DisplayWidth) / 2 : 0;
    ImageTop = Center && DisplayHeight < ClientHeight ? (ClientHeight - DisplayHeight) / 2 : 0;
    SourceWidth = std::max(0, std::min(VisibleWidth, ImageWidth - ScrollX));
    SourceHeight = std::max(0, std::min(VisibleHeight, ImageHeight - ScrollY));
    DrawWidth = Zoomed(SourceWidth);
    DrawHeight = Zoomed(SourceHeight);
}

void TViewGeometry::ClampScroll()
{
    ClampAxis(ScrollY, ImageHeight, VisibleHeight, ScrollsVertically());
    ClampAxis(ScrollX, ImageWidth, VisibleWidth, ScrollsHorizontally());
}

TScrollBarInfo TViewGeometry::HorizontalBar() const
{
    return BarInfo(ShowScrollBars && ScrollsHorizontally(), ImageWidth, VisibleWidth, ScrollX);
}

TScrollBarInfo TViewGeometry::VerticalBar() const
{
    return BarInfo(ShowScrollBars && ScrollsVertically(), ImageHeight, VisibleHeight, ScrollY);
}

} // namespace kalvo
