#pragma once
// The modal seam: every message box, standard dialog and modal form of the program is opened
// through modal(), so that tests can answer each one by script and record what was shown.

#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QPrintDialog;
class QWidget;

namespace ombre {

struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct FileDialogRequest {
    QString title;
    QString directory;        // initial folder
    QString fileName;         // initial file name (save dialogs)
    QStringList filters;      // "Texte enrichi (*.rtf)", ...
    int filterIndex = 0;      // 0-based; updated with the filter the user chose
    QString defaultSuffix;    // appended by the dialog when the user typed none
    bool confirmOverwrite = true;
};

// A font with the colour its text is drawn in (a QFont carries none).
struct FontChoice {
    QFont font;
    QColor color;
};

class ModalSeam {
public:
    virtual ~ModalSeam() = default;
    virtual QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) = 0;
    // Empty result: cancelled.
    virtual QString openFileName(QWidget *parent, FileDialogRequest &request) = 0;
    virtual QStringList openFileNames(QWidget *parent, FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, FileDialogRequest &request) = 0;
    virtual QString existingDirectory(QWidget *parent, const QString &title, const QString &directory) = 0;
    virtual std::optional<QFont> font(QWidget *parent, const QFont &initial, const QString &title) = 0;
    // The font dialog with a colour choice, as character formatting needs. By default the font
    // dialog alone, keeping the colour.
    virtual std::optional<FontChoice> fontAndColor(QWidget *parent, const FontChoice &initial, const QString &title);
    virtual std::optional<QColor> color(QWidget *parent, const QColor &initial, const QString &title) = 0;
    // The program's own forms and the print dialogs: returns QDialog::Accepted or Rejected.
    virtual int exec(QDialog &dialog) = 0;
};

// The seam in force; the real dialogs unless a test installed a script.
ModalSeam &modal();

// Installs a seam for the lifetime of this object (tests), then restores the previous one.
class ModalOverride {
public:
    explicit ModalOverride(ModalSeam &seam);
    ~ModalOverride();
    ModalOverride(const ModalOverride &) = delete;
    ModalOverride &operator=(const ModalOverride &) = delete;

private:
    ModalSeam *previous_;
};

// Shorthands for the message boxes the program shows.
QMessageBox::StandardButton showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                        const QString &title = QString());

// The title every message box carries unless the caller names another one.
QString messageTitle();

} // namespace ombre
