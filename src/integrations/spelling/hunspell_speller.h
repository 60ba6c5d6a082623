#pragma once
// One speller of the Hunspell engine: its options, its main dictionary, and the lists it checks
// words against (ignore-always, change-once, change-always and the custom dictionary files).

#include "integrations/spelling/csapi.h"
#include "integrations/spelling/punctuation.h"
#include "integrations/spelling/word_file.h"
#include "integrations/spelling/word_lists.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <map>
#include <memory>

namespace ombre::spelling_engine {

class MainDictionary;

class Speller {
public:
    explicit Speller(const csapi::SpecialChars &chars);
    ~Speller();
    Speller(const Speller &) = delete;
    Speller &operator=(const Speller &) = delete;

    void setOptions(quint16 options) { m_options = options; }

    void openMain(std::unique_ptr<MainDictionary> main);
    bool closeMain(csapi::MdrId mdr);

    csapi::Error check(csapi::Command command, const csapi::InputBuffer &input, csapi::ReturnBuffer &result);

    csapi::Error openFile(csapi::UdrId udr, const QString &path, bool create, bool &readOnly);
    csapi::Error closeFile(csapi::UdrId udr);

    csapi::Error addWord(csapi::UdrId udr, const QString &word);
    csapi::Error addChange(csapi::UdrId udr, const QString &word, const QString &replacement);
    csapi::Error deleteWord(csapi::UdrId udr, const QString &word);
    csapi::Error clear(csapi::UdrId udr);
    csapi::Error size(csapi::UdrId udr, int &count);
    csapi::Error list(csapi::UdrId udr, int first, QStringList &words);

private:
    WordList *wordListOf(csapi::UdrId udr);
    ChangeList *changeListOf(csapi::UdrId udr);
    bool isUserWord(const QString &word) const;
    void learn(const QString &word);
    void forget(const QString &word);
    csapi::Error saveFile(csapi::UdrId udr);

    csapi::Status verify(const QString &word, QString &replacement);
    bool isElidedUserWord(QStringView word) const;
    bool isIgnoredByOptions(const QString &word) const;
    void verifyBuffer(QStringView text, csapi::ReturnBuffer &result);

    QStringList suggestionsFor(QStringView word) const;
    QStringList hunspellSuggestions(QStringView word) const;
    void giveSuggestions(csapi::ReturnBuffer &result);

    Punctuation m_punctuation;
    quint16 m_options = 0;
    std::unique_ptr<MainDictionary> m_main;
    WordList m_ignoreAlways;
    ChangeList m_changeOnce;
    ChangeList m_changeAlways;
    std::map<csapi::UdrId, WordFile> m_files;
    QStringList m_suggestions; // of the last Suggest, given from m_nextSuggestion on
    qsizetype m_nextSuggestion = 0;
};

} // namespace ombre::spelling_engine
