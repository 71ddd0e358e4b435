#include "app/clipboardformat/ClipboardData.h"

#include "codecs/bmp/LvDIB.h"
#include "codecs/bmp/PackedDib.h"
#include "image/AlphaOverWhite.h"
#include "image/ImageErrors.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QMimeData>

#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace kalvo {

namespace {

// The image types tried after PNG, in the order the data offers them.
std::vector<QString> otherImageTypes(const QMimeData& data)
{
    std::vector<QString> types;
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QString& type : data.formats())
        if (type.startsWith(QLatin1String("image/")) && type != QLatin1String("image/png")
            && readable.contains(type.toLatin1()))
            types.push_back(type);
    return types;
}

QByteArray formatOfMimeType(const QString& type)
{
    QByteArray format = type.mid(6).toLatin1().toLower(); // after "image/"
    if (format.startsWith("x-"))
        format = format.mid(2);
    return format == "jpg" ? QByteArray("jpeg") : format;
}

// The most memory another program's picture may take while Qt decodes it.
constexpr int kForeignPictureLimitMB = 512;

class TAllocationLimit {
public:
    explicit TAllocationLimit(int megabytes) : FOld(QImageReader::allocationLimit())
    {
        if (FOld != 0 && FOld < megabytes)
            QImageReader::setAllocationLimit(megabytes);
    }
    ~TAllocationLimit() { QImageReader::setAllocationLimit(FOld); }
    TAllocationLimit(const TAllocationLimit&) = delete;
    TAllocationLimit& operator=(const TAllocationLimit&) = delete;

private:
    int FOld;
};

// Qt's name for the image it offers other programs in their formats (PNG, BMP, ...).
const QString kQtImageType = QStringLiteral("application/x-qt-image");

// Picture data whose image for other programs is made from the private DIB only when one asks
// for it: a paste within the program reads the DIB, and building the image at every copy took
// a third of the time of copying a large picture.
class TPictureMimeData : public QMimeData {
public:
    QStringList formats() const override
    {
        QStringList types = QMimeData::formats();
        if (!types.contains(kQtImageType))
            types.append(kQtImageType);
        return types;
    }
    bool hasFormat(const QString& type) const override { return type == kQtImageType || QMimeData::hasFormat(type); }

protected:
    QVariant retrieveData(const QString& type, QMetaType metaType) const override
    {
        if (type != kQtImageType)
            return QMimeData::retrieveData(type, metaType);
        if (FImage.isNull()) {
            try {
                FImage = PictureToQImage(DecodeClipboardDib(data(QString::fromLatin1(kDibMimeType))));
            } catch (const std::exception&) {
                return {};
            }
        }
        return FImage;
    }

private:
    mutable QImage FImage;
};

} // namespace

std::unique_ptr<QMimeData> CreatePictureData(const TBitmap& picture, const TRegionRef& shape)
{
    auto data = std::make_unique<TPictureMimeData>();
    QByteArray packed(qsizetype(PackedDibSize(picture)), Qt::Uninitialized);
    WritePackedDib(picture, std::span(reinterpret_cast<std::uint8_t*>(packed.data()), std::size_t(packed.size())));
    data->setData(QString::fromLatin1(kDibMimeType), packed);
    if (shape) {
        const std::vector<std::uint8_t> bytes = RegionToBytes(*shape);
        data->setData(QString::fromLatin1(kRegionMimeType),
                      QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }
    return data;
}

std::unique_ptr<QMimeData> CreateRegionData(const TRegion& shape)
{
    auto data = std::make_unique<QMimeData>();
    const std::vector<std::uint8_t> bytes = RegionToBytes(shape);
    data->setData(QString::fromLatin1(kRegionMimeType),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    return data;
}

bool OffersPicture(const QMimeData& data)
{
    return data.hasFormat(QString::fromLatin1(kDibMimeType)) || data.hasImage()
        || data.hasFormat(QStringLiteral("image/png")) || !otherImageTypes(data).empty();
}

bool OffersRegion(const QMimeData& data)
{
    return data.hasFormat(QString::fromLatin1(kRegionMimeType));
}

TBitmap DecodeClipboardDib(const QByteArray& bytes)
{
    const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    if (std::optional<TBitmap> plain = UnpackPlainDib(data))
        return std::move(*plain);
    TLvDIB dib;
    dib.LoadFromClipboardFormat(TLvDIB::ClipboardFormat, data);
    TBitmap picture = dib.ToBitmap();
    if (picture.bitCount() == 16 || picture.bitCount() == 32)
        picture = picture.toTrueColor();
    return picture;
}

TBitmap DecodeClipboardImage(const QByteArray& bytes, const QByteArray& format)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    const auto tooLarge = [](QSize s) {
        return EInvalidGraphic("Clipboard: Image is too large (" + std::to_string(s.width()) + " x "
                               + std::to_string(s.height()) + ")");
    };
    // Qt decodes into 4 bytes a pixel and refuses more than its allocation limit; the limit is
    // raised for the length of this read to what a foreign picture may take here.
    const TAllocationLimit limit(kForeignPictureLimitMB);
    if (size.isValid()
        && (!TBitmap::fitsBounds(size.width(), size.height(), 24)
            || 4.0 * size.width() * size.height() > double(kForeignPictureLimitMB) * 1024 * 1024))
        throw tooLarge(size);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw EInvalidGraphic("Clipboard: " + reader.errorString().toStdString());
    if (!TBitmap::fitsBounds(image.width(), image.height(), 24))
        throw tooLarge(image.size());
    return QImageToPicture(image);
}

TBitmap ReadClipboardPicture(const QMimeData& data)
{
    std::string firstError;
    auto attempt = [&](auto&& decode) -> std::optional<TBitmap> {
        try {
            return decode();
        } catch (const std::bad_alloc&) {
            throw; // not a sign of unreadable data: the paste fails for want of memory
        } catch (const std::exception& e) {
            if (firstError.empty())
                firstError = e.what();
        }
        return std::nullopt;
    };
    const QString dibType = QString::fromLatin1(kDibMimeType);
    if (data.hasFormat(dibType))
        if (auto picture = attempt([&] { return DecodeClipboardDib(data.data(dibType)); }))
            return std::move(*picture);
    const QString png = QStringLiteral("image/png");
    if (data.hasFormat(png))
        if (auto picture = attempt([&] { return DecodeClipboardImage(data.data(png), "png"); }))
            return std::move(*picture);
    for (const QString& type : otherImageTypes(data))
        if (auto picture = attempt([&] { return DecodeClipboardImage(data.data(type), formatOfMimeType(type)); }))
            return std::move(*picture);
    // Another program's picture that only Qt's own image conversion offers.
    if (firstError.empty() && data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull()) {
            if (!TBitmap::fitsBounds(image.width(), image.height(), 24))
                throw EInvalidGraphic("Clipboard: Image is too large");
            return QImageToPicture(image);
        }
    }
    throw EInvalidGraphic(firstError.empty() ? std::string(kNoClipboardPicture) : firstError);
}

