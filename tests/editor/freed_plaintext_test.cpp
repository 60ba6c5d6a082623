// Opening a sealed document, and reading its properties, give nothing of its text back to the
// allocator unwiped: the buffers handed to the readers, the readers' own, and the copies that
// are measured and counted are wiped before they are freed.

#include "cipher/cipher.h"
#include "cipher/container.h"
#include "editor_fixture.h"
#include "support/codage_answers.h"
#include "support/freed_memory_watch.h"

#include <QPushButton>

namespace ombre::test {
namespace {

class FreedPlaintextTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ProgramOptions().Code = folder.path();
    }
};

// The watched words stand at the end of the text, so that growing copies of a prefix (which
// hold no secret of their own) are not taken for leaks.
const QByteArray kWitness = "Mot-t\xE9moin QZ7K-4411";

struct SealedCase {
    const char *name;
    QByteArray stream;
};

const SealedCase kSealedCases[] = {
    {"notes.txt", "Liste :\r\n- caf\xE9\r\n" + kWitness},
    {"lettre.rtf", "{\\rtf1\\ansi\\ansicpg1252 Ch\\'e8re Am\\'e9lie, Mot-t\\'e9moin QZ7K-4411}"},
};

// The witness's last characters as the document holds them (UTF-16).
const QString kWitnessTail = QStringLiteral("QZ7K-4411");
const QByteArrayView kWitnessTailUtf16(reinterpret_cast<const char *>(kWitnessTail.utf16()), kWitnessTail.size() * 2);

TEST_F(FreedPlaintextTest, OpeningASealedDocumentFreesNoPlaintext)
{
    for (const SealedCase &c : kSealedCases) {
        SCOPED_TRACE(c.name);
        CipherState cipher;
        CipherSetKey(cipher, "Lune");
        const std::vector<std::uint8_t> sealed = SealContainer(
            cipher, ContainerContent::Document, c.name, "",
            std::span(reinterpret_cast<const std::uint8_t *>(c.stream.constData()), std::size_t(c.stream.size())));
        CipherReset(cipher);
        const QString container = QFileInfo(c.name).completeBaseName() + QStringLiteral(".cod");
        writeFile(container, QByteArray(reinterpret_cast<const char *>(sealed.data()), qsizetype(sealed.size())));

        answerChoose(modal, container, QStringLiteral("Lune"));
        std::vector<int> found;
        {
            // The 8-bit bytes of the stream, and the RTF reader's escaped form of them.
            const FreedMemoryWatch watch({QByteArrayView(kWitness).sliced(8), "QZ7K-4411"});
            run("DecrypterItem");
            found = watch.found();
        }
        EXPECT_TRUE(active().RichEdit->toPlainText().endsWith(QStringLiteral("QZ7K-4411")));
        EXPECT_EQ(found, (std::vector<int>{0, 0}));
    }
}

TEST_F(FreedPlaintextTest, ReadingTheDocumentsPropertiesFreesNoPlaintext)
{
    for (const SealedCase &c : kSealedCases) {
        SCOPED_TRACE(c.name);
        writeFile(QLatin1String(c.name), c.stream);
        open(path(QLatin1String(c.name))).RichEdit->selectAll();
        settle(); // what the selection sets off is no part of the command
        modal.answerDialog([](QDialog &dialog) { dialog.findChild<QPushButton *>(QStringLiteral("BtnOk"))->click(); });
        std::vector<int> found;
        {
            // The bytes Save would write, and the whole text and the selection that are counted.
            const FreedMemoryWatch watch({"QZ7K-4411", kWitnessTailUtf16});
            run("ProprietesItem");
            found = watch.found();
        }
        EXPECT_EQ(found, (std::vector<int>{0, 0}));
    }
}

} // namespace
} // namespace ombre::test
