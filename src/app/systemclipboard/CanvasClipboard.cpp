#include "app/systemclipboard/CanvasClipboard.h"

#include "app/clipboardformat/ClipboardData.h"
#include "canvas/PxImage.h"
#include "image/ImageErrors.h"
#include "image/PaintBitmap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace kalvo {

namespace {

const QMimeData* clipboardData()
{
    return QGuiApplication::clipboard()->mimeData();
}

// The wait cursor for the length of one canvas operation.
class TWaitCursor {
public:
    explicit TWaitCursor(TpxImage& canvas) : FCanvas(canvas)
    {
        if (FCanvas.AutoMouseCursor())
            FCanvas.viewport()->setCursor(Qt::WaitCursor);
    }
    ~TWaitCursor() { FCanvas.ApplyModeCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    TpxImage& FCanvas;
};

} // namespace

bool CopyImageToClipboard(const TBitmap& image, const TRegionRef& region, TColor fill)
{
    if (image.empty())
        return false;
    if (!region) {
        QGuiApplication::clipboard()->setMimeData(CreatePictureData(image, std::nullopt).release());
        return true;
    }
    TRect box = region->boundingRect();
    box.left = std::max(box.left, 0);
    box.top = std::max(box.top, 0);
    box.right = std::min(box.right, image.width());
    box.bottom = std::min(box.bottom, image.height());
    if (box.isEmpty())
        return false;
    TBitmap part(box.width(), box.height(), image.bitCount());
    part.setPalette(image.palette());
    CopyBitmapClipped(part, image, -box.left, -box.top, std::nullopt);
    TRegion shape;
    TRegion::combine(shape, *region, TRegion::rect(box), RGN_AND);
    shape.offset(-box.left, -box.top);
    TRegion outside;
    TRegion::combine(outside, TRegion::rect({0, 0, box.width(), box.height()}), shape, RGN_DIFF);
    FillRegion(part, outside, fill);
    QGuiApplication::clipboard()->setMimeData(CreatePictureData(part, shape).release());
    return true;
}

void PutRegionOnClipboard(const TRegion& region)
{
    QGuiApplication::clipboard()->setMimeData(CreateRegionData(region).release());
}

TRegionRef GetRegionFromClipboard()
{
    const QMimeData* data = clipboardData();
    return data ? ReadClipboardRegion(*data) : std::nullopt;
}

TBitmap GetBitmapFromClipboard()
{
    const QMimeData* data = clipboardData();
    if (!data)
        throw EInvalidGraphic(kNoClipboardPicture);
    return ReadClipboardPicture(*data);
}

bool ClipboardHasPicture()
{
    const QMimeData* data = clipboardData();
    return data && OffersPicture(*data);
}

bool ClipboardHasRegion()
{
    const QMimeData* data = clipboardData();
    return data && OffersRegion(*data);
}

bool CopyToClipboard(TpxImage& canvas)
{
    TWaitCursor wait(canvas);
    return CopyImageToClipboard(canvas.Bitmap(), canvas.Region(), canvas.DisplayBackgroundColor());
}

bool CutToClipboard(TpxImage& canvas)
{
    TWaitCursor wait(canvas);
    const bool copied = CopyImageToClipboard(canvas.Bitmap(), canvas.Region(), canvas.DisplayBackgroundColor());
    if (canvas.Region()) {
        TBitmap cleared = canvas.Bitmap();
        if (FillRegion(cleared, canvas.Region(), canvas.BackgroundColor()))
            canvas.SetBitmap(std::move(cleared));
    }
    return copied;
}

void PasteFromClipboard(TpxImage& canvas, TBitmap&& picture)
{
    TWaitCursor wait(canvas);
    canvas.SetBitmap(std::move(picture));
    canvas.DeleteSelection();
}

bool PasteRegionFromClipboard(TpxImage& canvas)
{
    TWaitCursor wait(canvas);
    const TRegionRef region = GetRegionFromClipboard();
    if (!region || !canvas.HasImage())
        return false;
    emit canvas.OnRegionChange();
    canvas.SetRegion(region);
    return true;
}

} // namespace kalvo
