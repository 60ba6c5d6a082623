#include "editor/mdi_child.h"

#include "editor/command_state.h"
#include "editor/font_list.h"
#include "editor/main_form.h"
#include "editor/pictures.h"
#include "editor/ruler.h"
#include "editor/text_lines.h"
#include "settings/options.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
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

bool hasBullets(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return false;
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

} // namespace

TMDIChild::TMDIChild(TMainForm &mainForm, QWidget *parent)
    : QWidget(parent), MainForm(mainForm), RichEdit(new QTextEdit(this)), Ruler(new TRuler(this)),
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
    connect(RichEdit, &QTextEdit::customContextMenuRequested, this, &TMDIChild::ChildPopupPopup);
    connect(Ruler, &TRuler::indentChanged, this, &TMDIChild::RulerIndentChange);
    FormCreate();
}

void TMDIChild::FormCreate()
{
    for (QAction *a : {MainForm.CutItem, MainForm.CopyItem, MainForm.UndoItem, MainForm.MajusculesItem,
                       MainForm.MinusculesItem})
        a->setEnabled(false);
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

void TMDIChild::FormActivate()
{
    MainForm.ActiveChild = this;
    RichEditSelectionChange();
    MainForm.Updating = false;
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
    if (MainForm.ActiveChild != this) {
        ShowRuler();
        ShowCaretPosition();
        return;
    }
    // The boxes and buttons fire their change handlers while they are set below: Updating makes
    // those handlers leave the document alone.
    MainForm.Updating = true;
    MainForm.RegleItem->setChecked(!Ruler->isHidden());
    ShowRuler();
    ShowFormatting();
    ShowCommandStates();
    ShowCaretPosition();
    MainForm.Updating = false;
}

ParagraphIndents TMDIChild::currentIndents() const
{
    const QTextBlockFormat format = RichEdit->textCursor().blockFormat();
    return IndentsFromMargins(format.leftMargin(), format.textIndent(), format.rightMargin());
}

void TMDIChild::ShowRuler()
{
    Ruler->setHandles(HandlesFromIndents(currentIndents(), Ruler->clientWidth()));
}

void TMDIChild::ShowFormatting()
{
    const QTextCharFormat format = RichEdit->textCursor().charFormat();
    const QFont font = format.font().resolve(RichEdit->document()->defaultFont());
    const int fontIndex = FontBoxIndex(*MainForm.ComboFont, font);
    if (MainForm.ComboFont->currentIndex() != fontIndex)
        MainForm.ComboFont->setCurrentIndex(fontIndex);
    const int points = font.pointSizeF() > 0 ? qRound(font.pointSizeF()) : qRound(font.pixelSize() * 0.75);
    MainForm.ComboSize->setEditText(QString::number(points));

    MainForm.BtnBold->setChecked(font.bold());
    MainForm.BtnItalic->setChecked(font.italic());
    MainForm.BtnUnderline->setChecked(font.underline());

    const Qt::Alignment alignment = RichEdit->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        MainForm.CentreItem->setChecked(true);
    else if (alignment & Qt::AlignRight)
        MainForm.DroiteItem->setChecked(true);
    else
        MainForm.GaucheItem->setChecked(true);

    const bool bullets = hasBullets(RichEdit->textCursor().block());
    MainForm.PucesItem->setChecked(bullets);
    MainForm.BtnBullet->setChecked(bullets);
}

void TMDIChild::ShowCommandStates()
{
    EditState state;
    state.writable = !isReadOnly();
    state.selection = RichEdit->textCursor().hasSelection();
    state.text = !RichEdit->document()->isEmpty();
    state.clipboardText = clipboardHoldsText();
    state.canUndo = RichEdit->document()->isUndoAvailable();
    const EditCommands commands = ComputeEditCommands(state);
    MainForm.CutItem->setEnabled(commands.cutCopy);
    MainForm.CopyItem->setEnabled(commands.cutCopy);
    MainForm.PasteItem->setEnabled(commands.paste);
    MainForm.UndoItem->setEnabled(commands.undo);
    for (QAction *a : {MainForm.SelectionnerItem, MainForm.RechercherItem, MainForm.RechercherNextItem})
        a->setEnabled(commands.find);
    MainForm.RemplacerItem->setEnabled(commands.replace);
    MainForm.MajusculesItem->setEnabled(commands.changeCase);
    MainForm.MinusculesItem->setEnabled(commands.changeCase);
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
    const BlockMargins margins = MarginsFromIndents(indents);
    QTextBlockFormat format;
    format.setLeftMargin(margins.leftMargin);
    format.setTextIndent(margins.textIndent);
    format.setRightMargin(margins.rightMargin);
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
        MainForm.InsertToggled = !MainForm.InsertToggled;
        for (TMDIChild *child : MainForm.DocumentWindows())
            child->RichEdit->setOverwriteMode(MainForm.InsertToggled);
        MainForm.UpdateKeyPanels();
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
    const bool w = !isReadOnly();
    const bool s = RichEdit->textCursor().hasSelection();
    auto add = [this](const QString &caption, const QString &hint, int picture, bool enabled, auto handler) {
        QAction *item = ChildPopup->addAction(MenuPicture(picture), caption);
        item->setStatusTip(hint);
        item->setEnabled(enabled);
        connect(item, &QAction::triggered, &MainForm, handler);
        return item;
    };
    add(QStringLiteral("&Couper"), QStringLiteral("Couper vers le Presse-papiers"), 4, w && s, &TMainForm::CutItemClick);
    add(QStringLiteral("Co&pier"), QStringLiteral("Copier vers le Presse-papiers"), 5, w && s, &TMainForm::CopyItemClick);
    add(QStringLiteral("C&oller"), QStringLiteral("Coller depuis le Presse-papiers"), 6, w && clipboardHoldsText(),
        &TMainForm::PasteItemClick);
    ChildPopup->addSeparator();
    add(QStringLiteral("Po&lices..."), QStringLiteral("Choisir une police de caractères"), 10, w,
        &TMainForm::PolicesItemClick);

    QMenu *align = ChildPopup->addMenu(MenuPicture(11), QStringLiteral("&Aligner"));
    align->menuAction()->setStatusTip(QStringLiteral("Aligner un paragraphe"));
    align->menuAction()->setEnabled(w);
    auto *alignGroup = new QActionGroup(align);
    const Qt::Alignment alignment = RichEdit->textCursor().blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    const struct {
        const char *caption;
        const char *hint;
        bool checked;
        void (TMainForm::*handler)();
    } alignItems[] = {
        {"&Gauche", "Aligner le paragraphe à gauche", !(alignment & (Qt::AlignHCenter | Qt::AlignRight)),
         &TMainForm::BtnLeftClick},
        {"&Centre", "Aligner le paragraphe au centre", bool(alignment & Qt::AlignHCenter), &TMainForm::BtnCenterClick},
        {"&Droite", "Aligner le paragraphe à droite", bool(alignment & Qt::AlignRight), &TMainForm::BtnRightClick},
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
    bullets->setEnabled(w);
    bullets->setCheckable(true);
    bullets->setChecked(hasBullets(RichEdit->textCursor().block()));
    connect(bullets, &QAction::triggered, this, [this] {
        MainForm.BtnBullet->toggle();
        MainForm.PucesItem->setChecked(MainForm.BtnBullet->isChecked());
        MainForm.BtnBulletClick();
    });
    ChildPopup->addSeparator();
    add(QStringLiteral("&Date"), QStringLiteral("Insérer la date"), 8, w, &TMainForm::BtnDateClick);
    add(QStringLiteral("&Formule"), QStringLiteral("Insérer la formule de politesse"), 22, w,
        &TMainForm::BtnFormuleClick);
    add(QStringLiteral("&Signature"), QStringLiteral("Insérer la signature"), 9,
        w && !ProgramOptions().Signature.isEmpty(), &TMainForm::SignatureItemClick);

    ChildPopup->popup(RichEdit->viewport()->mapToGlobal(pos));
}

void TMDIChild::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    MainForm.ChildClosing(*this);
}

void TMDIChild::FormClose()
{
    // Until another window is activated no document is validly active.
    closing_ = true;
    MainForm.Updating = true;
    MainForm.DisableEditCommands();
    MainForm.SetBrutItemSimple();
}

} // namespace ombre
