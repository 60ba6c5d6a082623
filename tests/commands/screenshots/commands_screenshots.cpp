// Shows the encryption dialogs on a real display and saves a picture of the whole screen at each
// stage, to look at them: TCodage in each mode (folded, and unfolded where it has options), the
// progress window while a large file is sealed, the messages, TOuverture and TAuthentique; then
// the same for the strong format (age).
// Also prints how long sealing the large file took and the peak memory of the process.
//
//   Xvfb :98 -screen 0 1280x900x24 &
//   DISPLAY=:98 twm -f TWMRC &    (optional: title bars; TWMRC must say RandomPlacement, or twm
//                                waits for a click to place each window)
//   DISPLAY=:98 build-e/tests/commands_screenshots OUTPUT_FOLDER WORK_FOLDER [SIZE_MB]

#include "cipher/age/age.h"
#include "commands/authentique_window.h"
#include "commands/codage_dialog.h"
#include "commands/encryption_commands.h"
#include "commands/file_list_box.h"
#include "commands/filter_combo_box.h"
#include "commands/ouverture_dialog.h"
#include "commands/program_cipher.h"
#include "../fake_host.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <sys/resource.h>

namespace {

using namespace ombre;

QString outputFolder;
bool shooting = true; // off while timing

void settle()
{
    // Lets the window manager frame and the server paint what was just shown.
    QTest::qWait(400);
}

void shoot(const QString &name)
{
    if (!shooting)
        return;
    settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(outputFolder).filePath(name + QStringLiteral(".png")));
}

long peakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Answers the program's dialogs as a user would, taking a picture of each first.
class DemoModal final : public ModalSeam {
public:
    QString fileToOpen;
    QString saveTarget;
    QString password = QStringLiteral("Lune");
    QString nextShot;
    int filter = 0; // the filter under which the first file is chosen

