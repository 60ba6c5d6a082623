#pragma once
// A folder, the program's options and a scripted modal seam for running the encryption commands
// end to end over a fake main window, with the few steps every test repeats.

#include "cipher/cipher.h"
#include "commands/encryption_commands.h"
#include "commands/ouverture_dialog.h"
#include "commands/program_cipher.h"
#include "fake_host.h"
#include "settings/options.h"
#include "support/codage_answers.h"
#include "support/dialog_driver.h"
#include "support/scripted_modal.h"
#include "support/text_printing.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombre::test {

// Bytes that look random and are the same on every run: the content of files to seal.
inline QByteArray binarySample(int size)
{
    QByteArray bytes(size, '\0');
    quint32 x = 12345;
    for (char &b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<char>(x >> 24);
    }
    return bytes;
}

class CommandTest : public ::testing::Test {
protected:
    CommandTest()
    {
        ProgramOptions() = TProgramOptions();
        TProgramOptions &options = ProgramOptions();
        options.Code = folder.path();
        options.Open = folder.path();
        options.OwnerName = QStringLiteral("Jean Dupont");
        CipherReset(ProgramCipher());
    }
    ~CommandTest() override { EXPECT_TRUE(modal.allAnswered()) << "a scripted answer was not used"; }

    QString path(const QString &name) const { return QDir(folder.path()).absoluteFilePath(name); }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void write(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QStringList folderContents() const
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    void answerEncrypt(const QString &password, std::optional<QMessageBox::StandardButton> replace = std::nullopt)
    {
        test::answerEncrypt(modal, password, replace);
    }
    void answerChoose(const QString &name, const QString &password) { test::answerChoose(modal, name, password); }

    void answerCancel()
    {
        answerForm<QDialog>(modal, [](QDialog &dialog) { dialog.reject(); });
    }

    void answerOuverture(const QString &password)
    {
        answerForm<TOuverture>(modal, [password](TOuverture &dialog) {
            dialog.EditCode->setText(password);
            click(dialog.BtnDecrypter);
        });
    }

    static bool keyWiped() { return ProgramCipher() == CipherState{}; }

    QTemporaryDir folder;
    ScriptedModal modal;
    FakeHost host;
};

} // namespace ombre::test
