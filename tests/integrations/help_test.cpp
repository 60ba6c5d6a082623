// The manual behind the help commands: every entry of its contents and index opens a page, the
// menu items, the tool button and every dialog's "Aide" button open the right place, and a
// missing or damaged manual is told to the user instead of an empty window.

#include "help_fixture.h"
#include "settings/settings_dialog.h"
#include "support/codage_answers.h"

#include <QTabWidget>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>

namespace ombre::test {
namespace {

// Every page the manual's own links point to, with the page they are on.
QList<QUrl> linksOn(const THelpBrowser &browser)
{
    QList<QUrl> links;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (const QTextCharFormat format = fragment.fragment().charFormat(); format.isAnchor())
                links.append(browser.source().resolved(QUrl(format.anchorHref())));
    return links;
}

QList<QModelIndex> allEntries(const QAbstractItemModel &model, const QModelIndex &parent = {})
{
    QList<QModelIndex> entries;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex entry = model.index(row, 0, parent);
        entries.append(entry);
        entries.append(allEntries(model, entry));
    }
    return entries;
}

TEST_F(HelpTest, EveryContentsEntryOpensAPageWhoseLinksLeadToPages)
{
    run("HelpIndexItem");
    THelpWindow &window = help();
    const QList<QModelIndex> entries = allEntries(*window.Contents->model());
    ASSERT_FALSE(entries.isEmpty());
    for (const QModelIndex &entry : entries) {
        const QString title = entry.data().toString();
        SCOPED_TRACE(title.toStdString());
        emit window.Contents->activated(entry);
        settle();
        EXPECT_FALSE(pageText(window).isEmpty()) << window.Browser->source().toString().toStdString();
        for (const QUrl &link : linksOn(*window.Browser)) {
            if (link.scheme() != QLatin1String(kHelpScheme))
                continue;
            const QUrl page = link.adjusted(QUrl::RemoveFragment);
            EXPECT_FALSE(window.engine().fileData(page).isEmpty()) << "broken link " << link.toString().toStdString();
        }
    }
}

TEST_F(HelpTest, EveryIndexEntryOpensItsPage)
{
    run("HelpChercheItem");
    THelpWindow &window = help();
    const QList<QModelIndex> entries = allEntries(*window.Index->model());
    ASSERT_FALSE(entries.isEmpty());
    for (const QModelIndex &entry : entries) {
        const QString keyword = entry.data().toString();
        SCOPED_TRACE(keyword.toStdString());
        const QList<QHelpLink> documents = window.engine().documentsForKeyword(keyword);
        ASSERT_FALSE(documents.isEmpty());
        emit window.Index->activated(entry);
        settle();
        EXPECT_EQ(window.Browser->source(), documents.first().url);
        EXPECT_FALSE(pageText(window).isEmpty());
    }
}

TEST_F(HelpTest, MenuItemsAndToolButtonOpenTheContentsOrTheIndexInOneWindow)
{
    QToolButton *button = form->findChild<QToolButton *>(QStringLiteral("BtnHelp"));
    ASSERT_NE(button, nullptr);
    const struct {
        const char *how;
        std::function<void()> ask;
        bool index;
    } requests[] = {
        {"&Index", [this] { run("HelpIndexItem"); }, false},
        {"&Recherche...", [this] { run("HelpChercheItem"); }, true},
        {"BtnHelp", [button] { button->click(); }, false},
        {"&Recherche... again", [this] { run("HelpChercheItem"); }, true},
    };
    THelpWindow *first = nullptr;
    for (const auto &request : requests) {
        SCOPED_TRACE(request.how);
        if (first)
            first->IndexField->setText(QStringLiteral("crypt")); // a search left from before
        request.ask();
        THelpWindow &window = help();
        if (!first)
            first = &window;
        EXPECT_EQ(&window, first) << "one help window, reused";
        EXPECT_TRUE(window.isVisible());
        if (request.index) {
            EXPECT_EQ(window.Tabs->currentWidget(), window.IndexPage);
            EXPECT_TRUE(window.IndexField->text().isEmpty());
            EXPECT_EQ(window.focusWidget(), window.IndexField);
        } else {
            EXPECT_EQ(window.Tabs->currentWidget(), window.Contents);
            EXPECT_FALSE(pageText(window).isEmpty()) << "the contents come with the manual's first page";
        }
    }
    EXPECT_EQ(item("HelpIndexItem").shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(HelpTest, EachDialogsAideButtonOpensTheDialogsPage)
{
    const auto pressAideThenCancel = [this] {
        answerForm<TCodage>(modal, [](TCodage &dialog) {
            click(dialog.BtnAide);
            click(dialog.BtnAnnuler);
        });
    };
    const auto pressSettingsAide = [this] {
        answerForm<TParametres>(modal, [](TParametres &dialog) {
            click(dialog.findChild<QPushButton *>(QStringLiteral("BtnHelp")));
            dialog.reject();
        });
    };
    const struct {
        const char *keyword;
        const char *command;
        std::function<void()> answer;
    } dialogs[] = {
        {"Crypter", "CrypterItem", pressAideThenCancel},
        {"Décrypter", "DecrypterItem", pressAideThenCancel},
        {"Authentifier", "AuthentifierItem", pressAideThenCancel},
        {"Paramètres", "OptionsItem", pressSettingsAide},
    };
    run("FileNewItem");
    for (const auto &dialog : dialogs) {
        const QString keyword = QString::fromUtf8(dialog.keyword);
        SCOPED_TRACE(dialog.keyword);
        dialog.answer();
        run(dialog.command);
        THelpWindow &window = help();
        const QList<QHelpLink> documents = window.engine().documentsForKeyword(keyword);
        ASSERT_FALSE(documents.isEmpty()) << "the manual has no keyword for the dialog";
        EXPECT_EQ(window.Browser->source(), documents.first().url);
        EXPECT_FALSE(pageText(window).isEmpty());
        EXPECT_EQ(window.windowModality(), Qt::NonModal) << "plain again once the dialog is gone";
    }
}

TEST_F(HelpTest, UnknownKeywordOpensTheContents)
{
    form->ShowHelp(QStringLiteral("Aucun dialogue de ce nom"));
    THelpWindow &window = help();
    EXPECT_EQ(window.Tabs->currentWidget(), window.Contents);
    EXPECT_FALSE(pageText(window).isEmpty());
}

TEST_F(HelpTest, LinksBetweenPagesStayInTheWindowAndOutsideAddressesGoToTheDesktop)
{
    run("HelpIndexItem");
    THelpWindow &window = help();
    const QUrl first = window.Browser->source();
    AddressRecorder web(QStringLiteral("https"));
    emit window.Browser->anchorClicked(QUrl(QStringLiteral("https://example.org/lune")));
    EXPECT_EQ(web.opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/lune"))});
    EXPECT_EQ(window.Browser->source(), first);

    const QList<QUrl> pages = window.engine().files(window.engine().registeredDocumentations().first(), QString(),
                                                    QStringLiteral("html"));
    ASSERT_FALSE(pages.isEmpty());
    const QUrl other = pages.last();
    emit window.Browser->anchorClicked(QUrl(other.fileName()));
    EXPECT_EQ(window.Browser->source().fileName(), other.fileName()) << "a relative link opens beside the page";
    EXPECT_FALSE(pageText(window).isEmpty());
}

TEST_F(HelpTest, ManualFoundBesideTheProgramOrInstalledWhenMovedWithItsCollection)
{
    const QString built = QStringLiteral(OMBRE_BIN_DIR);
    const struct {
        const char *layout;
        const char *programFolder;
        const char *manualFolder;
    } layouts[] = {
        {"beside the program", ".", "."},
        {"installed", "bin", "share/ombrelunaire"},
    };
    for (const auto &layout : layouts) {
        SCOPED_TRACE(layout.layout);
        QTemporaryDir elsewhere;
        const QDir root(elsewhere.path());
        ASSERT_TRUE(root.mkpath(QLatin1String(layout.programFolder)));
        ASSERT_TRUE(root.mkpath(QLatin1String(layout.manualFolder)));
        for (const char *file : {"Ombrelunaire.qhc", "Ombrelunaire.qch"})
            ASSERT_TRUE(QFile::copy(built + QLatin1Char('/') + QLatin1String(file),
                                    root.filePath(QLatin1String(layout.manualFolder) + QLatin1Char('/') + QLatin1String(file))));
        form = std::make_unique<TMainForm>();
        ProgramOptions().ProgramFolder = root.filePath(QLatin1String(layout.programFolder));
        run("HelpIndexItem");
        THelpWindow &window = help();
        EXPECT_FALSE(pageText(window).isEmpty());
        form.reset();
    }
    form = std::make_unique<TMainForm>();
}

TEST_F(HelpTest, MissingOrDamagedManualIsToldAndNoWindowOpens)
{
    const QString built = QStringLiteral(OMBRE_BIN_DIR);
    const struct {
        const char *what;
        std::function<void(const QDir &)> prepare;
        const char *before;
        const char *after;
    } cases[] = {
        {"no manual", [](const QDir &) {}, "\r\nLe manuel du programme est introuvable :\r\n",
         "\r\n\r\nRéinstallez le programme pour le retrouver."},
        {"collection without its manual",
         [built](const QDir &folder) {
             QFile::copy(built + QStringLiteral("/Ombrelunaire.qhc"), folder.filePath(QStringLiteral("Ombrelunaire.qhc")));
         },
         "\r\nLe manuel du programme est illisible :\r\n", "\r\n\r\nRéinstallez le programme pour le réparer."},
        {"collection that is not one",
         [](const QDir &folder) {
             QFile file(folder.filePath(QStringLiteral("Ombrelunaire.qhc")));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("Ceci n'est pas une base SQLite.\n");
         },
         "\r\nLe manuel du programme est illisible :\r\n", "\r\n\r\nRéinstallez le programme pour le réparer."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir elsewhere;
        const QDir folder(elsewhere.path());
        c.prepare(folder);
        ProgramOptions().ProgramFolder = folder.path();
        const std::size_t before = modal.messages().size();
        modal.answerMessage(QMessageBox::Ok);
        run("HelpIndexItem");
        ASSERT_EQ(modal.messages().size(), before + 1);
        const auto shown = modal.messages().back();
        EXPECT_EQ(shown.text, QString::fromUtf8(c.before) + QDir::toNativeSeparators(folder.filePath(QStringLiteral("Ombrelunaire.qhc")))
                                  + QString::fromUtf8(c.after));
        EXPECT_EQ(shown.icon, QMessageBox::Warning);
        EXPECT_EQ(ExistingHelpWindow(form.get()), nullptr);
    }
}

TEST_F(HelpTest, AuthorsPageOpensItsUnscrambledAddress)
{
    const QUrl address(QStringLiteral(OMBRE_AUTHOR_URL));
    if (address.scheme() == QLatin1String(kHelpScheme)) {
        // The manual's page: through the desktop's handler of the scheme, into the help window.
        run("HelpWebItem");
        THelpWindow &window = help();
        EXPECT_EQ(window.Browser->source(), address);
        EXPECT_FALSE(pageText(window).isEmpty());
    } else {
        AddressRecorder recorder(address.scheme());
        run("HelpWebItem");
        EXPECT_EQ(recorder.opened, QList<QUrl>{address});
    }
}

} // namespace
} // namespace ombre::test
