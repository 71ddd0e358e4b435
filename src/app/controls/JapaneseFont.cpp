#include "app/controls/JapaneseFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QStringList>

namespace kalvo {

QFont JapaneseTextFont(const QFont& base)
{
    const auto hasJapanese = [](const QString& family) {
        return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
    };
    if (hasJapanese(QFontInfo(base).family()))
        return base;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin)) {
            QFont font = base;
            font.setFamilies({family});
            return font;
        }
    }
    return base;
}

} // namespace kalvo
