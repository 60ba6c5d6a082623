#include "editor/font_list.h"

#include "editor/pictures.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <algorithm>

namespace ombre {
namespace {

constexpr int ScalableRole = Qt::UserRole + 1;
constexpr int RowHeight = 13;
constexpr int NameWithoutPicture = 17;

} // namespace

FontListDelegate::FontListDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void FontListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    int nameLeft = NameWithoutPicture;
    if (index.data(ScalableRole).toBool()) {
        static const QPixmap picture = TrueTypePicture();
        const int top = option.rect.top() + (option.rect.height() - picture.height()) / 2;
        painter->drawPixmap(option.rect.left() + 2, std::max(option.rect.top() + 2, top), picture);
        nameLeft = picture.width() + 6;
    }
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect nameRect = option.rect.adjusted(nameLeft, 0, 0, 0);
    painter->drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
}

QSize FontListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize hint = QStyledItemDelegate::sizeHint(option, index);
    // Rows are 13 pixels unless the interface font needs more, so that no name is clipped.
    return QSize(hint.width() + NameWithoutPicture, std::max(RowHeight, option.fontMetrics.height() + 2));
}

int FontBoxIndex(const QComboBox &box, const QFont &font)
{
    const int named = box.findText(font.families().value(0, font.family()), Qt::MatchFixedString);
    if (named >= 0)
        return named;
    return std::max(0, box.findText(QFontInfo(font).family(), Qt::MatchFixedString));
}

void FillFontBox(QComboBox &box)
{
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    box.clear();
    for (const QString &family : families) {
        box.addItem(family);
        box.setItemData(box.count() - 1, QFontDatabase::isScalable(family), ScalableRole);
    }
}

} // namespace ombre
