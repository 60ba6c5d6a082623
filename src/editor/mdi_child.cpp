#include "editor/mdi_child.h"

#include "editor/editing/caret_format.h"
#include "editor/editing/paragraph_format.h"
#include "editor/main_form.h"
#include "editor/pictures.h"
#include "editor/ruler.h"
#include "editor/text_lines.h"
#include "settings/options.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ombre {
namespace {

constexpr std::array<int, TMDIChild::PanelCount> PanelWidths{60, 60, 25, 25, 32, 32, 32, 25, 50};
enum Panel { CaretPanel = 0, LinesPanel = 1, CapsPanel = 4, InsertPanel = 5, NumPanel = 6 };

bool clipboardHoldsText()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The rich-edit control. Text copied, cut or dragged out of a document deciphered from a
// container or an age file carries the hint that asks clipboard managers to keep no history of
// it: the plaintext would otherwise outlive the window in their store.
class DocumentEdit final : public QTextEdit {
public:
    explicit DocumentEdit(TMDIChild &child) : QTextEdit(&child), m_child(child) {}

protected:
    QMimeData *createMimeDataFromSelection() const override
    {
        QMimeData *data = QTextEdit::createMimeDataFromSelection();
        if (data && !m_child.ContainerPath.isEmpty())
            data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
        return data;
    }

private:
    const TMDIChild &m_child;
};

} // namespace

TMDIChild::TMDIChild(TMainForm &mainForm, QWidget *parent)
    : QWidget(parent), MainForm(mainForm), RichEdit(new DocumentEdit(*this)), Ruler(new TRuler(this)),
      StatusBar(new QStatusBar(this)), ChildPopup(new QMenu(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Ruler);
    layout->addWidget(RichEdit, 1);
    layout->addWidget(StatusBar);

    RichEdit->setObjectName(QStringLiteral("RichEdit"));
    Ruler->setObjectName(QStringLiteral("Ruler"));
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    ChildPopup->setObjectName(QStringLiteral("ChildPopup"));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    RichEdit->document()->setDefaultFont(font);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setTabChangesFocus(false);
    // Text keeps 4 pixels from each side of the control.
    RichEdit->document()->setDocumentMargin(4);
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    RichEdit->installEventFilter(this);

    StatusBar->setSizeGripEnabled(false);
    for (int i = 0; i < PanelCount; ++i) {
        auto *panel = new QLabel(StatusBar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i < PanelCount - 1) {
            panel->setFixedWidth(PanelWidths[static_cast<std::size_t>(i)]);
            panel->setAlignment(Qt::AlignCenter);
            StatusBar->addWidget(panel);
        } else {
            // The owner line of a decrypted document: as wide as the window allows.
            panel->setMinimumWidth(PanelWidths[static_cast<std::size_t>(i)]);
            StatusBar->addWidget(panel, 1);
        }
        Panels[static_cast<std::size_t>(i)] = panel;
    }
    ImgModifie = Panels[2];
    ImgWordwrap = Panels[3];
    ImgDecode = Panels[7];

    connect(RichEdit->document(), &QTextDocument::contentsChanged, this, &TMDIChild::RichEditChange);
    connect(RichEdit->document(), &QTextDocument::modificationChanged, this, &TMDIChild::ShowModifiedState);
    connect(RichEdit, &QTextEdit::cursorPositionChanged, this, &TMDIChild::RichEditSelectionChange);
    connect(RichEdit, &QTextEdit::selectionChanged, this, &TMDIChild::RichEditSelectionChange);
    // Undo and redo follow the document's history, which changes without the caret moving.
    connect(RichEdit->document(), &QTextDocument::undoAvailable, this, &TMDIChild::ShowEditCommands);
    connect(RichEdit->document(), &QTextDocument::redoAvailable, this, &TMDIChild::ShowEditCommands);
    connect(RichEdit, &QTextEdit::customContextMenuRequested, this, &TMDIChild::ChildPopupPopup);
    connect(Ruler, &TRuler::indentChanged, this, &TMDIChild::RulerIndentChange);
    FormCreate();
}

void TMDIChild::FormCreate()
{
    // The edit commands start from this window's state once the frame activates it.
    Ruler->setVisible(ProgramOptions().Ruler);
    RichEdit->setOverwriteMode(MainForm.InsertToggled);
    // The key panels are filled by the frame once the window is one of its documents.
}

QMdiSubWindow *TMDIChild::subWindow() const
{
    return qobject_cast<QMdiSubWindow *>(parentWidget());
}

QString TMDIChild::panelText(int panel) const
{
    return Panels.at(static_cast<std::size_t>(panel))->text();
}

bool TMDIChild::isModified() const
{
    return RichEdit->document()->isModified();
}

void TMDIChild::setModified(bool modified)
{
    RichEdit->document()->setModified(modified);
    ShowModifiedState();
}

bool TMDIChild::isReadOnly() const
{
    return RichEdit->isReadOnly();
}

