// The editing and formatting commands as the user meets them: each driven through its action, on
// a selection or at the typing position, checked character by character and paragraph by
// paragraph, and undone in one step.

#include "editor/editing/color_menu.h"
#include "editor/ruler.h"
#include "editor/ruler_math.h"
#include "rtf/rtf_properties.h"
#include "editor_fixture.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>
#include <functional>

namespace ombre::test {
namespace {

class FormattingTest : public EditorTest {
protected:
    QTextEdit &edit() const { return *active().RichEdit; }

    // A new rich document holding `text` ('\n' separates paragraphs), [from, to) selected.
    void write(const QString &text, int from, int to)
    {
        run("FileNewItem");
        type(text);
        select(from, to);
    }

    void select(int from, int to)
    {
        EditorTest::select(from, to);
        settle();
    }

    // One character per position of the first paragraph: '1' where `has` holds, else '0'.
    QString mask(const std::function<bool(const QTextCharFormat &)> &has) const
    {
        QString out;
        const QTextBlock block = edit().document()->firstBlock();
        for (int i = 0; i < block.length() - 1; ++i) {
            QTextCursor cursor(edit().document());
            cursor.setPosition(block.position() + i + 1); // the format of the character before
            out += has(cursor.charFormat()) ? QLatin1Char('1') : QLatin1Char('0');
        }
        return out;
    }

    // One character per paragraph.
    QString paragraphMask(const std::function<bool(const QTextBlock &)> &has) const
    {
        QString out;
        for (QTextBlock b = edit().document()->firstBlock(); b.isValid(); b = b.next())
            out += has(b) ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }

