#pragma once
// The three information lines of the open dialog's preview.
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace kalvo {

// "画像ｻｲｽﾞ：", a tab, "W x H pixels " and "N bpp" (nothing when bitCount is 0 or less).
QString PictureSizeLine(int width, int height, int bitCount);
// "ﾌｧｲﾙｻｲｽﾞ：", a tab and the size in bytes with the locale's thousands separator and " bytes".
QString FileSizeLine(qint64 bytes);
// The locale's short time format with seconds ("H:mm:ss" for Japanese).
QString TimeWithSeconds(const QLocale& locale);
// "最終更新：", a tab and the time as the locale's short date and its time with seconds.
QString ModifiedLine(const QDateTime& time);

} // namespace kalvo
