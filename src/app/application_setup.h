#pragma once
// The program's identity and its French interface, set up once at start by the program and by
// the tools that show its windows.

#include <QTranslator>

class QApplication;

namespace ombre {

// Texts of Qt's dialogs that its French catalogue lacks: Qt moved them to a new context and the
// catalogue still has them under the old one (the file lists' "Folder" type, for one).
class MissingQtFrench final : public QTranslator {
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override;
    bool isEmpty() const override { return false; }
};

// Names the application for its settings, makes French the default locale and installs the
// translations of Qt's own texts; they stay installed while this object lives.
class ApplicationSetup {
public:
    explicit ApplicationSetup(QApplication &app);
    ApplicationSetup(const ApplicationSetup &) = delete;
    ApplicationSetup &operator=(const ApplicationSetup &) = delete;

private:
    QTranslator qtFrench_;
    MissingQtFrench missing_;
};

} // namespace ombre
