// The document window: its status bar, its indicators, its keyboard commands, its context menu
// and its ruler.

#include "editor_fixture.h"
#include "editor/ruler.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>

namespace ombre::test {
namespace {

class DocumentWindowTest : public EditorTest {
protected:
    QString caret() const { return active().panelText(0); }
    QString lines() const { return active().panelText(1); }
};

TEST_F(DocumentWindowTest, StatusBarCountsLinesAndShowsTheCaret)
{
    run("FileNewItem");
    EXPECT_EQ(caret(), QStringLiteral("1 : 1"));
    EXPECT_EQ(lines(), QStringLiteral("1 lig."));

    type(QStringLiteral("un\ndeux\ntrois"));
    EXPECT_EQ(caret(), QStringLiteral("3 : 6"));
    EXPECT_EQ(lines(), QStringLiteral("3 lig."));

    // A final line break opens one more counted line.
    type(QStringLiteral("\n"));
    EXPECT_EQ(caret(), QStringLiteral("4 : 1"));
    EXPECT_EQ(lines(), QStringLiteral("4 lig."));

    // The selection's start is what the caret panel shows.
    QTextCursor cursor = active().RichEdit->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    active().RichEdit->setTextCursor(cursor);
    EXPECT_EQ(caret(), QStringLiteral("2 : 2"));
}

TEST_F(DocumentWindowTest, IndicatorsFollowTheModifiedFlagAndWordWrap)
{
    ProgramOptions().Wordwrap = false;
    run("FileNewItem");
    TMDIChild &child = active();
    const auto pictureKey = [](const QLabel *label) { return label->pixmap().toImage(); };
    const QImage clean = pictureKey(child.ImgModifie);
    EXPECT_FALSE(child.wordWrap());
    EXPECT_FALSE(child.DocumentInfo.WordWrap);
    EXPECT_FALSE(item("WordwrapItem").isChecked());

    type(QStringLiteral("a"));
    EXPECT_TRUE(child.DocumentInfo.Modified);
    EXPECT_NE(pictureKey(child.ImgModifie), clean);
    child.setModified(false);
    EXPECT_EQ(pictureKey(child.ImgModifie), clean);
    EXPECT_FALSE(child.DocumentInfo.Modified);
}

TEST_F(DocumentWindowTest, KeyPanelsShowInsertModeAndTheInsertKeyTogglesIt)
{
    run("FileNewItem");
    run("FileNewItem");
    for (TMDIChild *child : form->DocumentWindows())
        EXPECT_EQ(child->panelText(5), QStringLiteral("Ins"));
    QTest::keyClick(active().RichEdit, Qt::Key_Insert);
    for (TMDIChild *child : form->DocumentWindows()) {
        EXPECT_EQ(child->panelText(5), QString());
        EXPECT_TRUE(child->RichEdit->overwriteMode());
    }
    QTest::keyClick(active().RichEdit, Qt::Key_Insert);
    EXPECT_EQ(active().panelText(5), QStringLiteral("Ins"));
    EXPECT_FALSE(active().RichEdit->overwriteMode());
}

TEST_F(DocumentWindowTest, ShortcutsToggleTheirButtonsAndLeaveOtherKeysToTheEditor)
{
    run("FileNewItem");
    QTextEdit *edit = active().RichEdit;
    // Bold, italic and underline flip; an alignment button goes down.
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *button;
        bool expected;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    for (const Case &c : {Case{Qt::Key_G, ctrl, "BtnBold", true}, Case{Qt::Key_G, ctrl, "BtnBold", false},
                          Case{Qt::Key_T, ctrl, "BtnItalic", true}, Case{Qt::Key_U, ctrl, "BtnUnderline", true},
                          Case{Qt::Key_E, ctrl, "CentreItem", true}, Case{Qt::Key_D, ctrlShift, "DroiteItem", true},
                          Case{Qt::Key_G, ctrlShift, "GaucheItem", true}}) {
        SCOPED_TRACE(c.button);
        QTest::keyClick(edit, c.key, c.modifiers);
        EXPECT_EQ(item(c.button).isChecked(), c.expected);
    }
    // Keys the window does not handle reach the text.
    QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
    QTest::keyClicks(edit, QStringLiteral("ok"));
    EXPECT_TRUE(edit->toPlainText().endsWith(QStringLiteral("ok")));
    EXPECT_FALSE(edit->toPlainText().contains(QLatin1Char('G')));
}

TEST_F(DocumentWindowTest, ContextMenuItemsFollowTheDocument)
{
    QApplication::clipboard()->clear();
    run("FileNewItem");
    type(QStringLiteral("mot"));
    active().RichEdit->selectAll();
    const auto enabled = [this] {
        QMenu *popup = active().ChildPopup;
        QStringList on;
        for (QAction *a : popup->actions())
            if (!a->isSeparator() && a->isEnabled())
                on << a->text();
        popup->hide();
        return on;
    };
    emit active().RichEdit->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(enabled(), (QStringList{QStringLiteral("&Annuler"), QStringLiteral("&Couper"), QStringLiteral("Co&pier"), QStringLiteral("Po&lices..."),
                                      QStringLiteral("&Aligner"), QStringLiteral("P&uces"), QStringLiteral("&Date"),
                                      QStringLiteral("&Formule")}))
        << "redo needs an undone change, paste text on the clipboard, the signature a signature";

    active().RichEdit->undo();
    emit active().RichEdit->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(enabled().contains(QStringLiteral("&Rétablir")));
    EXPECT_FALSE(enabled().contains(QStringLiteral("&Annuler")));

    ProgramOptions().Signature = QStringLiteral("J. D.");
    active().setReadOnly(true);
    emit active().RichEdit->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(enabled().isEmpty()) << "a read-only document offers nothing";
    EXPECT_EQ(active().ChildPopup->actions().size(), 14);
}

TEST_F(DocumentWindowTest, RulerShowsTheParagraphsIndentsAndDraggingSetsThem)
{
    run("FileNewItem");
    TMDIChild &child = active();
    QTextBlockFormat format;
    format.setLeftMargin(40);  // 30 points: first 15 + left 15
    format.setTextIndent(-20); // other lines 15 points right of the first
    format.setRightMargin(12); // 9 points
    child.RichEdit->textCursor().setBlockFormat(format);
    child.RichEditSelectionChange();
    const int width = child.Ruler->clientWidth();
    EXPECT_EQ(child.Ruler->handles(), (RulerHandles{20, 40, width - 6 - 17}));

    // The user drags the left handle to 60 pixels: left indent = R(60 * 0.75) - first = 45 - 15.
    RulerHandles dragged = child.Ruler->handles();
    dragged.left = 60;
    child.Ruler->setHandles(dragged);
    emit child.Ruler->indentChanged(RulerHandle::Left);
    const QTextBlockFormat after = child.RichEdit->textCursor().blockFormat();
    EXPECT_DOUBLE_EQ(after.leftMargin(), 60.0);
    EXPECT_DOUBLE_EQ(after.textIndent(), -40.0);
    EXPECT_TRUE(child.isModified());
}

TEST_F(DocumentWindowTest, RulerFollowsTheRulerOption)
{
    ProgramOptions().Ruler = false;
    run("FileNewItem");
    EXPECT_TRUE(active().Ruler->isHidden());
    EXPECT_FALSE(item("RegleItem").isChecked());
}

TEST_F(DocumentWindowTest, WindowCannotShrinkBelowItsMinimum)
{
    run("FileNewItem");
    EXPECT_EQ(active().subWindow()->minimumSize(), QSize(350, 50));
}

TEST_F(DocumentWindowTest, NewRichDocumentTypesInTheSettingsFont)
{
    const struct {
        const char *family;
        int points;
        QRgb color;
    } cases[] = {{"Courier New", 14, 0x800000}, {"Arial", 10, 0x0000FF}, {"Arial", 12, 0x000000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.family);
        QFont font(QLatin1String(c.family));
        font.setPointSize(c.points);
        ProgramOptions().RichTextFont = {font, QColor(c.color)};
        run("FileNewItem");
        type(QStringLiteral("mot"));
        QTextCursor cursor = active().RichEdit->textCursor();
        cursor.setPosition(1);
        const QTextCharFormat typed = cursor.charFormat();
        EXPECT_EQ(typed.foreground().color(), QColor(c.color));
        EXPECT_EQ(typed.font().family(), QLatin1String(c.family));
        EXPECT_EQ(typed.font().pointSize(), c.points);
    }
}

TEST_F(DocumentWindowTest, NewWindowsLieInsideTheDocumentArea)
{
    form->resize(900, 700);
    settle();
    const QRect area = form->MdiArea->viewport()->rect();
    QPoint previous(-1, -1);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        run("FileNewItem");
        const QRect window = active().subWindow()->geometry();
        EXPECT_TRUE(area.contains(window)) << window.x() << "," << window.y() << " " << window.width() << "x"
                                           << window.height();
        EXPECT_NE(window.topLeft(), previous) << "each window is cascaded from the last";
        previous = window.topLeft();
    }
}

} // namespace
} // namespace ombre::test
