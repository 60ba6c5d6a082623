// Opening a sealed document gives nothing of its text back to the allocator unwiped: the buffers
// handed to the readers, and the readers' own, are wiped before they are freed.

#include "cipher/cipher.h"
#include "cipher/container.h"
#include "editor_fixture.h"
#include "support/codage_answers.h"
#include "support/freed_memory_watch.h"

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

TEST_F(FreedPlaintextTest, OpeningASealedDocumentFreesNoPlaintext)
{
    const struct Case {
        const char *name;
        QByteArray stream;
    } cases[] = {
        {"notes.txt", "Liste :\r\n- caf\xE9\r\n" + kWitness},
        {"lettre.rtf", "{\\rtf1\\ansi\\ansicpg1252 Ch\\'e8re Am\\'e9lie, Mot-t\\'e9moin QZ7K-4411}"},
    };
    for (const Case &c : cases) {
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

} // namespace
} // namespace ombre::test
