#pragma once
// Points the program directory at a fresh, empty directory for the life of the object.
#include "support/TestSupport.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QTest>

#include <cstdlib>
#include <functional>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace kalvo::test {

class ScopedConfigDir {
public:
    ScopedConfigDir() : old_(qgetenv("KALVO_CONFIG_DIR")) { ::setenv("KALVO_CONFIG_DIR", dir_.path().c_str(), 1); }
    ~ScopedConfigDir() { ::setenv("KALVO_CONFIG_DIR", old_.constData(), 1); }
    ScopedConfigDir(const ScopedConfigDir&) = delete;
    ScopedConfigDir& operator=(const ScopedConfigDir&) = delete;

    std::string file(const std::string& name) const { return dir_.file(name); }
    QString qfile(const std::string& name) const { return QString::fromStdString(dir_.file(name)); }
    const std::string& path() const { return dir_.path(); }

private:
    TempDir dir_;
    QByteArray old_;
};

// Processes events until done() holds or timeoutMs passed; returns done().
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(10);
    return done();
}

inline std::vector<std::uint8_t> Bytes(const std::string& text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

inline std::string Text(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace kalvo::test
