// The main window's side of the encryption commands: the handlers of their menu items and tool
// buttons, and the CommandHost through which the commands reach the active document and open
// what they decrypt. The commands themselves live in src/commands, below the editor.

#include "commands/encryption_commands.h"
#include "commands/progress_window.h"
#include "editor/document_stream.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/pictures.h"

#include <QApplication>
#include <QLabel>
#include <QTextEdit>

namespace ombre {
namespace {

// A command's dialogs and progress window take the activation from the frame. Once they are
// gone, a window system that gives it to no window leaves the keyboard nowhere: the frame takes
// it back, and with it the document that had the keyboard focus.
class ActivationReturn {
public:
    explicit ActivationReturn(QWidget &frame) : frame_(frame) {}
    ~ActivationReturn()
    {
        // Where the activation went is known once the window system has told about the closed
        // windows.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!QApplication::activeWindow())
            frame_.activateWindow();
    }
    ActivationReturn(const ActivationReturn &) = delete;
    ActivationReturn &operator=(const ActivationReturn &) = delete;

private:
    QWidget &frame_;
};

} // namespace

void TMainForm::BtnCrypterClick()
{
    const ActivationReturn back(*this);
    encryptCurrentDocument(*this);
}

void TMainForm::FileCrypterItemClick()
{
    const ActivationReturn back(*this);
    encryptExistingFile(*this);
}

void TMainForm::BtnDecrypterClick()
{
    const ActivationReturn back(*this);
    decryptChosenContainer(*this);
}

void TMainForm::AuthentifierItemClick()
{
    const ActivationReturn back(*this);
    authenticateContainer(*this);
}

void TMainForm::DecryptAndOpenByName(const QString &path)
{
    const ActivationReturn back(*this);
    askPasswordAndDecrypt(*this, path);
}

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
    child->ContainerPath = document.ContainerPath;
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

} // namespace ombre
