#include "editor/document_info.h"

#include <QDir>
#include <QFileInfo>

namespace ombre {

TDocumentInfo MakeDocumentInfo(const QString &fileName, bool proportional, bool wordWrap)
{
    TDocumentInfo info;
    info.FileName = fileName;
    info.PlainText = LowerExtension(fileName) != QLatin1String("rtf");
    info.Proportional = proportional;
    info.WordWrap = wordWrap;
    return info;
}

QString FileNamePart(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString LowerExtension(const QString &path)
{
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

bool IsUntitled(const QString &path)
{
    return FileNamePart(path).startsWith(QLatin1String("SansNom"), Qt::CaseSensitive);
}

QString WithExtension(const QString &path, const QString &extension)
{
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? path : path.left(path.size() - (name.size() - dot));
    return stem + extension;
}

QString UntitledPath(const QString &folder, int number)
{
    return QDir(folder).filePath(QStringLiteral("Fichiers normaux/SansNom%1.rtf").arg(number));
}

} // namespace ombre
