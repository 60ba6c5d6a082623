// "Envoyer vers": the word processor through a stand-in on the PATH that records how it was
// started, and the desktop shortcut in a home folder of the test's own.

#include "editor/editor_fixture.h"
#include "integrations/send_to/desktop_shortcut.h"
#include "platform/shell_link.h"
#include "platform/word_processor.h"
#include "support/scoped_env.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>
#include <sys/stat.h>
#include <unistd.h>

namespace ombre::test {
namespace {

const QString kCannotOpen = QStringLiteral("\r\nImpossible d'ouvrir le document en cours avec le traitement de texte.");
const QString kOpenFailed =
    QStringLiteral("\r\nUne erreur s'est produite durant l'ouverture du document avec le traitement de texte.");

int modeOf(const QString &path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

// The environment a frame probes at creation: a PATH holding only the stand-ins, a private
// runtime folder and a home of the test's own.
class SendToTest : public EditorTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(world.isValid());
        ASSERT_TRUE(QDir(world.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(world.path()).mkpath(QStringLiteral("run")));
        ASSERT_TRUE(QDir(world.path()).mkpath(QStringLiteral("home")));
        ::chmod(QFile::encodeName(runtime()).constData(), 0700);
        installStandIn(QStringLiteral("lowriter"));
        path.emplace("PATH", QFile::encodeName(world.filePath(QStringLiteral("bin"))));
        runtimeEnv.emplace("XDG_RUNTIME_DIR", QFile::encodeName(runtime()));
        home.emplace("HOME", QFile::encodeName(world.filePath(QStringLiteral("home"))));
        EditorTest::SetUp();
    }

    void TearDown() override
    {
        EditorTest::TearDown();
        home.reset();
        runtimeEnv.reset();
        path.reset();
    }

    QString runtime() const { return world.filePath(QStringLiteral("run")); }
    QString record() const { return world.filePath(QStringLiteral("arguments")); }
    QString desktop() const { return world.filePath(QStringLiteral("home/Desktop")); }

    // A word processor that writes its arguments, one per line, and ends.
    void installStandIn(const QString &name, const QByteArray &interpreter = "/bin/sh")
    {
        QFile script(world.filePath(QStringLiteral("bin/") + name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!" + interpreter + "\nprintf '%s\\n' \"$@\" > '" + QFile::encodeName(record()) + ".part'\n/bin/mv '"
                     + QFile::encodeName(record()) + ".part' '" + QFile::encodeName(record()) + "'\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // The arguments the stand-in was started with, once it has run.
    QStringList recordedArguments() const
    {
        const QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(record()) && !deadline.hasExpired())
            QThread::msleep(20);
        if (!QFileInfo::exists(record()))
            ADD_FAILURE() << "the word processor was not started";
        QStringList lines = QString::fromUtf8(readFile(record())).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    QStringList handOffFolders() const
    {
        return QDir(runtime()).entryList({QStringLiteral("ombrelunaire-envoi-*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    }

    TMDIChild &openLetter()
    {
        const QString letter = writeFile(QStringLiteral("lettre.rtf"),
                                         "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Cher ami,\\par "
                                         "{\\b tr\\'e8s} important.\\par}");
        return open(letter);
    }

    QTemporaryDir world;
    std::optional<ScopedEnv> path, runtimeEnv, home;
};

TEST_F(SendToTest, SendsTheWholeDocumentAsANewDocumentAndLeavesTheEditorAsItWas)
{
    EXPECT_EQ(item("Word97Item").text(), QStringLiteral("&Traitement de texte"));
    EXPECT_EQ(item("Word97Item").statusTip(), QStringLiteral("Envoyer le document en cours vers le traitement de texte"));
    TMDIChild &child = openLetter();
    ASSERT_TRUE(item("Word97Item").isEnabled());
    select(12, 3); // backwards, from the caret at 3
    run("Word97Item");

    EXPECT_TRUE(messageTexts().empty());
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(child.RichEdit->textCursor().anchor(), 12);
    EXPECT_EQ(child.RichEdit->textCursor().position(), 3);
    const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(clipboard, nullptr);
    EXPECT_EQ(clipboard->text(), child.RichEdit->toPlainText());
    EXPECT_TRUE(clipboard->hasHtml());

    const QStringList arguments = recordedArguments();
    ASSERT_EQ(arguments.size(), 3) << arguments.join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(handOffFolders().size(), 1);
    const QString folder = QDir(runtime()).filePath(handOffFolders().front());
    EXPECT_TRUE(handOffFolders().front().startsWith(QStringLiteral("ombrelunaire-envoi-%1-").arg(::getpid())));
    EXPECT_EQ(modeOf(folder), 0700);
    EXPECT_EQ(arguments[0], QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/profil"));
    EXPECT_EQ(arguments[1], QStringLiteral("-n"));
    const QString copy = arguments[2];
    EXPECT_EQ(QFileInfo(copy).path(), folder);
    EXPECT_EQ(modeOf(copy), 0600);
    const QByteArray rtf = readFile(copy);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1")) << rtf.left(40).toStdString();
    EXPECT_TRUE(rtf.contains("Cher ami,"));
    EXPECT_TRUE(rtf.contains("\\b")) << "the bold word keeps its format";
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/profil/user/registrymodifications.xcu")));

    // A second send goes to the same profile, hence to the word processor already running.
    QFile::remove(record());
    run("Word97Item");
    const QStringList again = recordedArguments();
    ASSERT_EQ(again.size(), 3);
    EXPECT_EQ(again[0], arguments[0]);
    EXPECT_NE(again[2], copy);

    form.reset();
    EXPECT_TRUE(handOffFolders().isEmpty()) << "the copies and the profile go with the program";
}

TEST_F(SendToTest, NoPrivateRuntimeFolderMeansNoCopyAnywhere)
{
    openLetter();
    const struct {
        const char *what;
        std::function<QByteArray()> folder;
    } cases[] = {
        {"unset", [] { return QByteArray(); }},
        {"relative", [] { return QByteArray("run"); }},
        {"missing", [this] { return QFile::encodeName(world.filePath(QStringLiteral("nowhere"))); }},
        {"open to others", [this] {
             ::chmod(QFile::encodeName(runtime()).constData(), 0755);
             return QFile::encodeName(runtime());
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray folder = c.folder();
        const ScopedEnv env("XDG_RUNTIME_DIR", folder.isEmpty() ? std::nullopt : std::optional(folder));
        modal.answerMessage(QMessageBox::Ok);
        run("Word97Item");
        ASSERT_FALSE(modal.messages().empty());
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Warning);
        EXPECT_TRUE(modal.messages().back().text.startsWith(kCannotOpen));
        EXPECT_TRUE(modal.messages().back().text.contains(QStringLiteral("XDG_RUNTIME_DIR")));
        EXPECT_FALSE(form->windowState() & Qt::WindowMinimized);
    }
    EXPECT_TRUE(handOffFolders().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(record()));
}

TEST_F(SendToTest, AWordProcessorThatCannotRunIsToldAndLeavesNoCopy)
{
    openLetter();
    // Uninstalled after the program started.
    QFile::remove(world.filePath(QStringLiteral("bin/lowriter")));
    modal.answerMessage(QMessageBox::Ok);
    run("Word97Item");
    ASSERT_EQ(messageTexts(), std::vector<QString>{kCannotOpen});

    // There, but it does not start.
    installStandIn(QStringLiteral("lowriter"), "/nonexistent/sh");
    modal.answerMessage(QMessageBox::Ok);
    run("Word97Item");
    ASSERT_EQ(messageTexts().size(), 2U);
    EXPECT_EQ(messageTexts()[1], kOpenFailed);
    EXPECT_EQ(modal.messages()[1].icon, QMessageBox::Warning);
    EXPECT_FALSE(form->windowState() & Qt::WindowMinimized) << "the box is not left behind a minimised window";
    ASSERT_EQ(handOffFolders().size(), 1);
    EXPECT_TRUE(QDir(QDir(runtime()).filePath(handOffFolders().front()))
                    .entryList({QStringLiteral("*.rtf")}, QDir::Files).isEmpty());
}

TEST_F(SendToTest, FoldersOfRunsThatEndedAreRemovedAtTheNextSend)
{
    // No pid reaches a billion; this process is alive.
    const QString abandoned = QStringLiteral("ombrelunaire-envoi-999999999-aBcDeF");
    const QString living = QStringLiteral("ombrelunaire-envoi-%1-kept").arg(::getpid());
    ASSERT_TRUE(QDir(runtime()).mkpath(abandoned + QStringLiteral("/profil")));
    ASSERT_TRUE(QDir(runtime()).mkpath(living));
    openLetter();
    run("Word97Item");
    recordedArguments();
    EXPECT_FALSE(QFileInfo::exists(QDir(runtime()).filePath(abandoned)));
    EXPECT_TRUE(QFileInfo::exists(QDir(runtime()).filePath(living)));
}

TEST(WordProcessorArgumentsTest, EachWordProcessorOpensTheCopyAsANewDocument)
{
    const QString copy = QStringLiteral("/run/user/1000/envoi 1.rtf");
    const QString profile = QStringLiteral("/run/user/1000/ombrelunaire-envoi-1-x/profil é");
    const QString url = QStringLiteral("-env:UserInstallation=file:///run/user/1000/ombrelunaire-envoi-1-x/profil%20%C3%A9");
    const struct {
        WordProcessor processor;
        QStringList expected;
    } cases[] = {
        {{WordProcessor::Kind::LibreOffice, QStringLiteral("/usr/bin/lowriter")}, {url, QStringLiteral("-n"), copy}},
        {{WordProcessor::Kind::LibreOffice, QStringLiteral("/usr/bin/soffice")},
         {QStringLiteral("--writer"), url, QStringLiteral("-n"), copy}},
        {{WordProcessor::Kind::AbiWord, QStringLiteral("/usr/bin/abiword")}, {copy}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WordProcessorArguments(c.processor, copy, profile), c.expected) << c.processor.program.toStdString();
}

TEST_F(SendToTest, WithoutAWordProcessorTheItemStaysDisabled)
{
    form.reset();
    QFile::remove(world.filePath(QStringLiteral("bin/lowriter")));
    form = std::make_unique<TMainForm>();
    form->show();
    settle();
    openLetter();
    EXPECT_FALSE(form->Word97Available);
    EXPECT_FALSE(item("Word97Item").isEnabled());
    EXPECT_TRUE(item("RaccourciItem").isEnabled());
}

// The shortcut ------------------------------------------------------------------------------

QString entryValue(const QByteArray &entry, const QByteArray &key)
{
    for (const QByteArray &line : entry.split('\n'))
        if (line.startsWith(key + '='))
            return QString::fromUtf8(line.mid(key.size() + 1));
    return QString();
}

TEST_F(SendToTest, TheShortcutIsNamedAfterTheDocumentAndStartsTheProgramOnIt)
{
    EXPECT_EQ(item("RaccourciItem").statusTip(), QStringLiteral("Envoyer le document en cours vers un raccourci du bureau"));
    ASSERT_TRUE(QDir().mkpath(desktop()));
    const struct {
        const char *file;
        const char *name;
    } cases[] = {
        {"lettre.rtf", "lettre (Document)"},
        {"rapport.2024.txt", "rapport (Document)"},
        {"l'été à 100 %.rtf", "l'été à 100 % (Document)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString document = writeFile(QString::fromUtf8(c.file), "texte");
        open(document);
        modal.answerMessage(QMessageBox::Ok);
        run("RaccourciItem");
        const QString name = QString::fromUtf8(c.name);
        ASSERT_FALSE(modal.messages().empty());
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Information);
        EXPECT_EQ(modal.messages().back().text,
                  QStringLiteral("\r\nUn raccourci nommé \" ") + name + QStringLiteral(" \" a été créé sur votre bureau."));
        const QByteArray entry = readFile(desktop() + QLatin1Char('/') + name + QStringLiteral(".desktop"));
        EXPECT_EQ(entryValue(entry, "Exec"), DesktopExecValue(QCoreApplication::applicationFilePath(), {document}));
        EXPECT_EQ(entryValue(entry, "Path"), QCoreApplication::applicationDirPath());
        const QString icon = entryValue(entry, "Icon");
        EXPECT_TRUE(icon == QStringLiteral("ombrelunaire") || QFileInfo(icon).isFile()) << icon.toStdString();
    }
}

TEST_F(SendToTest, AnUnsavedDocumentGetsItsShortcutAndASecondOneReplacesTheFirst)
{
    ASSERT_TRUE(QDir().mkpath(desktop()));
    run("FileNewItem");
    const QString proposed = active().DocumentInfo.FileName;
    ASSERT_FALSE(QFileInfo::exists(proposed));
    for (int i = 0; i < 2; ++i) {
        modal.answerMessage(QMessageBox::Ok);
        run("RaccourciItem");
    }
    const QString name = DocumentShortcutName(proposed);
    EXPECT_TRUE(name.startsWith(QStringLiteral("SansNom")));
    EXPECT_EQ(QDir(desktop()).entryList(QDir::Files), QStringList{name + QStringLiteral(".desktop")});
    EXPECT_EQ(messageTexts().size(), 2U);
}

TEST_F(SendToTest, NoDesktopFolderMeansNoShortcutAndNoMessage)
{
    openLetter();
    run("RaccourciItem");
    EXPECT_TRUE(modal.messages().empty());
    EXPECT_FALSE(QFileInfo::exists(desktop()));
}

} // namespace
} // namespace ombre::test
