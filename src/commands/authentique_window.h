#pragma once
// TAuthentique: the borderless window that shows what a container says about itself, its labels
// drawn over a background picture that carries their captions.

#include <QDialog>

class QLabel;
class QPushButton;

namespace ombre {

class TAuthentique final : public QDialog {
    Q_OBJECT
public:
    explicit TAuthentique(QWidget *parent);

    QLabel *LType;
    QLabel *LVersion;
    QLabel *LAlgo;
    QLabel *LFichier;
    QLabel *Image;
    QLabel *LAuthentic;
    QPushButton *BtnOk;
    QPushButton *BtnNul;

    // Replaces the caption of LAuthentic, "Crypté par :", where the last line says something else.
    void setAuthenticCaption(const QString &caption);

    // Sets a label's text, shortened with an ellipsis when it would run off the window (the
    // whole text is then in its tool tip).
    static void setLabelText(QLabel *label, const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
};

} // namespace ombre
