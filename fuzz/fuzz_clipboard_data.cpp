// libFuzzer target: what Paste, Merge paste and Paste selection read from the clipboard. The
// first byte chooses the MIME type the rest is offered under (the private DIB, PNG, BMP, GIF,
// another image type, the selection shape); the readers must fail cleanly on anything.
#include "app/clipboardformat/ClipboardData.h"

#include <QMimeData>

#include <cstdint>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const char* const types[] = {kalvo::kDibMimeType,       "image/png",           "image/bmp", "image/gif",
                                        "image/x-portable-pixmap", kalvo::kRegionMimeType};
    QMimeData mime;
    mime.setData(QString::fromLatin1(types[data[0] % 6]),
                 QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
    (void)kalvo::OffersPicture(mime);
    try {
        const kalvo::TBitmap picture = kalvo::ReadClipboardPicture(mime);
        if (picture.empty())
            __builtin_trap();
    } catch (const std::exception&) {
    }
    (void)kalvo::ReadClipboardRegion(mime);
    return 0;
}
