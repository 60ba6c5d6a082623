#include "integrations/spelling/hunspell_speller.h"

#include "integrations/spelling/main_dictionary.h"
#include "integrations/spelling/spell_tokens.h"
#include "integrations/spelling/word_rules.h"

#include <algorithm>
#include <utility>

namespace ombre::spelling_engine {

using csapi::Error;
using csapi::Status;

namespace {

void setReplacement(csapi::ReturnBuffer &result, const QString &replacement)
{
    result.suggestions = replacement + QChar(0);
    result.suggestionCount = 1;
}

} // namespace

Speller::Speller(const csapi::SpecialChars &chars)
    : m_punctuation(chars)
{
}

Speller::~Speller() = default;

void Speller::openMain(std::unique_ptr<MainDictionary> main)
{
    m_main = std::move(main);
    for (const QString &word : m_ignoreAlways.words())
        m_main->learn(word);
    for (const auto &entry : m_files)
        for (const QString &word : entry.second.words.words())
            m_main->learn(word);
}

bool Speller::closeMain(csapi::MdrId mdr)
{
    if (!m_main || m_main->id() != mdr)
        return false;
    m_main.reset();
    return true;
}

Error Speller::check(csapi::Command command, const csapi::InputBuffer &input, csapi::ReturnBuffer &result)
{
    result = csapi::ReturnBuffer{};
    if (!m_main)
        return Error::InvalidId;
    const auto unknownMdr = [this](csapi::MdrId mdr) { return mdr != m_main->id(); };
    const auto unknownUdr = [this](csapi::UdrId udr) { return !wordListOf(udr) && !changeListOf(udr); };
    if (std::any_of(input.mdrs.begin(), input.mdrs.end(), unknownMdr)
        || std::any_of(input.udrs.begin(), input.udrs.end(), unknownUdr))
        return Error::InvalidId;
    QString storage;
    const QStringView text = m_punctuation.apply(input.text, storage);
    switch (command) {
    case csapi::Command::VerifyWord: {
        QString replacement;
        result.status = verify(text.toString(), replacement);
        if (!replacement.isEmpty())
            setReplacement(result, replacement);
        return Error::None;
    }
    case csapi::Command::VerifyBuffer:
        verifyBuffer(text, result);
        return Error::None;
    case csapi::Command::Suggest:
        m_suggestions = suggestionsFor(text);
        m_nextSuggestion = 0;
        giveSuggestions(result);
        return Error::None;
    case csapi::Command::SuggestMore:
        giveSuggestions(result);
        return Error::None;
    }
    return Error::InvalidCommand;
}

Error Speller::openFile(csapi::UdrId udr, const QString &path, bool create, bool &readOnly)
{
    WordFile file{path, {}, false};
    if (const Error error = readWordFile(path, create, file.words); error != Error::None)
        return error;
    file.readOnly = !isWritableFile(path);
    readOnly = file.readOnly;
    for (const QString &word : file.words.words())
        learn(word);
    m_files.emplace(udr, std::move(file));
    return Error::None;
}

Error Speller::closeFile(csapi::UdrId udr)
{
    if (udr == csapi::IgnoreAlwaysList || changeListOf(udr))
        return Error::InvalidCommand;
    const auto found = m_files.find(udr);
    if (found == m_files.end())
        return Error::InvalidId;
    const QStringList words = found->second.words.takeAll();
    m_files.erase(found);
    for (const QString &word : words)
        forget(word);
    return Error::None;
}

Error Speller::addWord(csapi::UdrId udr, const QString &word)
{
    if (changeListOf(udr))
        return Error::InvalidCommand; // a change needs its replacement
    WordList *list = wordListOf(udr);
    if (!list)
        return Error::InvalidId;
    if (!isAcceptableWord(word))
        return Error::InvalidWord;
    if (!list->add(word))
        return Error::None;
    learn(word);
    return saveFile(udr);
}

Error Speller::addChange(csapi::UdrId udr, const QString &word, const QString &replacement)
{
    ChangeList *changes = changeListOf(udr);
    if (!changes)
        return wordListOf(udr) ? Error::InvalidCommand : Error::InvalidId;
    if (!isAcceptableWord(word) || !isAcceptableText(replacement))
        return Error::InvalidWord;
    changes->set(word, replacement);
    return Error::None;
}

Error Speller::deleteWord(csapi::UdrId udr, const QString &word)
{
    if (ChangeList *changes = changeListOf(udr)) {
        changes->remove(word);
        return Error::None;
    }
    WordList *list = wordListOf(udr);
    if (!list)
        return Error::InvalidId;
    if (!list->remove(word))
        return Error::None;
    forget(word);
    return saveFile(udr);
}

Error Speller::clear(csapi::UdrId udr)
{
    if (ChangeList *changes = changeListOf(udr)) {
        changes->clear();
        return Error::None;
    }
    WordList *list = wordListOf(udr);
    if (!list)
        return Error::InvalidId;
    for (const QString &word : list->takeAll())
        forget(word);
    return saveFile(udr);
}

Error Speller::size(csapi::UdrId udr, int &count)
{
    if (const ChangeList *changes = changeListOf(udr))
        count = changes->size();
    else if (const WordList *list = wordListOf(udr))
        count = int(list->words().size());
    else
        return Error::InvalidId;
    return Error::None;
}

Error Speller::list(csapi::UdrId udr, int first, QStringList &words)
{
    first = std::max(first, 0);
    if (const ChangeList *changes = changeListOf(udr))
        words = changes->pairsFrom(first);
    else if (const WordList *list = wordListOf(udr))
        words = list->words().mid(first);
    else
        return Error::InvalidId;
    return Error::None;
}

WordList *Speller::wordListOf(csapi::UdrId udr)
{
    if (udr == csapi::IgnoreAlwaysList)
        return &m_ignoreAlways;
    const auto found = m_files.find(udr);
    return found == m_files.end() ? nullptr : &found->second.words;
}

ChangeList *Speller::changeListOf(csapi::UdrId udr)
{
    if (udr == csapi::ChangeOnceList)
        return &m_changeOnce;
    return udr == csapi::ChangeAlwaysList ? &m_changeAlways : nullptr;
}

bool Speller::isUserWord(const QString &word) const
{
    return m_ignoreAlways.contains(word)
           || std::any_of(m_files.begin(), m_files.end(),
                          [&word](const auto &entry) { return entry.second.words.contains(word); });
}

void Speller::learn(const QString &word)
{
    if (m_main)
        m_main->learn(word);
}

// After `word` left a list: Hunspell keeps it while another list still holds it.
void Speller::forget(const QString &word)
{
    if (m_main && !isUserWord(word))
        m_main->unlearn(word);
}

// A file that cannot be written keeps its words in memory from then on.
Error Speller::saveFile(csapi::UdrId udr)
{
    const auto found = m_files.find(udr);
    if (found == m_files.end() || found->second.readOnly)
        return Error::None;
    WordFile &file = found->second;
    const Error error = writeWordFile(file.path, file.words.words());
    file.readOnly = error != Error::None;
    return error;
}

// The checks of one word, in order; NoErrors when nothing reports it. The other option bits
// (sentence capitals, spaces, repeated words, initial numerals, ratings) ask for checks this
// engine does not offer: they are accepted and change nothing.
Status Speller::verify(const QString &word, QString &replacement)
{
    if (const QString *stored = m_changeAlways.replacementOf(word)) {
        replacement = *stored;
        return Status::ReturningChangeAlways;
    }
    if (const QString *stored = m_changeOnce.replacementOf(word)) {
        replacement = *stored;
        return Status::ReturningChangeOnce;
    }
    if (word.isEmpty() || isIgnoredByOptions(word) || isUserWord(word) || m_main->knows(word)
        || isElidedUserWord(word))
        return Status::NoErrors;
    return Status::UnknownInputWord;
}

// Hunspell gives the words it was taught none of the dictionary's elisions: "l'Ombrelunaire"
// is checked here once "Ombrelunaire" is a user word.
bool Speller::isElidedUserWord(QStringView word) const
{
    const qsizetype elided = elisionLength(word);
    return elided > 0 && isUserWord(word.sliced(elided).toString());
}

bool Speller::isIgnoredByOptions(const QString &word) const
{
    return ((m_options & csapi::IgnoreAllCaps) && isAllCaps(word))
           || ((m_options & csapi::IgnoreMixedDigits) && holdsDigit(word))
           || ((m_options & csapi::IgnoreRomanNumerals) && isRomanNumeral(word));
}

void Speller::verifyBuffer(QStringView text, csapi::ReturnBuffer &result)
{
    for (WordSpan word = nextWord(text, 0); word.length > 0; word = nextWord(text, word.end())) {
        QString replacement;
        const Status status = verify(text.sliced(word.start, word.length).toString(), replacement);
        if (status == Status::NoErrors)
            continue;
        result.status = status;
        result.errorOffset = word.start;
        result.errorLength = word.length;
        if (!replacement.isEmpty())
            setReplacement(result, replacement);
        return;
    }
}

QStringList Speller::suggestionsFor(QStringView word) const
{
    QStringList found = hunspellSuggestions(word);
    // For an elided word Hunspell often finds nothing (for "l'Ombrelunair" when "Ombrelunaire"
    // is a user word): what follows the elision is asked too, and keeps the elision.
    if (const qsizetype elided = elisionLength(word); elided > 0)
        for (const QString &suggestion : hunspellSuggestions(word.sliced(elided)))
            found << word.first(elided).toString() + suggestion;
    return keepWordShape(word, found);
}

// User words are suggested only when the options ask for them.
QStringList Speller::hunspellSuggestions(QStringView word) const
{
    QStringList found = m_main->suggestionsFor(word);
    if (!(m_options & csapi::SuggestFromUserDict))
        found.removeIf([this](const QString &suggestion) { return m_main->learned(suggestion); });
    return found;
}

// The next suggestions that fit the buffer; NoMoreSuggestions with none when all were given.
void Speller::giveSuggestions(csapi::ReturnBuffer &result)
{
    for (; m_nextSuggestion < m_suggestions.size(); ++m_nextSuggestion) {
        const QString &suggestion = m_suggestions[m_nextSuggestion];
        if (result.suggestions.size() + suggestion.size() + 1 > csapi::ReturnBuffer::SuggestionCapacity)
            break;
        result.suggestions += suggestion + QChar(0);
        ++result.suggestionCount;
    }
    result.status = result.suggestionCount > 0 ? Status::NoErrors : Status::NoMoreSuggestions;
}

} // namespace ombre::spelling_engine
