#pragma once
// Qt buffers that held a password or plaintext must not linger in freed memory. The core wipes
// standard buffers (cipher/secure_wipe.h); this is the one Qt-side counterpart, header-only so
// that the RTF library can use it without linking the widgets.

#include "cipher/secure_wipe.h"

#include <QByteArray>
#include <QString>

namespace ombre {

// Overwrites the characters of a buffer in place, and the free space after them (a text that
// shrank keeps its old tail there). A shared buffer is overwritten for every owner: that is the
// point when the other owner is Qt's, which never wipes (a line edit's text, say). Read-only
// data (a literal) has no allocation and is left alone.
inline void wipeInPlace(const QByteArray &bytes)
{
    if (bytes.capacity() == 0)
        return;
    const std::size_t size = std::size_t(bytes.size()) + std::size_t(const_cast<QByteArray &>(bytes).data_ptr().freeSpaceAtEnd());
    secureWipe(const_cast<char *>(bytes.constData()), size);
}

inline void wipeInPlace(const QString &text)
{
    if (text.capacity() == 0)
        return;
    const std::size_t size = std::size_t(text.size()) + std::size_t(const_cast<QString &>(text).data_ptr().freeSpaceAtEnd());
    secureWipe(const_cast<QChar *>(text.constData()), size * sizeof(QChar));
}

// Wipes a buffer of ours, then empties it. A buffer still shared with another owner is only let
// go: it is that owner's to wipe.
inline void wipe(QByteArray &bytes)
{
    if (bytes.isDetached())
        wipeInPlace(bytes);
    bytes = QByteArray();
}

inline void wipe(QString &text)
{
    if (text.isDetached())
        wipeInPlace(text);
    text = QString();
}

// A QByteArray or QString that holds a secret, wiped however the scope is left.
template <class Buffer>
struct Secret {
    Buffer value;
    Secret() = default;
    explicit Secret(Buffer initial) : value(std::move(initial)) {}
    ~Secret() { wipe(value); }
    Secret(const Secret &) = delete;
    Secret &operator=(const Secret &) = delete;
};

using SecretByteArray = Secret<QByteArray>;
using SecretString = Secret<QString>;

} // namespace ombre
