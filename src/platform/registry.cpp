#include "platform/registry.h"

#include "platform/registry_store.h"
#include "platform/store_names.h"

namespace ombre {
namespace {

// "Software\X" (or "\Software\X") under the current user's hive, as the file names it.
std::string fullPath(const QString &key)
{
    QString path = key;
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return std::string(store::kCurrentUserHive) + '\\' + path.toStdString();
}

const reg::Value *findValue(const QString &key, const QString &name)
{
    const reg::Key *found = RegistryStore::user().document().find(fullPath(key));
    return found ? found->find(name.toStdString()) : nullptr;
}

bool writeValue(const QString &key, reg::Value value)
{
    const std::string path = fullPath(key);
    if (!reg::isWritableKeyPath(path) || !reg::isWritableValueName(value.name))
        return false;
    return RegistryStore::user().write([&](reg::Document &document) {
        document.ensure(path).set(std::move(value));
        return true;
    });
}

} // namespace

QString RegReadStr(const QString &key, const QString &name, const QString &def)
{
    const reg::Value *value = findValue(key, name);
    return value && value->type == reg::RegSz ? QString::fromStdString(value->text) : def;
}

int RegReadInt(const QString &key, const QString &name, int def)
{
    int n = def;
    return RegTryReadInt(key, name, n) ? n : def;
}

bool RegTryReadInt(const QString &key, const QString &name, int &n)
{
    const reg::Value *value = findValue(key, name);
    if (!value || value->type != reg::RegDword)
        return false;
    n = static_cast<int>(value->dword);
    return true;
}

bool RegReadBool(const QString &key, const QString &name, bool def)
{
    return RegReadInt(key, name, def ? 1 : 0) != 0;
}

bool RegWriteStr(const QString &key, const QString &name, const QString &text)
{
    return writeValue(key, reg::Value::string(name.toStdString(), text.toStdString()));
}

bool RegWriteInt(const QString &key, const QString &name, int n)
{
    return writeValue(key, reg::Value::number(name.toStdString(), static_cast<std::uint32_t>(n)));
}

bool RegWriteBool(const QString &key, const QString &name, bool b)
{
    return RegWriteInt(key, name, b ? 1 : 0);
}

bool RegKeyExists(const QString &key)
{
    return RegistryStore::user().document().exists(fullPath(key));
}

bool RegKeyDelete(const QString &key)
{
    const std::string path = fullPath(key);
    return RegistryStore::user().write([&](reg::Document &document) { return document.remove(path); });
}

bool RegReadValues(const QString &key, QStringList &list)
{
    const reg::Document &document = RegistryStore::user().document();
    const std::string path = fullPath(key);
    if (!document.exists(path))
        return false;
    QStringList values;
    if (const reg::Key *found = document.find(path)) {
        for (const reg::Value &value : found->values()) {
            if (value.type != reg::RegSz)
                return false;
            values << QString::fromStdString(value.text);
        }
    }
    list = values;
    return true;
}

RegWriteBatch::RegWriteBatch()
{
    RegistryStore::user().beginBatch();
}

RegWriteBatch::~RegWriteBatch()
{
    RegistryStore::user().endBatch();
}

} // namespace ombre