void TMDIChild::setReadOnly(bool readOnly)
{
    RichEdit->setReadOnly(readOnly);
    // A read-only control still shows where the caret is, so that the selection can be read.
    if (readOnly)
        RichEdit->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
}

bool TMDIChild::wordWrap() const
{
    return RichEdit->lineWrapMode() != QTextEdit::NoWrap;
}

void TMDIChild::setWordWrap(bool wrap)
{
    RichEdit->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TMDIChild::ShowModifiedState()
{
    const bool modified = isModified();
    ImgModifie->setPixmap(StatusPicture(modified ? 0 : 1));
    DocumentInfo.Modified = modified;
}

void TMDIChild::ShowWordwrapState()
{
    const bool wrap = wordWrap();
    ImgWordwrap->setPixmap(StatusPicture(wrap ? 2 : 3));
    DocumentInfo.WordWrap = wrap;
}

void TMDIChild::RichEditChange()
{
    // The first change of a clean document lights the indicator; later ones have nothing to add.
    if (!changeHandlerAttached_ || DocumentInfo.Modified)
        return;
    RichEdit->document()->setModified(true);
    ShowModifiedState();
}

void TMDIChild::RichEditSelectionChange()
{
    // A window in the background (resized by tiling, say) keeps its own ruler and status bar in
    // step; the frame's tool bars follow the active document only.
    ShowRuler();
    ShowCaretPosition();
    if (MainForm.ActiveChild == this)
        MainForm.showDocumentState(caretFormatAt(RichEdit->textCursor(), RichEdit->document()->defaultFont()),
                                   editCommands(), !Ruler->isHidden());
}

ParagraphIndents TMDIChild::currentIndents() const
{
    return paragraphIndents(RichEdit->textCursor().block());
}

void TMDIChild::ShowRuler()
{
    Ruler->setHandles(HandlesFromIndents(currentIndents(), Ruler->clientWidth()));
}

void TMDIChild::ShowEditCommands()
{
    if (MainForm.ActiveChild == this && !MainForm.Updating)
        MainForm.showEditCommands(editCommands());
}

EditCommands TMDIChild::editCommands() const
{
    EditState state;
    state.writable = !isReadOnly();
    state.selection = RichEdit->textCursor().hasSelection();
    state.text = !RichEdit->document()->isEmpty();
    state.clipboardText = clipboardHoldsText();
    state.canUndo = RichEdit->document()->isUndoAvailable();
    state.canRedo = RichEdit->document()->isRedoAvailable();
    return ComputeEditCommands(state);
}

void TMDIChild::ShowCaretPosition()
{
    const TextLinePosition caret = CaretLineAndColumn(*RichEdit->document(), RichEdit->textCursor().selectionStart());
    Panels[CaretPanel]->setText(QStringLiteral("%1 : %2").arg(caret.line + 1).arg(caret.column));
    Panels[LinesPanel]->setText(QStringLiteral("%1 lig.").arg(LineCount(*RichEdit->document())));
}

void TMDIChild::ShowKeyStates(bool capsLock, bool insertMode, bool numLock)
{
    Panels[CapsPanel]->setText(capsLock ? QStringLiteral("Cap") : QString());
    Panels[InsertPanel]->setText(insertMode ? QStringLiteral("Ins") : QString());
    Panels[NumPanel]->setText(numLock ? QStringLiteral("Num") : QString());
}

void TMDIChild::RulerIndentChange(RulerHandle moved)
{
    const ParagraphIndents indents =
        IndentsFromHandle(moved, Ruler->handles(), currentIndents(), Ruler->clientWidth());
    QTextBlockFormat format;
    setParagraphIndents(format, indents, RichEdit->textCursor().currentList() != nullptr);
    RichEdit->textCursor().mergeBlockFormat(format);
}

void TMDIChild::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    RichEditSelectionChange();
}

bool TMDIChild::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RichEdit) {
        if (event->type() == QEvent::KeyPress)
            return RichEditKeyDown(static_cast<QKeyEvent *>(event));
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            // The lock state has settled by the time the key comes up.
            if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock)
                MainForm.UpdateKeyPanels();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TMDIChild::RichEditKeyDown(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock) {
        MainForm.UpdateKeyPanels();
        return false;
    }
    if (key == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        MainForm.toggleInsertMode();
        return true;
    }
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    QAction *command = nullptr;
    if (modifiers == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_D: command = MainForm.PolicesItem; break;
        case Qt::Key_E: command = MainForm.CentreItem; break;
        case Qt::Key_G: command = MainForm.BtnBold; break;
        case Qt::Key_R: command = MainForm.AugmenterItem; break;
        case Qt::Key_T: command = MainForm.BtnItalic; break;
        case Qt::Key_U: command = MainForm.BtnUnderline; break;
        default: break;
        }
    } else if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) {
        switch (key) {
        case Qt::Key_A: command = MainForm.MajusculesItem; break;
        case Qt::Key_D: command = MainForm.DroiteItem; break;
        case Qt::Key_G: command = MainForm.GaucheItem; break;
        case Qt::Key_U: command = MainForm.MinusculesItem; break;
        default: break;
        }
    }
    if (!command)
        return false;
    // trigger() toggles a button-like command first, then runs its handler; a disabled command
    // (plain or read-only document) does nothing.
    command->trigger();
    return true;
}

