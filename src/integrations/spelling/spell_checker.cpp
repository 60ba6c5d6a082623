#include "integrations/spelling/spell_checker.h"

#include "integrations/integration_host.h"
#include "integrations/spelling/error_presentation.h"
#include "integrations/spelling/replace_keeping_format.h"
#include "integrations/spelling/spell_error.h"
#include "integrations/spelling/spell_tokens.h"
#include "integrations/spelling/speller_dialog.h"
#include "platform/language_ids.h"
#include "platform/machine_view.h"
#include "platform/modal.h"
#include "platform/qt_secret.h"
#include "platform/registry.h"

#include <QFileInfo>
#include <QRect>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace ombre {
namespace {

using csapi::Status;

constexpr quint16 ProgramOptions =
    csapi::SuggestFromUserDict | csapi::IgnoreAllCaps | csapi::IgnoreMixedDigits | csapi::IgnoreRomanNumerals;

// An engine that never says "no more" must not hold the program.
constexpr int MaxSuggestionRounds = 64;

QString spellingKey(int language)
{
    return QStringLiteral("\\") + ProofingSpellingKey + QLatin1Char('\\') + QString::number(language) +
           QStringLiteral("\\Normal");
}

// The user's custom dictionary, named in the store; the default is written back there.
QString customDictionaryPath()
{
    const QString value = QStringLiteral("1");
    QString path = RegReadStr(CustomDictionariesKey, value, QString());
    if (path.isEmpty()) {
        path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/CUSTOM.DIC");
        RegWriteStr(CustomDictionariesKey, value, path);
    }
    return path;
}

// The line of `text` that holds `position`: from after the line break before it to the next one.
std::pair<qsizetype, qsizetype> lineAround(const QString &text, qsizetype position)
{
    auto isBreak = [](QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); };
    qsizetype start = position;
    while (start > 0 && !isBreak(text.at(start - 1)))
        --start;
    qsizetype end = position;
    while (end < text.size() && !isBreak(text.at(end)))
        ++end;
    return {start, end};
}

} // namespace

TSpellChecker::TSpellChecker(QWidget &window, IntegrationHost &host, const MachineView &machine, EngineLoader loadEngine)
    : QObject(&window), m_window(window), m_host(host), m_machine(machine), m_loadEngine(std::move(loadEngine)),
      m_options(ProgramOptions)
{
}

TSpellChecker::~TSpellChecker()
{
    // Whoever listens may be going too (the frame owns this).
    blockSignals(true);
    try {
        close();
    } catch (const ESpellError &) {
        // Nothing left to tell the user at this point.
    }
}

TSpellerDialog *TSpellChecker::dialog() const
{
    return m_dialog;
}

void TSpellChecker::setOptions(quint16 options)
{
    m_options = options;
    if (isOpen())
        checkSpellCall(m_engine->SpellOptions(m_speller, m_options));
}

void TSpellChecker::setLanguage(int language)
{
    if (isOpen() || LocaleForLanguageId(language).isEmpty())
        return;
    m_language = language;
    m_backgroundOpenFailed = false;
    if (m_dialog)
        m_dialog->setWindowTitle(caption());
}

QString TSpellChecker::caption() const
{
    return QString(Caption).replace(QStringLiteral("%s"), LanguageName(m_language));
}

TSpellChecker::Location TSpellChecker::locate() const
{
    int language = m_language;
    if (!m_machine.keyExists(spellingKey(language)))
        language = (m_language & 0x3FF) + 0x400;
    if (!m_machine.keyExists(spellingKey(language)))
        return {};
    const QString key = spellingKey(language);
    return {language, m_machine.readStr(key, QStringLiteral("Engine")), m_machine.readStr(key, QStringLiteral("Dictionary"))};
}

bool TSpellChecker::available() const
{
    const Location where = locate();
    return !where.engine.isEmpty() && !where.dictionary.isEmpty() && QFileInfo::exists(where.engine) &&
           QFileInfo::exists(where.dictionary);
}

void TSpellChecker::open()
{
    if (isOpen())
        return;
    openEngine();
    if (isOpen())
        emit dictionariesChanged();
}

void TSpellChecker::openEngine()
{
    const Location where = locate();
    const QString custom = customDictionaryPath();
    if (where.engine.isEmpty())
        return;
    std::unique_ptr<csapi::Csapi> engine = m_loadEngine(where.engine);
    if (!engine)
        throw ESpellError::cannotLoad();
    csapi::SpellerId speller = 0;
    checkSpellCall(engine->SpellInit(speller, csapi::SpecialChars{}));
    auto terminate = qScopeGuard([&] { engine->SpellTerminate(speller, true); });
    checkSpellCall(engine->SpellOptions(speller, m_options));
    csapi::MdrInfo mainDictionary;
    checkSpellCall(engine->SpellOpenMdr(speller, where.dictionary, QString(), false, true,
                                        csapi::LanguageId(where.language), mainDictionary));
    csapi::UdrId customDictionary = 0;
    bool readOnly = false; // a custom dictionary that cannot be written still serves
    checkSpellCall(engine->SpellOpenUdr(speller, custom, true, csapi::IgnoreAlwaysList, customDictionary, readOnly));
    for (const QString &word : std::as_const(m_ignoredThisRun))
        checkSpellCall(engine->SpellAddUdr(speller, csapi::IgnoreAlwaysList, word));
    terminate.dismiss();
    m_engine = std::move(engine);
    m_speller = speller;
    m_mainDictionary = mainDictionary;
    m_customDictionary = customDictionary;
}

