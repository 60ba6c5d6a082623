// The real dialogs behind the modal seam, driven while they are open: the name a save dialog
// proposes, the room its detail columns get, and message boxes with long paths.

#include "platform/modal.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace ombre::test {
namespace {

// Runs `inspect` on the modal window once it is open, then closes it whatever `inspect` found.
template <typename Window>
void whenOpen(const std::function<void(Window &)> &inspect, bool accept = false)
{
    QTimer::singleShot(0, [inspect, accept] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!window) {
            ADD_FAILURE() << "no modal window of the expected kind is open";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        inspect(*window);
        if (auto *dialog = qobject_cast<QDialog *>(window); dialog && accept)
            dialog->accept();
        else
            window->close();
    });
}

class RealDialogsTest : public ::testing::Test {
protected:
    // Qt's file dialogs keep their column layout from one use to the next: start from none.
    void SetUp() override { QSettings(QSettings::UserScope, QStringLiteral("QtProject")).remove(QStringLiteral("FileDialog")); }

    QString touch(const QString &name) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }

    FileDialogRequest saveRequest(const QString &name, const QString &filter, const QString &suffix) const
    {
        FileDialogRequest request;
        request.title = QStringLiteral("Enregistrer sous");
        request.directory = folder.path();
        request.fileName = name;
        request.filters = {filter};
        request.defaultSuffix = suffix;
        request.confirmOverwrite = false;
        return request;
    }

    QTemporaryDir folder;
};

TEST_F(RealDialogsTest, SaveDialogProposesTheNameAsItStands)
{
    struct Case {
        const char *name;
        const char *filter;
        const char *suffix;
    };
    const QString rich = QStringLiteral("Fichiers Rich Text Format (*.rtf)");
    for (const Case &c : {Case{"MAJ.RTF", "Fichiers Rich Text Format (*.rtf)", "rtf"},
                          Case{"Lettre.Rtf", "Fichiers Rich Text Format (*.rtf)", "rtf"},
                          Case{"notes.TXT", "Fichiers au format texte (*.txt)", "txt"},
                          Case{"config.ini", "Tous les fichiers (*)", ""}}) {
        SCOPED_TRACE(c.name);
        const QString existing = touch(QLatin1String(c.name));
        FileDialogRequest request = saveRequest(QLatin1String(c.name), QLatin1String(c.filter), QLatin1String(c.suffix));
        QString proposed;
        whenOpen<QFileDialog>(
            [&proposed](QFileDialog &dialog) {
                if (auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    proposed = field->text();
            },
            true);
        const QString chosen = modal().saveFileName(nullptr, request);
        EXPECT_EQ(proposed.toStdString(), c.name);
        // Confirming the proposal names the existing file, not a new one beside it.
        EXPECT_EQ(chosen.toStdString(), existing.toStdString());
    }
}

// Lets the dialog's model list the folder, which it does in a thread of its own, and the view
// lay its columns out for what was listed.
void waitForListing(QFileDialog &dialog, const QTreeView &view)
{
    auto *model = dialog.findChild<QFileSystemModel *>();
    ASSERT_NE(model, nullptr);
    if (model->rowCount(view.rootIndex()) == 0) {
        QEventLoop loop;
        QObject::connect(model, &QFileSystemModel::directoryLoaded, &loop, &QEventLoop::quit);
        loop.exec();
    }
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

TEST_F(RealDialogsTest, FileDialogsOpenWithReadableDetailColumns)
{
    QDir(folder.path()).mkdir(QStringLiteral("classeur"));
    touch(QStringLiteral("rapport.rtf"));
    const auto check = [](QFileDialog &dialog) {
        auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
        ASSERT_NE(view, nullptr);
        waitForListing(dialog, *view);
        ASSERT_GT(view->model()->rowCount(view->rootIndex()), 0);
        const QHeaderView *header = view->header();
        const QAbstractItemView &cells = *view;
        int total = 0;
        for (int column = 0; column < header->count(); ++column) {
            SCOPED_TRACE(header->model()->headerData(column, Qt::Horizontal).toString().toStdString());
            total += header->sectionSize(column);
            if (column == 0)
                continue;
            // Size, type ("document RTF") and date are shown whole, titles included.
            EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column));
            EXPECT_GE(header->sectionSize(column), cells.sizeHintForColumn(column));
        }
        EXPECT_LE(total, view->viewport()->width()) << "the columns run past the view";
        EXPECT_GE(header->sectionSize(0), 200) << "the name column is too narrow";
    };

    FileDialogRequest save = saveRequest(QStringLiteral("a.rtf"), QStringLiteral("Fichiers Rich Text Format (*.rtf)"),
                                         QStringLiteral("rtf"));
    whenOpen<QFileDialog>(check);
    modal().saveFileName(nullptr, save);

    FileDialogRequest open;
    open.directory = folder.path();
    open.filters = {QStringLiteral("Tous les fichiers (*)")};
    whenOpen<QFileDialog>(check);
    modal().openFileName(nullptr, open);
}

