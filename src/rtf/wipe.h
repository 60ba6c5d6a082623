#pragma once
// Plaintext that passed through a working buffer of ours must not linger in freed memory.

#include "cipher/secure_wipe.h"

#include <QByteArray>
#include <QString>

namespace ombre {

// Wipes the whole capacity, then empties the buffer. A buffer that shares its data with another
// is only let go: the other owner wipes it.
inline void wipe(QString &text)
{
    if (text.isDetached())
        secureWipe(text.data(), std::size_t(text.capacity()) * sizeof(QChar));
    text = QString();
}

inline void wipe(QByteArray &bytes)
{
    if (bytes.isDetached())
        secureWipe(bytes.data(), std::size_t(bytes.capacity()));
    bytes = QByteArray();
}

} // namespace ombre
