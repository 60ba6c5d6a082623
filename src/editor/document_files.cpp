// Documents to and from disk: New, Open, open by name, Close, Close all, Save, Save As, Exit, the
// question asked when a modified document closes, and the switch between rich and plain text.

#include "commands/encryption_commands.h"
#include "commands/file_names.h"
#include "editor/document_stream.h"
#include "editor/font_list.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/ruler.h"
#include "editor/wait_cursor.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QActionGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace ombre {
namespace {

const QString RichFilter = QStringLiteral("Fichiers Rich Text Format (*.rtf)");
// "*" is this platform's pattern for every file; "*.*" would hide names without a dot.
const QString AllFilesFilter = QStringLiteral("Tous les fichiers (*)");
const QString AnyExtension = QStringLiteral("*");

// Folder for documents the user has not placed yet: the user's documents folder.
QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

struct SaveFormat {
    QString defaultExtension; // without the dot; "*" accepts any extension
    QString filter;
};

SaveFormat saveFormatFor(const QString &fileName)
{
    const QString extension = lowerExtension(fileName);
    if (extension == QLatin1String(".rtf"))
        return {QStringLiteral("rtf"), RichFilter};
    if (extension == QLatin1String(".txt"))
        return {QStringLiteral("txt"), QStringLiteral("Fichiers au format texte (*.txt)")};
    return {AnyExtension, AllFilesFilter};
}

// A name chosen in Save As fits the document's format when its extension is the default one;
// with "*" any extension fits except ".rtf", which would give a plain-text file a rich-text name.
bool extensionFits(const QString &chosen, const SaveFormat &format)
{
    const QString extension = lowerExtension(chosen);
    if (format.defaultExtension == AnyExtension)
        return extension != QLatin1String(".rtf");
    return extension == QLatin1Char('.') + format.defaultExtension;
}

const QString ReadOnlyNote = QStringLiteral("\r\n\r\n Ce fichier est en lecture seule.");
const QString ReplaceQuestion = QStringLiteral("\r\n\r\nCe fichier existe déjà. Voulez-vous le remplacer ?");

} // namespace

void TMainForm::FileNewItemClick()
{
    const int number = static_cast<int>(DocumentWindows().size()) + 1;
    CreateMDIChild(InitDocumentInfo(UntitledPath(documentsFolder(), number)), false, false);
}

void TMainForm::FileOpenItemClick()
{
    TProgramOptions &options = ProgramOptions();
    FileDialogRequest request;
    request.title = QStringLiteral("Ouvrir");
    request.directory = options.Open;
    request.filters = {RichFilter, QStringLiteral("Fichiers au format Texte (*.txt)"), AllFilesFilter};
    request.filterIndex = std::clamp(options.Filter - 1, 0, static_cast<int>(request.filters.size()) - 1);
    const QString name = modal().openFileName(this, request);
    if (name.isEmpty())
        return;
    TDocumentInfo info = InitDocumentInfo(QFileInfo(name).absoluteFilePath());
    info.Named = true;
    CreateMDIChild(info, false, true);
    options.Open = QFileInfo(name).absolutePath();
    options.Filter = request.filterIndex + 1;
}

void TMainForm::OpenDocumentByName(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || file.isDir())
        return;
    const QString fullPath = QDir::cleanPath(file.absoluteFilePath());
    if (isDecryptableFile(fullPath)) {
        DecryptAndOpenByName(fullPath);
        return;
    }
    // Not Named: the first Save of a document opened this way asks where to write it.
    CreateMDIChild(InitDocumentInfo(fullPath), false, true);
}

void TMainForm::FileCloseItemClick()
{
    if (ActiveChild)
        ActiveChild->subWindow()->close();
}

void TMainForm::FileCloseAllItemClick()
{
    // A window whose question is cancelled stays open; the others still close.
    QList<QMdiSubWindow *> windows = MdiArea->subWindowList(QMdiArea::CreationOrder);
    std::reverse(windows.begin(), windows.end());
    for (QMdiSubWindow *window : windows)
        window->close();
}

void TMainForm::FileExitItemClick()
{
    close();
}

void TMainForm::FileSaveItemClick()
{
    if (!Updating && ActiveChild)
        SaveDocument(*ActiveChild);
}

void TMainForm::FileSaveAsItemClick()
{
    if (!Updating && ActiveChild)
        SaveDocumentAs(*ActiveChild);
}

