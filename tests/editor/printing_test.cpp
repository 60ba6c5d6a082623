// Printing through the commands onto a PDF printer, read back with poppler's pdftotext: the text,
// the foot lines, the margins of the page set-up, the size of the text, the dialogs' options and
// what happens with no printer at all.

#include "editor_fixture.h"

#include "editor/printing/document_printing.h"

#include <QDoubleSpinBox>
#include <QComboBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <map>

namespace ombre::test {
namespace {

const QString NoPrinter = QStringLiteral(
    "Aucune imprimante n'est installée.\r\n\r\nInstallez-en une dans les paramètres du système, puis recommencez.");
const QString PrintFailed = QStringLiteral(
    "L'impression n'a pas pu se faire.\r\n\r\nVérifiez que l'imprimante est prête, puis recommencez.");

constexpr qreal kPointsPerMm = 72.0 / 25.4;
constexpr qreal kToleranceMm = 0.5;

struct Word {
    QString text;
    QRectF box; // points, from the page's top left corner
};

struct Page {
    QSizeF size; // points
    std::vector<Word> words;
};

bool havePdftotext()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QString pdftotext(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The lines of text of a PDF, trimmed, without the empty ones.
QStringList textLines(const QString &pdf)
{
    QStringList lines;
    for (QString line : pdftotext({pdf, QStringLiteral("-")}).split(QLatin1Char('\n'))) {
        line = line.remove(QLatin1Char('\f')).trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

std::vector<Page> wordBoxes(const QString &pdf)
{
    static const QRegularExpression pageTag(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Page> pages;
    for (const QString &line : pdftotext({QStringLiteral("-bbox"), pdf, QStringLiteral("-")}).split(QLatin1Char('\n'))) {
        if (const auto page = pageTag.match(line); page.hasMatch()) {
            pages.push_back({QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()), {}});
        } else if (const auto word = wordTag.match(line); word.hasMatch() && !pages.empty()) {
            const QPointF topLeft(word.captured(1).toDouble(), word.captured(2).toDouble());
            const QPointF bottomRight(word.captured(3).toDouble(), word.captured(4).toDouble());
            pages.back().words.push_back({word.captured(5), QRectF(topLeft, bottomRight)});
        }
    }
    return pages;
}

// The rectangle that the words of a page cover, in millimetres from the page's edges.
QMarginsF inkMargins(const Page &page)
{
    QRectF ink;
    for (const Word &word : page.words)
        ink = ink.isNull() ? word.box : ink.united(word.box);
    return QMarginsF(ink.left(), ink.top(), page.size.width() - ink.right(), page.size.height() - ink.bottom())
           / kPointsPerMm;
}

const Word *findWord(const std::vector<Page> &pages, const QString &text)
{
    for (const Page &page : pages)
        for (const Word &word : page.words)
            if (word.text == text)
                return &word;
    return nullptr;
}

class PrintingTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        run("FileNewItem");
    }

    QTextDocument &document() const { return *active().RichEdit->document(); }

    // The session's printer writes `pdf`, on A4 with these margins.
    void printToPdf(const QMarginsF &marginsMm)
    {
        QPrinter &printer = form->printer();
        printer.setOutputFileName(pdf);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, marginsMm, QPageLayout::Millimeter));
    }

    // Enough text for two pages: paragraphs long enough to wrap, short ones, and one set flush
    // right, so that the text reaches every margin.
    void fillTwoPages()
    {
        QTextCursor cursor(&document());
        cursor.insertText(QStringLiteral("Début"));
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        cursor.insertBlock(right);
        cursor.insertText(QStringLiteral("À droite"));
        cursor.insertBlock(QTextBlockFormat());
        for (int n = 1; n <= 60; ++n) {
            cursor.insertText(QStringLiteral("Paragraphe %1 : l'élève a déjà vu où ça se trouve.").arg(n));
            cursor.insertBlock();
            if (n % 10 == 0) {
                cursor.insertText(QStringLiteral("Une longue phrase qui remplit la ligne entière et passe à la suivante, "
                                                 "puis encore une fois, pour que le texte aille d'une marge à l'autre "
                                                 "et montre où la page s'arrête.")
                                      .repeated(2));
                cursor.insertBlock();
            }
        }
        cursor.insertText(QStringLiteral("Fin"));
    }

