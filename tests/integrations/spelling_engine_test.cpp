#include "integrations/spelling/hunspell_csapi.h"
#include "integrations/spelling/spell_tokens.h"
#include "platform/machine_view.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace ombre {
namespace {

using namespace Qt::Literals::StringLiterals;
using csapi::Command;
using csapi::Error;
using csapi::Status;

const QString kFrenchDictionary = u"/usr/share/hunspell/fr_FR.dic"_s;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// ' -> ’ throughout, for the cases that must hold with either apostrophe.
QString typographic(QString text)
{
    return text.replace(u'\'', u'\u2019');
}

// One speller on its own engine, with the French dictionary.
struct FrenchSpeller {
    explicit FrenchSpeller(quint16 options = 0, const csapi::SpecialChars &chars = {}, bool openNow = true)
    {
        EXPECT_EQ(engine.SpellInit(id, chars), Error::None);
        EXPECT_EQ(engine.SpellOptions(id, options), Error::None);
        if (openNow)
            openDictionary();
    }

    void openDictionary()
    {
        EXPECT_EQ(engine.SpellOpenMdr(id, kFrenchDictionary, {}, false, true, 1036, mdr), Error::None);
    }

    csapi::ReturnBuffer run(Command command, QStringView text)
    {
        csapi::ReturnBuffer result;
        EXPECT_EQ(engine.SpellCheck(id, command, {text, {mdr.mdr}, {}}, result), Error::None);
        return result;
    }

    Status verifyWord(QStringView word) { return run(Command::VerifyWord, word).status; }

    // Every suggestion, batch after batch, as the checker gathers them.
    QStringList suggestions(QStringView word)
    {
        QStringList all;
        for (csapi::ReturnBuffer batch = run(Command::Suggest, word); batch.status != Status::NoMoreSuggestions;
             batch = run(Command::SuggestMore, word))
            all << batch.suggestionList();
        return all;
    }

    // The faulty words of `text`, each resumed after from its end as the checker does.
    QStringList errors(QStringView text)
    {
        QStringList found;
        for (qsizetype from = 0;;) {
            const csapi::ReturnBuffer result = run(Command::VerifyBuffer, text.sliced(from));
            if (result.status == Status::NoErrors)
                return found;
            found << text.sliced(from + result.errorOffset, result.errorLength).toString();
            from += result.errorOffset + result.errorLength;
        }
    }

