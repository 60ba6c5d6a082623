#include "platform/machine_view.h"

#include "platform/language_ids.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>
#include <QStandardPaths>

namespace ombre {
namespace {

std::string fullPath(const QString &key)
{
    QString path = key;
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    return "HKEY_LOCAL_MACHINE\\" + path.toStdString();
}

// The library's run-time name (libhunspell-1.7.so.0) rather than the development link.
QString findHunspellLibrary()
{
    const QStringList folders = {
        QStringLiteral("/usr/lib/x86_64-linux-gnu"), QStringLiteral("/usr/lib/aarch64-linux-gnu"),
        QStringLiteral("/usr/lib64"), QStringLiteral("/usr/lib"), QStringLiteral("/usr/local/lib"),
    };
    for (const QString &folder : folders) {
        QStringList names = QDir(folder).entryList({QStringLiteral("libhunspell*.so.*")}, QDir::Files);
        if (names.isEmpty())
            continue;
        std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.size() < b.size(); });
        return QDir(folder).filePath(names.first());
    }
    return QString();
}

} // namespace

MachineView::Sources MachineView::installedSources()
{
    Sources sources;
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!userData.isEmpty())
        sources.dictionaryFolders << userData + QStringLiteral("/hunspell");
    sources.dictionaryFolders << QStringLiteral("/usr/share/hunspell") << QStringLiteral("/usr/share/myspell/dicts");
    sources.engine = findHunspellLibrary();
    return sources;
}

MachineView::MachineView(const Sources &sources)
{
    if (sources.engine.isEmpty())
        return;
    const std::string engine = QDir::toNativeSeparators(sources.engine).toStdString();
    for (const QString &folder : sources.dictionaryFolders) {
        const QDir dir(folder);
        for (const QFileInfo &dic : dir.entryInfoList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable, QDir::Name)) {
            // A dictionary is usable only with its affix file.
            if (!QFileInfo::exists(dir.filePath(dic.completeBaseName() + QStringLiteral(".aff"))))
                continue;
            const int id = LanguageIdForLocale(dic.completeBaseName());
            if (id == 0)
                continue;
            const QString key = ProofingSpellingKey + QLatin1Char('\\') + QString::number(id) + QStringLiteral("\\Normal");
            if (document_.find(fullPath(key)))
                continue;
            reg::Key &normal = document_.ensure(fullPath(key));
            normal.set(reg::Value::string("Engine", engine));
            normal.set(reg::Value::string("Dictionary", dic.absoluteFilePath().toStdString()));
        }
    }
}

const MachineView &MachineView::instance()
{
    static const MachineView view(installedSources());
    return view;
}

bool MachineView::keyExists(const QString &key) const
{
    return document_.exists(fullPath(key));
}

QString MachineView::readStr(const QString &key, const QString &name, const QString &def) const
{
    const reg::Key *found = document_.find(fullPath(key));
    const reg::Value *value = found ? found->find(name.toStdString()) : nullptr;
    return value && value->type == reg::RegSz ? QString::fromStdString(value->text) : def;
}

QStringList MachineView::subKeys(const QString &key) const
{
    QStringList names;
    for (const std::string &name : document_.subkeys(fullPath(key)))
        names << QString::fromStdString(name);
    return names;
}

} // namespace ombre
