#include "editor/editing/color_menu.h"

namespace ombre {

const std::array<MenuColor, 16> &MenuColors()
{
    static const std::array<MenuColor, 16> colors{{
        {"Noir", 0x000000},       {"Rouge foncé", 0x800000}, {"Vert", 0x008000},        {"Olive", 0x808000},
        {"Bleu foncé", 0x000080}, {"Violet", 0x800080},      {"Bleu vert", 0x008080},   {"Gris foncé", 0x808080},
        {"Gris clair", 0xC0C0C0}, {"Rouge", 0xFF0000},       {"Vert pâle", 0x00FF00},   {"Jaune", 0xFFFF00},
        {"Bleu", 0x0000FF},       {"Fushia", 0xFF00FF},      {"Bleu clair", 0x00FFFF},  {"Blanc", 0xFFFFFF},
    }};
    return colors;
}

QString ColorItemName(int index)
{
    return QStringLiteral("C%1").arg(index, 2, 10, QLatin1Char('0'));
}

std::optional<QColor> ColorOfItem(const QString &itemName)
{
    if (itemName.size() != 3 || itemName[0] != QLatin1Char('C'))
        return std::nullopt;
    bool ok = false;
    const int index = itemName.mid(1).toInt(&ok);
    if (!ok || index < 0 || index >= static_cast<int>(MenuColors().size()))
        return std::nullopt;
    return QColor(MenuColors()[static_cast<std::size_t>(index)].rgb);
}

QString ColorItemFor(const QColor &color)
{
    // Colours compare by their red, green and blue only: text colour has no transparency.
    const QRgb rgb = color.rgb() & RGB_MASK;
    for (std::size_t i = 0; i < MenuColors().size(); ++i)
        if (MenuColors()[i].rgb == rgb)
            return ColorItemName(static_cast<int>(i));
    return OtherColorItemName;
}

} // namespace ombre
