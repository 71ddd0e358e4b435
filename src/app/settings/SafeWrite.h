#pragma once
// Replaces a file with bytes through a temporary file and a rename.
#include <QByteArray>
#include <QString>

namespace kalvo {

// False when the file could not be written; the old file is then left as it was.
bool WriteBytesAtomically(const QString& fileName, const QByteArray& bytes);

} // namespace kalvo
