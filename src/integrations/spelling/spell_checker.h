#pragma once
// TSpellChecker, the frame's `Speller`: everything between the spelling engine and the user. It
// finds the engine and the dictionary of its language on the machine, opens and closes them,
// tests words, gathers suggestions, walks a document's errors in the checking dialog and tells
// the underliners where the errors of a paragraph are.
//
// Engine errors come out as ESpellError; the dialog's buttons catch them and show them.

#include "integrations/spelling/csapi.h"
#include "integrations/spelling/spell_underliner.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QTextEdit;
class QWidget;

namespace ombre {

class IntegrationHost;
class MachineView;
class TSpellerDialog;

// Where the user's custom dictionary is named (value "1"), in the user's store.
inline const QString CustomDictionariesKey =
    QStringLiteral("Software\\Microsoft\\Shared Tools\\Proofing Tools\\Custom Dictionaries");

class TSpellChecker : public QObject, public MisspellingFinder {
    Q_OBJECT
public:
    // Loads the engine library a dictionary key names; null when it cannot be loaded.
    using EngineLoader = std::function<std::unique_ptr<csapi::Csapi>(const QString &enginePath)>;

    // `window` parents the dialog and the messages; `host` gives the document "Re&prendre" checks.
    TSpellChecker(QWidget &window, IntegrationHost &host, const MachineView &machine, EngineLoader loadEngine);
    // Closes the engine quietly.
    ~TSpellChecker() override;

    // The option mask given to the engine; while open, a change reaches it at once.
    quint16 options() const { return m_options; }
    void setOptions(quint16 options);
    // Windows language identifier. Changes only while closed and only to a language the program
    // knows; the dialog's caption follows.
    int language() const { return m_language; }
    void setLanguage(int language);

    QString FinishMessage = QStringLiteral("La vérification orthographique est terminée.");
    bool ShowFinishMessage = true;
    QString Caption = QStringLiteral("Orthographe : %s"); // %s: the language's name
    QColor MisspellColor = Qt::red;                         // the faulty word in the dialog

    // The engine and the main dictionary of the language are found and both files exist.
    bool available() const;
    bool isOpen() const { return m_engine != nullptr; }
    void open();
    void close();

    // Checks the editor's text from the word at its caret, in the dialog.
    void check(QTextEdit &editor);
    // True when the engine knows `text` as one word.
    bool wordTest(const QString &text);
    // Every suggestion of the engine for `text`, once each, in the engine's order.
    QStringList suggestions(const QString &text);
    // For the underliners: opens the engine on first use when it is available; empty otherwise.
    QList<WordSpan> misspellings(QStringView paragraph) override;

    // The dialog while a check runs (tests drive its buttons); null otherwise.
    TSpellerDialog *dialog() const;

    // The dialog's buttons; each resolves the error shown, then goes on to the next one.
    void change(const QString &replacement);
    void changeAll(const QString &replacement);
    void skip();
    void skipAll();
    void addWord();
    void deleteError();
    void cancel();
    // Checks the active document again from its caret (after a pause).
    void resume();

signals:
    // The words the engine accepts changed: a word added or ignored, a dictionary opened or closed.
    void dictionariesChanged();

private:
    struct Location {
        int language = 0; // whose key was found
        QString engine;
        QString dictionary;
    };
    // The keys of the language, else of its primary language with the default sub-language.
    Location locate() const;
    // Opens without telling the underliners (they call it themselves).
    void openEngine();
    // `Caption` with the language's name.
    QString caption() const;
    csapi::InputBuffer input(QStringView text) const;
    csapi::ReturnBuffer spellCheck(csapi::Command command, QStringView text);

    void step();
    void showError(csapi::Status status, const QStringList &stored);
    void replaceError(const QString &replacement);
    void replaceRange(qsizetype start, qsizetype length, const QString &replacement);
    void endRun(bool finishMessage);
    // Runs a button's work; an engine error is shown, the check goes on where it stands.
    void guarded(const std::function<void()> &work);

    QWidget &m_window;
    IntegrationHost &m_host;
    const MachineView &m_machine;
    EngineLoader m_loadEngine;

    quint16 m_options;
    int m_language = 1036;
    // Words ignored with "Ignorer tout" stay ignored for the rest of the run of the program,
    // through dictionary changes; never written anywhere.
    QStringList m_ignoredThisRun;
    // An engine that failed to open for the underliners is not tried again until the language
    // changes: the failure was shown once, or will be by the next command.
    bool m_backgroundOpenFailed = false;

    std::unique_ptr<csapi::Csapi> m_engine;
    csapi::SpellerId m_speller = 0;
    csapi::MdrInfo m_mainDictionary;
    csapi::UdrId m_customDictionary = 0;

    // The check under way.
    QPointer<TSpellerDialog> m_dialog;
    QPointer<QTextEdit> m_editor;
    QString m_text;             // private copy of the editor's text
    qsizetype m_position = 0;   // where the next verification starts
    csapi::Status m_status = csapi::Status::NoErrors;
    qsizetype m_errorStart = 0; // the error shown
    qsizetype m_errorLength = 0;
};

} // namespace ombre
