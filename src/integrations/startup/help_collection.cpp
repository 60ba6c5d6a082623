#include "integrations/startup/help_collection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QtHelp/QHelpEngine>

namespace ombre {
namespace {

QString collectionIn(const QString &folder)
{
    return QDir::cleanPath(folder + QLatin1Char('/') + QLatin1String(kHelpCollectionName));
}

// The engine opens an unreadable or foreign file without complaint and shows an empty manual:
// every registered manual must be there and readable.
bool manualsReadable(QHelpEngine &engine)
{
    const QStringList namespaces = engine.registeredDocumentations();
    if (namespaces.isEmpty())
        return false;
    for (const QString &name : namespaces) {
        const QFileInfo manual(engine.documentationFileName(name));
        if (!manual.isFile() || !manual.isReadable())
            return false;
    }
    return true;
}

} // namespace

QString LocateHelpCollection(const QString &programFolder)
{
    const QString folder = QDir::fromNativeSeparators(programFolder);
    for (const QString &candidate : {collectionIn(folder), collectionIn(folder + QStringLiteral("/../share/ombrelunaire"))})
        if (QFileInfo(candidate).isFile())
            return candidate;
    return QString();
}

OpenedHelp OpenHelpCollection(const QString &programFolder)
{
    OpenedHelp opened;
    opened.path = LocateHelpCollection(programFolder);
    if (opened.path.isEmpty()) {
        opened.path = QDir::toNativeSeparators(collectionIn(QDir::fromNativeSeparators(programFolder)));
        opened.problem = HelpProblem::Missing;
        return opened;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        opened.problem = HelpProblem::NoSqlDriver;
        return opened;
    }
    auto engine = std::make_unique<QHelpEngine>(opened.path);
    engine->setReadOnly(true);
    engine->setUsesFilterEngine(true);
    if (!QFileInfo(opened.path).isReadable() || !engine->setupData() || !manualsReadable(*engine)) {
        opened.problem = HelpProblem::Unreadable;
        return opened;
    }
    opened.engine = std::move(engine);
    return opened;
}

QString HelpProblemText(HelpProblem problem, const QString &path)
{
    const QString where = QDir::toNativeSeparators(path);
    switch (problem) {
    case HelpProblem::None:
        break;
    case HelpProblem::Missing:
        return QStringLiteral("\r\nLe manuel du programme est introuvable :\r\n") + where
               + QStringLiteral("\r\n\r\nRéinstallez le programme pour le retrouver.");
    case HelpProblem::NoSqlDriver:
        return QStringLiteral("\r\nLe manuel du programme ne peut pas être ouvert : le pilote SQLite de Qt "
                              "n'est pas installé (paquet libqt6sql6-sqlite).");
    case HelpProblem::Unreadable:
        return QStringLiteral("\r\nLe manuel du programme est illisible :\r\n") + where
               + QStringLiteral("\r\n\r\nRéinstallez le programme pour le réparer.");
    }
    return QString();
}

} // namespace ombre
