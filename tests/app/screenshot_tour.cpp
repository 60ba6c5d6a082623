// Not a test: a tour of the frame for a person to look at. Run it on a real display (Xvfb is
// enough); it opens a rich and a plain document, opens the menus one by one and writes a screen
// shot of each scene into the folder given as its argument.
//
//   Xvfb :99 -screen 0 1280x900x24 &  DISPLAY=:99 build/tests/ombre_screenshot_tour /tmp/shots

#include "app/application_setup.h"
#include "editor/main_form.h"
#include "editor/mdi_child.h"
#include "platform/modal.h"
#include "settings/options.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

namespace {

void shoot(const QString &folder, const QString &name)
{
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const ombre::ApplicationSetup setup(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    QTemporaryDir files;
    QFile plain(files.filePath(QStringLiteral("notes.txt")));
    plain.open(QIODevice::WriteOnly);
    plain.write("Liste des courses\r\n- pain\r\n- fromage\r\n- café\r\n");
    plain.close();
    QFile rich(files.filePath(QStringLiteral("lettre.rtf")));
    rich.open(QIODevice::WriteOnly);
    rich.write("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue128;}\\f0\\fs24 "
               "{\\b Objet :} r\\'e9union du {\\i jeudi}\\par\\par Madame, Monsieur,\\par\\par "
               "{\\cf1 Je vous prie d'agr\\'e9er mes salutations.}\\par}");
    rich.close();

    ombre::ProgramOptions().Desktop = false;
    ombre::TMainForm form;
    form.resize(900, 620);
    form.move(40, 30);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qWarning("the window was not exposed; the pictures may be empty");
    shoot(out, QStringLiteral("0-empty"));

    form.OpenDocumentByName(plain.fileName());
    form.OpenDocumentByName(rich.fileName());
    form.WindowTileItemClick();
    form.ActiveChild->RichEdit->moveCursor(QTextCursor::End);
    shoot(out, QStringLiteral("1-two-documents"));

    int index = 2;
    for (QMenu *menu : {form.FileMenu, form.EditMenu, form.ViewMenu, form.InsertMenu, form.FormatMenu, form.ToolsMenu,
                        form.WindowMenu, form.HelpMenu}) {
        const QRect item = form.menuBar()->actionGeometry(menu->menuAction());
        menu->popup(form.menuBar()->mapToGlobal(item.bottomLeft()));
        shoot(out, QStringLiteral("%1-%2").arg(index++).arg(menu->objectName()));
        menu->hide();
    }
    emit form.ActiveChild->RichEdit->customContextMenuRequested(QPoint(60, 40));
    shoot(out, QStringLiteral("%1-context-menu").arg(index++));
    form.ActiveChild->ChildPopup->hide();

    form.resize(600, 400);
    form.WindowCascadeItemClick();
    shoot(out, QStringLiteral("%1-default-size").arg(index++));

    // The modal dialogs, each shot while it is open and then closed.
    const auto shootModal = [&](const QString &name, const std::function<void()> &open) {
        QTimer::singleShot(0, [&] {
            shoot(out, name);
            if (QWidget *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        open();
    };
    form.ActiveChild->DocumentInfo.FileName = files.filePath(QStringLiteral("MAJ.RTF"));
    shootModal(QStringLiteral("%1-save-as").arg(index++), [&] { form.FileSaveAsItemClick(); });
    shootModal(QStringLiteral("%1-font-dialog").arg(index++), [&] {
        ombre::modal().fontAndColor(&form, {QFont(QStringLiteral("DejaVu Sans")), Qt::black}, QStringLiteral("Police"));
    });
    // A name the line breaker cannot split anywhere.
    const QString longPath = files.filePath(QStringLiteral("un_nom_de_document_bien_trop_long_pour_tenir_sur_une_"
                                                           "seule_ligne_de_la_boite_de_message_sans_coupure.rtf"));
    shootModal(QStringLiteral("%1-long-path").arg(index++), [&] {
        ombre::showMessage(&form, QMessageBox::Critical,
                           longPath + QStringLiteral("\r\n\r\nUne erreur s'est produite durant la sauvegarde de ce fichier."));
    });
    for (ombre::TMDIChild *child : form.DocumentWindows())
        child->setModified(false);
    return 0;
}
