// Clipboard, undo and redo, select all and case on the active document.

#include "editor/editing/text_case.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"

#include <QTextEdit>

namespace ombre {

QTextEdit *TMainForm::commandEditor() const
{
    return Updating || !ActiveChild ? nullptr : ActiveChild->RichEdit;
}

void TMainForm::UndoItemClick()
{
    if (QTextEdit *edit = commandEditor())
        edit->undo();
}

void TMainForm::RedoItemClick()
{
    if (QTextEdit *edit = commandEditor())
        edit->redo();
}

void TMainForm::CutItemClick()
{
    if (QTextEdit *edit = commandEditor()) {
        edit->cut();
        showEditCommands(ActiveChild->editCommands());
    }
}

void TMainForm::CopyItemClick()
{
    if (QTextEdit *edit = commandEditor()) {
        edit->copy();
        showEditCommands(ActiveChild->editCommands());
    }
}

void TMainForm::PasteItemClick()
{
    if (QTextEdit *edit = commandEditor())
        edit->paste();
}

void TMainForm::SelectionnerItemClick()
{
    if (QTextEdit *edit = commandEditor())
        edit->selectAll();
}

namespace {

void convertCase(QTextEdit *edit, LetterCase letterCase)
{
    if (!edit)
        return;
    QTextCursor cursor = edit->textCursor();
    convertSelectionCase(cursor, letterCase);
    edit->setTextCursor(cursor);
}

} // namespace

void TMainForm::MajusculesItemClick()
{
    convertCase(commandEditor(), LetterCase::Upper);
}

void TMainForm::MinusculesItemClick()
{
    convertCase(commandEditor(), LetterCase::Lower);
}

} // namespace ombre
