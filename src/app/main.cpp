// Ombrelunaire: the program. Everything lives in the libraries; this file starts the application,
// puts Qt's own dialogs and menus in French and shows the frame.

#include "editor/main_form.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

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
    QApplication::setOrganizationName(QStringLiteral("Morvandel"));
    QApplication::setApplicationName(QStringLiteral("Ombrelunaire"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ombrelunaire 98"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslations);

    ombre::TMainForm mainForm(arguments);
    mainForm.show();
    if (selfTest)
        QTimer::singleShot(0, &mainForm, [&mainForm] {
            mainForm.FileNewItemClick();
            mainForm.close();
        });
    return app.exec();
}
