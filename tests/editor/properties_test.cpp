// The document properties: the character and word counts, and the dialog the file menu opens on
// the active document.

#include "editor/properties/proprietes_dialog.h"
#include "editor/properties/word_count.h"
#include "editor_fixture.h"
#include "support/codage_answers.h"
#include "support/dialog_driver.h"
#include "support/text_printing.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <optional>

namespace ombre::test {
namespace {

const QString DefaultSymbols = TProgramOptions().Symboles;

TEST(WordCount, CountsCharactersAndWordsByTheFoldedText)
{
    const struct Case {
        const char *name;
        QString text;
        QString symbols;
        qsizetype characters;
        qsizetype words;
    } cases[] = {
        {"empty", QString(), DefaultSymbols, 0, 0},
        {"two lines read from a file", QStringLiteral("ab\r\ncd"), DefaultSymbols, 4, 2},
        {"two paragraphs of the document", QStringLiteral("ab\u2029cd"), DefaultSymbols, 4, 2},
        {"a line break inside a paragraph", QStringLiteral("ab\u2028cd"), DefaultSymbols, 4, 2},
        {"elision, apostrophe a symbol", QStringLiteral("l'été"), DefaultSymbols, 5, 1},
        {"elision, no symbols", QStringLiteral("l'été"), QString(), 5, 2},
        {"aujourd'hui, apostrophe a symbol", QStringLiteral("aujourd'hui"), DefaultSymbols, 11, 1},
        {"aujourd'hui, no symbols", QStringLiteral("aujourd'hui"), QString(), 11, 2},
        {"decimal comma", QStringLiteral("12,5"), DefaultSymbols, 4, 2},
        {"decimal comma, no symbols", QStringLiteral("12,5"), QString(), 4, 2},
        {"French accent folded", QStringLiteral("où"), DefaultSymbols, 2, 1},
        {"œ is no letter", QStringLiteral("cœur"), DefaultSymbols, 4, 2},
        {"œ declared a letter", QStringLiteral("cœur"), QStringLiteral("œ"), 4, 1},
        {"ñ is no letter", QStringLiteral("señor"), DefaultSymbols, 5, 2},
        {"ñ declared a letter", QStringLiteral("señor"), QStringLiteral("ñ"), 5, 1},
        {"æ of the default symbols", QStringLiteral("cæcum"), DefaultSymbols, 5, 1},
        {"a lower-case symbol matches nothing", QStringLiteral("l'été"), QStringLiteral("a"), 5, 2},
        {"the blank of the symbols ignored", QStringLiteral("un deux"), QStringLiteral(" '"), 7, 2},
        {"accents as combining marks", QStringLiteral("e\u0301te\u0301"), DefaultSymbols, 3, 1},
        {"a combining mark ending a long run", QString(4095, u'a') + QStringLiteral("e\u0301"), DefaultSymbols,
         4096, 1},
        {"a character beyond 16 bits", QStringLiteral("la \U0001D11E clé"), QStringLiteral("\U0001D11E"), 8, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CountCharacters(c.text), c.characters);
        EXPECT_EQ(CountWords(c.text, c.symbols), c.words);
    }
}

// The six values (and the container's size when shown) as the dialog displays them.
struct Shown {
    QString nom, taille, caraTotal, motTotal, caraSelect, motSelect;
    std::optional<QString> tailleConteneur;
};

class PropertiesTest : public EditorTest {
protected:
    // Opens the dialog from the file menu, reads it and closes it with its button.
    Shown properties()
    {
        Shown shown;
        answerForm<TProprietes>(modal, [&shown](TProprietes &dialog) {
            const auto value = [&dialog](const char *name) {
                const auto *label = dialog.findChild<QLabel *>(QLatin1String(name));
                return label ? label->text() : QStringLiteral("<none>");
            };
            shown = {value("Nom"),      value("Taille"),     value("CaraTotal"),
                     value("MotTotal"), value("CaraSelect"), value("MotSelect"), std::nullopt};
            if (dialog.findChild<QLabel *>(QStringLiteral("TailleConteneur")))
                shown.tailleConteneur = value("TailleConteneur");
            click(dialog.BtnOk);
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        });
        run("ProprietesItem");
        return shown;
    }