    HunspellCsapi engine;
    csapi::SpellerId id = 0;
    csapi::MdrInfo mdr;
};

// Loading the French dictionary is the slow part: read-only cases share one speller.
FrenchSpeller &sharedSpeller()
{
    static FrenchSpeller speller;
    return speller;
}

struct CustomFile {
    csapi::UdrId udr = 0;
    bool readOnly = true;
    Error error = Error::None;
};

CustomFile openCustom(FrenchSpeller &speller, const QString &path, bool create = false)
{
    CustomFile file;
    file.error = speller.engine.SpellOpenUdr(speller.id, path, create, csapi::IgnoreAlwaysList, file.udr, file.readOnly);
    return file;
}

QStringList listOf(FrenchSpeller &speller, csapi::UdrId udr)
{
    QStringList words;
    EXPECT_EQ(speller.engine.SpellGetListUdr(speller.id, udr, 0, words), Error::None);
    return words;
}

// ------------------------------------------------------------------------------------------------
// Where words are

QStringList wordsOf(QStringView text)
{
    QStringList words;
    for (WordSpan word = nextWord(text, 0); word.length > 0; word = nextWord(text, word.end()))
        words << text.sliced(word.start, word.length).toString();
    return words;
}

struct TokenCase {
    const char *name;
    QString text;
    QStringList words;
};

class Tokens : public testing::TestWithParam<TokenCase> {};

TEST_P(Tokens, CutsWords)
{
    EXPECT_EQ(wordsOf(GetParam().text), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    SpellTokens, Tokens,
    testing::Values(
        TokenCase{"elisions_and_hyphens_join", u"l'été, aujourd’hui c'est-à-dire va-t-il"_s,
                  {u"l'été"_s, u"aujourd’hui"_s, u"c'est-à-dire"_s, u"va-t-il"_s}},
        TokenCase{"modifier_apostrophe_and_unicode_hyphens_join", u"lʼété peut‐être bien‑aimé"_s,
                  {u"lʼété"_s, u"peut‐être"_s, u"bien‑aimé"_s}},
        TokenCase{"joiners_at_the_edges_separate", u"'cite' -tiret- ’x’ ʼyʼ l' d’"_s,
                  {u"cite"_s, u"tiret"_s, u"x"_s, u"y"_s, u"l"_s, u"d"_s}},
        TokenCase{"two_joiners_separate", u"a--b c'-d e''f"_s, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s}},
        TokenCase{"digits_are_word_characters", u"En 2024, la 3e place : A4."_s,
                  {u"En"_s, u"2024"_s, u"la"_s, u"3e"_s, u"place"_s, u"A4"_s}},
        TokenCase{"full_stops_end_words", u"fin.Début etc. 3.14"_s,
                  {u"fin"_s, u"Début"_s, u"etc"_s, u"3"_s, u"14"_s}},
        TokenCase{"emoji_separate_and_stay_whole", u"chat😀chien 😀 l'😀a"_s,
                  {u"chat"_s, u"chien"_s, u"l"_s, u"a"_s}},
        TokenCase{"dashes_and_ellipsis_separate", u"oui—non – mais…si"_s,
                  {u"oui"_s, u"non"_s, u"mais"_s, u"si"_s}},
        TokenCase{"combining_marks_stay_in_the_word", u"e\u0301te\u0301 ici"_s, {u"e\u0301te\u0301"_s, u"ici"_s}},
        TokenCase{"nothing_to_cut", u" ,;— 😀 "_s, {}}),
    [](const testing::TestParamInfo<TokenCase> &info) { return std::string(info.param.name); });

struct CaretCase {
    const char *name;
    QString text; // '|' marks the position and is taken out
    QString word; // wordAt's word, empty for none
    qsizetype startAt;
};

class WordAtCaret : public testing::TestWithParam<CaretCase> {};

TEST_P(WordAtCaret, FindsTheWordAndWhereCheckingStarts)
{
    QString text = GetParam().text;
    const qsizetype position = text.indexOf(u'|');
    text.remove(position, 1);
    const WordSpan word = wordAt(text, position);
    EXPECT_EQ(QStringView(text).sliced(word.start, word.length).toString(), GetParam().word);
    EXPECT_EQ(wordStartAt(text, position), GetParam().startAt);
}

INSTANTIATE_TEST_SUITE_P(
    SpellTokens, WordAtCaret,
    testing::Values(CaretCase{"inside", u"le ch|at"_s, u"chat"_s, 3},
                    CaretCase{"just_after", u"le chat|, oui"_s, u"chat"_s, 3},
                    CaretCase{"at_the_start", u"le |chat"_s, u"chat"_s, 3},
                    CaretCase{"on_the_apostrophe", u"l|'été"_s, u"l'été"_s, 0},
                    CaretCase{"after_the_apostrophe", u"l'|été"_s, u"l'été"_s, 0},
                    CaretCase{"after_a_trailing_apostrophe", u"l'|"_s, u""_s, 2},
                    CaretCase{"between_spaces", u"le | chat"_s, u""_s, 3},
                    CaretCase{"inside_an_emoji", u"a \xD83D|\xDE00"_s, u""_s, 2}),
    [](const testing::TestParamInfo<CaretCase> &info) { return std::string(info.param.name); });

TEST(SpellTokens, NextWordSkipsTheRestOfAWordItStartsIn)
{
    EXPECT_EQ(nextWord(u"chat noir", 2).start, 5);
    EXPECT_EQ(nextWord(u"l'été noir", 1).start, 6);
    EXPECT_EQ(nextWord(u"chat noir", 4).start, 5);
    EXPECT_EQ(nextWord(u"chat", 4).length, 0);
}

// ------------------------------------------------------------------------------------------------
// French words, with either apostrophe

struct FrenchCase {
    QString word;       // typed with '
    QString suggestion; // expected among the first three; empty: the word is correct
};

class FrenchWords : public testing::TestWithParam<FrenchCase> {};

TEST_P(FrenchWords, CheckedAndSuggestedWithTheTypedApostrophe)
{
    FrenchSpeller &speller = sharedSpeller();
    const FrenchCase &c = GetParam();
    for (const QString &word : {c.word, typographic(c.word)}) {
        SCOPED_TRACE(word.toStdString());
        if (c.suggestion.isEmpty()) {
            EXPECT_EQ(speller.verifyWord(word), Status::NoErrors);
            EXPECT_TRUE(speller.errors(u"Il dit "_s + word + u'.').isEmpty());
            continue;
        }
        EXPECT_EQ(speller.verifyWord(word), Status::UnknownInputWord);
        const QString expected = word == c.word ? c.suggestion : typographic(c.suggestion);
        const QStringList firstThree = speller.suggestions(word).mid(0, 3);
        EXPECT_TRUE(firstThree.contains(expected)) << firstThree.join(u' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    HunspellCsapi, FrenchWords,
    testing::Values(FrenchCase{u"l'été"_s, {}}, FrenchCase{u"aujourd'hui"_s, {}}, FrenchCase{u"c'est-à-dire"_s, {}},
                    FrenchCase{u"presqu'île"_s, {}}, FrenchCase{u"peut-être"_s, {}}, FrenchCase{u"quelqu'un"_s, {}},
                    FrenchCase{u"jusqu'à"_s, {}}, FrenchCase{u"lorsqu'on"_s, {}}, FrenchCase{u"prud'homme"_s, {}},
                    FrenchCase{u"va-t-il"_s, {}}, FrenchCase{u"d'abord"_s, {}}, FrenchCase{u"qu'il"_s, {}},
                    FrenchCase{u"l'etang"_s, u"l'étang"_s}, FrenchCase{u"ajourd'hui"_s, u"aujourd'hui"_s},
                    FrenchCase{u"fote"_s, u"faute"_s}));

// Hunspell drops the elision from some suggestions ("occipitale" for "l'hopitale") and finds some
// twice once it is given back.
TEST(HunspellCsapi, SuggestionsKeepTheElisionAndComeOnce)
{
    for (const QString &word : {u"l'etang"_s, u"l'hopitale"_s, u"qu'ellle"_s}) {
        const QStringList suggestions = sharedSpeller().suggestions(word);
        const QString elision = word.left(word.indexOf(u'\'') + 1);
        EXPECT_FALSE(suggestions.isEmpty()) << word.toStdString();
        for (const QString &suggestion : suggestions)
            EXPECT_TRUE(suggestion.startsWith(elision, Qt::CaseInsensitive)) << suggestion.toStdString();
        EXPECT_EQ(QSet<QString>(suggestions.begin(), suggestions.end()).size(), suggestions.size());
    }
}

TEST(HunspellCsapi, SuggestionBatchesEndWithAnEmptyNoMoreSuggestions)
{
    FrenchSpeller &speller = sharedSpeller();
    const csapi::ReturnBuffer first = speller.run(Command::Suggest, u"fote");
    EXPECT_EQ(first.status, Status::NoErrors);
    EXPECT_GT(first.suggestionCount, 0);
    const csapi::ReturnBuffer more = speller.run(Command::SuggestMore, u"fote");
    EXPECT_EQ(more.status, Status::NoMoreSuggestions);
    EXPECT_EQ(more.suggestionCount, 0);
    EXPECT_TRUE(more.suggestions.isEmpty());

    const csapi::ReturnBuffer none = speller.run(Command::Suggest, u"qsdfqsdfqsdfqsdf");
    EXPECT_EQ(none.status, Status::NoMoreSuggestions);
    EXPECT_EQ(none.suggestionCount, 0);
}

// ------------------------------------------------------------------------------------------------
// Walking a text

struct WalkCase {
    const char *name;
    quint16 options;
    QStringList errors;
};

class VerifyBuffer : public testing::TestWithParam<WalkCase> {};

TEST_P(VerifyBuffer, ReportsEachErrorWithTheOptionsIgnoreRules)
{
    FrenchSpeller speller(GetParam().options);
    EXPECT_EQ(speller.errors(u"Les XYZZY de MMXXIV et IIII ont vu abc123, une fote. L'ÉTÉ XIV."_s),
              GetParam().errors);
}

INSTANTIATE_TEST_SUITE_P(
    HunspellCsapi, VerifyBuffer,
    testing::Values(
        WalkCase{"no_option", 0, {u"XYZZY"_s, u"MMXXIV"_s, u"IIII"_s, u"abc123"_s, u"fote"_s}},
        WalkCase{"all_caps", csapi::IgnoreAllCaps, {u"abc123"_s, u"fote"_s}},
        WalkCase{"mixed_digits", csapi::IgnoreMixedDigits, {u"XYZZY"_s, u"MMXXIV"_s, u"IIII"_s, u"fote"_s}},
        WalkCase{"roman_numerals_valid_only", csapi::IgnoreRomanNumerals, {u"XYZZY"_s, u"IIII"_s, u"abc123"_s, u"fote"_s}},
        WalkCase{"all_three", csapi::IgnoreAllCaps | csapi::IgnoreMixedDigits | csapi::IgnoreRomanNumerals, {u"fote"_s}}),
    [](const testing::TestParamInfo<WalkCase> &info) { return std::string(info.param.name); });

TEST(HunspellCsapi, VerifyBufferGivesOffsetsIntoItsInput)
{
    FrenchSpeller &speller = sharedSpeller();
    const csapi::ReturnBuffer error = speller.run(Command::VerifyBuffer, u"  Voici l’etang.");
    EXPECT_EQ(error.status, Status::UnknownInputWord);
    EXPECT_EQ(error.errorOffset, 8);
    EXPECT_EQ(error.errorLength, 7);
    EXPECT_EQ(speller.run(Command::VerifyBuffer, u"").status, Status::NoErrors);
}

// The record's hard hyphen joins and its dashes separate, whatever their code.
struct PunctuationCase {
    const char *name;
    csapi::SpecialChars chars;
    QStringList errors;
};

class SpecialCharacters : public testing::TestWithParam<PunctuationCase> {};

TEST_P(SpecialCharacters, ChangeWhereWordsEnd)
{
    FrenchSpeller speller(0, GetParam().chars);
    EXPECT_EQ(speller.errors(u"xyzzy–fote xyzzy-fote"), GetParam().errors);
}

INSTANTIATE_TEST_SUITE_P(
    HunspellCsapi, SpecialCharacters,
    testing::Values(
        PunctuationCase{"usual_record", {}, {u"xyzzy"_s, u"fote"_s, u"xyzzy-fote"_s}},
        PunctuationCase{"en_dash_as_hard_hyphen", {.hyphenHard = 150, .enDash = 0}, {u"xyzzy–fote"_s, u"xyzzy-fote"_s}},
        PunctuationCase{"hyphen_as_em_dash", {.emDash = 45}, {u"xyzzy"_s, u"fote"_s, u"xyzzy"_s, u"fote"_s}}),
    [](const testing::TestParamInfo<PunctuationCase> &info) { return std::string(info.param.name); });

// ------------------------------------------------------------------------------------------------
// The engine's lists

TEST(HunspellCsapi, ChangeListsReturnTheirReplacement)
{
    FrenchSpeller speller;
    EXPECT_EQ(speller.engine.SpellAddChangeUdr(speller.id, csapi::ChangeAlwaysList, u"fote"_s, u"faute"_s), Error::None);
    EXPECT_EQ(speller.engine.SpellAddChangeUdr(speller.id, csapi::ChangeOnceList, u"ajourd'hui"_s, u"aujourd'hui"_s),
              Error::None);
    EXPECT_EQ(speller.engine.SpellAddChangeUdr(speller.id, csapi::ChangeOnceList, u"fote"_s, u"frite"_s), Error::None);

    const csapi::ReturnBuffer always = speller.run(Command::VerifyWord, u"fote");
    EXPECT_EQ(always.status, Status::ReturningChangeAlways); // before the change-once list
    EXPECT_EQ(always.suggestionList(), QStringList{u"faute"_s});

    const csapi::ReturnBuffer once = speller.run(Command::VerifyBuffer, u"Dès ajourd'hui.");
    EXPECT_EQ(once.status, Status::ReturningChangeOnce);
    EXPECT_EQ(once.errorOffset, 4);
    EXPECT_EQ(once.errorLength, 10);
    EXPECT_EQ(once.suggestionList(), QStringList{u"aujourd'hui"_s});

    int count = 0;
    QStringList pairs;
    EXPECT_EQ(speller.engine.SpellGetSizeUdr(speller.id, csapi::ChangeOnceList, count), Error::None);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(speller.engine.SpellGetListUdr(speller.id, csapi::ChangeOnceList, 1, pairs), Error::None);
    EXPECT_EQ(pairs, (QStringList{u"fote"_s, u"frite"_s}));

    EXPECT_EQ(speller.engine.SpellDelUdr(speller.id, csapi::ChangeAlwaysList, u"fote"_s), Error::None);
    EXPECT_EQ(speller.verifyWord(u"fote"), Status::ReturningChangeOnce);
    EXPECT_EQ(speller.engine.SpellClearUdr(speller.id, csapi::ChangeOnceList), Error::None);
    EXPECT_EQ(speller.verifyWord(u"fote"), Status::UnknownInputWord);
}

TEST(HunspellCsapi, IgnoreAlwaysListStaysInMemoryAndFeedsSuggestionsOnRequest)
{
    QTemporaryDir folder;
    const QString custom = folder.filePath(u"CUSTOM.DIC"_s);
    FrenchSpeller speller;
    ASSERT_EQ(openCustom(speller, custom, true).error, Error::None);

    EXPECT_EQ(speller.engine.SpellAddUdr(speller.id, csapi::IgnoreAlwaysList, u"Ombrelunaire"_s), Error::None);
    EXPECT_EQ(speller.verifyWord(u"Ombrelunaire"), Status::NoErrors);
    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::NoErrors);
    EXPECT_FALSE(speller.suggestions(u"Ombrelunair").contains(u"Ombrelunaire"_s));
    EXPECT_FALSE(speller.suggestions(u"l’Ombrelunair").contains(u"l’Ombrelunaire"_s));
    EXPECT_EQ(speller.engine.SpellOptions(speller.id, csapi::SuggestFromUserDict), Error::None);
    EXPECT_TRUE(speller.suggestions(u"Ombrelunair").contains(u"Ombrelunaire"_s));
    EXPECT_TRUE(speller.suggestions(u"l’Ombrelunair").contains(u"l’Ombrelunaire"_s));
    EXPECT_EQ(speller.verifyWord(u"l’Ombrelunaire"), Status::NoErrors);

    EXPECT_TRUE(readAll(custom).isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"CUSTOM.DIC"_s});
}

// Verdicts are remembered: every change of the user words must reach them, and taking a user
// word away must never take a dictionary word with it.
TEST(HunspellCsapi, UserWordsComeAndGo)
{
    QTemporaryDir folder;
    FrenchSpeller speller;
    const CustomFile file = openCustom(speller, folder.filePath(u"CUSTOM.DIC"_s), true);
    ASSERT_EQ(file.error, Error::None);
    const csapi::UdrId custom = file.udr;
    const auto add = [&](csapi::UdrId udr, const QString &word) {
        EXPECT_EQ(speller.engine.SpellAddUdr(speller.id, udr, word), Error::None);
    };
    const auto remove = [&](csapi::UdrId udr, const QString &word) {
        EXPECT_EQ(speller.engine.SpellDelUdr(speller.id, udr, word), Error::None);
    };

    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::UnknownInputWord);
    add(custom, u"Ombrelunaire"_s);
    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::NoErrors);
    add(csapi::IgnoreAlwaysList, u"Ombrelunaire"_s);
    remove(custom, u"Ombrelunaire"_s);
    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::NoErrors); // the ignore list still holds it
    remove(csapi::IgnoreAlwaysList, u"Ombrelunaire"_s);
    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::UnknownInputWord);
    add(custom, u"Ombrelunaire"_s);
    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::NoErrors);
    EXPECT_EQ(speller.engine.SpellClearUdr(speller.id, custom), Error::None);
    EXPECT_EQ(speller.verifyWord(u"OMBRELUNAIRE"), Status::UnknownInputWord);

    add(csapi::IgnoreAlwaysList, u"maison"_s);
    remove(csapi::IgnoreAlwaysList, u"maison"_s);
    EXPECT_EQ(speller.verifyWord(u"maison"), Status::NoErrors);
    EXPECT_EQ(speller.verifyWord(u"MAISON"), Status::NoErrors);
}

