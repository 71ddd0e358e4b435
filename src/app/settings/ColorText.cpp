#include "app/settings/ColorText.h"

#include "app/settings/IniFile.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <utility>

namespace kalvo {

namespace {

struct TNamedColor {
    const char* name;
    TColor value;
};

constexpr std::array<TNamedColor, 16> kNamedColors{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

struct TSystemColor {
    const char* name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::array<TSystemColor, 12> kSystemColors{{
    {"clBtnFace", QPalette::Active, QPalette::Button},
    {"clBtnText", QPalette::Active, QPalette::ButtonText},
    {"clBtnHighlight", QPalette::Active, QPalette::Light},
    {"clBtnShadow", QPalette::Active, QPalette::Mid},
    {"cl3DDkShadow", QPalette::Active, QPalette::Shadow},
    {"clWindow", QPalette::Active, QPalette::Base},
    {"clWindowText", QPalette::Active, QPalette::Text},
    {"clHighlight", QPalette::Active, QPalette::Highlight},
    {"clHighlightText", QPalette::Active, QPalette::HighlightedText},
    {"clGrayText", QPalette::Disabled, QPalette::Text},
    {"clInfoBk", QPalette::Active, QPalette::ToolTipBase},
    {"clInfoText", QPalette::Active, QPalette::ToolTipText},
}};

std::optional<TColor> systemColor(const QString& name)
{
    for (const auto& sc : kSystemColors) {
        if (name.compare(QLatin1String(sc.name), Qt::CaseInsensitive) != 0)
            continue;
        const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
            ? QGuiApplication::palette()
            : QPalette();
        const QColor c = palette.color(sc.group, sc.role);
        return RGB(c.red(), c.green(), c.blue());
    }
    return std::nullopt;
}

} // namespace

QString ColorToString(TColor color)
{
    for (const auto& nc : kNamedColors)
        if (nc.value == color)
            return QLatin1String(nc.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QChar('0')).toUpper();
}

std::optional<TColor> StringToColor(const QString& text)
{
    const QString t = text.trimmed();
    for (const auto& nc : kNamedColors)
        if (t.compare(QLatin1String(nc.name), Qt::CaseInsensitive) == 0)
            return nc.value;
    if (auto sc = systemColor(t))
        return sc;
    if (auto v = TIniFile::ParseInteger(t))
        return TColor(*v) & 0xFFFFFFu;
    return std::nullopt;
}

} // namespace kalvo
