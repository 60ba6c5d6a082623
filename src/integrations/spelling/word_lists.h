#pragma once
// The in-memory lists of the spelling engine: words to accept, and words with their replacement.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ombre::spelling_engine {

// Words in the order they were added, looked up by hash.
class WordList {
public:
    const QStringList &words() const { return m_words; }
    bool contains(const QString &word) const { return m_set.contains(word); }
    // False when the word was already there.
    bool add(const QString &word);
    bool remove(const QString &word);
    // The words it held.
    QStringList takeAll();

private:
    QStringList m_words;
    QSet<QString> m_set;
};

// Word -> replacement pairs in the order they were first added.
class ChangeList {
public:
    int size() const { return int(m_words.size()); }
    const QString *replacementOf(const QString &word) const;
    void set(const QString &word, const QString &replacement);
    void remove(const QString &word);
    void clear();
    // "word", "replacement", ... from the pair at `first`.
    QStringList pairsFrom(int first) const;

private:
    QStringList m_words;
    QHash<QString, QString> m_replacements;
};

} // namespace ombre::spelling_engine