TEST(HunspellCsapi, SpellersKeepTheirOwnLists)
{
    HunspellCsapi engine;
    csapi::SpellerId first = 0;
    csapi::SpellerId second = 0;
    csapi::MdrInfo mdr;
    ASSERT_EQ(engine.SpellInit(first, {}), Error::None);
    ASSERT_EQ(engine.SpellInit(second, {}), Error::None);
    EXPECT_NE(first, second);
    for (const csapi::SpellerId id : {first, second})
        ASSERT_EQ(engine.SpellOpenMdr(id, kFrenchDictionary, {}, false, true, 1036, mdr), Error::None);
    EXPECT_EQ(engine.SpellAddUdr(first, csapi::IgnoreAlwaysList, u"xyzzy"_s), Error::None);
    EXPECT_EQ(engine.SpellTerminate(first, false), Error::None);

    csapi::ReturnBuffer result;
    EXPECT_EQ(engine.SpellCheck(second, Command::VerifyWord, {u"xyzzy", {}, {}}, result), Error::None);
    EXPECT_EQ(result.status, Status::UnknownInputWord);
    EXPECT_EQ(engine.SpellCheck(first, Command::VerifyWord, {u"xyzzy", {}, {}}, result), Error::InvalidId);
}

// ------------------------------------------------------------------------------------------------
// The custom dictionary file

