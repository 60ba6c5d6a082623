#include "editor/document_info.h"

#include "commands/file_names.h"

#include <QDir>
#include <QFileInfo>

namespace ombre {

TDocumentInfo MakeDocumentInfo(const QString &fileName, bool proportional, bool wordWrap)
{
    TDocumentInfo info;
    info.FileName = fileName;
    info.PlainText = lowerExtension(fileName) != QLatin1String(".rtf");
    info.Proportional = proportional;
    info.WordWrap = wordWrap;
    return info;
}

bool IsUntitled(const QString &path)
{
    return fileNamePart(path).startsWith(QLatin1String("SansNom"), Qt::CaseSensitive);
}

QString WithExtension(const QString &path, const QString &extension)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? path : path.left(path.size() - (name.size() - dot));
    return stem + extension;
}

QString UntitledPath(const QString &folder, int number)
{
    return QDir(folder).filePath(QStringLiteral("Fichiers normaux/SansNom%1.rtf").arg(number));
}

} // namespace ombre
