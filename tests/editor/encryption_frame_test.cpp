// The encryption commands reached from the frame's menu items: the frame hands them the active
// document and opens what they decrypt in a document window of its own.

#include "commands/ouverture_dialog.h"
#include "editor_fixture.h"
#include "support/codage_answers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace
} // namespace ombre::test
