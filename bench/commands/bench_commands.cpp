// One encryption command of the program, run as a whole process on the offscreen platform with
// every dialog answered at once, so that the program's commands can be timed against the
// command-line tool on the same file (see `table`).
//
//   bench_commands seal cod|uue|xxe SOURCE FOLDER     seals SOURCE into FOLDER ("Crypter un fichier...")
//   bench_commands open CONTAINER FOLDER              opens a sealed file and saves it into FOLDER

#include "commands/codage_dialog.h"
#include "commands/command_host.h"
#include "commands/encryption_commands.h"
#include "commands/ouverture_dialog.h"
#include "commands/progress_window.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <cstring>

namespace {

using namespace ombre;

const QString kPassword = QStringLiteral("Lune");

// Answers as a user in a hurry: the source, the password, yes to every question.
class ImmediateAnswers final : public ModalSeam {
public:
    QString source;
    QString saveTarget;
    int errors = 0;

    QMessageBox::StandardButton message(QWidget *, const MessageRequest &request) override
    {
        const bool question = request.buttons.testFlag(QMessageBox::Yes);
        if (request.icon == QMessageBox::Critical || (request.icon == QMessageBox::Warning && !question)) {
            ++errors;
            std::fprintf(stderr, "%s\n", qPrintable(request.text));
        }
        return question ? QMessageBox::Yes : QMessageBox::Ok;
    }
    QString openFileName(QWidget *, FileDialogRequest &) override { return source; }
    QStringList openFileNames(QWidget *, FileDialogRequest &) override { return {source}; }
    QString saveFileName(QWidget *, FileDialogRequest &) override { return saveTarget; }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QFont> font(QWidget *, const QFont &, const QString &) override { return std::nullopt; }
    std::optional<QColor> color(QWidget *, const QColor &, const QString &) override { return std::nullopt; }
    int exec(QDialog &dialog) override
    {
        if (auto *codage = qobject_cast<TCodage *>(&dialog)) {
            codage->EditCode->setText(kPassword);
            codage->BtnCrypter->click();
        } else if (auto *ouverture = qobject_cast<TOuverture *>(&dialog)) {
            ouverture->EditCode->setText(kPassword);
            ouverture->accept();
        }
        return dialog.result();
    }
};

class Host final : public CommandHost {
public:
    QWidget window;
    TmProgressWnd progress{&window};

    QWidget *HostWindow() override { return &window; }
    TmProgressWnd &ProgressWindow() override { return progress; }
    bool IsUpdating() const override { return true; }
    QString ActiveDocumentFileName() const override { return {}; }
    QByteArray ActiveDocumentStream() override { return {}; }
    void OpenDecryptedDocument(const DecryptedDocument &) override {}
    void OpenDocumentFile(const QString &) override {}
    void BringToFront() override {}
    void ShowHelp(const QString &) override {}
};

int usage()
{
    std::fprintf(stderr, "usage: bench_commands seal cod|uue|xxe SOURCE FOLDER | open CONTAINER FOLDER\n");
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool seal = args.size() == 4 && args[0] == QLatin1String("seal");
    const bool open = args.size() == 3 && args[0] == QLatin1String("open");
    if (!seal && !open)
        return usage();

    TProgramOptions &options = ProgramOptions();
    options.Password = true;
    options.Authenticity = false;
    options.OwnerName.clear();
    ImmediateAnswers answers;
    const ModalOverride answering(answers);
    Host host;
    host.window.show();

    if (seal) {
        const QStringList armours = {QStringLiteral("cod"), QStringLiteral("uue"), QStringLiteral("xxe")};
        options.UUEncode = static_cast<int>(armours.indexOf(args[1]));
        if (options.UUEncode < 0)
            return usage();
        answers.source = QFileInfo(args[2]).absoluteFilePath();
        options.Code = QDir(args[3]).absolutePath();
        encryptExistingFile(host);
    } else {
        const QString container = QFileInfo(args[1]).absoluteFilePath();
        answers.saveTarget = QDir(args[2]).filePath(QFileInfo(container).completeBaseName());
        askPasswordAndDecrypt(host, container);
    }
    return answers.errors == 0 ? 0 : 2;
}
