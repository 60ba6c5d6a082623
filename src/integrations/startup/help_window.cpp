#include "integrations/startup/help_window.h"

#include "integrations/startup/help_browser.h"
#include "integrations/startup/help_collection.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtHelp/QHelpContentWidget>
#include <QtHelp/QHelpEngine>
#include <QtHelp/QHelpIndexWidget>
#include <QtHelp/QHelpLink>

namespace ombre {
namespace {

const QString kHelpCaption = QStringLiteral("Ombrelunaire 98 - Aide");

// Lives as a child of the frame: owns the frame's help window and opens the manual's addresses
// that reach the desktop services (the author's page, the about box's link).
class HelpDesk : public QObject {
    Q_OBJECT
public:
    explicit HelpDesk(QWidget *owner) : QObject(owner), m_owner(owner)
    {
        QDesktopServices::setUrlHandler(QLatin1String(kHelpScheme), this, "openHelpAddress");
    }
    ~HelpDesk() override { QDesktopServices::unsetUrlHandler(QLatin1String(kHelpScheme)); }

    // Made on first use as a child of the frame, which owns it from then on.
    static HelpDesk &of(QWidget *owner)
    {
        HelpDesk *desk = find(owner);
        if (!desk) {
            desk = new HelpDesk(owner);
            desk->setObjectName(QStringLiteral("HelpDesk"));
        }
        return *desk;
    }
    static HelpDesk *find(const QWidget *owner)
    {
        return owner ? owner->findChild<HelpDesk *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    }

    THelpWindow *window() const { return m_window.get(); }

    // The window, opened on first use; null when the manual cannot be shown (the user was told).
    THelpWindow *openWindow()
    {
        if (m_window)
            return m_window.get();
        OpenedHelp opened = OpenHelpCollection(ProgramOptions().ProgramFolder);
        if (opened.problem != HelpProblem::None) {
            showMessage(m_owner, QMessageBox::Warning, HelpProblemText(opened.problem, opened.path));
            return nullptr;
        }
        m_window = std::make_unique<THelpWindow>(std::move(opened.engine));
        return m_window.get();
    }

public slots:
    void openHelpAddress(const QUrl &address)
    {
        if (THelpWindow *help = openWindow())
            help->showPage(address);
    }

private:
    QWidget *m_owner;
    std::unique_ptr<THelpWindow> m_window;
};

} // namespace

THelpWindow::THelpWindow(std::unique_ptr<QHelpEngine> engine, QWidget *parent)
    : QWidget(parent, Qt::Window), m_engine(std::move(engine))
{
    setObjectName(QStringLiteral("THelpWindow"));
    setWindowTitle(kHelpCaption);
    // Left open when the frame closes, it must not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    Browser = new THelpBrowser(*m_engine, this);
    Contents = m_engine->contentWidget();
    Index = m_engine->indexWidget();
    IndexField = new QLineEdit;
    IndexField->setClearButtonEnabled(true);
    auto *fieldLabel = new QLabel(QStringLiteral("&Mot clé :"));
    fieldLabel->setBuddy(IndexField);

    IndexPage = new QWidget;
    auto *indexLayout = new QVBoxLayout(IndexPage);
    indexLayout->addWidget(fieldLabel);
    indexLayout->addWidget(IndexField);
    indexLayout->addWidget(Index);

    Tabs = new QTabWidget;
    Tabs->addTab(Contents, QStringLiteral("&Sommaire"));
    Tabs->addTab(IndexPage, QStringLiteral("&Index"));

    auto *tools = new QToolBar;
    QAction *back = tools->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), QStringLiteral("Précédente"),
                                     Browser, &QTextBrowser::backward);
    QAction *forward = tools->addAction(QIcon::fromTheme(QStringLiteral("go-next")), QStringLiteral("Suivante"),
                                        Browser, &QTextBrowser::forward);
    tools->addAction(QIcon::fromTheme(QStringLiteral("go-home")), QStringLiteral("Accueil"), this,
                     [this] { Browser->home(); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(Browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto *splitter = new QSplitter;
    splitter->addWidget(Tabs);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 560});
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(splitter);

    connect(Contents, &QHelpContentWidget::linkActivated, this, &THelpWindow::showPage);
    connect(Index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink &document) { showPage(document.url); });
    // A keyword of several pages opens its first one: the manual gives each keyword one page.
    connect(Index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink> &documents) {
        if (!documents.isEmpty())
            showPage(documents.first().url);
    });
    connect(IndexField, &QLineEdit::textChanged, Index, [this](const QString &text) { Index->filterIndices(text); });
    connect(IndexField, &QLineEdit::returnPressed, Index, &QHelpIndexWidget::activateCurrentItem);
    connect(Browser, &QTextBrowser::sourceChanged, this, &THelpWindow::followContents);
    // The contents are read in the background; the first page waits for them.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this, &THelpWindow::showHomeWhenEmpty);

    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    resize(qMin(880, screen.width() * 3 / 4), qMin(640, screen.height() * 3 / 4));
    move(screen.center() - rect().center());
}

