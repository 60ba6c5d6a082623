#include "platform/font_color_dialog.h"

#include "platform/font_style_names.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>
#include <cstdlib>
#include <limits>

namespace ombre {
namespace {

struct NamedColor {
    const char *name;
    QRgb rgb;
};

// The sixteen colours a font dialog traditionally offers.
constexpr NamedColor StandardColors[] = {
    {"Noir", 0x000000},       {"Bordeaux", 0x800000}, {"Vert", 0x008000},     {"Olive", 0x808000},
    {"Bleu marine", 0x000080}, {"Violet", 0x800080},   {"Sarcelle", 0x008080}, {"Gris", 0x808080},
    {"Argent", 0xC0C0C0},     {"Rouge", 0xFF0000},    {"Vert clair", 0x00FF00}, {"Jaune", 0xFFFF00},
    {"Bleu", 0x0000FF},       {"Fuchsia", 0xFF00FF},  {"Turquoise", 0x00FFFF}, {"Blanc", 0xFFFFFF},
};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QComboBox *colorBox(const QColor &initial, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("ComboCouleur"));
    for (const NamedColor &named : StandardColors) {
        const QColor color(named.rgb);
        box->addItem(swatch(color), QString::fromUtf8(named.name), color);
    }
    int index = box->findData(initial);
    if (index < 0) {
        box->insertItem(0, swatch(initial), QStringLiteral("Personnalisée"), initial);
        index = 0;
    }
    box->setCurrentIndex(index);
    return box;
}

// Qt's dialog looks the initial style up by a generic name ("Normal") that the font files spell
// otherwise ("Book", "Regular") and, not finding it, chooses the first style listed, often an
// oblique one: it is given the name of the family's style of the same slant and the nearest
// weight, among equals the one the font resolves to ("Book" rather than "Condensed").
QFont withStyleName(const QFont &font)
{
    if (!font.styleName().isEmpty())
        return font;
    const QFontInfo resolved(font);
    const QString family = resolved.family();
    const bool slanted = font.style() != QFont::StyleNormal;
    QString style;
    int nearest = std::numeric_limits<int>::max();
    for (const QString &candidate : QFontDatabase::styles(family)) {
        // Oblique styles slant as italic ones do.
        if ((QFontDatabase::font(family, candidate, font.pointSize()).style() != QFont::StyleNormal) != slanted)
            continue;
        const int distance = std::abs(QFontDatabase::weight(family, candidate) - font.weight());
        if (distance < nearest || (distance == nearest && candidate == resolved.styleName())) {
            nearest = distance;
            style = candidate;
        }
    }
    QFont named(font);
    named.setStyleName(style);
    return named;
}

// A family this machine lacks ("Arial" in a letter written elsewhere) is shown as the family the
// system draws in its place, rather than as the dialog's first name.
QFont shownFont(const QFont &font)
{
    QFont shown = withStyleName(font);
    if (!QFontDatabase::families().contains(font.families().value(0, font.family())))
        shown.setFamilies({QFontInfo(font).family()});
    return shown;
}

// Confirming that stand-in unchanged keeps the name the text had, so that the letter still asks
// for its own font wherever it is read.
QFont chosenFont(const QFontDialog &fonts, const QFont &initial)
{
    QFont chosen = fonts.currentFont();
    if (chosen.families().value(0) == shownFont(initial).families().value(0))
        chosen.setFamilies(initial.families().isEmpty() ? QStringList{initial.family()} : initial.families());
    return chosen;
}

QFontDialog *embeddedFontDialog(const QFont &initial, QDialog &owner)
{
    auto *fonts = new QFontDialog(shownFont(initial), &owner);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    ShowFrenchStyleNames(*fonts);
    return fonts;
}

QDialogButtonBox *okCancel(QDialog &dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

std::optional<QFont> runFontDialog(QWidget *parent, const QFont &initial, const QString &title)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    QFontDialog *fonts = embeddedFontDialog(initial, dialog);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addWidget(okCancel(dialog));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosenFont(*fonts, initial);
}

std::optional<FontChoice> runFontColorDialog(QWidget *parent, const FontChoice &initial, const QString &title)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    QFontDialog *fonts = embeddedFontDialog(initial.font, dialog);
    QComboBox *colors = colorBox(initial.color.isValid() ? initial.color : QColor(Qt::black), &dialog);
    auto *colorRow = new QFormLayout;
    colorRow->addRow(QStringLiteral("&Couleur :"), colors);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(okCancel(dialog));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{chosenFont(*fonts, initial.font), colors->currentData().value<QColor>()};
}

} // namespace ombre