TEST(HunspellCsapi, CustomDictionaryIsCreatedWrittenAndReadAgain)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Morvandel/Ombrelunaire/CUSTOM.DIC"_s);
    {
        FrenchSpeller speller;
        const CustomFile custom = openCustom(speller, path, true);
        ASSERT_EQ(custom.error, Error::None);
        EXPECT_FALSE(custom.readOnly);
        EXPECT_TRUE(QFileInfo(path).isFile());
        for (const QString &word : {u"Ombrelunaire"_s, u"Morvandél"_s, u"Ombrelunaire"_s})
            EXPECT_EQ(speller.engine.SpellAddUdr(speller.id, custom.udr, word), Error::None);
        EXPECT_EQ(readAll(path), "Ombrelunaire\nMorvand\xC3\xA9l\n");
        EXPECT_EQ(speller.verifyWord(u"Ombrelunaire"), Status::NoErrors);
    }

    // On a new engine, the file opened before the main dictionary: its words reach Hunspell too.
    FrenchSpeller later(0, {}, false);
    const CustomFile custom = openCustom(later, path);
    ASSERT_EQ(custom.error, Error::None);
    later.openDictionary();
    EXPECT_EQ(listOf(later, custom.udr), (QStringList{u"Ombrelunaire"_s, u"Morvandél"_s}));
    EXPECT_EQ(later.verifyWord(u"OMBRELUNAIRE"), Status::NoErrors);

    EXPECT_EQ(later.engine.SpellDelUdr(later.id, custom.udr, u"Ombrelunaire"_s), Error::None);
    EXPECT_EQ(readAll(path), "Morvand\xC3\xA9l\n");
    EXPECT_EQ(later.engine.SpellCloseUdr(later.id, custom.udr, false), Error::None);
    EXPECT_EQ(later.verifyWord(u"Morvandél"), Status::UnknownInputWord);
}