TRegionRef ReadClipboardRegion(const QMimeData& data)
{
    const QString type = QString::fromLatin1(kRegionMimeType);
    if (!data.hasFormat(type))
        return std::nullopt;
    const QByteArray bytes = data.data(type);
    if (bytes.isEmpty())
        return std::nullopt;
    try {
        return RegionFromBytes({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    } catch (const std::exception&) {
        // A malformed shape counts as none.
        return std::nullopt;
    }
}

QImage PictureToQImage(const TBitmap& picture)
{
    if (picture.empty())
        return {};
    const int w = picture.width(), h = picture.height();
    if (picture.bitCount() <= 8) {
        QImage image(w, h, QImage::Format_Indexed8);
        if (image.isNull())
            throw std::bad_alloc();
        QList<QRgb> table;
        for (TColor c : picture.palette())
            table.push_back(qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
        const int bits = picture.bitCount();
        while (table.size() < (1 << bits))
            table.push_back(qRgb(0, 0, 0));
        image.setColorTable(table);
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* in = picture.scanLine(y);
            uchar* out = image.scanLine(y);
            if (bits == 8) {
                std::memcpy(out, in, std::size_t(w));
            } else if (bits == 4) {
                for (int x = 0; x < w; ++x)
                    out[x] = x & 1 ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
            } else {
                for (int x = 0; x < w; ++x)
                    out[x] = (in[x >> 3] >> (7 - (x & 7))) & 1;
            }
        }
        return image;
    }
    const TBitmap* source = &picture;
    TBitmap converted;
    if (picture.bitCount() != 24) {
        converted = picture.toTrueColor();
        source = &converted;
    }
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = source->scanLine(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x, in += 3)
            out[x] = 0xFF000000u | (QRgb(in[2]) << 16) | (QRgb(in[1]) << 8) | in[0];
    }
    return image;
}

TBitmap QImageToPicture(const QImage& image)
{
    if (image.isNull())
        return {};
    const int w = image.width(), h = image.height();
    if (image.format() == QImage::Format_Indexed8 && !image.hasAlphaChannel() && image.colorCount() > 0
        && image.colorCount() <= 256) {
        TBitmap picture(w, h, 8);
        std::vector<TColor> palette;
        for (QRgb c : image.colorTable())
            palette.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
        picture.setPalette(std::move(palette));
        const int last = image.colorCount() - 1;
        for (int y = 0; y < h; ++y) {
            const uchar* in = image.constScanLine(y);
            std::uint8_t* out = picture.scanLine(y);
            for (int x = 0; x < w; ++x)
                out[x] = std::uint8_t(std::min<int>(in[x], last));
        }
        return picture;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    TBitmap picture(w, h, 24);
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* out = picture.scanLine(y);
        for (int x = 0; x < w; ++x, out += 3) {
            const int a = qAlpha(in[x]);
            out[0] = OverWhite(qBlue(in[x]), a);
            out[1] = OverWhite(qGreen(in[x]), a);
            out[2] = OverWhite(qRed(in[x]), a);
        }
    }
    return picture;
}

} // namespace kalvo