    static ParagraphIndents indents(const QTextBlock &block)
    {
        const QTextBlockFormat f = block.blockFormat();
        return IndentsFromMargins(f.leftMargin(), rtf::firstLineIndent(block), f.rightMargin());
    }
};

using CharTest = std::function<bool(const QTextCharFormat &)>;
const CharTest isBold = [](const QTextCharFormat &f) { return f.fontWeight() == QFont::Bold; };
const CharTest isItalic = [](const QTextCharFormat &f) { return f.fontItalic(); };
const CharTest isUnderlined = [](const QTextCharFormat &f) { return f.fontUnderline(); };
const CharTest isRed = [](const QTextCharFormat &f) { return f.foreground().color() == QColor(0xFF0000); };
const CharTest is20Points = [](const QTextCharFormat &f) { return f.fontPointSize() == 20; };
const CharTest isSerif = [](const QTextCharFormat &f) {
    return f.fontFamilies().toStringList().value(0) == QStringLiteral("Liberation Serif");
};

TEST_F(FormattingTest, CharacterCommandsFormatTheSelectionOnly)
{
    struct Case {
        const char *what;
        std::function<void()> command;
        CharTest property;
        const char *expected; // over "abcdef" with "bcd" selected
    };
    const Case cases[] = {
        {"bold", [this] { run("BtnBold"); }, isBold, "011100"},
        {"bold twice", [this] { run("BtnBold"); run("BtnBold"); }, isBold, "000000"},
        {"italic", [this] { run("BtnItalic"); }, isItalic, "011100"},
        {"underline", [this] { run("BtnUnderline"); }, isUnderlined, "011100"},
        {"bold keeps italic", [this] { run("BtnItalic"); run("BtnBold"); }, isItalic, "011100"},
        {"colour item", [this] { form->PopupColor->findChild<QAction *>("C09")->trigger(); },
         isRed, "011100"},
        {"size box", [this] { form->ComboSize->setEditText(QStringLiteral("20")); }, is20Points,
         "011100"},
        {"font box",
         [this] {
             form->ComboFont->setCurrentIndex(form->ComboFont->findText(QStringLiteral("Liberation Serif")));
         },
         isSerif, "011100"},
        {"colour dialog",
         [this] {
             modal.answerColor(QColor(0xFF0000));
             run("BtnColor");
         },
         isRed, "011100"},
        {"font dialog",
         [this] {
             QFont font(QStringLiteral("Liberation Serif"));
             font.setPointSize(20);
             font.setBold(true);
             modal.answerFontAndColor(FontChoice{font, QColor(0xFF0000)});
             run("PolicesItem");
         },
         [](const QTextCharFormat &f) { return isSerif(f) && is20Points(f) && isBold(f) && isRed(f); }, "011100"},
        {"cancelled font dialog",
         [this] {
             modal.answerFontAndColor(std::nullopt);
             run("PolicesItem");
         },
         isBold, "000000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write(QStringLiteral("abcdef"), 1, 4);
        c.command();
        EXPECT_EQ(mask(c.property), QLatin1String(c.expected));
        modal.answerMessage(QMessageBox::No); // not saved
        run("FileCloseItem");
    }
}

TEST_F(FormattingTest, WithNothingSelectedTheFormatAppliesToWhatIsTypedNext)
{
    write(QStringLiteral("ab"), 1, 1);
    run("BtnBold");
    form->PopupColor->findChild<QAction *>("C09")->trigger();
    type(QStringLiteral("X"));
    EXPECT_EQ(mask(isBold), QStringLiteral("010"));
    EXPECT_EQ(mask(isRed), QStringLiteral("010"));
}

TEST_F(FormattingTest, EachFormatChangeIsOneUndoStep)
{
    // The selection spans runs of different formats: still one step.
    write(QStringLiteral("abcdef"), 0, 2);
    run("BtnItalic");
    const QString before = edit().toHtml();
    select(1, 5);
    run("BtnBold");
    ASSERT_NE(edit().toHtml(), before);
    run("UndoItem");
    EXPECT_EQ(edit().toHtml(), before);
    run("RedoItem");
    EXPECT_EQ(mask(isBold), QStringLiteral("011110"));
}

TEST_F(FormattingTest, SizeBoxRefusesWhatIsNotAWholeNumber)
{
    write(QStringLiteral("abc"), 0, 3);
    const QString before = edit().toHtml();
    for (const char *text : {"douze", "", "12.5"}) {
        modal.answerMessage(QMessageBox::Ok);
        form->ComboSize->setEditText(QLatin1String(text));
        settle();
        ASSERT_FALSE(modal.messages().empty());
        EXPECT_EQ(modal.messages().back().text,
                  QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(QLatin1String(text)));
        EXPECT_EQ(modal.messages().back().icon, QMessageBox::Critical);
    }
    EXPECT_EQ(edit().toHtml(), before);
    // A zero on the way to another size leaves the text as it is, without a word.
    const auto shown = modal.messages().size();
    form->ComboSize->setEditText(QStringLiteral("0"));
    EXPECT_EQ(modal.messages().size(), shown);
    EXPECT_EQ(edit().toHtml(), before);
}

TEST_F(FormattingTest, ColourMenuChecksTheSelectionsColour)
{
    struct Case {
        QColor color;
        const char *checked;
    };
    for (const Case &c : {Case{QColor(0x800000), "C01"}, Case{QColor(0xFFFFFF), "C15"}, Case{QColor(0x123456), "C17"},
                          Case{QColor(Qt::black), "C00"}}) {
        SCOPED_TRACE(c.checked);
        run("FileNewItem");
        QTextCharFormat format;
        format.setForeground(c.color);
        edit().mergeCurrentCharFormat(format);
        type(QStringLiteral("texte"));
        select(1, 3);
        emit form->PopupColor->aboutToShow();
        for (QAction *a : form->PopupColor->actions()) {
            if (!a->isSeparator()) {
                EXPECT_EQ(a->isChecked(), a->objectName() == QLatin1String(c.checked)) << a->objectName().toStdString();
            }
        }
        modal.answerMessage(QMessageBox::No);
        run("FileCloseItem");
    }
    // Text in no colour of its own is drawn black: "Noir".
    EXPECT_EQ(ColorItemFor(QColor(Qt::black)), QStringLiteral("C00"));
    EXPECT_EQ(ColorOfItem(QStringLiteral("C13")), QColor(0xFF00FF));
    EXPECT_FALSE(ColorOfItem(QStringLiteral("C17")).has_value());
    EXPECT_FALSE(ColorOfItem(QStringLiteral("C16")).has_value());
}

TEST_F(FormattingTest, ParagraphCommandsChangeEveryParagraphTheSelectionTouches)
{
    const auto centred = [](const QTextBlock &b) { return b.blockFormat().alignment() == Qt::AlignHCenter; };
    const auto right = [](const QTextBlock &b) { return b.blockFormat().alignment() == Qt::AlignRight; };
    const auto bullets = [](const QTextBlock &b) {
        return b.textList() && b.textList()->format().style() == QTextListFormat::ListDisc;
    };
    struct Case {
        const char *what;
        std::vector<const char *> commands;
        std::function<bool(const QTextBlock &)> property;
        const char *expected; // over three paragraphs, the first two selected
        const char *button;   // checked afterwards, for the caret's paragraph
    };
    const Case cases[] = {
        {"centre", {"CentreItem"}, centred, "110", "CentreItem"},
        {"right", {"DroiteItem"}, right, "110", "DroiteItem"},
        {"right then left", {"DroiteItem", "GaucheItem"}, right, "000", "GaucheItem"},
        {"bullet button", {"BtnBullet"}, bullets, "110", "PucesItem"},
        {"bullets menu", {"PucesItem"}, bullets, "110", "BtnBullet"},
        {"bullets on and off", {"BtnBullet", "BtnBullet"}, bullets, "000", nullptr},
        {"indent", {"AugmenterItem"}, [](const QTextBlock &b) { return indents(b).first == 30; }, "110", nullptr},
        {"indent twice, reduce once",
         {"AugmenterItem", "AugmenterItem", "ReduireItem"},
         [](const QTextBlock &b) { return indents(b).first == 30; }, "110", nullptr},
        {"reduce at the edge", {"ReduireItem"}, [](const QTextBlock &b) { return indents(b).first == 0; }, "111",
         nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        write(QStringLiteral("Un\nDeux\nTrois"), 1, 5);
        for (const char *command : c.commands)
            run(command);
        EXPECT_EQ(paragraphMask(c.property), QLatin1String(c.expected));
        if (c.button) {
            EXPECT_TRUE(item(c.button).isChecked());
        }
        int alignmentsDown = 0;
        for (const char *name : {"GaucheItem", "CentreItem", "DroiteItem"})
            alignmentsDown += item(name).isChecked() ? 1 : 0;
        EXPECT_EQ(alignmentsDown, 1);
        // One undo step gives back the paragraphs as they were.
        for (std::size_t i = 0; i < c.commands.size(); ++i)
            run("UndoItem");
        EXPECT_EQ(paragraphMask(bullets), QStringLiteral("000"));
        EXPECT_EQ(paragraphMask([](const QTextBlock &b) { return indents(b) == ParagraphIndents{}; }),
                  QStringLiteral("111"));
        modal.answerMessage(QMessageBox::No);
        run("FileCloseItem");
    }
}

TEST_F(FormattingTest, BulletsSetTheHangingIndent)
{
    // On: a hanging indent below 10 points becomes 10, a larger one stays; off: it goes.
    write(QStringLiteral("Un\nDeux"), 0, 0);
    QTextBlockFormat wide;
    const BlockMargins margins = MarginsFromIndents({0, 20, 0});
    wide.setLeftMargin(margins.leftMargin);
    wide.setTextIndent(margins.textIndent);
    QTextCursor second(edit().document()->lastBlock());
    second.setBlockFormat(wide);
    select(0, 4);
    run("BtnBullet");
    EXPECT_EQ(indents(edit().document()->firstBlock()).left, 10);
    EXPECT_EQ(indents(edit().document()->lastBlock()).left, 20);
    // The bullet stands at the first-line indent and the text after it, at the left indent.
    const QTextBlock first = edit().document()->firstBlock();
    EXPECT_NEAR(first.layout()->lineAt(0).x(), MarginsFromIndents({0, 10, 0}).leftMargin, 0.01);
    // Written and read back, the paragraphs keep their bullets and indents.
    modal.answerSaveFile(path(QStringLiteral("puces.rtf")));
    run("FileSaveAsItem");
    run("FileCloseItem");
    open(path(QStringLiteral("puces.rtf")));
    EXPECT_EQ(indents(edit().document()->firstBlock()).left, 10);
    EXPECT_EQ(indents(edit().document()->lastBlock()).left, 20);
    EXPECT_TRUE(edit().document()->lastBlock().textList());
    select(0, 4);
    run("BtnBullet");
    EXPECT_EQ(indents(edit().document()->firstBlock()).left, 0);
    EXPECT_EQ(indents(edit().document()->lastBlock()).left, 0);
}

TEST_F(FormattingTest, CaseFollowsUnicodeAndKeepsEachRunsFormat)
{
    write(QStringLiteral("élève ß àç"), 0, 5);
    run("BtnBold");
    select(0, 10);
    run("MajusculesItem");
    EXPECT_EQ(edit().toPlainText(), QStringLiteral("ÉLÈVE SS ÀÇ"));
    EXPECT_EQ(mask(isBold), QStringLiteral("11111000000"));
    EXPECT_EQ(edit().textCursor().selectedText(), QStringLiteral("ÉLÈVE SS ÀÇ"));
    run("MinusculesItem");
    EXPECT_EQ(edit().toPlainText(), QStringLiteral("élève ss àç"));
    run("UndoItem");
    EXPECT_EQ(edit().toPlainText(), QStringLiteral("ÉLÈVE SS ÀÇ"));
}

TEST_F(FormattingTest, ClipboardCommandsAndPasteFollowingTheClipboard)
{
    QApplication::clipboard()->clear();
    write(QStringLiteral("Bonjour Madame"), 0, 8);
    settle();
    EXPECT_FALSE(item("PasteItem").isEnabled());
    run("CopyItem");
    EXPECT_TRUE(item("PasteItem").isEnabled());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Bonjour "));
    select(8, 14);
    run("CutItem");
    EXPECT_EQ(edit().toPlainText(), QStringLiteral("Bonjour "));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Madame"));
    run("PasteItem");
    run("PasteItem");
    EXPECT_EQ(edit().toPlainText(), QStringLiteral("Bonjour MadameMadame"));
    run("SelectionnerItem");
    EXPECT_EQ(edit().textCursor().selectedText(), edit().toPlainText());
    QApplication::clipboard()->clear();
    settle();
    EXPECT_FALSE(item("PasteItem").isEnabled());
}

TEST_F(FormattingTest, RedoFollowsWhatWasUndone)
{
    write(QStringLiteral("mot"), 3, 3);
    EXPECT_FALSE(item("RedoItem").isEnabled());
    run("UndoItem");
    EXPECT_EQ(edit().toPlainText(), QString());
    EXPECT_TRUE(item("RedoItem").isEnabled());
    EXPECT_FALSE(item("UndoItem").isEnabled());
    run("RedoItem");
    EXPECT_EQ(edit().toPlainText(), QStringLiteral("mot"));
    EXPECT_FALSE(item("RedoItem").isEnabled());
    EXPECT_EQ(item("RedoItem").shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    active().setReadOnly(true);
    run("UndoItem");
    settle();
    EXPECT_FALSE(item("RedoItem").isEnabled()) << "a read-only document is not changed back";
}

TEST_F(FormattingTest, WordWrapNeverChangesTheModifiedFlag)
{
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        write(QStringLiteral("texte"), 0, 0);
        active().setModified(modified);
        const bool wrapped = active().wordWrap();
        run("WordwrapItem");
        EXPECT_EQ(active().wordWrap(), !wrapped);
        EXPECT_EQ(active().DocumentInfo.WordWrap, !wrapped);
        EXPECT_EQ(active().isModified(), modified);
        EXPECT_EQ(active().DocumentInfo.Modified, modified);
        run("WordwrapItem");
        EXPECT_EQ(active().wordWrap(), wrapped);
        EXPECT_EQ(active().isModified(), modified);
        if (modified)
            modal.answerMessage(QMessageBox::No);
        run("FileCloseItem");
    }
}

TEST_F(FormattingTest, RulerSwitchChangesTheActiveDocumentAndLaterOnes)
{
    run("FileNewItem");
    TMDIChild &first = active();
    run("FileNewItem");
    TMDIChild &second = active();
    ASSERT_TRUE(item("RegleItem").isChecked());
    run("RegleItem");
    EXPECT_FALSE(ProgramOptions().Ruler);
    EXPECT_TRUE(second.Ruler->isHidden());
    EXPECT_FALSE(first.Ruler->isHidden());
    run("FileNewItem");
    EXPECT_TRUE(active().Ruler->isHidden());
    EXPECT_FALSE(item("RegleItem").isChecked());
}

TEST_F(FormattingTest, NothingHappensWhileUpdating)
{
    write(QStringLiteral("Un mot\nDeux"), 0, 6);
    run("CopyItem");
    const QString before = edit().toHtml();
    const bool wrap = active().wordWrap();
    form->Updating = true;
    for (const char *name : {"BtnBold", "BtnItalic", "BtnUnderline", "PolicesItem", "BtnColor", "CentreItem",
                             "DroiteItem", "BtnBullet", "PucesItem", "AugmenterItem", "MajusculesItem",
                             "MinusculesItem", "CutItem", "PasteItem", "UndoItem", "WordwrapItem", "RegleItem"}) {
        SCOPED_TRACE(name);
        run(name);
    }
    form->PopupColor->findChild<QAction *>("C09")->trigger();
    form->ComboSize->setEditText(QStringLiteral("x"));
    EXPECT_EQ(edit().toHtml(), before);
    EXPECT_EQ(active().wordWrap(), wrap);
    EXPECT_FALSE(active().Ruler->isHidden());
    EXPECT_TRUE(modal.shown().empty()) << "no dialog while updating";
}

} // namespace
} // namespace ombre::test