struct FileCase {
    const char *name;
    QByteArray bytes;
    QStringList words;
};

class CustomDictionaryFile : public testing::TestWithParam<FileCase> {};

TEST_P(CustomDictionaryFile, ReadsWhatAreWords)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"CUSTOM.DIC"_s);
    ASSERT_TRUE(writeAll(path, GetParam().bytes));
    FrenchSpeller speller;
    const CustomFile custom = openCustom(speller, path);
    ASSERT_EQ(custom.error, Error::None);
    EXPECT_EQ(listOf(speller, custom.udr), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    HunspellCsapi, CustomDictionaryFile,
    testing::Values(
        FileCase{"utf8_with_bom_and_crlf", "\xEF\xBB\xBFOmbrelunaire\r\nMorvand\xC3\xA9l\r\n\r\n  \r\n",
                 {u"Ombrelunaire"_s, u"Morvandél"_s}},
        FileCase{"windows_1252", "Morvand\xE9l\r\nc\x9Cur\n", {u"Morvandél"_s, u"cœur"_s}},
        FileCase{"binary_junk_and_overlong_lines",
                 QByteArray("Ombrelunaire\n\x00\x01\x02\xFF\xFE\n", 19) + QByteArray(100000, 'x') + "\n"
                     + QByteArray(65, 'y') + "\n" + QByteArray(64, 'z') + "\ndeux mots\n\x8F\x90\nMorvandel",
                 {u"Ombrelunaire"_s, QString(64, u'z'), u"Morvandel"_s}},
        FileCase{"empty", "", {}}),
    [](const testing::TestParamInfo<FileCase> &info) { return std::string(info.param.name); });

