// The about box and the author's addresses: its texts and hints, its animation while it is
// open, its two links, and the scrambled form the addresses and texts are kept in.

#include "help_fixture.h"
#include "integrations/startup/about_box.h"
#include "integrations/startup/author_links.h"
#include "integrations/startup/moon_animation.h"
#include "integrations/startup/scrambled_text.h"
#include "support/dialog_driver.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace ombre::test {
namespace {

template <std::size_t N>
bool storedInClear(const ScrambledText<N> &text, std::string_view plain)
{
    const auto &bytes = text.scrambled();
    return std::search(bytes.begin(), bytes.end(), plain.begin(), plain.end()) != bytes.end();
}

TEST(ScrambledTextTest, KeptScrambledAndGivenBackWhole)
{
    static constexpr ScrambledText kAddress("qthelp://fr.morvandel.ombrelunaire.1.0/manuel/pages/a-propos.html");
    static constexpr ScrambledText kAccents("Écrire à l'auteur");
    static constexpr ScrambledText kRepeats("aaaaaaaaaaaaaaaa");
    static constexpr ScrambledText kEmpty("");
    EXPECT_EQ(kAddress.unscrambled(), QStringLiteral("qthelp://fr.morvandel.ombrelunaire.1.0/manuel/pages/a-propos.html"));
    EXPECT_EQ(kAccents.unscrambled(), QStringLiteral("Écrire à l'auteur"));
    EXPECT_EQ(kRepeats.unscrambled(), QStringLiteral("aaaaaaaaaaaaaaaa"));
    EXPECT_TRUE(kEmpty.unscrambled().isEmpty());
    EXPECT_FALSE(storedInClear(kAddress, "ombrelunaire"));
    EXPECT_FALSE(storedInClear(kAddress, "qthelp"));
    EXPECT_FALSE(storedInClear(kRepeats, "aa")) << "a repeated letter must not show as a repeated byte";
}

TEST(AuthorLinksTest, AddressesAreTheBuildOptions)
{
    EXPECT_EQ(AuthorWebAddress(), QUrl(QStringLiteral(OMBRE_AUTHOR_URL)));
    EXPECT_EQ(AuthorMailAddress(), QUrl(QStringLiteral(OMBRE_AUTHOR_MAIL)));
}

using AboutBoxTest = HelpTest;

TEST_F(AboutBoxTest, ShowsItsTextsAndAnimatesWhileOpen)
{
    QPointer<TMoonAnimation> animation;
    answerForm<TAPropos>(modal, [&animation](TAPropos &box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("A propos de..."));
        EXPECT_EQ(box.size(), QSize(236, 280));
        EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "a fixed dialog";
        EXPECT_EQ(box.ProgramIcon->size(), QSize(32, 32));
        EXPECT_FALSE(box.Logo->pixmap().isNull());
        EXPECT_EQ(box.ProgramIcon->y(), box.Logo->y() + 4) << "icon and logo side by side";

        const struct {
            const QLabel *label;
            QString text;
            Qt::Alignment horizontal;
        } labels[] = {
            {box.Version, QStringLiteral("Version 1.0 BETA 03"), Qt::AlignRight},
            {box.Edition, QStringLiteral("Édition française pour Linux"), Qt::AlignRight},
            {box.Algorithm, QStringLiteral("Algorithme de codage Pukall Cipher 1"), Qt::AlignHCenter},
        };
        for (const auto &l : labels) {
            SCOPED_TRACE(l.text.toStdString());
            EXPECT_EQ(l.label->text(), l.text);
            EXPECT_EQ(l.label->alignment() & Qt::AlignHorizontal_Mask, l.horizontal);
        }
        const auto *band = qobject_cast<const QFrame *>(box.Algorithm->parentWidget());
        ASSERT_NE(band, nullptr);
        EXPECT_NE(band->frameShape(), QFrame::NoFrame) << "inside a framed band";

        EXPECT_EQ(box.MailLink->toolTip(), QStringLiteral("Cliquer pour écrire un message électronique à l'auteur"));
        EXPECT_EQ(box.WebLink->toolTip(), QStringLiteral("Cliquer pour vous connecter au site Web de l'auteur"));
        EXPECT_TRUE(box.MailLink->text().contains(AuthorMailText().toHtmlEscaped()));
        EXPECT_TRUE(box.WebLink->text().contains(AuthorWebText().toHtmlEscaped()));
        EXPECT_EQ(box.BtnOk->text(), QStringLiteral("Ok"));
        EXPECT_EQ(box.BtnOk->toolTip(), QStringLiteral("Ferme la fenêtre"));
        EXPECT_TRUE(box.BtnOk->isDefault());

        animation = box.Animation;
        EXPECT_TRUE(box.Animation->isAnimating());
        const int first = box.Animation->frame();
        EXPECT_TRUE(QTest::qWaitFor([&box, first] { return box.Animation->frame() != first; }))
            << "the picture moves while the box is open";
        click(box.BtnOk);
        EXPECT_FALSE(box.Animation->isAnimating()) << "and stops when it closes";
    });
    run("HelpAboutItem");
    EXPECT_TRUE(animation.isNull()) << "destroyed when it closes";
}

TEST_F(AboutBoxTest, LinksOpenTheAuthorsAddresses)
{
    AddressRecorder mail(AuthorMailAddress().scheme());
    answerForm<TAPropos>(modal, [](TAPropos &box) {
        for (QLabel *link : {box.MailLink, box.WebLink}) {
            const QString text = link->text();
            const qsizetype start = text.indexOf(QLatin1String("href=\"")) + 6;
            emit link->linkActivated(text.mid(start, text.indexOf(QLatin1Char('"'), start) - start));
        }
        click(box.BtnOk);
    });
    run("HelpAboutItem");
    EXPECT_EQ(mail.opened, QList<QUrl>{AuthorMailAddress()});
    if (AuthorWebAddress().scheme() == QLatin1String(kHelpScheme)) {
        THelpWindow &window = help();
        EXPECT_EQ(window.Browser->source(), AuthorWebAddress());
    }
}

} // namespace
} // namespace ombre::test
