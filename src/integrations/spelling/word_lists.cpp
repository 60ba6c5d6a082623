#include "integrations/spelling/word_lists.h"

#include <utility>

namespace ombre::spelling_engine {

bool WordList::add(const QString &word)
{
    if (m_set.contains(word))
        return false;
    m_set.insert(word);
    m_words.append(word);
    return true;
}

bool WordList::remove(const QString &word)
{
    if (!m_set.remove(word))
        return false;
    m_words.removeOne(word);
    return true;
}

QStringList WordList::takeAll()
{
    m_set.clear();
    return std::exchange(m_words, {});
}

const QString *ChangeList::replacementOf(const QString &word) const
{
    const auto found = m_replacements.constFind(word);
    return found == m_replacements.cend() ? nullptr : &*found;
}

void ChangeList::set(const QString &word, const QString &replacement)
{
    if (!m_replacements.contains(word))
        m_words.append(word);
    m_replacements.insert(word, replacement);
}

void ChangeList::remove(const QString &word)
{
    if (m_replacements.remove(word))
        m_words.removeOne(word);
}

void ChangeList::clear()
{
    m_words.clear();
    m_replacements.clear();
}

QStringList ChangeList::pairsFrom(int first) const
{
    QStringList pairs;
    for (qsizetype i = first; i < m_words.size(); ++i)
        pairs << m_words[i] << m_replacements.value(m_words[i]);
    return pairs;
}

} // namespace ombre::spelling_engine