TEST(HunspellCsapi, CustomDictionaryThatCannotBeWrittenKeepsItsWordsInMemory)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"gone/CUSTOM.DIC"_s);
    FrenchSpeller speller;
    const CustomFile custom = openCustom(speller, path, true);
    ASSERT_EQ(custom.error, Error::None);
    ASSERT_TRUE(QDir(folder.filePath(u"gone"_s)).removeRecursively());

    EXPECT_EQ(speller.engine.SpellAddUdr(speller.id, custom.udr, u"Ombrelunaire"_s), Error::FileWrite);
    EXPECT_EQ(speller.engine.SpellAddUdr(speller.id, custom.udr, u"Morvandel"_s), Error::None); // read-only now
    EXPECT_EQ(speller.verifyWord(u"Ombrelunaire"), Status::NoErrors);
    EXPECT_EQ(speller.verifyWord(u"Morvandel"), Status::NoErrors);
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A dictionary in an 8-bit page: words cross to Hunspell and back in its encoding.
TEST(HunspellCsapi, Latin1DictionaryReadsAndSuggestsAccents)
{
    QTemporaryDir folder;
    ASSERT_TRUE(writeAll(folder.filePath(u"fr_FR.aff"_s), "SET ISO8859-1\nTRY e\xE9\n"));
    ASSERT_TRUE(writeAll(folder.filePath(u"fr_FR.dic"_s), "2\ncaf\xE9\nth\xE9\n"));
    HunspellCsapi engine;
    csapi::SpellerId id = 0;
    csapi::MdrInfo mdr;
    ASSERT_EQ(engine.SpellInit(id, {}), Error::None);
    ASSERT_EQ(engine.SpellOpenMdr(id, folder.filePath(u"fr_FR.dic"_s), {}, false, true, 1036, mdr), Error::None);
    EXPECT_EQ(mdr.language, 1036);

    csapi::ReturnBuffer result;
    EXPECT_EQ(engine.SpellCheck(id, Command::VerifyBuffer, {u"café thé cafe", {}, {}}, result), Error::None);
    EXPECT_EQ(result.errorOffset, 9);
    EXPECT_EQ(engine.SpellCheck(id, Command::Suggest, {u"cafe", {}, {}}, result), Error::None);
    EXPECT_EQ(result.suggestionList().value(0), u"café"_s);
}

