#include "imaging/resample/ResizeNearest.h"

#include "imaging/resample/TransformBitmap.h"

namespace kalvo {

namespace {

QPoint NearestPoint(QPoint dst, const TResizeContext& c)
{
    return QPoint(int(std::int64_t(dst.x()) * c.SrcWidth / c.DstWidth),
                  int(std::int64_t(dst.y()) * c.SrcHeight / c.DstHeight));
}

} // namespace

TBitmap ResizeNearest(const TBitmap& source, int newWidth, int newHeight)
{
    const TResizeContext context{source.width(), source.height(), newWidth, newHeight};
    return TransformBitmap(source, newWidth, newHeight, context, NearestPoint);
}

} // namespace kalvo
