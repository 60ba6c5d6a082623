// The frame's life: creation, first showing, closing, and following which document is active.

#include "cipher/user_texts.h"
#include "editor/main_form.h"

#include "editor/font_list.h"
#include "editor/mdi_child.h"
#include "editor/pictures.h"
#include "integrations/send_to/word_processor_hand_off.h"
#include "settings/options.h"

#include <QClipboard>
#include <QCloseEvent>
#include <algorithm>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace ombre {

TMainForm::TMainForm(const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent), arguments_(arguments)
{
    setObjectName(QStringLiteral("MainForm"));
    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);
    createFileMenu();
    createEditMenu();
    createViewMenu();
    createInsertMenu();
    createFormatMenu();
    createToolsMenu();
    createWindowMenu();
    createHelpMenu();
    createToolBars();
    connectHandlers();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The document windows go with the frame: nothing is active any more, nothing to follow.
    MdiArea->disconnect(this);
    for (QMdiSubWindow *window : MdiArea->subWindowList())
        window->disconnect(this);
}

void TMainForm::FormCreate()
{
    // The process error mode of the original platform has no counterpart here.
    setWindowTitle(QString::fromUtf8(user_texts::kProgramTitle));
    setWindowIcon(ProgramIcon());
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);
    // Paste follows what the clipboard holds, whoever put it there.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        if (!Updating && ActiveChild)
            showEditCommands(ActiveChild->editCommands());
    });

    // With 256 colours or fewer the area keeps its plain colour.
    if (const QScreen *screen = QGuiApplication::primaryScreen(); !screen || screen->depth() > 8)
        MdiArea->setBackground(QBrush(BackgroundTile()));

    FillFontList();
    resize(600, 400);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Updating = true;

    TProgramOptions &options = ProgramOptions();
    LoadOptions(options);
    RegleItem->setChecked(options.Ruler);

    const QFont &richFont = options.RichTextFont.font;
    ComboFont->setCurrentIndex(FontBoxIndex(*ComboFont, richFont));
    ComboSize->setEditText(QString::number(richFont.pointSize()));

    connect(Attributs, &QToolBar::orientationChanged, this, &TMainForm::PairFontControls);
    connect(Attributs, &QToolBar::topLevelChanged, this, &TMainForm::PairFontControls);
    for (QToolBar *bar : {Standard, Options, Attributs})
        connect(bar, &QToolBar::visibilityChanged, this, &TMainForm::SyncToolBarItems);
    RestorePlacement();
    RestoreToolBars();

    CreateSpeller();
    BuildDictionaryMenu();
    BuildFormulasMenu();
    ProbeIntegrations();
    setAcceptDrops(true);
    UpdateMenuItems();
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // The frame is painted first; the document opens once the event loop has drawn it.
    QTimer::singleShot(0, this, &TMainForm::FormShow);
}

void TMainForm::FormShow()
{
    if (!arguments_.isEmpty())
        OpenDocumentByName(arguments_.first());
    else if (ProgramOptions().Desktop)
        RestoreDesktop();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    // The topmost document asks first.
    QList<QMdiSubWindow *> windows = MdiArea->subWindowList(QMdiArea::StackingOrder);
    std::reverse(windows.begin(), windows.end());
    for (QMdiSubWindow *window : windows)
        if (auto *child = qobject_cast<TMDIChild *>(window->widget()); child && !child->FormCloseQuery())
            return false;
    return true;
}

void TMainForm::FormClose()
{
    SaveOptions(ProgramOptions());
    SaveDesktop();
    SavePlacement();
    SaveToolBars();
    CloseSpeller();
}

QList<TMDIChild *> TMainForm::DocumentWindows() const
{
    QList<TMDIChild *> result;
    for (QMdiSubWindow *window : MdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto *child = qobject_cast<TMDIChild *>(window->widget()); child && !child->isClosing())
            result.append(child);
    return result;
}

void TMainForm::SubWindowActivated(QMdiSubWindow *window)
{
    if (auto *child = window ? qobject_cast<TMDIChild *>(window->widget()) : nullptr; child && !child->isClosing())
        documentActivated(*child);
    else if (DocumentWindows().isEmpty()) {
        ActiveChild = nullptr;
        Updating = true;
    }
    // A null activation while documents remain means the frame itself lost the focus: the last
    // active document stays the current one.
    UpdateMenuItems();
}

void TMainForm::ChildClosing(TMDIChild &child)
{
    // Until another window is activated no document is validly active.
    Updating = true;
    showEditCommands({});
    SetBrutItemSimple();
    if (ActiveChild == &child)
        ActiveChild = nullptr;
    else if (ActiveChild)
        // Another document stays active and no activation will tell: it is still valid.
        documentActivated(*ActiveChild);
    UpdateMenuItems();
}

void TMainForm::RebuildWindowList()
{
    qDeleteAll(windowListActions_);
    windowListActions_.clear();
    const QList<TMDIChild *> windows = DocumentWindows();
    if (windows.isEmpty())
        return;
    windowListActions_.append(WindowMenu->addSeparator());
    int number = 1;
    for (TMDIChild *child : windows) {
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(child->windowTitle())
                                            : QStringLiteral("%1 %2").arg(number).arg(child->windowTitle());
        QAction *item = WindowMenu->addAction(caption);
        // Only the active window is marked: a checkable item shows an empty box when unchecked.
        item->setCheckable(child == ActiveChild);
        item->setChecked(child == ActiveChild);
        QMdiSubWindow *window = child->subWindow();
        connect(item, &QAction::triggered, this, [this, window] { MdiArea->setActiveSubWindow(window); });
        windowListActions_.append(item);
        ++number;
    }
}

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    DropFiles(paths);
}

} // namespace ombre
