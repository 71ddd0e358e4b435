#include "app/settings/SafeWrite.h"

#include "codecs/AtomicFile.h"

#include <QFile>

#include <stdexcept>

namespace kalvo {

bool WriteBytesAtomically(const QString& fileName, const QByteArray& bytes)
{
    try {
        WriteFileAtomically(QFile::encodeName(fileName).toStdString(), [&](const std::string& temp) {
            QFile out(QFile::decodeName(temp.c_str()));
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size()
                || !out.flush())
                throw std::runtime_error("write failed");
        });
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

} // namespace kalvo