// ------------------------------------------------------------------------------------------------
// Errors

TEST(HunspellCsapi, UnknownIdsAreRefused)
{
    HunspellCsapi engine;
    constexpr csapi::SpellerId kNone = 42;
    csapi::ReturnBuffer result;
    csapi::MdrInfo mdr;
    csapi::UdrId udr = 0;
    bool readOnly = false;
    int count = 0;
    QStringList words;
    const std::vector<std::pair<const char *, std::function<Error()>>> calls = {
        {"SpellOptions", [&] { return engine.SpellOptions(kNone, 0); }},
        {"SpellCheck", [&] { return engine.SpellCheck(kNone, Command::VerifyWord, {u"mot", {}, {}}, result); }},
        {"SpellTerminate", [&] { return engine.SpellTerminate(kNone, true); }},
        {"SpellOpenMdr", [&] { return engine.SpellOpenMdr(kNone, kFrenchDictionary, {}, false, true, 1036, mdr); }},
        {"SpellOpenUdr", [&] { return engine.SpellOpenUdr(kNone, u"/nowhere/CUSTOM.DIC"_s, true, csapi::IgnoreAlwaysList, udr, readOnly); }},
        {"SpellAddUdr", [&] { return engine.SpellAddUdr(kNone, csapi::IgnoreAlwaysList, u"mot"_s); }},
        {"SpellAddChangeUdr", [&] { return engine.SpellAddChangeUdr(kNone, csapi::ChangeOnceList, u"a"_s, u"b"_s); }},
        {"SpellDelUdr", [&] { return engine.SpellDelUdr(kNone, csapi::IgnoreAlwaysList, u"mot"_s); }},
        {"SpellClearUdr", [&] { return engine.SpellClearUdr(kNone, csapi::IgnoreAlwaysList); }},
        {"SpellGetSizeUdr", [&] { return engine.SpellGetSizeUdr(kNone, csapi::IgnoreAlwaysList, count); }},
        {"SpellGetListUdr", [&] { return engine.SpellGetListUdr(kNone, csapi::IgnoreAlwaysList, 0, words); }},
        {"SpellCloseMdr", [&] { return engine.SpellCloseMdr(kNone, mdr); }},
        {"SpellCloseUdr", [&] { return engine.SpellCloseUdr(kNone, 0x10000, true); }},
    };
    for (const auto &[name, call] : calls)
        EXPECT_EQ(call(), Error::InvalidId) << name;
}

