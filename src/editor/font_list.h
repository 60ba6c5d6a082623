#pragma once
// The font box's rows: each name drawn after the TrueType picture when the font is scalable,
// as the frame's font list has always shown them.

#include <QStyledItemDelegate>

class QComboBox;

namespace ombre {

class FontListDelegate : public QStyledItemDelegate {
public:
    explicit FontListDelegate(QObject *parent);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// The row of `font` in the box: its family, else the family the system substitutes for it
// ("Arial" shown with a metric-compatible face), else 0.
int FontBoxIndex(const QComboBox &box, const QFont &font);

// The families of `available` as the font box lists them: sorted, each once. Qt names a family
// that several foundries make "Family [Foundry]", once per foundry; the box shows the family.
QStringList FontBoxFamilies(const QStringList &available);

// Fills `box` with the screen's font families, scalable ones marked for the picture.
void FillFontBox(QComboBox &box);

} // namespace ombre
