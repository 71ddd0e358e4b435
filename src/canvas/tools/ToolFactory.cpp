// Which tool class serves which mouse mode.
#include "canvas/tools/CanvasTool.h"

namespace kalvo {

std::unique_ptr<TCanvasTool> CreateCanvasTool(TMouseMode mode, TToolHost& host)
{
    switch (mode) {
    default:
        return std::make_unique<TCanvasTool>(host, mode);
    }
}

} // namespace kalvo
