// Qt's font dialog as the program shows it: the style names of the font files in French, and the
// style of the font it is given chosen when it opens.

#include "platform/font_color_dialog.h"
#include "platform/font_style_names.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QStyledItemDelegate>
#include <QTimer>
#include <gtest/gtest.h>

namespace ombre::test {
namespace {

TEST(FrenchStyleNameTest, TranslatesTheWordsOfAStyle)
{
    struct Case {
        const char *english;
        const char *french;
    };
    for (const Case &c : {Case{"Regular", "Normal"}, Case{"Book", "Normal"}, Case{"Bold", "Gras"},
                          Case{"Italic", "Italique"}, Case{"Bold Italic", "Gras italique"},
                          Case{"Regular Italic", "Italique"}, Case{"Book Oblique", "Oblique"},
                          Case{"Condensed Bold Oblique", "Condensé gras oblique"}, Case{"ExtraLight", "Extra-maigre"},
                          Case{"Semi Bold", "Demi-gras"}, Case{"SemiBold Italic", "Demi-gras italique"},
                          Case{"Light", "Maigre"}, Case{"Medium", "Moyen"}, Case{"Black", "Noir"},
                          // Words it does not know stay as the font names them.
                          Case{"W3", "W3"}, Case{"Bold Display", "Gras Display"}, Case{"", ""}}) {
        EXPECT_EQ(FrenchStyleName(QString::fromUtf8(c.english)).toStdString(), c.french) << c.english;
    }
}

class FontDialogTest : public ::testing::Test {
protected:
    // A family of the machine with a bold style, as the test fonts have.
    static QString familyWithBold()
    {
        for (const QString &family : QFontDatabase::families())
            if (QFontDatabase::styles(family).contains(QStringLiteral("Bold"))
                && QFontDatabase::styles(family).size() > 1)
                return family;
        return QString();
    }

    static QString shown(const QListView &list, int row)
    {
        const auto *delegate = qobject_cast<const QStyledItemDelegate *>(list.itemDelegate());
        return delegate ? delegate->displayText(list.model()->index(row, 0).data(), QLocale()) : QString();
    }
};

TEST_F(FontDialogTest, StylesAreListedAndShownInFrench)
{
    const QString family = familyWithBold();
    if (family.isEmpty())
        GTEST_SKIP() << "no font family with a Bold style on this machine";
    QFontDialog dialog{QFont(family)};
    dialog.setOptions(QFontDialog::DontUseNativeDialog);
    ShowFrenchStyleNames(dialog);

    const QList<QListView *> lists = dialog.findChildren<QListView *>();
    ASSERT_EQ(lists.size(), 3);
    const QListView &styles = *lists.at(1);
    int bold = -1;
    for (int row = 0; row < styles.model()->rowCount(); ++row) {
        const QString english = styles.model()->index(row, 0).data().toString();
        EXPECT_EQ(shown(styles, row).toStdString(), FrenchStyleName(english).toStdString());
        if (english == QLatin1String("Bold"))
            bold = row;
    }
    ASSERT_GE(bold, 0);
    EXPECT_EQ(shown(styles, bold).toStdString(), "Gras");

    // Choosing a style still chooses it, and the field above the list says it in French.
    lists.at(1)->setCurrentIndex(styles.model()->index(bold, 0));
    EXPECT_TRUE(dialog.currentFont().bold());
    QStringList fields;
    for (const QLineEdit *field : dialog.findChildren<QLineEdit *>())
        fields << field->text();
    EXPECT_TRUE(fields.contains(QStringLiteral("Gras"))) << fields.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(fields.contains(QStringLiteral("Bold"))) << fields.join(QLatin1Char('|')).toStdString();
}

TEST_F(FontDialogTest, OpensOnTheStyleOfTheFontItIsGiven)
{
    struct Case {
        bool bold;
        bool italic;
    };
    int families = 0;
    for (const QString &family : QFontDatabase::families()) {
        const QStringList styles = QFontDatabase::styles(family);
        // Families with an upright, a bold, an italic and a bold italic style at least.
        if (!QFontDatabase::isSmoothlyScalable(family) || styles.size() < 4)
            continue;
        ++families;
        for (const Case &c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
            SCOPED_TRACE(family.toStdString() + (c.bold ? " bold" : "") + (c.italic ? " italic" : ""));
            QFont initial(family, 12);
            initial.setBold(c.bold);
            initial.setItalic(c.italic);
            std::optional<QFont> opened;
            QTimer::singleShot(0, [&opened] {
                QWidget *window = QApplication::activeModalWidget();
                ASSERT_NE(window, nullptr);
                if (auto *fonts = window->findChild<QFontDialog *>())
                    opened = fonts->currentFont();
                window->close();
            });
            runFontColorDialog(nullptr, {initial, Qt::black}, QStringLiteral("Police"));
            ASSERT_TRUE(opened.has_value());
            EXPECT_EQ(opened->bold(), c.bold);
            EXPECT_EQ(opened->italic(), c.italic);
        }
    }
    if (families == 0)
        GTEST_SKIP() << "no font family of that kind on this machine";
}

TEST_F(FontDialogTest, AMissingFamilyOpensOnItsStandInAndKeepsItsName)
{
    const QString missing = QStringLiteral("Arial");
    if (QFontDatabase::families().contains(missing))
        GTEST_SKIP() << "Arial is installed here";
    const QString standIn = QFontInfo(QFont(missing)).family();
    struct Case {
        const char *what;
        bool changeFamily;
    };
    for (const Case &c : {Case{"confirmed as it opened", false}, Case{"another family chosen", true}}) {
        SCOPED_TRACE(c.what);
        QString opened;
        QString other;
        QTimer::singleShot(0, [&] {
            QWidget *window = QApplication::activeModalWidget();
            ASSERT_NE(window, nullptr);
            auto *fonts = window->findChild<QFontDialog *>();
            ASSERT_NE(fonts, nullptr);
            opened = fonts->currentFont().families().value(0);
            if (c.changeFamily) {
                other = QFontDatabase::families().value(0) == opened ? QFontDatabase::families().value(1)
                                                                     : QFontDatabase::families().value(0);
                fonts->setCurrentFont(QFont(other));
                other = fonts->currentFont().families().value(0);
            }
            qobject_cast<QDialog *>(window)->accept();
        });
        const std::optional<FontChoice> chosen =
            runFontColorDialog(nullptr, {QFont(missing, 12), Qt::black}, QStringLiteral("Police"));
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(opened, standIn);
        EXPECT_EQ(chosen->font.families().value(0), c.changeFamily ? other : missing);
    }
}

} // namespace
} // namespace ombre::test
