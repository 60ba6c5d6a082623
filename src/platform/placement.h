#pragma once
// TPlacement keeps where a top-level window stands: it stores the window's placement (the ten
// values of a Windows placement record) under `Subkey` when the window closes and applies it
// again when the window is created.
//
// The normal rectangle is the window's normal (not maximised) geometry without its frame, so
// that what is saved is exactly what is restored. Show states: 1 normal, 2 minimised, 3
// maximised; flag 2 means "restore to maximised" for a window closed while minimised.

#include <QObject>
#include <QString>

class QWidget;

namespace ombre {

class TPlacement : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Subkey READ subkey WRITE setSubkey)
public:
    explicit TPlacement(QWidget *owner);

    QString subkey() const { return subkey_; }
    void setSubkey(const QString &subkey) { subkey_ = subkey; }

    // Writes Flags, ShowCmd, MinPosX, MinPosY, MaxPosX, MaxPosY, NormPosT, NormPosL, NormPosR,
    // NormPosB, in that order. Nothing when Subkey is empty.
    void SavePlacement();
    // Applies the stored placement when the key holds all ten values and a rectangle whose right
    // edge is right of its left edge; otherwise the window stays as it is. A window closed while
    // minimised comes back normal (or maximised if it was), never minimised.
    void RestorePlacement();

private:
    QWidget *owner() const;

    QString subkey_;
};

} // namespace ombre
