// Details of the frame that a user meets first: the font box's families, the status bar while
// the pointer is on a tool-bar button, and the list of windows in the "Fenêtre" menu.

#include "editor_fixture.h"

#include "editor/font_list.h"

#include <QEnterEvent>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace ombre::test {
namespace {

TEST(FontBoxFamiliesTest, EachFamilyOnceWhateverItsFoundries)
{
    const QStringList available{QStringLiteral("Nimbus Sans [URW ]"), QStringLiteral("Nimbus Sans [UKWN]"),
                                QStringLiteral("DejaVu Sans"),        QStringLiteral("arial"),
                                QStringLiteral("Liberation Serif"),   QStringLiteral("Nimbus Sans"),
                                QStringLiteral("Arial")};
    const QStringList expected{QStringLiteral("Arial"), QStringLiteral("arial"), QStringLiteral("DejaVu Sans"),
                               QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Sans")};
    EXPECT_EQ(FontBoxFamilies(available), expected);
}

class FrameDetailsTest : public EditorTest {
protected:
    QToolButton &button(const char *name) const
    {
        auto *found = form->findChild<QToolButton *>(QLatin1String(name));
        if (!found)
            throw std::runtime_error(std::string("no tool-bar button ") + name);
        return *found;
    }

    // What the status bar shows once the pointer has moved onto `widget`.
    QString statusOnEntering(QWidget &widget) const
    {
        form->statusBar()->showMessage(QStringLiteral("avant"));
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(&widget, &enter);
        return form->statusBar()->currentMessage();
    }
};

TEST_F(FrameDetailsTest, ToolBarButtonsShowTheEmptyPartOfTheirHint)
{
    run("FileNewItem");
    for (const char *name : {"BtnNew", "BtnSave", "BtnCrypter", "BtnDecrypter", "BtnBold", "BtnColor"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(statusOnEntering(button(name)).toStdString(), "");
    }
    // The buttons keep their short hint as tool tip, and the menu items their long hint.
    EXPECT_EQ(button("BtnSave").toolTip(), QStringLiteral("Enregistrer"));
    EXPECT_EQ(item("FileSaveItem").statusTip(), QStringLiteral("Enregistrer le document en cours"));
    // Enabling the command again (which refreshes its button) keeps the status bar empty.
    item("FileSaveItem").setEnabled(false);
    item("FileSaveItem").setEnabled(true);
    EXPECT_EQ(statusOnEntering(button("BtnSave")).toStdString(), "");
}

TEST_F(FrameDetailsTest, WindowListMarksTheActiveWindowOnly)
{
    run("FileNewItem");
    run("FileNewItem");
    run("FileNewItem");
    emit form->WindowMenu->aboutToShow();
    QStringList marked;
    int windows = 0;
    for (const QAction *entry : form->WindowMenu->actions()) {
        if (!entry->text().contains(QLatin1String("SansNom")))
            continue;
        ++windows;
        // An unchecked check item would show an empty box.
        EXPECT_EQ(entry->isCheckable(), entry->isChecked()) << entry->text().toStdString();
        if (entry->isChecked())
            marked << entry->text();
    }
    EXPECT_EQ(windows, 3);
    EXPECT_EQ(marked, QStringList{QStringLiteral("&3 SansNom3.rtf")});
}

} // namespace
} // namespace ombre::test
