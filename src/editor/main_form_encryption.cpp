// The main window's side of the encryption commands: the handlers of their menu items and tool
// buttons, and the CommandHost through which the commands reach the active document and open
// what they decrypt. The commands themselves live in src/commands, below the editor.

#include "commands/encryption_commands.h"
#include "commands/progress_window.h"
#include "editor/document_stream.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/pictures.h"

#include <QLabel>
#include <QTextEdit>

namespace ombre {

void TMainForm::BtnCrypterClick() { encryptCurrentDocument(*this); }
void TMainForm::FileCrypterItemClick() { encryptExistingFile(*this); }
void TMainForm::BtnDecrypterClick() { decryptChosenContainer(*this); }
void TMainForm::AuthentifierItemClick() { authenticateContainer(*this); }
void TMainForm::DecryptAndOpenByName(const QString &path) { askPasswordAndDecrypt(*this, path); }
void TMainForm::DropFiles(const QStringList &paths) { openDroppedFiles(*this, paths); }

QWidget *TMainForm::HostWindow() { return this; }

TmProgressWnd &TMainForm::ProgressWindow()
{
    if (!ProgressWnd)
        ProgressWnd = new TmProgressWnd(this);
    return *ProgressWnd;
}

bool TMainForm::IsUpdating() const { return Updating || !ActiveChild; }

QString TMainForm::ActiveDocumentFileName() const
{
    return ActiveChild ? ActiveChild->DocumentInfo.FileName : QString();
}

QByteArray TMainForm::ActiveDocumentStream()
{
    if (!ActiveChild)
        return {};
    // A container always holds Windows-1252 with CR LF for plain text (UTF-8 with BOM only when a
    // character does not fit), whatever encoding the document's own file uses.
    PlainTextEncoding encoding;
    return StreamOut(*ActiveChild->RichEdit->document(), ActiveChild->DocumentInfo.PlainText, &encoding);
}

void TMainForm::OpenDecryptedDocument(const DecryptedDocument &document)
{
    TMDIChild *child = CreateMDIChild(InitDocumentInfo(document.SourceName), false, false);
    if (!child)
        return;
    {
        TMDIChild::ChangeHandlerDetached detached(*child);
        StreamIn(document.Content, *child->RichEdit->document(), child->DocumentInfo.PlainText,
                 &child->TextEncoding);
    }
    child->setModified(false);
    child->setReadOnly(document.ReadOnly);
    child->ImgDecode->setPixmap(StatusPicture(4));
    child->Panels[TMDIChild::PanelCount - 1]->setText(document.OwnerPanel);
    child->RichEditSelectionChange();
    UpdateMenuItems();
}

void TMainForm::OpenDocumentFile(const QString &path)
{
    CreateMDIChild(InitDocumentInfo(path), false, true);
}

void TMainForm::BringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TMainForm::ShowHelp(const QString &keyword)
{
    Q_UNUSED(keyword);
    HelpIndexItemClick();
}

} // namespace ombre
