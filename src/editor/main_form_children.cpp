// The frame's side of the document windows: making one, the command state that follows the
// active one, the keyboard panels, and the window menu.

#include "commands/file_names.h"
#include "editor/child_placement.h"
#include "editor/command_state.h"
#include "editor/document_stream.h"
#include "editor/editing/caret_format.h"
#include "editor/font_list.h"
#include "editor/keyboard_state.h"
#include "editor/drawing_lock.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "editor/pictures.h"
#include "editor/ruler.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QTextEdit>
#include <algorithm>
#include <optional>
#include <utility>

namespace ombre {
namespace {

// The colour has no document-wide default: the empty first paragraph carries it (with the face
// and size), so that text typed anywhere in a new document takes it, even after the caret moved.
void applyDefaultFont(QTextEdit &edit, const QFont &font, const QColor &color)
{
    edit.document()->setDefaultFont(font);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(color);
    QTextCursor(edit.document()).setBlockCharFormat(format);
    edit.setCurrentCharFormat(format);
}

// A submenu's item takes its enabled state from the menu widget whenever that widget is enabled
// or disabled, and it is each time the frame is (the progress window disables it): the state is
// set on the widget, where it survives, as well as on the item.
void setCommandEnabled(QAction *command, bool enabled)
{
    if (QMenu *menu = command->menu())
        menu->setEnabled(enabled);
    command->setEnabled(enabled);
}

// The last document window in the normal state, before `added`; a new one cascades from it.
std::optional<QRect> lastNormalGeometry(const QMdiArea &area, const QMdiSubWindow *added)
{
    QList<QMdiSubWindow *> windows = area.subWindowList(QMdiArea::CreationOrder);
    std::reverse(windows.begin(), windows.end());
    for (const QMdiSubWindow *window : windows)
        if (window != added && !window->isHidden() && !window->isMinimized() && !window->isMaximized())
            return window->geometry();
    return std::nullopt;
}

} // namespace

TDocumentInfo TMainForm::InitDocumentInfo(const QString &fileName) const
{
    const TProgramOptions &options = ProgramOptions();
    return MakeDocumentInfo(fileName, options.Proportional, options.Wordwrap);
}

TMDIChild *TMainForm::CreateMDIChild(TDocumentInfo info, bool restoreGeometry, bool loadFile)
{
    // The frame draws once, when the new document window is complete.
    const DrawingLock lock(*this);
    auto *child = new TMDIChild(*this);
    QMdiSubWindow *window = MdiArea->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setMinimumSize(350, 50);
    window->setWindowIcon(MenuPicture(0));
    UpdateKeyPanels();

    const TProgramOptions &options = ProgramOptions();
    const QSize freeArea = MdiArea->viewport()->size();
    const bool anyGeometry = info.Left || info.Top || info.Width || info.Height;
    if (restoreGeometry) {
        // A record of all zeros carries no geometry.
        if (info.WindowState == 0 && anyGeometry)
            window->setGeometry(info.Left, info.Top, info.Width, info.Height);
    } else if (options.MdiSize) {
        window->setGeometry(QRect(QPoint(0, 0), freeArea));
    } else {
        const QSize size(std::max(350, freeArea.width() * 3 / 4), std::max(150, freeArea.height() * 3 / 4));
        const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        window->setGeometry(newChildGeometry(freeArea, lastNormalGeometry(*MdiArea, window), size, step));
    }

    child->setWindowTitle(fileNamePart(info.FileName));

    child->RichEdit->setAcceptRichText(!info.PlainText);
    if (info.PlainText) {
        child->Ruler->hide();
        QFont font = options.PlainTextFont.font;
        if (!info.Proportional)
            font.setFamily(QStringLiteral("Courier New"));
        applyDefaultFont(*child->RichEdit, font, options.PlainTextFont.color);
    } else {
        applyDefaultFont(*child->RichEdit, options.RichTextFont.font, options.RichTextFont.color);
    }

    child->setWordWrap(info.WordWrap);
    child->ShowWordwrapState();

    if (loadFile
        && ReadDocumentFile(info.FileName, *child->RichEdit->document(), info.PlainText, &child->TextEncoding)
               == FileResult::Failed) {
        showMessage(this, QMessageBox::Critical,
                    info.FileName + QStringLiteral("\r\n\r\nUne erreur s'est produite durant la lecture de ce fichier."));
        // An empty window bound to a file it could not read would overwrite that file on Save.
        delete window;
        UpdateMenuItems();
        return nullptr;
    }

    child->DocumentInfo = info;
    child->RichEdit->moveCursor(QTextCursor::Start);
    child->setModified(false);
    ApplyBackgroundOption();
    if (restoreGeometry && info.WindowState == 1)
        window->showMinimized();
    else if (restoreGeometry && info.WindowState == 2)
        window->showMaximized();
    else
        window->show();
    MdiArea->setActiveSubWindow(window);
    child->RichEdit->setFocus();
    if (ActiveChild != child)
        documentActivated(*child);
    child->RichEditSelectionChange();
    UpdateMenuItems();
    return child;
}

void TMainForm::UpdateMenuItems()
{
    FrameState state;
    state.documents = static_cast<int>(DocumentWindows().size());
    state.updating = Updating || !ActiveChild;
    if (ActiveChild) {
        state.activePlainText = ActiveChild->DocumentInfo.PlainText;
        state.activeReadOnly = ActiveChild->isReadOnly();
    }
    state.word97Available = Word97Available;
    state.formulasAvailable = FormulasAvailable;
    state.signatureSet = !ProgramOptions().Signature.isEmpty();
    state.spellerAvailable = SpellerAvailable;
    state.dictionariesListed = DictionariesListed;
    const FrameCommands c = ComputeFrameCommands(state);
    const bool current = c.D && !Updating && ActiveChild;

    // The plain-text item takes its form first: its submenu then takes the state set below.
    if (current) {
        const bool plain = ActiveChild->DocumentInfo.PlainText;
        WordwrapItem->setChecked(ActiveChild->wordWrap());
        EnrichiItem->setChecked(!plain);
        BrutItem->setChecked(plain);
        if (plain)
            SetBrutItemSubmenu(ActiveChild->DocumentInfo.Proportional);
        else
            SetBrutItemSimple();
    }

    const std::pair<bool, QList<QAction *>> rows[] = {
        {c.D, {FileCloseItem, FileSaveItem, FileSaveAsItem, FilePrintItem, ApercuItem, ProprietesItem, EnvoyerItem, RaccourciItem,
               CrypterItem, WindowCascadeItem, WindowTileItem, WindowArrangeItem, WindowMinimizeItem, BtnPrint}},
        {c.D2, {FileCloseAllItem}},
        {c.Word97, {Word97Item}},
        {c.WD, {RemplacerItem, WordwrapItem, DateItem, EnrichiItem, BrutItem, BtnDate}},
        {c.Formulas, {FormulesItem, BtnFormule}},
        {c.Signature, {SignatureItem}},
        {c.Spelling, {OrthographeItem}},
        {c.Dictionaries, {DictionnairesItem}},
        {c.R, {RegleItem}},
        {c.RW, {PolicesItem, AlignerItem, PucesItem, AugmenterItem, ReduireItem, BtnFont, BtnBold, BtnItalic,
                BtnUnderline, BtnColor, BtnBullet, GaucheItem, CentreItem, DroiteItem,
                // The boxes follow their places on the bar, which reset them whenever the bar
                // shows or hides them.
                ComboFontAction, ComboSizeAction}},
    };
    for (const auto &[enabled, actions] : rows)
        for (QAction *a : actions)
            setCommandEnabled(a, enabled);

    if (!c.D)
        showEditCommands({});
    else if (current)
        // The document window's finer rules (Replace needs text) have the last word.
        showEditCommands(ActiveChild->editCommands());
}

void TMainForm::showDocumentState(const CaretFormat &format, const EditCommands &commands, bool ruler)
{
    // The boxes and buttons fire their change handlers while they are set below: Updating makes
    // those handlers leave the document alone.
    Updating = true;
    RegleItem->setChecked(ruler);
    const int fontIndex = FontBoxIndex(*ComboFont, QFont(format.family));
    if (ComboFont->currentIndex() != fontIndex)
        ComboFont->setCurrentIndex(fontIndex);
    ComboSize->setEditText(QString::number(format.points));
    BtnBold->setChecked(format.bold);
    BtnItalic->setChecked(format.italic);
    BtnUnderline->setChecked(format.underline);
    switch (format.alignment) {
    case ParagraphAlignment::Left: GaucheItem->setChecked(true); break;
    case ParagraphAlignment::Center: CentreItem->setChecked(true); break;
    case ParagraphAlignment::Right: DroiteItem->setChecked(true); break;
    }
    PucesItem->setChecked(format.bullets);
    BtnBullet->setChecked(format.bullets);
    showEditCommands(commands);
    Updating = false;
}

void TMainForm::showEditCommands(const EditCommands &commands)
{
    const std::pair<bool, QList<QAction *>> rows[] = {
        {commands.cutCopy, {CutItem, CopyItem}},
        {commands.paste, {PasteItem}},
        {commands.undo, {UndoItem}},
        {commands.redo, {RedoItem}},
        {commands.find, {SelectionnerItem, RechercherItem, RechercherNextItem}},
        {commands.replace, {RemplacerItem}},
        {commands.changeCase, {MajusculesItem, MinusculesItem}},
    };
    for (const auto &[enabled, actions] : rows)
        for (QAction *a : actions)
            a->setEnabled(enabled);
}

void TMainForm::documentActivated(TMDIChild &child)
{
    ActiveChild = &child;
    child.RichEditSelectionChange();
    Updating = false;
}

void TMainForm::toggleInsertMode()
{
    InsertToggled = !InsertToggled;
    for (TMDIChild *child : DocumentWindows())
        child->RichEdit->setOverwriteMode(InsertToggled);
    UpdateKeyPanels();
}

void TMainForm::UpdateKeyPanels()
{
    const LockToggles toggles = ReadLockToggles();
    QList<TMDIChild *> windows = DocumentWindows();
    std::reverse(windows.begin(), windows.end());
    for (TMDIChild *child : windows)
        child->ShowKeyStates(toggles.capsLock, !InsertToggled, toggles.numLock);
}

void TMainForm::WindowCascadeItemClick()
{
    MdiArea->cascadeSubWindows();
}

void TMainForm::WindowTileItemClick()
{
    MdiArea->tileSubWindows();
}

void TMainForm::WindowArrangeItemClick()
{
    // Minimised windows line up along the bottom of the area, left to right.
    int x = 0;
    for (QMdiSubWindow *window : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        window->move(x, MdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

void TMainForm::WindowMinimizeItemClick()
{
    QList<QMdiSubWindow *> windows = MdiArea->subWindowList(QMdiArea::CreationOrder);
    std::reverse(windows.begin(), windows.end());
    for (QMdiSubWindow *window : windows)
        window->showMinimized();
}

} // namespace ombre
