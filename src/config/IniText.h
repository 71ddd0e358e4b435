#pragma once
// The text of an INI file held as its lines, with the profile-string rules: section and key
// names match without regard to letter case, the first matching section and key win, lines that
// are neither a section header nor a key line are kept as they are but never match.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kalvo {

class TIniText {
public:
    // Reads UTF-8 text with any line ending (CR LF, LF or CR).
    static TIniText Parse(const QByteArray& bytes);
    // The lines joined with CR LF, as UTF-8.
    QByteArray Serialize() const;

    // The value of key in section, trimmed (and without one pair of enclosing quotes); nullopt
    // when the section or the key is missing.
    std::optional<QString> Value(const QString& section, const QString& key) const;
    // Replaces the key's line, or adds it at the end of the section, or adds the section at the
    // end of the text. Line breaks inside the value are replaced by spaces.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // Every key line of the section as "key=value", in file order, each key once.
    QStringList SectionValues(const QString& section) const;
    // The names of all sections in file order, each once.
    QStringList SectionNames() const;
    // Removes the section header and its lines.
    void EraseSection(const QString& section);

    const std::vector<QString>& Lines() const { return FLines; }

private:
    struct TKeyLine {
        QString key;
        QString value;
    };
    static std::optional<QString> sectionName(const QString& line);
    static std::optional<TKeyLine> keyLine(const QString& line);
    // Index of the first header line of section, or -1.
    int findSection(const QString& section) const;
    // One past the last line of the section that starts at header.
    int sectionEnd(int header) const;

    std::vector<QString> FLines;
};

} // namespace kalvo
