// The encryption commands reached from the frame's menu items: the frame hands them the active
// document and opens what they decrypt in a document window of its own.

#include "commands/ouverture_dialog.h"
#include "editor_fixture.h"
#include "support/codage_answers.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <map>
#include <vector>

namespace ombre::test {
namespace {

class FrameEncryptionTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        TProgramOptions &options = ProgramOptions();
        options.Code = folder.path();
        options.OwnerName = QStringLiteral("Jean Dupont");
        options.ReadOnly = true;
        options.Authenticity = true;
    }

    int documents() const { return static_cast<int>(form->DocumentWindows().size()); }

    void answerEncrypt(const QString &password) { test::answerEncrypt(modal, password); }
    void answerChoose(const QString &name, const QString &password) { test::answerChoose(modal, name, password); }
};

// Commands run with the progress window (or cancelled before it), each from a given set of open
// documents that it leaves as they were.
class FrameAfterCommandTest : public FrameEncryptionTest {
protected:
    struct Case {
        const char *name;
        const char *document; // the one document open before the command: "", "rich", "plain" or
                              // "read-only plain"
        const char *command;
        std::function<void(FrameAfterCommandTest &)> answer;
    };

    static std::vector<Case> cases()
    {
        const auto sealDocument = [](FrameAfterCommandTest &t) { t.answerEncrypt(QStringLiteral("Lune")); };
        const auto cancel = [](FrameAfterCommandTest &t) {
            answerForm<TCodage>(t.modal, [](TCodage &dialog) { click(dialog.BtnAnnuler); });
        };
        const auto sealFile = [](FrameAfterCommandTest &t) {
            t.modal.answerOpenFile(t.path(QStringLiteral("source.bin")));
            t.answerEncrypt(QStringLiteral("Lune"));
            t.modal.answerMessage(QMessageBox::Ok); // where the container went
        };
        const auto openDamaged = [](FrameAfterCommandTest &t) {
            t.answerChoose(QStringLiteral("faux.cod"), QStringLiteral("Lune"));
            t.modal.answerMessage(QMessageBox::Ok); // not a container
        };
        return {
            {"rich document sealed", "rich", "CrypterItem", sealDocument},
            {"plain document sealed", "plain", "CrypterItem", sealDocument},
            {"read-only document sealed", "read-only plain", "CrypterItem", sealDocument},
            {"sealing cancelled", "rich", "CrypterItem", cancel},
            {"file sealed beside a document", "plain", "FileCrypterItem", sealFile},
            {"file sealed with no document", "", "FileCrypterItem", sealFile},
            {"damaged container refused", "plain", "DecrypterItem", openDamaged},
            {"damaged container refused with no document", "", "DecrypterItem", openDamaged},
        };
    }

    // A clean folder, the case's document and its answers.
    void prepare(const Case &c)
    {
        form->MdiArea->closeAllSubWindows();
        settle();
        for (const QString &name : QDir(folder.path()).entryList(QDir::Files))
            QFile::remove(path(name));
        writeFile(QStringLiteral("source.bin"), "octets");
        writeFile(QStringLiteral("faux.cod"), "pas un conteneur");
        ProgramOptions().UUEncode = 0;
        const QLatin1String kind(c.document);
        if (kind.endsWith(QLatin1String("plain")))
            open(writeFile(QStringLiteral("lettre.txt"), "Bonjour"));
        else if (kind == QLatin1String("rich"))
            open(writeFile(QStringLiteral("note.rtf"), "{\\rtf1\\ansi {\\b Gras}\\par}"));
        if (kind.startsWith(QLatin1String("read-only"))) {
            active().setReadOnly(true);
            form->UpdateMenuItems();
        }
        c.answer(*this);
    }

