// libFuzzer target: the INI text reader and its in-memory edits.
#include "config/IniText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    kalvo::TIniText ini = kalvo::TIniText::Parse(bytes);
    const QStringList sections = ini.SectionNames();
    for (const QString& section : sections) {
        const QStringList values = ini.SectionValues(section);
        for (const QString& line : values) {
            const QString key = line.left(line.indexOf('='));
            if (!ini.Value(section, key))
                std::abort();
        }
    }
    ini.SetValue(QStringLiteral("COMMON"), QStringLiteral("MaxUndo"), QStringLiteral("16"));
    if (ini.Value(QStringLiteral("common"), QStringLiteral("maxundo")) != QStringLiteral("16"))
        std::abort();
    const kalvo::TIniText again = kalvo::TIniText::Parse(ini.Serialize());
    if (again.Value(QStringLiteral("COMMON"), QStringLiteral("MaxUndo")) != QStringLiteral("16"))
        std::abort();
    if (!sections.isEmpty())
        ini.EraseSection(sections.front());
    return 0;
}
