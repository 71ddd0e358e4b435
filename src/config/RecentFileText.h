#pragma once
// The text of the recent-file file: one full path per line, newest first, lines ended by CR LF.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kalvo {

constexpr int kMaxRecentFiles = 16;
// Longer lines cannot be paths and are skipped when reading.
constexpr int kMaxRecentPathChars = 4096;

// The entries of the file: at most kMaxRecentFiles, skipping empty, over-long and NUL-carrying
// lines and later repetitions of a name (compared without regard to case). Any line ending.
QStringList ParseRecentFileText(const QByteArray& bytes);
QByteArray RecentFileBytes(const QStringList& entries);

// The menu caption of entry index (from 0): "&1 path" .. "&9 path", then "&A path" onwards, with
// every ampersand of the path doubled.
QString RecentFileCaption(int index, const QString& path);

} // namespace kalvo
