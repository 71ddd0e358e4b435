#include "config/RecentFileText.h"

#include <QSet>

namespace kalvo {

namespace {

bool usableLine(const QString& line)
{
    return !line.trimmed().isEmpty() && line.size() <= kMaxRecentPathChars && !line.contains(QChar(0));
}

} // namespace

QStringList ParseRecentFileText(const QByteArray& bytes)
{
    QStringList entries;
    QSet<QString> seen;
    qsizetype start = 0;
    while (start < bytes.size() && entries.size() < kMaxRecentFiles) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        // Over-long lines are skipped before they are decoded.
        if (end - start <= kMaxRecentPathChars * 4) {
            const QString line = QString::fromUtf8(bytes.constData() + start, end - start);
            if (usableLine(line) && !seen.contains(line.toCaseFolded())) {
                seen.insert(line.toCaseFolded());
                entries.push_back(line);
            }
        }
        start = end + 1;
    }
    return entries;
}

QByteArray RecentFileBytes(const QStringList& entries)
{
    QByteArray out;
    for (const QString& e : entries) {
        out += e.toUtf8();
        out += "\r\n";
    }
    return out;
}

QString RecentFileCaption(int index, const QString& path)
{
    const QChar accelerator = index < 9 ? QChar('1' + index) : QChar('A' + (index - 9));
    QString shown = path;
    shown.replace(QChar('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(accelerator, shown);
}

} // namespace kalvo
