// A second process for the store tests:
//   store_writer write <store file> <prefix> <count>   writes <prefix>0..<prefix>count-1, one
//                                                       locked write each
//   store_writer die-locked <store file>               takes the store's lock and dies holding it
#include "platform/registry.h"
#include "platform/registry_store.h"

#include <QCoreApplication>
#include <QLockFile>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("write")) {
        ombre::RegistryStore::setUserFilePath(args[2]);
        const int count = args[4].toInt();
        int failures = 0;
        for (int i = 0; i < count; ++i)
            failures += !ombre::RegWriteInt(QStringLiteral("Software\\Test"), args[3] + QString::number(i), i);
        return failures == 0 ? 0 : 1;
    }
    if (args.size() == 3 && args[1] == QLatin1String("die-locked")) {
        auto *lock = new QLockFile(args[2] + QStringLiteral(".lock"));
        if (!lock->tryLock(0))
            return 1;
        _exit(0); // no destructor: the lock file stays behind, as after a crash
    }
    return 2;
}