TEST(HunspellCsapi, SpellerErrors)
{
    QTemporaryDir folder;
    HunspellCsapi engine;
    csapi::SpellerId id = 0;
    csapi::MdrInfo mdr;
    csapi::ReturnBuffer result;
    ASSERT_EQ(engine.SpellInit(id, {}), Error::None);

    EXPECT_EQ(engine.SpellCheck(id, Command::VerifyWord, {u"mot", {}, {}}, result), Error::InvalidId) << "no dictionary";
    EXPECT_EQ(engine.SpellOpenMdr(id, folder.filePath(u"fr_FR.dic"_s), {}, false, true, 1036, mdr), Error::FileOpen);
    ASSERT_TRUE(writeAll(folder.filePath(u"xx_XX.dic"_s), "1\nmot\n"));
    EXPECT_EQ(engine.SpellOpenMdr(id, folder.filePath(u"xx_XX.dic"_s), {}, false, true, 1036, mdr), Error::FileOpen)
        << "no .aff beside it";

    ASSERT_EQ(engine.SpellOpenMdr(id, kFrenchDictionary, {}, false, true, 1036, mdr), Error::None);
    EXPECT_EQ(engine.SpellCheck(id, Command::VerifyWord, {u"mot", {mdr.mdr + 1}, {}}, result), Error::InvalidId);
    EXPECT_EQ(engine.SpellCheck(id, Command::VerifyWord, {u"mot", {}, {0x12345}}, result), Error::InvalidId);
    EXPECT_EQ(engine.SpellCheck(id, Command(9), {u"mot", {}, {}}, result), Error::InvalidCommand);

    csapi::UdrId udr = 0;
    bool readOnly = false;
    const QString custom = folder.filePath(u"CUSTOM.DIC"_s);
    EXPECT_EQ(engine.SpellOpenUdr(id, custom, false, csapi::IgnoreAlwaysList, udr, readOnly), Error::FileOpen);
    EXPECT_EQ(engine.SpellOpenUdr(id, custom, true, csapi::ChangeAlwaysList, udr, readOnly), Error::InvalidCommand);
    EXPECT_EQ(engine.SpellOpenUdr(id, folder.path(), false, csapi::IgnoreAlwaysList, udr, readOnly), Error::FileOpen);
    ASSERT_TRUE(writeAll(custom, QByteArray(16 * 1024 * 1024 + 1, 'a')));
    EXPECT_EQ(engine.SpellOpenUdr(id, custom, false, csapi::IgnoreAlwaysList, udr, readOnly), Error::FileRead);

    for (const QString &word : {u""_s, u"deux mots"_s, QString(65, u'a'), u"a\tb"_s})
        EXPECT_EQ(engine.SpellAddUdr(id, csapi::IgnoreAlwaysList, word), Error::InvalidWord) << word.size();
    EXPECT_EQ(engine.SpellAddUdr(id, csapi::ChangeAlwaysList, u"mot"_s), Error::InvalidCommand);
    EXPECT_EQ(engine.SpellAddChangeUdr(id, csapi::IgnoreAlwaysList, u"mot"_s, u"mots"_s), Error::InvalidCommand);
    EXPECT_EQ(engine.SpellAddUdr(id, 0x12345, u"mot"_s), Error::InvalidId);
    EXPECT_EQ(engine.SpellCloseUdr(id, csapi::IgnoreAlwaysList, false), Error::InvalidCommand);

    EXPECT_EQ(engine.SpellCloseMdr(id, mdr), Error::None);
    EXPECT_EQ(engine.SpellCloseMdr(id, mdr), Error::InvalidId);
    EXPECT_EQ(engine.SpellTerminate(id, false), Error::None);
    EXPECT_EQ(engine.SpellTerminate(id, false), Error::InvalidId);
}

TEST(HunspellCsapi, VerifyMdrNamesTheLanguageOfTheFile)
{
    HunspellCsapi engine;
    csapi::LanguageId found = 0;
    EXPECT_EQ(engine.SpellVerifyMdr(kFrenchDictionary, 1036, found), Error::None);
    EXPECT_EQ(found, 1036);
    EXPECT_EQ(engine.SpellVerifyMdr(kFrenchDictionary, 1033, found), Error::InvalidId);
    EXPECT_EQ(found, 1036);
    EXPECT_EQ(engine.SpellVerifyMdr(u"/usr/share/hunspell/en_US.dic"_s, 1033, found), Error::None);
    EXPECT_EQ(engine.SpellVerifyMdr(u"/nowhere/fr_FR.dic"_s, 1036, found), Error::FileOpen);
}

TEST(LoadHunspellEngine, LoadsOnlyAHunspellLibrary)
{
    QTemporaryDir folder;
    const QString text = folder.filePath(u"libhunspell-1.7.so.0"_s);
    ASSERT_TRUE(writeAll(text, "not a library\n"));
    EXPECT_EQ(LoadHunspellEngine(text), nullptr);
    EXPECT_EQ(LoadHunspellEngine(folder.filePath(u"missing.so"_s)), nullptr);
    EXPECT_EQ(LoadHunspellEngine(QLibraryInfo::path(QLibraryInfo::LibrariesPath) + u"/libQt6Core.so.6"_s), nullptr);

    const QString hunspell = MachineView::installedSources().engine;
    ASSERT_FALSE(hunspell.isEmpty());
    const std::unique_ptr<csapi::Csapi> engine = LoadHunspellEngine(hunspell);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->SpellVer().engine, u"Hunspell 1.7"_s);
}

} // namespace
} // namespace ombre