TEST_F(RealDialogsTest, FileListsWriteSizesAndDatesInTheProgramsLocale)
{
    const QLocale french(QLocale::French, QLocale::France);
    const QLocale before;
    QLocale::setDefault(french);
    QFile file(touch(QStringLiteral("rapport.rtf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2500, 'x'));
    file.close();
    const QDateTime written = QFileInfo(file.fileName()).lastModified();

    QStringList row;
    whenOpen<QFileDialog>([&row](QFileDialog &dialog) {
        auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
        ASSERT_NE(view, nullptr);
        waitForListing(dialog, *view);
        const QAbstractItemModel &model = *view->model();
        ASSERT_EQ(model.rowCount(view->rootIndex()), 1);
        for (int column = 0; column < model.columnCount(view->rootIndex()); ++column)
            row << model.index(0, column, view->rootIndex()).data().toString();
    });
    FileDialogRequest open;
    open.directory = folder.path();
    open.filters = {QStringLiteral("Tous les fichiers (*)")};
    modal().openFileName(nullptr, open);
    QLocale::setDefault(before);

    ASSERT_EQ(row.size(), 4);
    EXPECT_EQ(row[0].toStdString(), "rapport.rtf");
    EXPECT_EQ(row[1].toStdString(), french.formattedDataSize(2500).toStdString());
    EXPECT_EQ(row[3].toStdString(), french.toString(written, QLocale::ShortFormat).toStdString());
}

TEST_F(RealDialogsTest, LongPathInAMessageWrapsInsteadOfBeingClipped)
{
    const QString path = QStringLiteral("/home/utilisateur/Documents/") + QString(180, QLatin1Char('a'))
                         + QStringLiteral("/rapport.rtf");
    const QString text = path + QStringLiteral("\r\n\r\nUne erreur s'est produite durant la sauvegarde de ce fichier.");
    whenOpen<QMessageBox>([&text](QMessageBox &box) {
        auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->minimumSizeHint().width(), label->width()) << "a line is wider than the box";
        // Nothing is lost: only invisible break opportunities were added.
        EXPECT_EQ(label->text().remove(QChar(0x200B)).toStdString(), text.toStdString());
    });
    showMessage(nullptr, QMessageBox::Critical, text);
}

TEST_F(RealDialogsTest, ShortWordsOfAMessageAreLeftWhole)
{
    const QString text = QStringLiteral("/home/utilisateur/notes.txt\r\n\r\nCe fichier existe déjà. Voulez-vous le remplacer ?");
    whenOpen<QMessageBox>([&text](QMessageBox &box) { EXPECT_EQ(box.text().toStdString(), text.toStdString()); });
    showMessage(nullptr, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No);
}

} // namespace
} // namespace ombre::test
