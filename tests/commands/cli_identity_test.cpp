// The program and the command-line tool write the same container for the same file, password,
// owner and armour, byte for byte.

#include "command_fixture.h"

#include "cli/cli.h"

#include <sstream>

namespace ombre::test {
namespace {

class CliIdentityTest : public CommandTest {};

TEST_F(CliIdentityTest, ProgramAndToolSealTheSameBytes)
{
    QByteArray original(100000, '\0');
    for (int i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>((i * 7919) >> 3);
    write(path("Relevé été.pdf"), original);
    QDir(folder.path()).mkdir(QStringLiteral("outil"));

    const char *armours[] = {"cod", "uue", "xxe"};
    for (const int uuEncode : {0, 1, 2}) {
        SCOPED_TRACE(armours[uuEncode]);
        ProgramOptions().UUEncode = uuEncode;
        const QString container = QStringLiteral("Relevé été") + TCodage::encryptExtension(uuEncode);
        modal.answerOpenFile(path("Relevé été.pdf"));
        answerEncrypt(QStringLiteral("Clé-Lune"));
        modal.answerMessage(QMessageBox::Ok);
        encryptExistingFile(host);

        const QString toolOutput = path(QStringLiteral("outil/") + container);
        std::istringstream in("Clé-Lune\n");
        std::ostringstream out, err;
        cli::CliContext context{in, out, err, [](std::string_view) { return std::optional<std::string>(); },
                                [] { return std::string(); }};
        const int status = cli::RunCli({"crypter", path("Relevé été.pdf").toStdString(), "--armure", armours[uuEncode],
                                        "--proprietaire", "Jean Dupont", "--sortie", toolOutput.toStdString(),
                                        "--mot-de-passe-stdin"},
                                       context);
        ASSERT_EQ(status, 0) << err.str();
        const QByteArray program = read(path(container));
        ASSERT_FALSE(program.isEmpty());
        EXPECT_EQ(program, read(toolOutput));
    }
}

} // namespace
} // namespace ombre::test
