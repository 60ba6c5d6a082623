// RTF written by other programs, each checked for its text and the formatting that matters.

#include "rtf/document_view.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace ombre::rtf {
namespace {

using namespace Qt::Literals::StringLiterals;
using test::fixture;

struct RunCheck
{
    int paragraph;
    QString text; // a run that holds this text
    const char *what;
    std::function<bool(const CharacterProperties &)> holds;
};

struct ParagraphCheck
{
    int paragraph;
    const char *what;
    std::function<bool(const QTextBlock &)> holds;
};

struct Fixture
{
    const char *file;
    QStringList paragraphs; // the first paragraphs, in order
    QList<RunCheck> runs;
    QList<ParagraphCheck> blocks;
};

bool bold(const CharacterProperties &c) { return c.bold; }
bool italic(const CharacterProperties &c) { return c.italic; }
bool underline(const CharacterProperties &c) { return c.underline; }
bool strike(const CharacterProperties &c) { return c.strike; }
bool superscript(const CharacterProperties &c)
{
    return c.verticalAlignment == QTextCharFormat::AlignSuperScript;
}
auto colour(QRgb rgb)
{
    return [rgb](const CharacterProperties &c) { return c.colour.isValid() && c.colour.rgb() == (rgb | 0xFF000000); };
}
auto font(const QString &family, int halfPoints)
{
    return [=](const CharacterProperties &c) { return c.family == family && c.halfPoints == halfPoints; };
}
auto family(const QString &name)
{
    return [=](const CharacterProperties &c) { return c.family == name; };
}
auto aligned(Qt::Alignment alignment)
{
    return [=](const QTextBlock &b) { return ParagraphProperties::of(b).alignment == alignment; };
}
auto indents(int left, int right, int first)
{
    return [=](const QTextBlock &b) {
        const ParagraphProperties p = ParagraphProperties::of(b);
        return p.leftIndent == left && p.rightIndent == right && p.firstIndent == first;
    };
}
auto listed(QTextListFormat::Style style)
{
    return [=](const QTextBlock &b) { return b.textList() && b.textList()->format().style() == style; };
}
bool sameListAsPrevious(const QTextBlock &b)
{
    return b.textList() && b.textList() == b.previous().textList();
}

// LibreOffice and AbiWord wrote the same HTML letter (source-lettre.html).
const QStringList kLetter = {
    u"Chère Madame, gras italique souligné barré rouge € “cité” œuvre"_s,
    u"Centré"_s, u"À droite"_s, u"Justifié avec retraits"_s, u"premier"_s, u"second"_s,
    u"un"_s, u"deux"_s, u"Fin : Łódź, Привет, x2"_s};
QList<RunCheck> letterRuns(const QString &firstFamily)
{
    return {
    {0, u"gras"_s, "bold", bold}, {0, u"italique"_s, "italic", italic},
    {0, u"souligné"_s, "underlined", underline}, {0, u"barré"_s, "struck out", strike},
    {0, u"rouge"_s, "red", colour(0xFF0000)},
    {0, u"Chère"_s, "in its font, 10 points", font(firstFamily, 20)},
    {1, u"Centré"_s, "Courier New 14", font(u"Courier New"_s, 28)},
    {8, u"2"_s, "superscript", superscript}};
}
const QList<ParagraphCheck> kLetterBlocks = {
    {1, "centred", aligned(Qt::AlignHCenter)}, {2, "right", aligned(Qt::AlignRight)},
    {3, "justified", aligned(Qt::AlignJustify)},
    {4, "bulleted", listed(QTextListFormat::ListDisc)}, {5, "same bullets", sameListAsPrevious},
    {6, "numbered", listed(QTextListFormat::ListDecimal)}, {7, "same numbers", sameListAsPrevious},
    {8, "not listed", [](const QTextBlock &b) { return !b.textList(); }}};

QList<ParagraphCheck> withIndents(QList<ParagraphCheck> checks, int left, int right, int first)
{
    checks.append({3, "indented", indents(left, right, first)});
    return checks;
}

const Fixture kFixtures[] = {
    {"libreoffice-7.4-lettre.rtf", kLetter, letterRuns(u"Arial"_s), withIndents(kLetterBlocks, 1440, 720, -360)},
    // AbiWord's HTML import gave the first paragraph its default font instead of Arial.
    {"abiword-3.0-lettre.rtf", kLetter, letterRuns(u"Liberation Serif"_s), withIndents(kLetterBlocks, 1440, 720, -360)},
    {"richedit-lettre.rtf",
     {u"Chère Madame,"_s, u""_s,
      u"Je vous écris au sujet de la lettre du 3 mars. Le montant est de 1\u00A0250 € – sans erreur."_s,
      u"Avis important"_s, u"premier point"_s, u"second point, en bleu"_s, u"Cordialement,"_s,
      u"Łucja \U0001F600"_s},
     {{0, u"Chère"_s, "Arial 10", font(u"Arial"_s, 20)}, {2, u"lettre"_s, "bold", bold},
      {2, u"3 mars"_s, "italic", italic}, {2, u"montant"_s, "underlined", underline},
      {2, u"erreur"_s, "struck out", strike},
      {3, u"Avis"_s, "Times New Roman 14", font(u"Times New Roman"_s, 28)},
      {3, u"Avis"_s, "dark red", colour(0x800000)}, {5, u"en bleu"_s, "blue", colour(0x0000FF)}},
     {{2, "justified", aligned(Qt::AlignJustify)}, {2, "first-line indent", indents(0, 0, 720)},
      {3, "centred", aligned(Qt::AlignHCenter)},
      {4, "bulleted", listed(QTextListFormat::ListDisc)}, {4, "hanging", indents(200, 0, -200)},
      {5, "same bullets", sameListAsPrevious}, {6, "right", aligned(Qt::AlignRight)},
      {6, "indented", indents(2880, 720, 0)},
      {7, "not listed", [](const QTextBlock &b) { return !b.textList(); }}}},
    {"word97-style-lettre.rtf",
     {u"Objet : facture n° 42"_s,
      u"Madame, suite à votre appel, voici le détail. Voir le site, et l’image ci-dessus."_s,
      u"premier article"_s, u"second article"_s, u"étape un"_s, u"étape deux"_s,
      u"Привет € 2"_s, u"Article\tPrix\t"_s, u"Jean Dupont"_s},
     {{0, u"facture"_s, "bold Arial 11", [](const CharacterProperties &c) {
           return c.bold && c.family == u"Arial"_s && c.halfPoints == 22; }},
      {1, u"le site"_s, "underlined", underline}, {1, u"le site"_s, "blue", colour(0x0000FF)},
      {6, u"Привет"_s, "Cyrillic font", family(u"Arial Cyr"_s)},
      {6, u"2"_s, "superscript", superscript}, {8, u"Jean Dupont"_s, "italic", italic},
      {8, u"Jean Dupont"_s, "red", colour(0xFF0000)}},
     {{1, "justified", aligned(Qt::AlignJustify)}, {1, "first-line indent", indents(0, 0, 567)},
      {1, "space after", [](const QTextBlock &b) { return ParagraphProperties::of(b).spaceAfter == 120; }},
      {2, "bulleted", listed(QTextListFormat::ListDisc)}, {3, "same bullets", sameListAsPrevious},
      {4, "numbered", listed(QTextListFormat::ListDecimal)}, {5, "same numbers", sameListAsPrevious},
      {8, "right", aligned(Qt::AlignRight)}}},
};

class Fixtures : public testing::TestWithParam<Fixture> {};

TEST_P(Fixtures, GiveTheirTextAndFormatting)
{
    const Fixture &f = GetParam();
    const QByteArray rtf = fixture(QString::fromLatin1(f.file));
    ASSERT_FALSE(rtf.isEmpty()) << f.file;
    QTextDocument document;
    readRtf(rtf, document);
    const QList<test::Paragraph> view = test::viewOf(document);
    ASSERT_GE(view.size(), f.paragraphs.size());
    for (qsizetype i = 0; i < f.paragraphs.size(); ++i)
        EXPECT_EQ(document.findBlockByNumber(int(i)).text(), f.paragraphs[i]) << "paragraph " << i;

    for (const RunCheck &check : f.runs) {
        const auto &runs = view[check.paragraph].runs;
        const auto run = std::find_if(runs.begin(), runs.end(),
                                      [&](const test::Run &r) { return r.text.contains(check.text); });
        ASSERT_NE(run, runs.end()) << check.text.toStdString();
        EXPECT_TRUE(check.holds(run->format)) << check.text.toStdString() << " is " << check.what;
    }
    for (const ParagraphCheck &check : f.blocks)
        EXPECT_TRUE(check.holds(document.findBlockByNumber(check.paragraph)))
            << "paragraph " << check.paragraph << " is " << check.what;

    // What we read, we write back without losing anything the editor shows.
    QTextDocument back;
    readRtf(writeRtf(document), back);
    EXPECT_EQ(test::viewOf(back), view);
}

INSTANTIATE_TEST_SUITE_P(Files, Fixtures, testing::ValuesIn(kFixtures), [](const auto &info) {
    QString name = QString::fromLatin1(info.param.file).section(u'.', 0, -2);
    return name.replace(u'-', u'_').replace(u'.', u'_').toStdString();
});

TEST(Rtfconv, ConvertsForTheCommandLine)
{
    const QString tool = QStringLiteral(OMBRE_BIN_DIR "/rtfconv");
    const QString file = QStringLiteral(OMBRE_TEST_DATA "/rtf/richedit-lettre.rtf");
    const auto run = [&](const QString &mode) {
        QProcess process;
        process.start(tool, {mode, file});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << mode.toStdString();
        return process.readAllStandardOutput();
    };
    EXPECT_TRUE(run(u"--to-text"_s).startsWith("Ch\xC3\xA8re Madame,\n\nJe vous"));
    EXPECT_TRUE(run(u"--to-html"_s).contains("<b>") || run(u"--to-html"_s).contains("font-weight:700"));
    QTextDocument original;
    QTextDocument again;
    readRtf(fixture(u"richedit-lettre.rtf"_s), original);
    readRtf(run(u"--roundtrip"_s), again);
    EXPECT_EQ(test::viewOf(again), test::viewOf(original));

    QProcess missing;
    missing.start(tool, {u"--to-text"_s, u"/nonexistent/x.rtf"_s});
    ASSERT_TRUE(missing.waitForFinished(60000));
    EXPECT_EQ(missing.exitCode(), 1);
}

} // namespace
} // namespace ombre::rtf
