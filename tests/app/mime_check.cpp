// Prints, one per line, the MIME type that the shared MIME database gives each file named on the
// command line: what a file manager makes of it. The database is the one XDG_DATA_DIRS leads to,
// so a test can point it at an installed tree.

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QMimeDatabase database;
    QTextStream out(stdout);
    for (const QString &path : app.arguments().mid(1))
        out << database.mimeTypeForFile(path).name() << '\n';
    return 0;
}
