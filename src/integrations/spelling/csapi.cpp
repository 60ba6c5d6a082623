#include "integrations/spelling/csapi.h"

namespace ombre::csapi {

QStringList ReturnBuffer::suggestionList() const
{
    QStringList list;
    qsizetype start = 0;
    for (int i = 0; i < suggestionCount; ++i) {
        const qsizetype end = suggestions.indexOf(QChar(0), start);
        if (end < 0)
            break;
        list << suggestions.mid(start, end - start);
        start = end + 1;
    }
    return list;
}

} // namespace ombre::csapi
