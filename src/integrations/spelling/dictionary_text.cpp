#include "integrations/spelling/dictionary_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ombre::spelling_engine {

DictionaryText::DictionaryText(const std::string &encoding)
    : m_utf8(QString::fromStdString(encoding).compare(u"UTF-8", Qt::CaseInsensitive) == 0)
    , m_page(QStringEncoder(encoding.c_str()).isValid() ? QByteArray::fromStdString(encoding)
                                                        : QByteArray("ISO-8859-1")) // Hunspell's default
{
}

std::string DictionaryText::toHunspell(QStringView word) const
{
    if (m_utf8)
        return word.toUtf8().toStdString();
    QStringEncoder encoder(m_page.constData());
    return QByteArray(encoder(word)).toStdString();
}

QString DictionaryText::fromHunspell(const std::string &word) const
{
    if (m_utf8)
        return QString::fromStdString(word);
    QStringDecoder decoder(m_page.constData());
    return decoder(QByteArrayView(word.data(), qsizetype(word.size())));
}

} // namespace ombre::spelling_engine