THelpWindow::~THelpWindow() = default;

void THelpWindow::showContents()
{
    Tabs->setCurrentWidget(Contents);
    showHomeWhenEmpty();
    bringToFront();
    Contents->setFocus();
}

void THelpWindow::showIndex()
{
    Tabs->setCurrentWidget(IndexPage);
    IndexField->clear();
    bringToFront();
    IndexField->setFocus();
}

void THelpWindow::showTopic(const QString &keyword)
{
    const QList<QHelpLink> documents = m_engine->documentsForKeyword(keyword);
    if (documents.isEmpty()) {
        showContents();
        return;
    }
    showPage(documents.first().url);
}

void THelpWindow::showPage(const QUrl &page)
{
    Browser->setSource(page);
    bringToFront();
}

void THelpWindow::bringToFront()
{
    followModality();
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

// Asked for from a modal dialog (its "Aide" button), a plain window would be shown but blocked
// until the dialog closes: it is modal over the dialog then, and plain again once it is gone.
void THelpWindow::followModality()
{
    QWidget *dialog = QApplication::activeModalWidget();
    const bool overDialog = dialog && dialog != this;
    const Qt::WindowModality wanted = overDialog ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        // Qt applies a new modality only to a hidden window.
        const bool shown = isVisible();
        hide();
        setWindowModality(wanted);
        setVisible(shown);
    }
    if (overDialog)
        connect(dialog, &QObject::destroyed, this, &THelpWindow::followModality, Qt::UniqueConnection);
}

void THelpWindow::showHomeWhenEmpty()
{
    if (!Browser->source().isEmpty())
        return;
    QHelpContentModel *model = m_engine->contentModel();
    if (model->isCreatingContents() || model->rowCount() == 0)
        return;
    if (const QHelpContentItem *first = model->contentItemAt(model->index(0, 0)))
        Browser->setSource(first->url());
}

void THelpWindow::followContents(const QUrl &page)
{
    const QModelIndex entry = Contents->indexOf(page);
    if (entry.isValid())
        Contents->setCurrentIndex(entry);
}

THelpWindow *ExistingHelpWindow(const QWidget *owner)
{
    const HelpDesk *desk = HelpDesk::find(owner);
    return desk ? desk->window() : nullptr;
}

void ShowHelpContents(QWidget *owner)
{
    if (THelpWindow *help = HelpDesk::of(owner).openWindow())
        help->showContents();
}

void ShowHelpIndex(QWidget *owner)
{
    if (THelpWindow *help = HelpDesk::of(owner).openWindow())
        help->showIndex();
}

void ShowHelpTopic(QWidget *owner, const QString &keyword)
{
    if (THelpWindow *help = HelpDesk::of(owner).openWindow())
        help->showTopic(keyword);
}

void OpenAddress(QWidget *owner, const QUrl &address)
{
    // Made here so that the manual's addresses have their handler before the desktop sees one.
    HelpDesk::of(owner);
    QDesktopServices::openUrl(address);
}

} // namespace ombre

#include "help_window.moc"
