#include "commands/file_names.h"

#include "cipher/file_name.h"

namespace ombre {

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString replaceExtension(const QString &name, const QString &extension)
{
    return QString::fromStdString(ReplaceExtension(name.toStdString(), extension.toStdString()));
}

QString lowerExtension(const QString &path)
{
    return QString::fromStdString(LowerExtension(path.toStdString()));
}

} // namespace ombre
