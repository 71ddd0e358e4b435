#include "app/dialogs/PreviewText.h"

#include <QLocale>

namespace kalvo {

QString PictureSizeLine(int width, int height, int bitCount)
{
    const QString depth = bitCount > 0 ? QStringLiteral("%1 bpp").arg(bitCount) : QString();
    return QStringLiteral("画像ｻｲｽﾞ：\t%1 x %2 pixels ").arg(width).arg(height) + depth;
}

QString FileSizeLine(qint64 bytes)
{
    QLocale locale;
    // The C locale omits group separators unless told otherwise.
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return QStringLiteral("ﾌｧｲﾙｻｲｽﾞ：\t") + locale.toString(bytes) + QStringLiteral(" bytes");
}

QString TimeWithSeconds(const QLocale& locale)
{
    // The locale's own long time format spells the units out and adds the time zone; the usual
    // clock reading is its short format with the seconds.
    QString format = locale.timeFormat(QLocale::ShortFormat);
    const qsizetype minutes = format.indexOf(QStringLiteral("mm"));
    if (minutes >= 0 && !format.contains(QLatin1Char('s')))
        format.insert(minutes + 2, QStringLiteral(":ss"));
    return format;
}

QString ModifiedLine(const QDateTime& time)
{
    const QLocale locale;
    return QStringLiteral("最終更新：\t") + locale.toString(time.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + locale.toString(time.time(), TimeWithSeconds(locale));
}

} // namespace kalvo
