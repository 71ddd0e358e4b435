#include "app/settings/CustomColors.h"

#include "app/settings/MainSettings.h"

#include <QColorDialog>

namespace kalvo {

void ApplyCustomColors(const QStringList& entries)
{
    const int count = std::min<int>(int(entries.size()), QColorDialog::customCount());
    for (int i = 0; i < count; ++i) {
        const QString& entry = entries.at(i);
        const auto color = ParseHexColorText(entry.mid(entry.indexOf('=') + 1));
        if (color)
            QColorDialog::setCustomColor(i, QColor(GetRValue(*color), GetGValue(*color), GetBValue(*color)));
    }
}

QStringList CustomColorsFromDialog()
{
    QStringList entries;
    for (int i = 0; i < QColorDialog::customCount() && i < 16; ++i) {
        const QColor c = QColorDialog::customColor(i);
        entries.push_back(QStringLiteral("Color") + QChar('A' + i) + '='
                          + HexColorText(RGB(c.red(), c.green(), c.blue())));
    }
    return entries;
}

} // namespace kalvo
