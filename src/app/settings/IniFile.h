#pragma once
// Single accesses to an INI file: every call reads the file, performs its one read or write and,
// for a write, replaces the file atomically. A missing or unreadable file reads as empty, so
// every read gives its default; a write that cannot be completed returns false and leaves the
// old file as it was.
#include <QString>
#include <QStringList>

#include <optional>

namespace kalvo {

class TIniText;

class TIniFile {
public:
    // Files larger than this are treated as unreadable; nothing written here comes close.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    explicit TIniFile(QString fileName) : FFileName(std::move(fileName)) { }
    const QString& FileName() const { return FFileName; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, optionally signed, or hexadecimal with "$" or "0x"; anything else gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Read as an integer; any value other than 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    // Every key of the section as "key=value".
    QStringList ReadSectionValues(const QString& section) const;
    QStringList ReadSections() const;

    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);
    bool EraseSection(const QString& section);

    // The integer rules of ReadInteger applied to a text.
    static std::optional<int> ParseInteger(const QString& text);

    // The whole file read once, for many reads or a batch of writes: empty for a missing file,
    // nullopt when the file exists but cannot be read safely.
    std::optional<TIniText> Load() const;
    // Replaces the file with the text atomically; false when it could not be written.
    bool Store(const TIniText& text) const;

private:
    QString FFileName;
};

// The reads of TIniFile on a text already loaded: the same defaults and integer rules.
QString IniString(const TIniText& text, const QString& section, const QString& key, const QString& def);
int IniInteger(const TIniText& text, const QString& section, const QString& key, int def);
bool IniBool(const TIniText& text, const QString& section, const QString& key, bool def);

} // namespace kalvo
