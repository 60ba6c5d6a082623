#pragma once
// The spelling component's one exception, with the three messages the user can see. It is caught
// where a command or a button of the dialog ends, and shown in the program's error box.

#include "integrations/spelling/csapi.h"

#include <QString>
#include <exception>

class QWidget;

namespace ombre {

class ESpellError : public std::exception {
public:
    explicit ESpellError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    // "Erreur du dictionnaire No <code>".
    static ESpellError engine(csapi::Error code);
    static ESpellError cannotLoad();   // "Impossible de charger le dictionnaire"
    static ESpellError cannotUnload(); // "Impossible de décharger le dictionnaire"

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Raises ESpellError::engine for any code but success.
void checkSpellCall(csapi::Error code);

// The program's error box for it.
void showSpellError(QWidget *parent, const ESpellError &error);

} // namespace ombre