    QMessageBox::StandardButton message(QWidget *parent, const MessageRequest &request) override
    {
        QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
        if (shooting)
            box.show();
        shoot(nextShot.isEmpty() ? QStringLiteral("message") : nextShot);
        nextShot.clear();
        return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    QString openFileName(QWidget *, FileDialogRequest &) override { return fileToOpen; }
    QStringList openFileNames(QWidget *, FileDialogRequest &) override { return {fileToOpen}; }
    QString saveFileName(QWidget *, FileDialogRequest &) override { return saveTarget; }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    std::optional<QFont> font(QWidget *, const QFont &, const QString &) override { return std::nullopt; }
    std::optional<QColor> color(QWidget *, const QColor &, const QString &) override { return std::nullopt; }

    int exec(QDialog &dialog) override
    {
        dialog.show();
        if (auto *codage = qobject_cast<TCodage *>(&dialog)) {
            codage->EditCode->setText(password);
            if (codage->Mode != TCodage::ModeEncrypt) {
                codage->Filter->setCurrentIndex(filter);
                codage->FileList->setCurrentRow(0);
            }
            shoot(QStringLiteral("command-") + codage->windowTitle());
            codage->BtnCrypter->click();
        } else if (auto *ouverture = qobject_cast<TOuverture *>(&dialog)) {
            ouverture->EditCode->setText(password);
            shoot(QStringLiteral("ouverture"));
            ouverture->BtnDecrypter->click();
        } else if (qobject_cast<TAuthentique *>(&dialog)) {
            shoot(nextShot.isEmpty() ? QStringLiteral("authentique") : nextShot);
            nextShot.clear();
            dialog.accept();
        }
        return dialog.result();
    }
};

void showCodage(TProgramOptions &options, std::uint8_t mode, bool unfolded, const QString &name)
{
    options.Options = unfolded;
    TCodage dialog(nullptr, options, ProgramCipher());
    dialog.Mode = mode;
    if (mode == TCodage::ModeEncrypt)
        dialog.EditName->setText(QStringLiteral("lettre.rtf"));
    dialog.show();
    dialog.EditCode->setText(QStringLiteral("Lune"));
    shoot(name);
}

void makeLargeFile(const QString &path, qint64 megabytes)
{
    QFile file(path);
    if (file.exists() && file.size() == megabytes * 1024 * 1024)
        return;
    file.open(QIODevice::WriteOnly);
    QByteArray block(1024 * 1024, '\0');
    quint32 x = 1;
    for (qint64 i = 0; i < megabytes; ++i) {
        for (char &b : block) {
            x = x * 1664525u + 1013904223u;
            b = static_cast<char>(x >> 24);
        }
        file.write(block);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        QTextStream(stderr) << "usage: commands_screenshots OUTPUT_FOLDER WORK_FOLDER [SIZE_MB]\n";
        return 2;
    }
    outputFolder = QString::fromLocal8Bit(argv[1]);
    const QString work = QString::fromLocal8Bit(argv[2]);
    const qint64 megabytes = argc > 3 ? QByteArray(argv[3]).toLongLong() : 200;
    QDir().mkpath(outputFolder);
    QDir().mkpath(work);
    QTextStream out(stdout);

    TProgramOptions &options = ProgramOptions();
    options.Code = work;
    options.Open = work;
    options.OwnerName = QStringLiteral("Jean Dupont");
    options.UUEncode = 1;

    showCodage(options, TCodage::ModeDecrypt, false, QStringLiteral("codage-decrypter"));
    showCodage(options, TCodage::ModeEncrypt, false, QStringLiteral("codage-crypter-replie"));
    showCodage(options, TCodage::ModeEncrypt, true, QStringLiteral("codage-crypter-deplie"));
    showCodage(options, TCodage::ModeAuthenticate, false, QStringLiteral("codage-authentifier"));
    options.Format = FormatAge;
    showCodage(options, TCodage::ModeEncrypt, true, QStringLiteral("codage-crypter-age-deplie"));
    options.Format = FormatCompatible;
    options.Options = false;

    test::FakeHost host;
    host.window.setWindowTitle(QStringLiteral("Ombrelunaire 98"));
    host.window.setGeometry(150, 100, 980, 700);
    host.window.show();
    DemoModal demo;
    ModalOverride seam(demo);

    // Sealing a large file: pictures half-way through each phase.
    const QString large = QDir(work).filePath(QStringLiteral("archive.bin"));
    makeLargeFile(large, megabytes);
    int shots = 0;
    host.progress.OnPositionWindow = [&](int &, int &) {
        TfrmProgress *form = host.progress.Form();
        QObject::connect(form->ProgressBar, &QProgressBar::valueChanged, form, [&](int value) {
            if (value == 50)
                shoot(QStringLiteral("progress-%1").arg(++shots));
        });
    };
    const auto sealLarge = [&](int uuEncode) {
        options.UUEncode = uuEncode;
        QFile::remove(QDir(work).filePath(uuEncode ? QStringLiteral("archive.uue") : QStringLiteral("archive.cod")));
        demo.fileToOpen = large;
        demo.nextShot = QStringLiteral("message-crypte-%1").arg(uuEncode);
        QElapsedTimer timer;
        timer.start();
        encryptExistingFile(host);
        return timer.elapsed();
    };
    sealLarge(1);
    shooting = false;
    for (const int uuEncode : {0, 1, 2})
        out << "seal " << megabytes << " MB, armour " << uuEncode << ": " << sealLarge(uuEncode) << " ms, peak memory "
            << peakMemoryKb() / 1024 << " MB\n";
    out.flush();
    shooting = true;

    // Opening a container dropped on the window, then authenticating one.
    host.progress.OnPositionWindow = nullptr;
    QFile small(QDir(work).filePath(QStringLiteral("note.txt")));
    small.open(QIODevice::WriteOnly);
    small.write("Rendez-vous demain.");
    small.close();
    options.UUEncode = 0;
    demo.fileToOpen = small.fileName();
    demo.nextShot = QStringLiteral("message-crypte-note");
    encryptExistingFile(host);
    demo.saveTarget = QDir(work).filePath(QStringLiteral("note-copie.txt"));
    demo.nextShot = QStringLiteral("message-decrypte");
    openDroppedFiles(host, {QDir(work).filePath(QStringLiteral("note.cod"))});
    QDir(work).rename(QStringLiteral("archive.cod"), QStringLiteral("zz-archive.cod")); // note.cod comes first
    authenticateContainer(host);
    demo.nextShot = QStringLiteral("message-format");
    QFile bad(QDir(work).filePath(QStringLiteral("a-abime.cod")));
    bad.open(QIODevice::WriteOnly);
    bad.write("pas un conteneur");
    bad.close();
    decryptChosenContainer(host);

    // The strong format: an age file authenticated, then opened with a wrong passphrase.
    const std::string plain = "Rendez-vous demain.";
    const std::vector<std::uint8_t> sealed = age::SealBuffer(
        "une phrase de passe", false, std::span(reinterpret_cast<const std::uint8_t *>(plain.data()), plain.size()));
    QFile ageFile(QDir(work).filePath(QStringLiteral("note.txt.age")));
    ageFile.open(QIODevice::WriteOnly);
    ageFile.write(reinterpret_cast<const char *>(sealed.data()), static_cast<qint64>(sealed.size()));
    ageFile.close();
    demo.filter = 1; // the authenticate dialog's "Fichiers age (*.age)"
    demo.password = QStringLiteral("une phrase de passe");
    demo.nextShot = QStringLiteral("authentique-age");
    authenticateContainer(host);
    demo.filter = 3; // the decrypt dialog's "Fichiers age (*.age)"
    demo.password = QStringLiteral("une autre phrase");
    demo.nextShot = QStringLiteral("message-age-mot-de-passe");
    decryptChosenContainer(host);
    return 0;
}
