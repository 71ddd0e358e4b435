#include "canvas/TextRender.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kalvo {

namespace {

// Room left and right of the advance for overhanging glyphs (italics, some accents).
int sideMargin(const QFont& font)
{
    return font.pixelSize() / 3 + 2;
}

} // namespace

QFont TextFontOf(const TToolSettings& settings, bool antiAlias)
{
    QFont font;
    if (!settings.TextFont.empty())
        font.setFamily(QString::fromStdString(settings.TextFont));
    // Points at 96 dots per inch: 72 points are 96 pixels.
    font.setPixelSize(std::max(1, int(std::lround(std::clamp(settings.TextSize, 6, 300) * 96.0 / 72.0))));
    font.setBold(settings.TextBold);
    font.setItalic(settings.TextItalic);
    font.setStyleStrategy(antiAlias ? QFont::PreferAntialias : QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QRect TextBox(const QFont& font, const QString& text, QPoint pos)
{
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 1;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    return QRect(pos, QSize(width, int(lines.size()) * metrics.lineSpacing()));
}

QRect TextCaret(const QFont& font, const QString& text, int index, QPoint pos)
{
    const QFontMetrics metrics(font);
    const QString before = text.left(index);
    const int line = int(before.count(QLatin1Char('\n')));
    const int lineStart = int(before.lastIndexOf(QLatin1Char('\n'))) + 1;
    const int x = metrics.horizontalAdvance(before.mid(lineStart));
    return QRect(pos.x() + x, pos.y() + line * metrics.lineSpacing(), 1, metrics.height());
}

TCoverage RenderTextCoverage(const QFont& font, const QString& text, QPoint pos, bool antiAlias)
{
    TCoverage c;
    if (text.isEmpty())
        return c;
    const QFontMetrics metrics(font);
    const int margin = sideMargin(font);
    const QRect area = TextBox(font, text, pos).adjusted(-margin, 0, margin, 0);
    QImage image(area.size(), QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, antiAlias);
        painter.setRenderHint(QPainter::Antialiasing, antiAlias);
        painter.setFont(font);
        painter.setPen(Qt::white);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i)
            painter.drawText(QPoint(margin, i * metrics.lineSpacing() + metrics.ascent()), lines[i]);
    }
    c.Origin = area.topLeft();
    c.Table = TByteTable(area.width(), area.height());
    for (int y = 0; y < area.height(); ++y) {
        const std::uint8_t* src = image.constScanLine(y);
        std::uint8_t* dst = c.Table[y];
        if (antiAlias)
            std::memcpy(dst, src, std::size_t(area.width()));
        else
            for (int x = 0; x < area.width(); ++x)
                dst[x] = src[x] >= 128 ? 255 : 0;
    }
    return c;
}

} // namespace kalvo
