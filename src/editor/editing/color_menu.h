#pragma once
// The colour menu of the formatting bar: sixteen fixed colours, items "C00" to "C15", and
// "Autres..." ("C17") for any other colour.

#include <QColor>
#include <QString>
#include <array>
#include <optional>

namespace ombre {

struct MenuColor {
    const char *caption; // UTF-8
    QRgb rgb;
};

const std::array<MenuColor, 16> &MenuColors();

// "C00".."C15" for the menu's colours.
QString ColorItemName(int index);
inline const QString OtherColorItemName = QStringLiteral("C17");

// The colour an item stands for, found from the two digits of its name; none for "C17" and for
// any other name.
std::optional<QColor> ColorOfItem(const QString &itemName);

// The item to check for text of `color`: the fixed colour it equals, else "Autres...".
QString ColorItemFor(const QColor &color);

} // namespace ombre
