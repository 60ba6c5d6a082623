#pragma once
// Scripted answers for TCodage, the dialog of every encryption command: shared by the tests that
// run the commands directly and those that reach them through the main window's menus.

#include "commands/codage_dialog.h"
#include "commands/file_list_box.h"
#include "commands/filter_combo_box.h"
#include "support/dialog_driver.h"
#include "support/scripted_modal.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <optional>

namespace ombre::test {

// Encrypt mode: types the password and presses the action button; answers the replacement
// question with `replace` when the target exists.
inline void answerEncrypt(ScriptedModal &modal, const QString &password,
                          std::optional<QMessageBox::StandardButton> replace = std::nullopt)
{
    answerForm<TCodage>(modal, [password](TCodage &dialog) {
        dialog.EditCode->setText(password);
        click(dialog.BtnCrypter);
    });
    if (replace)
        modal.answerMessage(*replace);
}

// Decrypt or authenticate mode: picks `name` in the file list (under the filter that shows it)
// and presses the action button.
inline void answerChoose(ScriptedModal &modal, const QString &name, const QString &password)
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

} // namespace ombre::test
