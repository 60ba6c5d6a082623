#pragma once
// A folder, the program's options and a scripted modal seam for running the encryption commands
// end to end over a fake main window, with the few steps every test repeats.

#include "cipher/cipher.h"
#include "commands/codage_dialog.h"
#include "commands/encryption_commands.h"
#include "commands/file_list_box.h"
#include "commands/filter_combo_box.h"
#include "commands/ouverture_dialog.h"
#include "commands/program_cipher.h"
#include "dialog_driver.h"
#include "fake_host.h"
#include "settings/options.h"
#include "support/scripted_modal.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ombre::test {

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

    // TCodage in encrypt mode: types the password and presses the action button; answers the
    // replacement question with `replace` when the target exists.
    void answerEncrypt(const QString &password, std::optional<QMessageBox::StandardButton> replace = std::nullopt)
    {
        answerForm<TCodage>(modal, [password](TCodage &dialog) {
            dialog.EditCode->setText(password);
            click(dialog.BtnCrypter);
        });
        if (replace)
            modal.answerMessage(*replace);
    }

    // TCodage in decrypt or authenticate mode: picks `name` in the file list (under the filter
    // that shows it) and presses the action button.
    void answerChoose(const QString &name, const QString &password)
    {
        answerForm<TCodage>(modal, [name, password](TCodage &dialog) {
            for (int i = 0; i < dialog.Filter->count(); ++i)
                if (QDir::match(dialog.Filter->itemData(i).toString(), name))
                    dialog.Filter->setCurrentIndex(i);
            dialog.FileList->selectFile(name);
            ASSERT_EQ(dialog.EditName->text(), name);
            dialog.EditCode->setText(password);
            click(dialog.BtnCrypter);
        });
    }

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
