#include "config/IniText.h"

#include <QSet>

namespace kalvo {

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquote(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

QString singleLine(QString text)
{
    text.replace(QChar('\r'), QChar(' '));
    text.replace(QChar('\n'), QChar(' '));
    return text;
}

} // namespace

TIniText TIniText::Parse(const QByteArray& bytes)
{
    TIniText ini;
    const QString text = QString::fromUtf8(bytes);
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        ini.FLines.push_back(text.mid(start, i - start));
        if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        ini.FLines.push_back(text.mid(start));
    return ini;
}

QByteArray TIniText::Serialize() const
{
    QByteArray out;
    for (const QString& line : FLines) {
        out += line.toUtf8();
        out += "\r\n";
    }
    return out;
}

std::optional<QString> TIniText::sectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

std::optional<TIniText::TKeyLine> TIniText::keyLine(const QString& line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    const QString key = line.left(eq).trimmed();
    if (key.isEmpty() || key.startsWith(';') || key.startsWith('['))
        return std::nullopt;
    return TKeyLine{key, unquote(line.mid(eq + 1).trimmed())};
}

int TIniText::findSection(const QString& section) const
{
    for (std::size_t i = 0; i < FLines.size(); ++i) {
        const auto name = sectionName(FLines[i]);
        if (name && sameName(*name, section))
            return int(i);
    }
    return -1;
}

int TIniText::sectionEnd(int header) const
{
    std::size_t i = std::size_t(header) + 1;
    while (i < FLines.size() && !sectionName(FLines[i]))
        ++i;
    return int(i);
}

std::optional<QString> TIniText::Value(const QString& section, const QString& key) const
{
    const int header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const auto kl = keyLine(FLines[std::size_t(i)]);
        if (kl && sameName(kl->key, key))
            return kl->value;
    }
    return std::nullopt;
}

void TIniText::SetValue(const QString& section, const QString& key, const QString& value)
{
    const QString line = singleLine(key) + '=' + singleLine(value);
    const int header = findSection(section);
    if (header < 0) {
        FLines.push_back('[' + singleLine(section) + ']');
        FLines.push_back(line);
        return;
    }
    const int end = sectionEnd(header);
    int lastContent = header;
    for (int i = header + 1; i < end; ++i) {
        QString& existing = FLines[std::size_t(i)];
        const auto kl = keyLine(existing);
        if (kl && sameName(kl->key, key)) {
            existing = line;
            return;
        }
        if (!existing.trimmed().isEmpty())
            lastContent = i;
    }
    FLines.insert(FLines.begin() + lastContent + 1, line);
}

QStringList TIniText::SectionValues(const QString& section) const
{
    QStringList result;
    QSet<QString> seen;
    const int header = findSection(section);
    if (header < 0)
        return result;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const auto kl = keyLine(FLines[std::size_t(i)]);
        if (!kl || seen.contains(kl->key.toCaseFolded()))
            continue;
        seen.insert(kl->key.toCaseFolded());
        result.push_back(kl->key + '=' + kl->value);
    }
    return result;
}

QStringList TIniText::SectionNames() const
{
    QStringList names;
    QSet<QString> seen;
    for (const QString& line : FLines) {
        const auto name = sectionName(line);
        if (name && !seen.contains(name->toCaseFolded())) {
            seen.insert(name->toCaseFolded());
            names.push_back(*name);
        }
    }
    return names;
}

void TIniText::EraseSection(const QString& section)
{
    for (int header = findSection(section); header >= 0; header = findSection(section))
        FLines.erase(FLines.begin() + header, FLines.begin() + sectionEnd(header));
}

} // namespace kalvo
