#include "integrations/spelling/punctuation.h"

#include "cipher/ansi.h"

namespace ombre::spelling_engine {
namespace {

QChar ansiChar(quint8 byte)
{
    return QChar(char16_t(AnsiCodePoint(byte)));
}

} // namespace

Punctuation::Punctuation(const csapi::SpecialChars &chars)
{
    // Separators first: a character named both ways separates.
    for (const quint8 separator : {chars.emDash, chars.enDash, chars.ellipsis}) {
        const QChar c = ansiChar(separator);
        if (c != u'\u2014' && c != u'\u2013' && c != u'\u2026')
            m_replacements.append({c, u' '});
    }
    if (const QChar hyphen = ansiChar(chars.hyphenHard); hyphen != u'-')
        m_replacements.append({hyphen, u'-'});
}

QStringView Punctuation::apply(QStringView text, QString &storage) const
{
    if (m_replacements.isEmpty())
        return text;
    storage = text.toString();
    for (const auto &[from, to] : m_replacements)
        storage.replace(from, to);
    return storage;
}

} // namespace ombre::spelling_engine
