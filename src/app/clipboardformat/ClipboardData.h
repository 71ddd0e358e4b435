#pragma once
// What a copy puts on the clipboard and what a paste takes from it, as MIME data: the picture
// for other programs (served by Qt as PNG, BMP and more), the packed DIB under a private type so
// that palette pictures keep their depth and palette within Kalvo, and the selection's shape as
// its region stream. Everything read from the clipboard is untrusted: sizes are checked before
// any picture is decoded.
#include "image/Bitmap.h"
#include "image/Region.h"

#include <QByteArray>
#include <QImage>

#include <memory>

class QMimeData;

namespace kalvo {

inline constexpr char kRegionMimeType[] = "application/x-pxregion";
inline constexpr char kDibMimeType[] = "application/x-kalvo-dib";

// The message of a paste without any picture on the clipboard.
inline constexpr char kNoClipboardPicture[] = "TLvDIB.LoadFromClipboardFormat: Invalid Clipboard Format or No Data";

// New MIME data with the picture (for other programs and as the private DIB) and, when given,
// the shape.
std::unique_ptr<QMimeData> CreatePictureData(const TBitmap& picture, const TRegionRef& shape);
// New MIME data with the shape alone.
std::unique_ptr<QMimeData> CreateRegionData(const TRegion& shape);

// True when the data offers a picture Paste can read (the private DIB or an image type).
bool OffersPicture(const QMimeData& data);
bool OffersRegion(const QMimeData& data);

// The picture: the private DIB first, then image/png, then any other image type Qt reads.
// Palette DIBs keep their depth (1, 4, 8 bits); others come as 24 bits, transparency composed
// over white. Throws EInvalidGraphic with kNoClipboardPicture when nothing is offered, and the
// decoder's message (or a size refusal) when nothing offered can be read.
TBitmap ReadClipboardPicture(const QMimeData& data);
// The shape; absent when none is offered, it is empty data or it is malformed.
TRegionRef ReadClipboardRegion(const QMimeData& data);

// The decoders behind ReadClipboardPicture, on raw bytes.
TBitmap DecodeClipboardDib(const QByteArray& bytes);
// format: a Qt image format name ("png", "bmp", ...), empty to let Qt guess.
TBitmap DecodeClipboardImage(const QByteArray& bytes, const QByteArray& format);

// Conversions between the image bitmap and QImage: palette pictures of 8 bits or fewer as
// Format_Indexed8 with their colours, others as Format_RGB32; back again, indexed pictures
// without transparency as 8 bits, others as 24 bits composed over white.
QImage PictureToQImage(const TBitmap& picture);
TBitmap QImageToPicture(const QImage& image);

} // namespace kalvo