    // Every command's enabled flag and every tool-bar control's, by name.
    std::map<QString, bool> enabledStates() const
    {
        std::map<QString, bool> states;
        for (QAction *a : form->findChildren<QAction *>())
            if (!a->objectName().isEmpty())
                states[a->objectName()] = a->isEnabled();
        for (QToolBar *bar : {form->Standard, form->Attributs, form->Options})
            for (QWidget *control : bar->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_")))
                    states[QStringLiteral("%1/%2").arg(bar->objectName(), control->objectName())] = control->isEnabled();
        return states;
    }
};

TEST_F(FrameEncryptionTest, ActiveDocumentSealedThenDecryptedIntoANewReadOnlyWindow)
{
    const struct Case {
        const char *document;
        QByteArray bytes;
        int uuEncode;
        const char *container;
    } cases[] = {
        {"lettre.txt", "Rendez-vous \xE0 18 h.\r\nJean", 0, "lettre.cod"},
        {"avis.txt", "Caf\xE9 cr\xE8me\r\n", 2, "avis.xxe"},
        {"note.rtf", "{\\rtf1\\ansi\\ansicpg1252 {\\b Gras} et \\'e9t\\'e9.\\par}", 1, "note.uue"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.document);
        ProgramOptions().UUEncode = c.uuEncode;
        TMDIChild &original = open(writeFile(QLatin1String(c.document), c.bytes));
        const QString originalText = original.RichEdit->toPlainText();

        answerEncrypt(QStringLiteral("Lune"));
        run("CrypterItem");
        ASSERT_TRUE(QFile::exists(path(QLatin1String(c.container))));
        EXPECT_TRUE(messageTexts().empty()) << "sealing a document says nothing on success";
        EXPECT_FALSE(original.isModified());

        answerChoose(QLatin1String(c.container), QStringLiteral("Lune"));
        run("DecrypterItem");
        TMDIChild &opened = active();
        ASSERT_NE(&opened, &original);
        EXPECT_EQ(opened.DocumentInfo.FileName, QLatin1String(c.document));
        EXPECT_FALSE(opened.DocumentInfo.Named) << "a later save must ask where to write";
        EXPECT_EQ(opened.DocumentInfo.PlainText, original.DocumentInfo.PlainText);
        EXPECT_EQ(opened.RichEdit->toPlainText(), originalText);
        EXPECT_TRUE(opened.isReadOnly());
        EXPECT_FALSE(opened.isModified());
        EXPECT_EQ(opened.Panels[TMDIChild::PanelCount - 1]->text(),
                  QStringLiteral(" Crypté au nom de : Jean Dupont"));
    }
    EXPECT_EQ(documents(), 6);
}

TEST_F(FrameEncryptionTest, ContainerNamedByPathAsksForItsPasswordAndOpens)
{
    TMDIChild &original = open(writeFile(QStringLiteral("secret.txt"), "Rien \xE0 d\xE9\x63larer."));
    answerEncrypt(QStringLiteral("Soleil"));
    run("CrypterItem");
    run("FileCloseItem");
    ASSERT_EQ(documents(), 0);
    Q_UNUSED(original);

    modal.answerDialog([](QDialog &dialog) {
        auto *ouverture = dynamic_cast<TOuverture *>(&dialog);
        ASSERT_NE(ouverture, nullptr);
        ouverture->show();
        EXPECT_EQ(ouverture->EditName->text(), QStringLiteral("secret.cod"));
        ouverture->EditCode->setText(QStringLiteral("Soleil"));
        ouverture->BtnDecrypter->click();
    });
    form->OpenDocumentByName(path(QStringLiteral("secret.cod")));
    ASSERT_EQ(documents(), 1);
    EXPECT_EQ(active().RichEdit->toPlainText(), QStringLiteral("Rien à déclarer."));
}

TEST_F(FrameEncryptionTest, WithoutADocumentSealingDoesNothing)
{
    run("CrypterItem");
    EXPECT_TRUE(modal.shown().empty());
    EXPECT_FALSE(item("CrypterItem").isEnabled());
}

TEST_F(FrameAfterCommandTest, ActiveDocumentKeepsTheKeyboardFocus)
{
    for (const Case &c : cases()) {
        if (!*c.document)
            continue;
        SCOPED_TRACE(c.name);
        prepare(c);
        TMDIChild *before = form->ActiveChild;
        ASSERT_NE(before, nullptr);
        ASSERT_EQ(QApplication::focusWidget(), before->RichEdit);
        run(c.command);
        EXPECT_EQ(form->ActiveChild, before);
        EXPECT_EQ(QApplication::focusWidget(), before->RichEdit);
        EXPECT_FALSE(form->Updating);
        EXPECT_TRUE(modal.allAnswered());
    }
}

TEST_F(FrameAfterCommandTest, CommandStateIsWhatTheOpenDocumentsGive)
{
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.name);
        prepare(c);
        run(c.command);
        const std::map<QString, bool> after = enabledStates();
        form->UpdateMenuItems();
        if (form->ActiveChild)
            form->ActiveChild->RichEditSelectionChange();
        const std::map<QString, bool> fresh = enabledStates();
        ASSERT_EQ(after.size(), fresh.size());
        for (const auto &[name, enabled] : fresh)
            EXPECT_EQ(after.at(name), enabled) << name.toStdString();
        EXPECT_TRUE(modal.allAnswered());
    }
}

} // namespace
} // namespace ombre::test
