#include "app/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace ombre {
namespace {

struct Translation {
    const char *context;
    const char *source;
    const char *french;
};

constexpr Translation MissingTranslations[] = {
    {"QAbstractFileIconProvider", "Folder", "Dossier"},
    {"QAbstractFileIconProvider", "File Folder", "Dossier"},
    {"QAbstractFileIconProvider", "Drive", "Lecteur"},
    {"QAbstractFileIconProvider", "Shortcut", "Raccourci"},
    {"QAbstractFileIconProvider", "Alias", "Alias"},
    {"QAbstractFileIconProvider", "Unknown", "Inconnu"},
};

} // namespace

QString MissingQtFrench::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return QString();
    for (const Translation &t : MissingTranslations)
        if (std::strcmp(context, t.context) == 0 && std::strcmp(sourceText, t.source) == 0)
            return QString::fromUtf8(t.french);
    return QString();
}

ApplicationSetup::ApplicationSetup(QApplication &app)
{
    QApplication::setOrganizationName(QStringLiteral("Morvandel"));
    QApplication::setApplicationName(QStringLiteral("Ombrelunaire"));
    // No display name: the windowing system would append it to every window title
    // ("Crypter — Ombrelunaire 98"); the frame and the message boxes carry the program title.
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    if (qtFrench_.load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench_);
    // Installed last, asked first; it answers only what the catalogue lacks.
    app.installTranslator(&missing_);
}

} // namespace ombre