namespace {

// Writes the document to `path`; on success the document is bound to it, clean and editable.
bool writeDocument(TMainForm &form, TMDIChild &child, const QString &path)
{
    TDocumentInfo &info = child.DocumentInfo;
    if (WriteDocumentFile(path, *child.RichEdit->document(), info.PlainText, &child.TextEncoding)
        == FileResult::Failed) {
        showMessage(&form, QMessageBox::Critical,
                    path + QStringLiteral("\r\n\r\nUne erreur s'est produite durant la sauvegarde de ce fichier."));
        return false;
    }
    child.setWindowTitle(fileNamePart(path));
    info.FileName = path;
    info.Named = true;
    child.setReadOnly(false);
    child.setModified(false);
    return true;
}

} // namespace

bool TMainForm::SaveDocument(TMDIChild &child)
{
    const TDocumentInfo &info = child.DocumentInfo;
    if (!child.isReadOnly() && !IsReadOnlyFile(info.FileName)) {
        if (!IsUntitled(info.FileName) && info.Named)
            return writeDocument(*this, child, info.FileName);
        return SaveDocumentAs(child);
    }
    showMessage(this, QMessageBox::Warning, info.FileName + ReadOnlyNote);
    return SaveDocumentAs(child);
}

bool TMainForm::SaveDocumentAs(TMDIChild &child)
{
    const TProgramOptions &options = ProgramOptions();
    const QString current = child.DocumentInfo.FileName;
    const QFileInfo currentFile(current);
    const SaveFormat format = saveFormatFor(current);

    FileDialogRequest request;
    request.title = QStringLiteral("Enregistrer sous");
    if (currentFile.absoluteDir().exists())
        request.directory = currentFile.absolutePath();
    else if (QDir(options.Open).exists())
        request.directory = options.Open;
    else
        request.directory = documentsFolder();
    request.fileName = fileNamePart(current);
    request.filters = {format.filter};
    request.defaultSuffix = format.defaultExtension == AnyExtension ? QString() : format.defaultExtension;
    // Asked below, about the name as it will be written, once its extension is known to fit.
    request.confirmOverwrite = false;

    QString chosen;
    for (;;) {
        chosen = modal().saveFileName(this, request);
        if (chosen.isEmpty())
            return false;
        // The dialog completes a name typed without extension; so does a name given any other way.
        if (!request.defaultSuffix.isEmpty() && lowerExtension(chosen).isEmpty())
            chosen += QLatin1Char('.') + request.defaultSuffix;
        // Asked again from where the user was, with the name the user gave.
        request.directory = QFileInfo(chosen).absolutePath();
        request.fileName = fileNamePart(chosen);
        // A read-only file cannot be chosen: the dialog asks again.
        if (IsReadOnlyFile(chosen)) {
            showMessage(this, QMessageBox::Warning, chosen + ReadOnlyNote);
            continue;
        }
        if (!extensionFits(chosen, format)) {
            showMessage(this, QMessageBox::Warning,
                        chosen
                            + QStringLiteral("\r\n\r\nL'extension de ce fichier ne correspond pas au format en cours."
                                             "\r\nLe fichier ne peut pas être sauvegardé. Veuillez recommencer."));
            return false;
        }
        if (!QFileInfo::exists(chosen)
            || showMessage(this, QMessageBox::Warning, chosen + ReplaceQuestion, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No)
                   == QMessageBox::Yes)
            break;
    }

    const bool written = writeDocument(*this, child, chosen);
    UpdateMenuItems();
    if (written && &child == ActiveChild)
        child.RichEditSelectionChange();
    return written;
}

