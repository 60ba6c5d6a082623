#include "integrations/send_to/desktop_shortcut.h"

#include "platform/modal.h"
#include "platform/shell_link.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ombre {
namespace {

constexpr const char *kIconName = "ombrelunaire";

// The program's icon for the launcher: the installed one by its theme name; a program run from
// its build folder has none installed, so its own drawing is copied to the user's data folder
// and named by path.
QString shortcutIcon()
{
    const QString themed = QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(QLatin1String(kIconName));
    if (!QStandardPaths::locate(QStandardPaths::GenericDataLocation, themed).isEmpty())
        return QLatin1String(kIconName);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString copy = folder + QStringLiteral("/%1.svg").arg(QLatin1String(kIconName));
    QFile drawing(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(kIconName)));
    if (QFileInfo::exists(copy) || (QDir().mkpath(folder) && drawing.copy(copy)))
        return copy;
    return QString();
}

} // namespace

QString DocumentShortcutName(const QString &documentPath)
{
    return QFileInfo(documentPath).fileName().section(QLatin1Char('.'), 0, 0) + QStringLiteral(" (Document)");
}

void createDocumentShortcut(QWidget &window, const QString &documentPath)
{
    const QString program = QCoreApplication::applicationFilePath();
    ShellLink link;
    link.Name = DocumentShortcutName(documentPath);
    link.Target = program;
    link.Arguments = {documentPath};
    link.WorkingFolder = QFileInfo(program).path();
    link.Icon = shortcutIcon();
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || CreateShortcut(link, desktop).isEmpty())
        return;
    showMessage(&window, QMessageBox::Information,
                QStringLiteral("\r\nUn raccourci nommé \" %1 \" a été créé sur votre bureau.").arg(link.Name));
}

} // namespace ombre
