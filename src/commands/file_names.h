#pragma once
// File-name helpers of the program, on QStrings: the rules themselves are the core's
// (cipher/file_name.h), which the command-line tool follows too.

#include <QString>

namespace ombre {

// The name with its extension replaced by `extension` (".cod"); a name without extension gets it
// appended. A leading dot starts a hidden file's name, not an extension.
QString replaceExtension(const QString &name, const QString &extension);

// The extension in lower case with its dot (".cod"), or empty.
QString lowerExtension(const QString &path);

// The name part of a path: what follows the last separator.
QString fileNamePart(const QString &path);

} // namespace ombre
