#include "editor/font_list.h"

#include "editor/pictures.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QRegularExpression>
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

QStringList FontBoxFamilies(const QStringList &available)
{
    static const QRegularExpression foundry(QStringLiteral(R"( \[[^\]]*\]$)"));
    QStringList families;
    families.reserve(available.size());
    for (const QString &family : available)
        families.append(QString(family).remove(foundry));
    // Alphabetical whatever the case; names that differ only in case side by side, in a fixed order.
    const auto alphabetical = [](const QString &a, const QString &b) {
        const int caseless = a.compare(b, Qt::CaseInsensitive);
        return caseless != 0 ? caseless < 0 : a < b;
    };
    std::sort(families.begin(), families.end(), alphabetical);
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

void FillFontBox(QComboBox &box)
{
    box.clear();
    for (const QString &family : FontBoxFamilies(QFontDatabase::families())) {
        box.addItem(family);
        box.setItemData(box.count() - 1, QFontDatabase::isScalable(family), ScalableRole);
    }
}

} // namespace ombre
