#include "commands/file_names.h"

namespace ombre {

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString replaceExtension(const QString &name, const QString &extension)
{
    const qsizetype nameStart = name.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > nameStart)
        return name.left(dot) + extension;
    return name + extension;
}

QString lowerExtension(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.mid(dot).toLower() : QString();
}

} // namespace ombre
