#include "integrations/spelling/main_dictionary.h"

#include <hunspell/hunspell.hxx>

#include <QFile>

namespace ombre::spelling_engine {
namespace {

// Verdicts remembered per dictionary; a long session of many documents starts again past this.
constexpr qsizetype kMaxVerdicts = 200'000;

} // namespace

MainDictionary::MainDictionary(csapi::MdrId id, const QString &affixPath, const QString &dictionaryPath)
    : m_id(id)
    , m_hunspell(std::make_unique<Hunspell>(QFile::encodeName(affixPath).constData(),
                                            QFile::encodeName(dictionaryPath).constData()))
    , m_text(m_hunspell->get_dict_encoding())
{
}

MainDictionary::~MainDictionary() = default;

bool MainDictionary::knows(const QString &word)
{
    const auto found = m_verdicts.constFind(word);
    if (found != m_verdicts.cend())
        return *found;
    if (m_verdicts.size() >= kMaxVerdicts)
        m_verdicts.clear();
    const bool correct = m_hunspell->spell(m_text.toHunspell(word));
    m_verdicts.insert(word, correct);
    return correct;
}

QStringList MainDictionary::suggestionsFor(QStringView word) const
{
    QStringList suggestions;
    for (const std::string &suggestion : m_hunspell->suggest(m_text.toHunspell(word)))
        suggestions << m_text.fromHunspell(suggestion);
    return suggestions;
}

void MainDictionary::learn(const QString &word)
{
    if (m_learned.contains(word) || m_hunspell->spell(m_text.toHunspell(word)))
        return;
    m_hunspell->add(m_text.toHunspell(word));
    m_learned.insert(word);
    m_verdicts.clear();
}

void MainDictionary::unlearn(const QString &word)
{
    if (!m_learned.remove(word))
        return;
    m_hunspell->remove(m_text.toHunspell(word));
    m_verdicts.clear();
}

} // namespace ombre::spelling_engine
