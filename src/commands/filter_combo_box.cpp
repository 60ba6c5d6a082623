#include "commands/filter_combo_box.h"

#include <QSignalBlocker>

namespace ombre {

FilterComboBox::FilterComboBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit maskChanged(mask()); });
}

void FilterComboBox::setFilter(const QString &filter)
{
    {
        const QSignalBlocker blocker(this);
        clear();
        const QStringList parts = filter.split(QLatin1Char('|'));
        for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
            addItem(parts.at(i), parts.at(i + 1));
        setCurrentIndex(count() > 0 ? 0 : -1);
    }
    emit maskChanged(mask());
}

QString FilterComboBox::mask() const
{
    return currentData().toString();
}

} // namespace ombre
