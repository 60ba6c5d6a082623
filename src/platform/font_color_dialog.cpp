#include "platform/font_color_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>

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

} // namespace

std::optional<FontChoice> runFontColorDialog(QWidget *parent, const FontChoice &initial, const QString &title)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto *fonts = new QFontDialog(initial.font, &dialog);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    QComboBox *colors = colorBox(initial.color.isValid() ? initial.color : QColor(Qt::black), &dialog);
    auto *colorRow = new QFormLayout;
    colorRow->addRow(QStringLiteral("&Couleur :"), colors);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice{fonts->currentFont(), colors->currentData().value<QColor>()};
}

} // namespace ombre
