// Ombrelunaire: the program. Everything lives in the libraries; this file runs the start in its
// order: the French interface, the single-instance rule, the splash, the frame.

#include "app/application_setup.h"
#include "cipher/user_texts.h"
#include "editor/main_form.h"
#include "integrations/startup/first_instance.h"
#include "integrations/startup/splash.h"
#include "platform/process_hardening.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>

namespace {

constexpr const char *SelfTestOption = "--self-test";

} // namespace

int main(int argc, char *argv[])
{
    ombre::CloseProcessToOthers();
    QStringList arguments;
    bool selfTest = false;
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String(SelfTestOption))
            selfTest = true;
        else
            arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    // The smoke run builds the whole frame without a screen, away from the user's settings and
    // from a program the user may have running.
    if (selfTest) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
    }

    QApplication app(argc, argv);
    const ombre::ApplicationSetup setup(app);

    const QString title = QString::fromUtf8(ombre::user_texts::kProgramTitle);
    if (!selfTest && ombre::FirstInstance(title, arguments))
        return 0;
    std::unique_ptr<ombre::TfrmSplash> splash = selfTest ? nullptr : ombre::ShowSplash(arguments);

    ombre::TMainForm mainForm(arguments);
    splash.reset();
    if (ombre::InstanceChannel *channel = ombre::RunningInstanceChannel())
        mainForm.ListenToLaterStarts(*channel);
    mainForm.show();
    if (selfTest)
        QTimer::singleShot(0, &mainForm, [&mainForm] {
            mainForm.FileNewItemClick();
            mainForm.close();
        });
    return app.exec();
}
