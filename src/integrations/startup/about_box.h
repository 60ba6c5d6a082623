#pragma once
// The about box of the "Ai&de" menu.

#include <QDialog>

class QLabel;
class QPushButton;

namespace ombre {

class TMoonAnimation;

class TAPropos : public QDialog {
    Q_OBJECT
public:
    explicit TAPropos(QWidget *parent = nullptr);

    QLabel *ProgramIcon = nullptr;
    QLabel *Logo = nullptr;
    QLabel *Version = nullptr;
    QLabel *Edition = nullptr;
    TMoonAnimation *Animation = nullptr;
    QLabel *MailLink = nullptr;
    QLabel *WebLink = nullptr;
    QLabel *Algorithm = nullptr;
    QPushButton *BtnOk = nullptr;
};

} // namespace ombre