    void expectMargins(const QMarginsF &expectedMm) const
    {
        const std::vector<Page> pages = wordBoxes(pdf);
        ASSERT_EQ(pages.size(), 2u);
        for (std::size_t index = 0; index < pages.size(); ++index) {
            SCOPED_TRACE("page " + std::to_string(index + 1));
            const QMarginsF ink = inkMargins(pages[index]);
            EXPECT_NEAR(ink.left(), expectedMm.left(), kToleranceMm);
            EXPECT_NEAR(ink.top(), expectedMm.top(), kToleranceMm);
            EXPECT_NEAR(ink.bottom(), expectedMm.bottom(), kToleranceMm);
            // Page 1 holds the paragraph set flush right; no word of any page passes the margin.
            if (index == 0)
                EXPECT_NEAR(ink.right(), expectedMm.right(), kToleranceMm);
            else
                EXPECT_GE(ink.right(), expectedMm.right() - kToleranceMm);
        }
    }

    QString pdf = path(QStringLiteral("imprimé.pdf"));
};

#define REQUIRE_PDFTOTEXT()                                       \
    if (!havePdftotext()) {                                       \
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed"; \
    }

TEST_F(PrintingTest, PrintsEveryParagraphAndThePageNumbersAndLeavesTheEditorAlone)
{
    REQUIRE_PDFTOTEXT();
    fillTwoPages();
    document().setModified(false);
    const QString before = document().toHtml();
    const QFont fontBefore = document().defaultFont();
    printToPdf(QMarginsF(20, 20, 20, 20));

    run("BtnPrint");

    EXPECT_TRUE(messageTexts().empty());
    const QStringList lines = textLines(pdf);
    for (const QString &paragraph : document().toPlainText().split(QChar::LineFeed)) {
        if (paragraph.size() < 60) { // the long ones wrap, so they are not one line of the output
            EXPECT_EQ(lines.count(paragraph), 1) << paragraph.toStdString();
        }
    }
    EXPECT_EQ(lines.count(QStringLiteral("page 1 / 2")), 1);
    EXPECT_EQ(lines.count(QStringLiteral("page 2 / 2")), 1);
    EXPECT_EQ(wordBoxes(pdf).size(), 2u);
    EXPECT_EQ(document().toHtml(), before);
    EXPECT_FALSE(document().isModified());
    EXPECT_EQ(document().defaultFont(), fontBefore);
}

TEST_F(PrintingTest, TheTextFillsThePageSetUpsMarginsExactly)
{
    REQUIRE_PDFTOTEXT();
    fillTwoPages();
    for (const QMarginsF &margins : {QMarginsF(10, 15, 20, 25), QMarginsF(30, 30, 30, 30)}) {
        SCOPED_TRACE(QStringLiteral("%1/%2/%3/%4 mm")
                         .arg(margins.left())
                         .arg(margins.top())
                         .arg(margins.right())
                         .arg(margins.bottom())
                         .toStdString());
        printToPdf(margins);
        run("BtnPrint");
        expectMargins(margins);
    }
}

TEST_F(PrintingTest, IndentsAndBulletsPrintWhereTheEditorShowsThem)
{
    REQUIRE_PDFTOTEXT();
    // Through the commands the user has: a paragraph indented twice (60 pt), and one with bullets
    // (the text hanging 10 pt after the bullet).
    type(QStringLiteral("Retrait\nPuce\nBord"));
    QTextCursor cursor(document().firstBlock());
    active().RichEdit->setTextCursor(cursor);
    run("AugmenterItem");
    run("AugmenterItem");
    cursor.setPosition(document().firstBlock().next().position());
    active().RichEdit->setTextCursor(cursor);
    run("BtnBullet");
    printToPdf(QMarginsF(20, 20, 20, 20));
    run("BtnPrint");

    const std::vector<Page> pages = wordBoxes(pdf);
    const Word *edge = findWord(pages, QStringLiteral("Bord"));
    const Word *indented = findWord(pages, QStringLiteral("Retrait"));
    const Word *bulleted = findWord(pages, QStringLiteral("Puce"));
    ASSERT_TRUE(edge && indented && bulleted);
    EXPECT_NEAR(edge->box.left() / kPointsPerMm, 20, kToleranceMm);
    EXPECT_NEAR(indented->box.left() - edge->box.left(), 60, kToleranceMm * kPointsPerMm);
    EXPECT_NEAR(bulleted->box.left() - edge->box.left(), 10, kToleranceMm * kPointsPerMm);
    // The bullet (drawn, not a character) is ink between the margin and its text, on its line.
    const QString picture = path(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-singlefile"),
                                 QStringLiteral("-png"), pdf, picture}),
              0);
    const QImage page(picture + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    int inked = 0;
    for (int x = int(edge->box.left()) - 1; x < int(bulleted->box.left()) - 1; ++x)
        for (int y = int(bulleted->box.top()); y < int(bulleted->box.bottom()); ++y)
            inked += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(inked, 0) << "no bullet before the text";
}

TEST_F(PrintingTest, TextPrintsAtTheSizeTheUserSees)
{
    REQUIRE_PDFTOTEXT();
    // 13 px on a 96 dpi screen is 9.75 pt: each word's height against that of the reference.
    const auto sized = [](auto set) {
        QTextCharFormat format;
        set(format);
        return format;
    };
    const std::map<QString, std::pair<QTextCharFormat, qreal>> cases{
        {QStringLiteral("Référence"), {sized([](QTextCharFormat &f) { f.setFontPointSize(9.75); }), 1.0}},
        {QStringLiteral("Ordinaire"), {QTextCharFormat(), 1.0}}, // the document's own 13 px
        {QStringLiteral("Pixels"),
         {sized([](QTextCharFormat &f) {
              QFont font(QStringLiteral("Arial"));
              font.setPixelSize(26);
              f.setFont(font);
          }),
          2.0}},
        {QStringLiteral("Points"), {sized([](QTextCharFormat &f) { f.setFontPointSize(19.5); }), 2.0}},
    };
    QFont editorDefault(QStringLiteral("Arial"));
    editorDefault.setPixelSize(13);
    document().setDefaultFont(editorDefault);
    QTextCursor cursor(&document());
    cursor.setBlockCharFormat(QTextCharFormat());
    for (const auto &[word, format] : cases) {
        cursor.insertText(word, format.first);
        cursor.insertBlock();
    }
    printToPdf(QMarginsF(20, 20, 20, 20));
    run("BtnPrint");

    const std::vector<Page> pages = wordBoxes(pdf);
    const Word *reference = findWord(pages, QStringLiteral("Référence"));
    ASSERT_NE(reference, nullptr);
    for (const auto &[word, format] : cases) {
        SCOPED_TRACE(word.toStdString());
        const Word *printed = findWord(pages, word);
        ASSERT_NE(printed, nullptr);
        EXPECT_NEAR(printed->box.height() / reference->box.height(), format.second, 0.01);
    }
}

TEST_F(PrintingTest, ThePrintDialogOffersTheWholeDocumentOnly)
{
    REQUIRE_PDFTOTEXT();
    type(QStringLiteral("Lettre à imprimer"));
    printToPdf(QMarginsF(20, 20, 20, 20));

    modal.answerDialog([](QDialog &dialog) {
        auto *print = qobject_cast<QPrintDialog *>(&dialog);
        ASSERT_NE(print, nullptr);
        for (const auto option : {QAbstractPrintDialog::PrintPageRange, QAbstractPrintDialog::PrintCurrentPage,
                                  QAbstractPrintDialog::PrintSelection, QAbstractPrintDialog::PrintToFile})
            EXPECT_FALSE(print->testOption(option)) << option;
        EXPECT_EQ(print->printRange(), QAbstractPrintDialog::AllPages);
        // Qt's dialog shows its page range choices whatever the options: they must be hidden.
        print->show();
        const auto *range = print->findChild<QWidget *>(QStringLiteral("gbPrintRange"));
        ASSERT_NE(range, nullptr);
        EXPECT_TRUE(range->isHidden());
        // Accepted as is (its own OK would choose a printer of the system over the test's file).
        dialog.setResult(QDialog::Accepted);
    });
    run("FilePrintItem");
    EXPECT_EQ(textLines(pdf), QStringList({QStringLiteral("Lettre à imprimer"), QStringLiteral("page 1 / 1")}));

    QFile::remove(pdf);
    modal.answerDialog([](QDialog &) {}); // cancelled
    run("FilePrintItem");
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintingTest, ThePageSetUpInMillimetresGivesTheNextPrintItsMargins)
{
    REQUIRE_PDFTOTEXT();
    fillTwoPages();
    printToPdf(QMarginsF(20, 20, 20, 20));
    const QMarginsF chosen(12, 18, 24, 30);

    modal.answerDialog([&chosen](QDialog &dialog) {
        ASSERT_NE(qobject_cast<QPageSetupDialog *>(&dialog), nullptr);
        const auto spin = [&dialog](const char *name) { return dialog.findChild<QDoubleSpinBox *>(QLatin1String(name)); };
        const auto *units = dialog.findChild<QComboBox *>(QStringLiteral("unitCombo"));
        ASSERT_TRUE(units && spin("leftMargin") && spin("topMargin") && spin("rightMargin") && spin("bottomMargin"));
        EXPECT_EQ(units->currentData().value<QPageLayout::Unit>(), QPageLayout::Millimeter);
        EXPECT_DOUBLE_EQ(spin("leftMargin")->value(), 20.0);
        // The dialog sets the printer up in its own exec, as for a user: typed in, then OK.
        QTimer::singleShot(0, &dialog, [&] {
            spin("leftMargin")->setValue(chosen.left());
            spin("topMargin")->setValue(chosen.top());
            spin("rightMargin")->setValue(chosen.right());
            spin("bottomMargin")->setValue(chosen.bottom());
            dialog.accept();
        });
        dialog.exec();
    });
    run("FileConfigItem");
    run("BtnPrint");
    expectMargins(chosen);
}

TEST_F(PrintingTest, ThePreviewShowsThePagesThatArePrintedAndPrintsThroughThePrintDialog)
{
    REQUIRE_PDFTOTEXT();
    fillTwoPages();
    printToPdf(QMarginsF(20, 20, 20, 20));
    run("BtnPrint");
    const std::size_t printed = wordBoxes(pdf).size();
    ASSERT_EQ(printed, 2u);
    QFile::remove(pdf);

    modal.answerDialog([printed](QDialog &dialog) {
        ASSERT_NE(qobject_cast<QPrintPreviewDialog *>(&dialog), nullptr);
        auto *view = dialog.findChild<QPrintPreviewWidget *>();
        ASSERT_NE(view, nullptr);
        dialog.show(); // the preview is painted when first shown
        EXPECT_EQ(std::size_t(view->pageCount()), printed);
        // Its print button runs the program's print dialog (answered next), then closes it.
        for (QAction *button : dialog.findChildren<QAction *>())
            if (button->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
                button->trigger();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    modal.answerDialog([](QDialog &dialog) {
        auto *print = qobject_cast<QPrintDialog *>(&dialog);
        ASSERT_NE(print, nullptr);
        EXPECT_FALSE(print->testOption(QAbstractPrintDialog::PrintPageRange));
        dialog.setResult(QDialog::Accepted);
    });
    run("ApercuItem");
    EXPECT_EQ(wordBoxes(pdf).size(), printed);
}

TEST(PrinterMissingTest, OnlyAPrinterWithNeitherFileNorInstalledPrinterIsMissing)
{
    QPrinter toFile;
    toFile.setOutputFileName(QStringLiteral("/tmp/sortie.pdf"));
    QPrinter nowhere(QPrinter::HighResolution);
    nowhere.setOutputFormat(QPrinter::PdfFormat); // what a printer made with none installed becomes
    const QStringList none;
    const QStringList one{QStringLiteral("Bureau")};

    EXPECT_FALSE(printerMissing(toFile, none));
    EXPECT_FALSE(printerMissing(toFile, one));
    EXPECT_TRUE(printerMissing(nowhere, none));
    EXPECT_TRUE(printerMissing(nowhere, one)); // the frame makes it anew on the installed one
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) { // a printer of the system can be made
        const QPrinter native;
        ASSERT_EQ(native.outputFormat(), QPrinter::NativeFormat);
        EXPECT_FALSE(printerMissing(native, one));
        EXPECT_TRUE(printerMissing(native, none)); // uninstalled since
    }
}

TEST_F(PrintingTest, WithNoPrinterEachCommandSaysSoAndPrintsNothing)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed on this machine";
    type(QStringLiteral("Texte"));
    // The preview needs no printer; its print button says there is none.
    modal.answerDialog([](QDialog &dialog) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
        ASSERT_NE(preview, nullptr);
        preview->show();
        EXPECT_EQ(preview->findChild<QPrintPreviewWidget *>()->pageCount(), 1);
        for (QAction *button : preview->findChildren<QAction *>())
            if (button->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print"))
                button->trigger();
        preview->hide();
    });
    modal.answerMessage(QMessageBox::Ok);
    run("ApercuItem");
    ASSERT_EQ(modal.shown().size(), 2u);
    EXPECT_EQ(modal.shown().back().text, NoPrinter);
    for (const char *command : {"FilePrintItem", "BtnPrint", "FileConfigItem"}) {
        SCOPED_TRACE(command);
        modal.answerMessage(QMessageBox::Ok);
        const std::size_t before = modal.shown().size();
        run(command);
        ASSERT_EQ(modal.shown().size(), before + 1); // the message and no dialog
        EXPECT_EQ(modal.shown().back().kind, ScriptedModal::Kind::Message);
        EXPECT_EQ(modal.shown().back().icon, QMessageBox::Critical);
        EXPECT_EQ(modal.shown().back().text, NoPrinter);
    }
}

TEST_F(PrintingTest, APrinterThatCannotStartIsReported)
{
    type(QStringLiteral("Texte"));
    printToPdf(QMarginsF(20, 20, 20, 20));
    form->printer().setOutputFileName(path(QStringLiteral("absent/imprimé.pdf")));
    modal.answerMessage(QMessageBox::Ok);
    run("BtnPrint");
    EXPECT_EQ(messageTexts(), std::vector<QString>{PrintFailed});
}

TEST_F(PrintingTest, WhileUpdatingTheCommandsDoNothing)
{
    type(QStringLiteral("Texte"));
    printToPdf(QMarginsF(20, 20, 20, 20));
    form->Updating = true;
    for (const char *command : {"FilePrintItem", "BtnPrint", "ApercuItem", "FileConfigItem"})
        run(command);
    form->Updating = false;
    EXPECT_TRUE(modal.shown().empty());
    EXPECT_FALSE(QFile::exists(pdf));
}

// Not a check of its own: scripts/interop/print-check runs it with OMBRELUNAIRE_PRINT_CHECK set to
// a file name. It prints a sample on the system's default printer (a CUPS queue that writes PDF
// files), A4 with 20 mm margins all round, then the same sample into that file, to compare with
// what the queue wrote.
TEST_F(PrintingTest, PrintsASampleOnTheDefaultPrinterWhenAsked)
{
    const QString reference = qEnvironmentVariable("OMBRELUNAIRE_PRINT_CHECK");
    if (reference.isEmpty())
        GTEST_SKIP() << "OMBRELUNAIRE_PRINT_CHECK is not set";
    fillTwoPages();
    form->printer().setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    ASSERT_EQ(form->printer().outputFormat(), QPrinter::NativeFormat);
    run("BtnPrint");
    form->printer().setOutputFileName(reference);
    run("BtnPrint");
    EXPECT_TRUE(messageTexts().empty());
}

} // namespace
} // namespace ombre::test
