#include "canvas/CanvasCursors.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <cmath>
#include <map>
#include <utility>

// The cursor pictures live in the canvas library's own resource file.
static void initCursorResources()
{
    Q_INIT_RESOURCE(cursors);
}

namespace kalvo {

namespace {

struct TCursorEntry {
    const char* Name;
    int HotX;
    int HotY;
};

constexpr TCursorEntry kCursors[] = {
    {"PXR_HANDOPEN", 2, 1},  {"PXR_HANDCLOS", 2, 1},  {"PXR_CROSS", 0, 0},    {"PXR_CROSS_A", 15, 15},
    {"PXR_CROSS_D", 15, 15}, {"PXR_MAGICWAND", 5, 5}, {"PXR_MAGIC_A", 5, 5},  {"PXR_MAGIC_D", 5, 5},
    {"PXR_ZOOM", 6, 6},      {"PXR_MOVERGN", 7, 7},   {"PXR_MOVEAREA", 0, 0}, {"PXR_PAINT", 17, 17},
    {"PXR_SPOIT", 0, 15},    {"PXR_PEN", 13, 18},     {"PXR_BRUSH", 11, 18},  {"PXR_SHAPE", 7, 7},
    {"PXR_TEXT", 7, 7},
};

const TCursorEntry* entryOf(int number)
{
    if (number < kFirstCanvasCursor || number > kLastCanvasCursor)
        return nullptr;
    return &kCursors[number - kFirstCanvasCursor];
}

// The picture's black pixels draw black, white pixels white, transparent ones nothing.
QCursor loadCursor(const TCursorEntry& entry, double ratio)
{
    const QImage picture(QStringLiteral(":/kalvo/cursors/%1.xpm").arg(QString::fromLatin1(entry.Name)));
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    if (ratio == 1.0)
        return QCursor(QPixmap::fromImage(picture), entry.HotX, entry.HotY);
    const int size = int(std::lround(picture.width() * ratio));
    QPixmap scaled = QPixmap::fromImage(picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    scaled.setDevicePixelRatio(ratio);
    const QPoint hot = ScaledCursorHotspot({entry.HotX, entry.HotY}, ratio,
                                           QGuiApplication::platformName() == QLatin1String("xcb"));
    return QCursor(scaled, hot.x(), hot.y());
}

} // namespace

const char* CanvasCursorName(int number)
{
    const TCursorEntry* entry = entryOf(number);
    return entry ? entry->Name : "";
}

QPoint CanvasCursorHotspot(int number)
{
    const TCursorEntry* entry = entryOf(number);
    return entry ? QPoint(entry->HotX, entry->HotY) : QPoint();
}

QPoint ScaledCursorHotspot(QPoint hotspot, double ratio, bool inPicturePixels)
{
    if (!inPicturePixels)
        return hotspot;
    return QPoint(int(std::floor(hotspot.x() * ratio)), int(std::floor(hotspot.y() * ratio)));
}

QCursor CanvasCursor(int number, double ratio)
{
    const TCursorEntry* entry = entryOf(number);
    if (!entry)
        return QCursor(Qt::ArrowCursor);
    // Registered once, at first use; one cursor per number and ratio.
    static std::map<std::pair<int, double>, QCursor> cache;
    const std::pair<int, double> key(number, ratio);
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.empty())
            initCursorResources();
        it = cache.emplace(key, loadCursor(*entry, ratio)).first;
    }
    return it->second;
}

} // namespace kalvo
