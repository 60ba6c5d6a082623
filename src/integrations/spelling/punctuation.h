#pragma once
// The speller's special-characters record, kept for what it changes in the cutting of words: its
// hard hyphen joins as '-' does, its dashes and ellipsis always separate. The usual record (45,
// 151, 150, 133) changes nothing, and then no text is copied.

#include "integrations/spelling/csapi.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace ombre::spelling_engine {

class Punctuation {
public:
    explicit Punctuation(const csapi::SpecialChars &chars);

    // `text` in the terms of the word cutter; `storage` holds it when it had to change.
    QStringView apply(QStringView text, QString &storage) const;

private:
    QList<std::pair<QChar, QChar>> m_replacements;
};

} // namespace ombre::spelling_engine