void TMDIChild::ChildPopupPopup(const QPoint &pos)
{
    ChildPopup->clear();
    // A word the dictionary does not know: its suggestions instead of the usual items.
    if (MainForm.SpellingPopup(*ChildPopup, *RichEdit, pos)) {
        ChildPopup->popup(RichEdit->viewport()->mapToGlobal(pos));
        return;
    }
    const EditCommands commands = editCommands();
    auto add = [this](const QString &caption, const QString &hint, int picture, bool enabled, auto handler) {
        QAction *item = ChildPopup->addAction(MenuPicture(picture), caption);
        item->setStatusTip(hint);
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, &MainForm, handler);
        return item;
    };
    // Undo has many levels here: both directions are at hand.
    add(QStringLiteral("&Annuler"), QStringLiteral("Annuler la dernière opération"), 19, commands.undo,
        &TMainForm::UndoItemClick);
    add(QStringLiteral("&Rétablir"), QStringLiteral("Rétablir la dernière opération annulée"), -2, commands.redo,
        &TMainForm::RedoItemClick)
        ->setIcon(ToolBarPicture(ToolPicture::Redo));
    ChildPopup->addSeparator();
    add(QStringLiteral("&Couper"), QStringLiteral("Couper vers le Presse-papiers"), 4, commands.cutCopy,
        &TMainForm::CutItemClick);
    add(QStringLiteral("Co&pier"), QStringLiteral("Copier vers le Presse-papiers"), 5, commands.cutCopy,
        &TMainForm::CopyItemClick);
    add(QStringLiteral("C&oller"), QStringLiteral("Coller depuis le Presse-papiers"), 6, commands.paste,
        &TMainForm::PasteItemClick);
    ChildPopup->addSeparator();
    add(QStringLiteral("Po&lices..."), QStringLiteral("Choisir une police de caractères"), 10, commands.change,
        &TMainForm::PolicesItemClick);

    QMenu *align = ChildPopup->addMenu(MenuPicture(11), QStringLiteral("&Aligner"));
    align->menuAction()->setStatusTip(QStringLiteral("Aligner un paragraphe"));
    align->setEnabled(commands.change);
    auto *alignGroup = new QActionGroup(align);
    const CaretFormat format = caretFormatAt(RichEdit->textCursor(), RichEdit->document()->defaultFont());
    const struct {
        const char *caption;
        const char *hint;
        bool checked;
        void (TMainForm::*handler)();
    } alignItems[] = {
        {"&Gauche", "Aligner le paragraphe à gauche", format.alignment == ParagraphAlignment::Left,
         &TMainForm::BtnLeftClick},
        {"&Centre", "Aligner le paragraphe au centre", format.alignment == ParagraphAlignment::Center,
         &TMainForm::BtnCenterClick},
        {"&Droite", "Aligner le paragraphe à droite", format.alignment == ParagraphAlignment::Right,
         &TMainForm::BtnRightClick},
    };
    for (const auto &a : alignItems) {
        QAction *item = align->addAction(QString::fromUtf8(a.caption));
        item->setStatusTip(QString::fromUtf8(a.hint));
        item->setCheckable(true);
        item->setChecked(a.checked);
        alignGroup->addAction(item);
        connect(item, &QAction::triggered, &MainForm, a.handler);
    }

    QAction *bullets = ChildPopup->addAction(MenuPicture(12), QStringLiteral("P&uces"));
    bullets->setStatusTip(QStringLiteral("Insérer une puce"));
    bullets->setEnabled(commands.change);
    bullets->setCheckable(true);
    bullets->setChecked(format.bullets);
    // As the bullet button: its check toggles, then its handler runs.
    connect(bullets, &QAction::triggered, MainForm.BtnBullet, &QAction::trigger);
    ChildPopup->addSeparator();
    add(QStringLiteral("&Date"), QStringLiteral("Insérer la date"), 8, commands.change, &TMainForm::BtnDateClick);
    add(QStringLiteral("&Formule"), QStringLiteral("Insérer la formule de politesse"), 22,
        commands.change && MainForm.FormulasAvailable, &TMainForm::BtnFormuleClick);
    add(QStringLiteral("&Signature"), QStringLiteral("Insérer la signature"), 9,
        commands.change && !ProgramOptions().Signature.isEmpty(), &TMainForm::SignatureItemClick);

    ChildPopup->popup(RichEdit->viewport()->mapToGlobal(pos));
}

void TMDIChild::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    event->accept();
    MainForm.ChildClosing(*this);
}

} // namespace ombre
