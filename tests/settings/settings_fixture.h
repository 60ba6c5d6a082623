#pragma once
// Every settings test runs on its own store file in a temporary folder.

#include "platform/reg_file.h"
#include "platform/registry_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombre::test {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Ombrelunaire.reg"));
        RegistryStore::setUserFilePath(path_);
    }
    void TearDown() override { RegistryStore::setUserFilePath(QString()); }

    // Forgets what the store holds in memory, as a restart of the program would.
    void restart() { RegistryStore::setUserFilePath(path_); }

    QByteArray storeBytes() const
    {
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Value names of a key (relative to HKEY_CURRENT_USER) in the order the file holds them.
    std::vector<std::string> storedNames(const QString &key) const
    {
        const QByteArray bytes = storeBytes();
        const reg::ParseResult parsed = reg::parse(std::string_view(bytes.constData(), bytes.size()));
        std::vector<std::string> names;
        if (const reg::Key *found = parsed.document.find("HKEY_CURRENT_USER\\" + key.toStdString()))
            for (const reg::Value &value : found->values())
                names.push_back(value.name);
        return names;
    }

    QTemporaryDir dir_;
    QString path_;
};

} // namespace ombre::test