void TSpellChecker::close()
{
    if (!isOpen())
        return;
    endRun(false);
    std::unique_ptr<csapi::Csapi> engine = std::move(m_engine);
    const csapi::Error result = engine->SpellTerminate(m_speller, true);
    engine.reset();
    emit dictionariesChanged();
    if (result != csapi::Error::None)
        throw ESpellError::cannotUnload();
}

csapi::InputBuffer TSpellChecker::input(QStringView text) const
{
    return {text, {m_mainDictionary.mdr}, {m_customDictionary}};
}

csapi::ReturnBuffer TSpellChecker::spellCheck(csapi::Command command, QStringView text)
{
    csapi::ReturnBuffer result;
    checkSpellCall(m_engine->SpellCheck(m_speller, command, input(text), result));
    return result;
}

bool TSpellChecker::wordTest(const QString &text)
{
    return !isOpen() || spellCheck(csapi::Command::VerifyWord, text).status == Status::NoErrors;
}

QStringList TSpellChecker::suggestions(const QString &text)
{
    QStringList list;
    if (!isOpen())
        return list;
    csapi::ReturnBuffer result = spellCheck(csapi::Command::Suggest, text);
    for (int round = 0; result.status != Status::NoMoreSuggestions && round < MaxSuggestionRounds; ++round) {
        // "l'Étang" after "l'étang" only lengthens the list.
        for (const QString &suggestion : result.suggestionList())
            if (!list.contains(suggestion, Qt::CaseInsensitive))
                list << suggestion;
        result = spellCheck(csapi::Command::SuggestMore, text);
    }
    return list;
}

QList<WordSpan> TSpellChecker::misspellings(QStringView paragraph)
{
    QList<WordSpan> spans;
    if (!isOpen() && !m_backgroundOpenFailed && available()) {
        try {
            openEngine();
        } catch (const ESpellError &) {
            // Told by the next spelling command, which tries again.
        }
        m_backgroundOpenFailed = !isOpen();
    }
    if (!isOpen())
        return spans;
    try {
        for (qsizetype from = 0; from < paragraph.size();) {
            const csapi::ReturnBuffer result = spellCheck(csapi::Command::VerifyBuffer, paragraph.mid(from));
            if (result.status == Status::NoErrors)
                break;
            spans.append({from + result.errorOffset, result.errorLength});
            from += result.errorOffset + std::max<qsizetype>(result.errorLength, 1);
        }
    } catch (const ESpellError &) {
        // Underlines are a help, not a command: what was found stands, the commands report errors.
    }
    return spans;
}

void TSpellChecker::check(QTextEdit &editor)
{
    if (!isOpen())
        return;
    m_editor = &editor;
    wipe(m_text);
    m_text = editor.document()->toPlainText();
    m_position = wordStartAt(m_text, editor.textCursor().selectionStart());
    if (!m_dialog) {
        m_dialog = new TSpellerDialog(*this, &m_window);
        m_dialog->setWindowTitle(caption());
    }
    step();
}

void TSpellChecker::step()
{
    for (;;) {
        if (!m_editor) {
            endRun(false);
            return;
        }
        const csapi::ReturnBuffer result = spellCheck(csapi::Command::VerifyBuffer, QStringView(m_text).mid(m_position));
        if (result.status == Status::NoErrors) {
            endRun(true);
            return;
        }
        m_status = result.status;
        m_errorStart = m_position + result.errorOffset;
        m_errorLength = result.errorLength;
        QTextCursor selection(m_editor->document());
        selection.setPosition(int(m_errorStart));
        selection.setPosition(int(m_errorStart + m_errorLength), QTextCursor::KeepAnchor);
        m_editor->setTextCursor(selection);
        if (result.status != Status::ReturningChangeAlways) {
            showError(result.status, result.suggestionList());
            return;
        }
        // The user chose this replacement for every occurrence: it goes in silently, and checking
        // goes on after it, so that two such pairs that undo each other cannot loop.
        const QString replacement = result.suggestionList().value(0);
        replaceRange(m_errorStart, m_errorLength, replacement);
        m_position = m_errorStart + replacement.size();
    }
}

