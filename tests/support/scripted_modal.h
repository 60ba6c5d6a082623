#pragma once
// A modal seam that answers from a script and records every box and dialog it was asked to show.
// A request with no answer left (or an answer of the wrong kind) fails the running test and is
// answered as if the user had cancelled.

#include "platform/modal.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <vector>

namespace ombre::test {

class ScriptedModal final : public ModalSeam {
public:
    enum class Kind { Message, OpenFile, OpenFiles, SaveFile, Directory, Font, Color, Dialog, FontAndColor };

    struct Shown {
        Kind kind;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;                 // message text, or the dialog's object name / file dialog title
        QMessageBox::StandardButtons buttons;
        FileDialogRequest file;       // what a file dialog was opened with
    };

    ScriptedModal() : override_(*this) {}

    // Script, consumed in order.
    void answerMessage(QMessageBox::StandardButton button);
    void answerOpenFile(const QString &path);             // empty: cancel
    void answerOpenFiles(const QStringList &paths);
    void answerSaveFile(const QString &path, int filterIndex = -1); // empty: cancel; -1 keeps the filter
    void answerDirectory(const QString &path);
    void answerFont(std::optional<QFont> font);
    void answerColor(std::optional<QColor> color);
    void answerFontAndColor(std::optional<FontChoice> choice); // empty: cancel
    // The handler drives the dialog (fills fields, clicks buttons); the dialog's result is returned.
    void answerDialog(std::function<void(QDialog &)> handler);

    const std::vector<Shown> &shown() const { return shown_; }
    std::vector<Shown> messages() const;
    bool allAnswered() const { return answers_.empty(); }

    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override;
    QString openFileName(QWidget *parent, FileDialogRequest &request) override;
    QStringList openFileNames(QWidget *parent, FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, FileDialogRequest &request) override;
    QString existingDirectory(QWidget *parent, const QString &title, const QString &directory) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial, const QString &title) override;
    std::optional<FontChoice> fontAndColor(QWidget *parent, const FontChoice &initial, const QString &title) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial, const QString &title) override;
    int exec(QDialog &dialog) override;

private:
    struct Answer {
        explicit Answer(Kind k) : kind(k) {}
        Kind kind;
        QMessageBox::StandardButton button = QMessageBox::Cancel;
        QStringList paths;
        int filterIndex = -1;
        std::optional<QFont> font;
        std::optional<QColor> color;
        std::optional<FontChoice> fontChoice;
        std::function<void(QDialog &)> handler;
    };

    std::optional<Answer> next(Kind kind, const QString &what);

    ModalOverride override_;
    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

} // namespace ombre::test
