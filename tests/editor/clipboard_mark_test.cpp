// Text that leaves a deciphered document for the clipboard asks clipboard managers to keep no
// history of it; text from any other document is left as it is.

#include "commands/command_host.h"
#include "editor_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace ombre::test {
namespace {

using ClipboardMarkTest = EditorTest;

const QString kHint = QStringLiteral("x-kde-passwordManagerHint");

TEST_F(ClipboardMarkTest, OnlyTextFromADecryptedDocumentCarriesTheSecretHint)
{
    const struct {
        bool decrypted;
        const char *command;
    } cases[] = {
        {true, "CopyItem"},
        {true, "CutItem"},
        {false, "CopyItem"},
        {false, "CutItem"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.command) + (c.decrypted ? " decrypted" : " ordinary"));
        if (c.decrypted) {
            const QByteArray text = "Rendez-vous demain.";
            DecryptedDocument document;
            document.SourceName = QStringLiteral("note.txt");
            document.Content = text;
            document.ReadOnly = false;
            document.ContainerPath = path(QStringLiteral("note.txt.age"));
            form->OpenDecryptedDocument(document);
        } else {
            run("FileNewItem");
            type(QStringLiteral("Rendez-vous demain."));
        }
        settle();
        QApplication::clipboard()->clear();
        select(0, 11);
        run(c.command);

        const QMimeData *data = QApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->text(), QStringLiteral("Rendez-vous"));
        EXPECT_EQ(data->data(kHint), c.decrypted ? QByteArray("secret") : QByteArray());
    }
}

} // namespace
} // namespace ombre::test
