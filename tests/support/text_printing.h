#pragma once
// Readable failure output for texts: googletest shows a QString's characters, not its code units.

#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
