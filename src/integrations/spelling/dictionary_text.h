#pragma once
// Hunspell's text is in the dictionary's own encoding: UTF-8 for the dictionaries of today, an
// 8-bit page named by SET for older ones. Every word crosses here.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <string>

namespace ombre::spelling_engine {

class DictionaryText {
public:
    explicit DictionaryText(const std::string &encoding);

    std::string toHunspell(QStringView word) const;
    QString fromHunspell(const std::string &word) const;

private:
    bool m_utf8;
    QByteArray m_page;
};

} // namespace ombre::spelling_engine
