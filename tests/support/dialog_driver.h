#pragma once
// Answers a program form opened through the modal seam: shows it (so that its show-time set-up
// runs, as with a real exec) and hands it to the test's handler.

#include "support/scripted_modal.h"

#include <QAbstractButton>
#include <functional>
#include <gtest/gtest.h>

namespace ombre::test {

template <typename Dialog>
void answerForm(ScriptedModal &modal, std::function<void(Dialog &)> handler)
{
    modal.answerDialog([handler = std::move(handler)](QDialog &dialog) {
        auto *form = dynamic_cast<Dialog *>(&dialog);
        ASSERT_NE(form, nullptr) << "another form was opened: " << dialog.objectName().toStdString();
        form->show();
        handler(*form);
    });
}

// Clicks a button the way a user does (a disabled or hidden button does nothing).
inline void click(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    button->click();
}

} // namespace ombre::test
