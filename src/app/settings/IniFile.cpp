#include "app/settings/IniFile.h"

#include "app/settings/SafeWrite.h"
#include "config/IniText.h"

#include <QFile>
#include <QFileInfo>

namespace kalvo {

std::optional<int> TIniFile::ParseInteger(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith('$') || t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(t.startsWith('$') ? 1 : 2);
        if (digits.isEmpty() || digits.size() > 8 || digits.startsWith('+') || digits.startsWith('-'))
            return std::nullopt;
        const uint v = digits.toUInt(&ok, 16);
        return ok ? std::optional<int>(int(v)) : std::nullopt;
    }
    const int v = t.toInt(&ok, 10);
    return ok ? std::optional<int>(v) : std::nullopt;
}

std::optional<TIniText> TIniFile::Load() const
{
    QFile file(FFileName);
    if (!file.exists())
        return TIniText();
    if (file.size() > kMaxFileBytes || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        return std::nullopt;
    return TIniText::Parse(bytes);
}

bool TIniFile::Store(const TIniText& text) const
{
    return WriteBytesAtomically(FFileName, text.Serialize());
}

QString IniString(const TIniText& text, const QString& section, const QString& key, const QString& def)
{
    return text.Value(section, key).value_or(def);
}

int IniInteger(const TIniText& text, const QString& section, const QString& key, int def)
{
    const auto value = text.Value(section, key);
    if (!value)
        return def;
    return TIniFile::ParseInteger(*value).value_or(def);
}

bool IniBool(const TIniText& text, const QString& section, const QString& key, bool def)
{
    return IniInteger(text, section, key, def ? 1 : 0) != 0;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const auto text = Load();
    return text ? IniString(*text, section, key, def) : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const
{
    const auto text = Load();
    return text ? IniInteger(*text, section, key, def) : def;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const
{
    const auto text = Load();
    return text ? IniBool(*text, section, key, def) : def;
}

QStringList TIniFile::ReadSectionValues(const QString& section) const
{
    const auto text = Load();
    return text ? text->SectionValues(section) : QStringList();
}

QStringList TIniFile::ReadSections() const
{
    const auto text = Load();
    return text ? text->SectionNames() : QStringList();
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    auto text = Load();
    if (!text)
        return false;
    text->SetValue(section, key, value);
    return Store(*text);
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::EraseSection(const QString& section)
{
    auto text = Load();
    if (!text)
        return false;
    text->EraseSection(section);
    return Store(*text);
}

} // namespace kalvo
