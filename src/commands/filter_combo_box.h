#pragma once
// The filter list of the encrypt dialog, filled from a filter text of description|mask pairs
// ("Fichiers codage (*.cod)|*.cod|..."): it shows the descriptions and hands out the masks.

#include <QComboBox>

namespace ombre {

class FilterComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit FilterComboBox(QWidget *parent = nullptr);

    // Replaces the entries and selects the first one (maskChanged follows).
    void setFilter(const QString &filter);
    QString mask() const;

signals:
    void maskChanged(const QString &mask);
};

} // namespace ombre
