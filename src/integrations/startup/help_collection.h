#pragma once
// Finding and opening the manual's help collection (Ombrelunaire.qhc with its Ombrelunaire.qch).

#include <QString>
#include <memory>

class QHelpEngine;
class QObject;

namespace ombre {

inline constexpr const char *kHelpCollectionName = "Ombrelunaire.qhc";

enum class HelpProblem {
    None,
    Missing,     // no collection beside the program nor in the installed share folder
    NoSqlDriver, // Qt's SQLite driver, through which QtHelp reads its files, is not installed
    Unreadable,  // the collection or its compressed manual cannot be read
};

struct OpenedHelp {
    std::unique_ptr<QHelpEngine> engine; // set when problem is None
    HelpProblem problem = HelpProblem::None;
    QString path; // the collection opened, or the one looked for first
};

// The collection beside the program (`programFolder`), else the one of an installed program in
// `programFolder`/../share/ombrelunaire; empty when neither exists.
QString LocateHelpCollection(const QString &programFolder);

// Opens the collection read only: the program never writes to the manual it was given.
OpenedHelp OpenHelpCollection(const QString &programFolder);

// What the user is told when the manual cannot be shown.
QString HelpProblemText(HelpProblem problem, const QString &path);

} // namespace ombre
