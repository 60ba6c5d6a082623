#include "integrations/spelling/main_dictionary.h"

#include "platform/qt_secret.h"

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

MainDictionary::~MainDictionary()
{
    forgetVerdicts();
}

// The remembered words come from the user's documents, deciphered ones among them: they are wiped
// when forgotten. A word still shared with another owner is that owner's to wipe.
void MainDictionary::forgetVerdicts()
{
    for (auto word = m_verdicts.keyBegin(); word != m_verdicts.keyEnd(); ++word)
        if (word->isDetached())
            wipeInPlace(*word);
    m_verdicts.clear();
}

bool MainDictionary::knows(const QString &word)
{
    const auto found = m_verdicts.constFind(word);
    if (found != m_verdicts.cend())
        return *found;
    if (m_verdicts.size() >= kMaxVerdicts)
        forgetVerdicts();
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
    forgetVerdicts();
}

void MainDictionary::unlearn(const QString &word)
{
    if (!m_learned.remove(word))
        return;
    m_hunspell->remove(m_text.toHunspell(word));
    forgetVerdicts();
}

} // namespace ombre::spelling_engine