    // What Save writes for the active document, in the dialog's form.
    QString savedSize()
    {
        run("FileSaveItem");
        return withUnit(QFileInfo(active().DocumentInfo.FileName).size(), QStringLiteral(" octet"));
    }
};

TEST_F(PropertiesTest, ShowsTheDocumentsNameSizeAndCounts)
{
    const struct Case {
        const char *file;
        QByteArray bytes;
        int selectFrom, selectTo;
        const char *caraTotal, *motTotal, *caraSelect, *motSelect;
    } cases[] = {
        // The size is that of the RTF, well above the count of characters.
        {"note.rtf", "{\\rtf1\\ansi\\ansicpg1252 {\\b L'\\'e9t\\'e9} arrive.\\par Deux c\\'9cur.\\par}", 0, 5,
         "23 caractères", "5 mots", "5 caractères", "1 mot"},
        // Written back as it was read (UTF-8, LF), not as a new document would be.
        {"lettre.txt", "\xC3\x89t\xC3\xA9 \xC3\xA0 12,5\nhiver", 6, 13, "15 caractères", "5 mots",
         "6 caractères", "3 mots"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        open(writeFile(QLatin1String(c.file), c.bytes));
        select(c.selectFrom, c.selectTo);
        const Shown shown = properties();
        EXPECT_EQ(shown.nom, QLatin1String(c.file));
        EXPECT_EQ(shown.caraTotal, QString::fromUtf8(c.caraTotal));
        EXPECT_EQ(shown.motTotal, QString::fromUtf8(c.motTotal));
        EXPECT_EQ(shown.caraSelect, QString::fromUtf8(c.caraSelect));
        EXPECT_EQ(shown.motSelect, QString::fromUtf8(c.motSelect));
        EXPECT_FALSE(shown.tailleConteneur) << "a document read from its own file";
        EXPECT_EQ(shown.taille, savedSize());
    }
}

TEST_F(PropertiesTest, EmptyDocumentCountsNothing)
{
    run("FileNewItem");
    const QString name = active().windowTitle();
    const Shown shown = properties();
    EXPECT_EQ(shown.nom, name);
    EXPECT_EQ(shown.caraTotal, QStringLiteral("0 caractère"));
    EXPECT_EQ(shown.motTotal, QStringLiteral("0 mot"));
    EXPECT_EQ(shown.caraSelect, QStringLiteral("0 caractère"));
    EXPECT_EQ(shown.motSelect, QStringLiteral("0 mot"));
    modal.answerSaveFile(path(QStringLiteral("vide.rtf")));
    EXPECT_EQ(shown.taille, savedSize()) << "an empty rich document still has its RTF frame";
}

TEST_F(PropertiesTest, DocumentFromAContainerShowsTheContainersSizeWhileItExists)
{
    TProgramOptions &options = ProgramOptions();
    options.Code = folder.path();
    options.UUEncode = 0;
    open(writeFile(QStringLiteral("secret.txt"), "Rien \xE0 d\xE9\x63larer."));
    answerEncrypt(modal, QStringLiteral("Lune"));
    run("CrypterItem");
    const QString container = path(QStringLiteral("secret.cod"));
    ASSERT_TRUE(QFile::exists(container));
    answerChoose(modal, QStringLiteral("secret.cod"), QStringLiteral("Lune"));
    run("DecrypterItem");

    const Shown shown = properties();
    EXPECT_EQ(shown.nom, QStringLiteral("secret.txt"));
    EXPECT_EQ(shown.motTotal, QStringLiteral("3 mots"));
    EXPECT_EQ(shown.tailleConteneur, withUnit(QFileInfo(container).size(), QStringLiteral(" octet")));

    ASSERT_TRUE(QFile::remove(container));
    EXPECT_FALSE(properties().tailleConteneur) << "no size for a container that is gone";
}

TEST_F(PropertiesTest, ShowsTheCaptionsOfItsGroupsAndLines)
{
    run("FileNewItem");
    answerForm<TProprietes>(modal, [](TProprietes &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Propriétés"));
        QStringList groups;
        for (const QGroupBox *box : dialog.findChildren<QGroupBox *>()) {
            groups << box->title();
            EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(0x000080)) << box->title().toStdString();
            for (const QLabel *label : box->findChildren<QLabel *>()) {
                groups << label->text();
                EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
            }
        }
        EXPECT_EQ(groups, (QStringList{QStringLiteral(" Fichier "), QStringLiteral("Nom du document"),
                                       QStringLiteral(":"), dialog.Nom->text(), QStringLiteral("Taille du document"),
                                       QStringLiteral(":"), dialog.Taille->text(), QStringLiteral(" Document "),
                                       QStringLiteral("Nombre de caractères"), QStringLiteral(":"),
                                       QStringLiteral("0 caractère"), QStringLiteral("Nombre de mots trouvés"),
                                       QStringLiteral(":"), QStringLiteral("0 mot"),
                                       QStringLiteral(" Texte sélectionné "), QStringLiteral("Nombre de caractères"),
                                       QStringLiteral(":"), QStringLiteral("0 caractère"),
                                       QStringLiteral("Nombre de mots trouvés"), QStringLiteral(":"),
                                       QStringLiteral("0 mot")}));
        EXPECT_EQ(dialog.BtnOk->text(), QStringLiteral("&Ok"));
        EXPECT_TRUE(dialog.BtnOk->isDefault());
        click(dialog.BtnOk);
        EXPECT_FALSE(dialog.isVisible());
    });
    run("ProprietesItem");
}

TEST_F(PropertiesTest, NothingWhileUpdating)
{
    run("FileNewItem");
    form->Updating = true;
    form->ProprietesItemClick();
    EXPECT_TRUE(modal.shown().empty());
}

} // namespace
} // namespace ombre::test
