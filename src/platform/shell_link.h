#pragma once
// A launcher on the user's desktop that starts the program with one document: a freedesktop
// desktop entry ("<Name>.desktop"), executable, so that file managers and desktops run it.

#include <QString>
#include <QStringList>

namespace ombre {

// What a launcher on the desktop holds.
struct ShellLink {
    QString Name;          // the launcher's file name without ".desktop"; also its Name= and Comment=
    QString Target;        // the program's full path
    QStringList Arguments; // the program's arguments, each one argument (the document's full path)
    QString WorkingFolder; // Path=
    QString Icon;          // Icon=: a theme icon name or an absolute file path
};

// The value written after "Exec=": the target and each argument quoted where they hold a
// character that a launcher would otherwise split or interpret, '%' doubled so that nothing reads
// as a field code, then escaped as a string value. A launcher reading it back gets exactly
// [target, arguments...], whatever characters the document's path holds.
QString DesktopExecValue(const QString &target, const QStringList &arguments);

// Writes <folder>/<Name>.desktop (mode 0755), replacing a launcher of that name, and returns its
// path. Returns an empty string on any failure (the folder missing, a name that is empty or holds
// a separator, the name taken by a folder, a failed write), leaving no file and an earlier
// launcher untouched. Once the file is in place it is marked trusted with `gio` when that is
// installed, so that GNOME's desktop starts it without asking; that step may fail silently.
QString CreateShortcut(const ShellLink &link, const QString &folder);

} // namespace ombre
