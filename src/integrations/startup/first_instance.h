#pragma once
// The single-instance rule at the start of the program.

#include <QString>
#include <QStringList>

namespace ombre {

class InstanceChannel;

// True when another instance runs and has been handed the command line (its first argument, a
// file resolved against this start's working folder): this process then ends without a window.
// False when this process is to go on as the running instance. The running instance is found
// through its channel, whatever its window's caption.
bool FirstInstance(const QString &title, const QStringList &arguments);

// The channel the running instance listens on, once FirstInstance has returned false; the main
// window connects to it. Null before that, and when another instance holds the channel but did
// not answer (this process then goes on alone).
InstanceChannel *RunningInstanceChannel();

// The whole path of a command-line argument, resolved against the working folder, links
// followed where the file exists: the form in which a file is handed over, and compared with
// the files already open.
QString HandOverPath(const QString &argument);

} // namespace ombre
