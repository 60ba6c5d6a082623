// Ombrelunaire: the program. Everything lives in the libraries; this file starts the application,
// puts Qt's own dialogs and menus in French and shows the frame.

#include "app/application_setup.h"
#include "editor/main_form.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>

namespace {

constexpr const char *SelfTestOption = "--self-test";

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    bool selfTest = false;
    for (int i = 1; i < argc; ++i) {
        if (QLatin1String(argv[i]) == QLatin1String(SelfTestOption))
            selfTest = true;
        else
            arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    // The smoke run builds the whole frame without a screen, and away from the user's settings.
    if (selfTest) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QStandardPaths::setTestModeEnabled(true);
    }

    QApplication app(argc, argv);
    const ombre::ApplicationSetup setup(app);

    ombre::TMainForm mainForm(arguments);
    mainForm.show();
    if (selfTest)
        QTimer::singleShot(0, &mainForm, [&mainForm] {
            mainForm.FileNewItemClick();
            mainForm.close();
        });
    return app.exec();
}
