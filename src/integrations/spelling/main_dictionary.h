#pragma once
// An open main dictionary: Hunspell, the user words it was taught, and its remembered verdicts.

#include "integrations/spelling/csapi.h"
#include "integrations/spelling/dictionary_text.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

class Hunspell;

namespace ombre::spelling_engine {

class MainDictionary {
public:
    MainDictionary(csapi::MdrId id, const QString &affixPath, const QString &dictionaryPath);
    ~MainDictionary();
    MainDictionary(const MainDictionary &) = delete;
    MainDictionary &operator=(const MainDictionary &) = delete;

    csapi::MdrId id() const { return m_id; }

    bool knows(const QString &word);
    QStringList suggestionsFor(QStringView word) const;

    // A user word: accepted, in all the case forms Hunspell allows, and suggested. Words Hunspell
    // already knows are left alone, so that unlearning never takes a word of the dictionary away.
    void learn(const QString &word);
    void unlearn(const QString &word);
    bool learned(const QString &word) const { return m_learned.contains(word); }

private:
    void forgetVerdicts();

    csapi::MdrId m_id;
    std::unique_ptr<Hunspell> m_hunspell;
    DictionaryText m_text;
    QSet<QString> m_learned;
    QHash<QString, bool> m_verdicts;
};

} // namespace ombre::spelling_engine