void TSpellChecker::showError(Status status, const QStringList &stored)
{
    const QString word = m_text.mid(m_errorStart, m_errorLength);
    const std::optional<ErrorPresentation> shown =
        presentError(status, word, [&] { return suggestions(word); }, stored.value(0),
                     QLocale(LocaleForLanguageId(m_language)));
    if (!shown)
        return;
    const auto [lineStart, lineEnd] = lineAround(m_text, m_errorStart);
    m_dialog->showError(*shown, m_text.mid(lineStart, lineEnd - lineStart), m_errorStart - lineStart,
                        std::min(m_errorLength, lineEnd - m_errorStart));
    QTextCursor edge(m_editor->document());
    edge.setPosition(int(m_errorStart));
    QRect place = m_editor->cursorRect(edge);
    edge.setPosition(int(m_errorStart + m_errorLength));
    place = place.united(m_editor->cursorRect(edge));
    m_dialog->keepClear(QRect(m_editor->viewport()->mapToGlobal(place.topLeft()), place.size()));
}

void TSpellChecker::replaceRange(qsizetype start, qsizetype length, const QString &replacement)
{
    m_editor->setTextCursor(replaceKeepingFormat(*m_editor->document(), start, length, replacement));
    m_text.replace(start, length, replacement);
}

void TSpellChecker::replaceError(const QString &replacement)
{
    // The document may have changed behind the dialog (another command, an undo): a stale range
    // is never replaced; the check starts again from where it stood.
    QTextCursor current(m_editor->document());
    current.setPosition(int(m_errorStart));
    current.setPosition(int(m_errorStart + m_errorLength), QTextCursor::KeepAnchor);
    if (m_editor->isReadOnly() || current.selectedText() != QStringView(m_text).mid(m_errorStart, m_errorLength)) {
        wipe(m_text);
        m_text = m_editor->document()->toPlainText();
        m_position = std::min(m_errorStart, m_text.size());
        return;
    }
    replaceRange(m_errorStart, m_errorLength, replacement);
    m_position = m_errorStart;
}

void TSpellChecker::change(const QString &replacement)
{
    guarded([&] {
        const QString word = m_text.mid(m_errorStart, m_errorLength);
        if (m_status == Status::UnknownInputWord && replacement != word)
            checkSpellCall(m_engine->SpellAddChangeUdr(m_speller, csapi::ChangeOnceList, word, replacement));
        replaceError(replacement);
    });
}

void TSpellChecker::changeAll(const QString &replacement)
{
    guarded([&] {
        const QString word = m_text.mid(m_errorStart, m_errorLength);
        checkSpellCall(m_engine->SpellAddChangeUdr(m_speller, csapi::ChangeAlwaysList, word, replacement));
        replaceError(replacement);
    });
}

void TSpellChecker::skip()
{
    guarded([&] { m_position = m_errorStart + m_errorLength; });
}

void TSpellChecker::skipAll()
{
    guarded([&] {
        const QString word = m_text.mid(m_errorStart, m_errorLength);
        checkSpellCall(m_engine->SpellAddUdr(m_speller, csapi::IgnoreAlwaysList, word));
        if (!m_ignoredThisRun.contains(word))
            m_ignoredThisRun << word;
        m_position = m_errorStart + m_errorLength;
        emit dictionariesChanged();
    });
}

void TSpellChecker::addWord()
{
    guarded([&] {
        checkSpellCall(m_engine->SpellAddUdr(m_speller, m_customDictionary, m_text.mid(m_errorStart, m_errorLength)));
        m_position = m_errorStart + m_errorLength;
        emit dictionariesChanged();
    });
}

void TSpellChecker::deleteError()
{
    guarded([&] {
        // With the character before: the space that separated the word goes with it.
        const qsizetype start = std::max<qsizetype>(m_errorStart - 1, 0);
        m_errorLength += m_errorStart - start;
        m_errorStart = start;
        replaceError(QString());
    });
}

void TSpellChecker::cancel()
{
    endRun(true);
}

void TSpellChecker::resume()
{
    QTextEdit *editor = m_host.ActiveEditor();
    if (!editor || editor->isReadOnly())
        return;
    try {
        open();
        check(*editor);
    } catch (const ESpellError &error) {
        showSpellError(&m_window, error);
    }
}

void TSpellChecker::guarded(const std::function<void()> &work)
{
    if (!isOpen() || !m_editor) {
        endRun(false);
        return;
    }
    try {
        work();
        step();
    } catch (const ESpellError &error) {
        showSpellError(&m_window, error);
    }
}

void TSpellChecker::endRun(bool finishMessage)
{
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
    m_editor = nullptr;
    wipe(m_text);
    if (finishMessage && ShowFinishMessage && !FinishMessage.isEmpty())
        showMessage(&m_window, QMessageBox::Information, FinishMessage, QMessageBox::Ok, QMessageBox::NoButton,
                    QStringLiteral("Message"));
}

} // namespace ombre