bool TMDIChild::FormCloseQuery()
{
    if (!isModified())
        return true;
    const QMessageBox::StandardButton answer = showMessage(
        &MainForm, QMessageBox::Question,
        QStringLiteral("\r\nVoulez-vous enregistrer les modifications apportées à ") + fileNamePart(DocumentInfo.FileName)
            + QStringLiteral(" ?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // A document whose save failed or was cancelled stays open: closing it would lose it.
        return MainForm.SaveDocument(*this);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::BrutItemClick()
{
    if (Updating || !ActiveChild || ActiveChild->DocumentInfo.PlainText) {
        UpdateMenuItems();
        return;
    }
    TMDIChild &child = *ActiveChild;
    const QMessageBox::StandardButton answer = showMessage(
        this, QMessageBox::Warning,
        QStringLiteral("Attention, vous allez modifier ce document en texte brut.\r\n"
                       "Toute la mise en forme sera définitivement perdue.\r\n\r\n"
                       "Etes-vous sûr de réaliser cela ?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        UpdateMenuItems(); // the radio item moved when it was clicked
        return;
    }
    ConvertToPlainText(child, ProgramOptions().Proportional);
    SetBrutItemSubmenu(child.DocumentInfo.Proportional);
    child.Ruler->hide();
    TDocumentInfo &info = child.DocumentInfo;
    info.FileName = WithExtension(info.FileName, QStringLiteral(".txt"));
    child.setWindowTitle(fileNamePart(info.FileName));
    info.Named = false;
    child.TextEncoding = PlainTextEncoding{};
    child.setModified(true);
    UpdateMenuItems();
    child.RichEditSelectionChange();
}

void TMainForm::EnrichiItemClick()
{
    if (Updating || !ActiveChild || !ActiveChild->DocumentInfo.PlainText) {
        UpdateMenuItems();
        return;
    }
    TMDIChild &child = *ActiveChild;
    SetBrutItemSimple();
    child.RichEdit->setAcceptRichText(true);
    TDocumentInfo &info = child.DocumentInfo;
    info.PlainText = false;
    info.FileName = WithExtension(info.FileName, QStringLiteral(".rtf"));
    child.setWindowTitle(fileNamePart(info.FileName));
    info.Named = false;
    child.setModified(true);
    UpdateMenuItems();
    child.RichEditSelectionChange();
}

void TMainForm::ConvertToPlainText(TMDIChild &child, bool proportional)
{
    WaitCursor wait;
    const bool wasUpdating = Updating;
    Updating = true; // the boxes set below must not format the document
    child.RichEdit->setAcceptRichText(false);
    child.DocumentInfo.PlainText = true;
    const QString family = proportional ? QStringLiteral("Arial") : QStringLiteral("Courier New");
    QTextDocument &document = *child.RichEdit->document();
    const QString text = document.toPlainText();
    const QFont font(family, 10);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(QColor(Qt::black));
    document.setDefaultFont(font);
    // The reload is not an edit the user can undo: the formatting is gone for good.
    document.setUndoRedoEnabled(false);
    document.setPlainText(text);
    QTextCursor whole(&document);
    whole.select(QTextCursor::Document);
    whole.setCharFormat(format);
    document.setUndoRedoEnabled(true);
    child.RichEdit->moveCursor(QTextCursor::Start);
    child.RichEdit->setCurrentCharFormat(format);
    child.DocumentInfo.Proportional = proportional;
    ComboFont->setCurrentIndex(FontBoxIndex(*ComboFont, font));
    ComboSize->setEditText(QStringLiteral("10"));
    Updating = wasUpdating;
}

void TMainForm::PlainFontItemClick(bool proportional)
{
    if (Updating || !ActiveChild)
        return;
    TMDIChild &child = *ActiveChild;
    // Changing the plain-text font never marks a document as modified.
    const bool wasModified = child.isModified();
    {
        TMDIChild::ChangeHandlerDetached detached(child);
        (proportional ? ProportionnelItem : NonProportionnelItem)->setChecked(true);
        ConvertToPlainText(child, proportional);
        child.setModified(wasModified);
    }
    UpdateMenuItems();
}

void TMainForm::SetBrutItemSimple()
{
    if (!brutMenu_)
        return;
    BrutItem->setMenu(static_cast<QMenu *>(nullptr));
    brutMenu_->deleteLater();
    brutMenu_ = nullptr;
    ProportionnelItem = nullptr;
    NonProportionnelItem = nullptr;
}

void TMainForm::SetBrutItemSubmenu(bool proportional)
{
    if (!brutMenu_) {
        brutMenu_ = new QMenu(this);
        ProportionnelItem = brutMenu_->addAction(QStringLiteral("&Proportionnel"));
        ProportionnelItem->setObjectName(QStringLiteral("ProportionnelItem"));
        ProportionnelItem->setStatusTip(
            QStringLiteral("Afficher le texte avec une police de type proportionnel (Arial)"));
        NonProportionnelItem = brutMenu_->addAction(QStringLiteral("&Non proportionnel"));
        NonProportionnelItem->setObjectName(QStringLiteral("NonProportionnelItem"));
        NonProportionnelItem->setStatusTip(
            QStringLiteral("Afficher le texte avec une police de type non proportionnel (Courier New)"));
        auto *group = new QActionGroup(brutMenu_);
        for (QAction *item : {ProportionnelItem, NonProportionnelItem}) {
            item->setCheckable(true);
            group->addAction(item);
        }
        (ProgramOptions().Proportional ? ProportionnelItem : NonProportionnelItem)->setChecked(true);
        connect(ProportionnelItem, &QAction::triggered, this, [this] { PlainFontItemClick(true); });
        connect(NonProportionnelItem, &QAction::triggered, this, [this] { PlainFontItemClick(false); });
        BrutItem->setMenu(brutMenu_);
    }
    (proportional ? ProportionnelItem : NonProportionnelItem)->setChecked(true);
}

} // namespace ombre
