#include "platform/reg_file.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ombre::reg {
namespace {

const std::string Root = "HKEY_CURRENT_USER\\Software\\Morvandel\\Ombrelunaire";
const std::string Options = Root + "\\Options";

std::string header()
{
    return "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n";
}

std::vector<std::string> valueNames(const Document &document, const std::string &path)
{
    std::vector<std::string> names;
    if (const Key *key = document.find(path))
        for (const Value &value : key->values())
            names.push_back(value.name);
    return names;
}

Value raw(std::string name, std::uint32_t type, std::vector<std::uint8_t> bytes)
{
    Value value;
    value.name = std::move(name);
    value.type = type;
    value.raw = std::move(bytes);
    return value;
}

void expectSameValue(const Value &expected, const Value *actual)
{
    ASSERT_NE(actual, nullptr) << expected.name;
    EXPECT_EQ(actual->name, expected.name);
    EXPECT_EQ(actual->type, expected.type) << expected.name;
    EXPECT_EQ(actual->text, expected.text) << expected.name;
    EXPECT_EQ(actual->dword, expected.dword) << expected.name;
    EXPECT_EQ(actual->raw, expected.raw) << expected.name;
}

// The exact text regedit would import: header, CR LF line ends, escaped quotes and backslashes,
// dword in eight lower-case digits, and a string with a line break as hex(1) in UTF-16LE with
// its terminating NUL.
TEST(RegFile, WritesRegeditSyntax)
{
    Document document;
    Key &root = document.ensure(Root);
    root.set(Value::string("Version", "1.0"));
    Key &options = document.ensure(Options);
    options.set(Value::number("Size", 10));
    options.set(Value::string("Path", "C:\\Mes \"lettres\""));
    options.set(Value::string("Signature", "é\r\nA"));
    options.set(Value::number("Neg", static_cast<std::uint32_t>(-2)));
    options.set(Value::string("", "défaut"));

    EXPECT_EQ(serialise(document), header()
              + "[" + Root + "]\r\n"
              "\"Version\"=\"1.0\"\r\n"
              "\r\n"
              "[" + Options + "]\r\n"
              "\"Size\"=dword:0000000a\r\n"
              "\"Path\"=\"C:\\\\Mes \\\"lettres\\\"\"\r\n"
              "\"Signature\"=hex(1):e9,00,0d,00,0a,00,41,00,00,00\r\n"
              "\"Neg\"=dword:fffffffe\r\n"
              "@=\"d\xC3\xA9" "faut\"\r\n"
              "\r\n");
}

// Long hex data is cut into lines of regedit's width, continued with a backslash.
TEST(RegFile, WrapsLongHexData)
{
    Document document;
    document.ensure(Root).set(raw("Blob", RegBinary, std::vector<std::uint8_t>(100, 0xAB)));
    const std::string text = serialise(document);
    std::istringstream lines(text);
    std::string line;
    int continued = 0;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 81u) << line;
        continued += !line.empty() && line[line.size() - 2] == '\\';
    }
    EXPECT_GE(continued, 3);
    const ParseResult back = parse(text);
    EXPECT_FALSE(back.damaged);
    expectSameValue(raw("Blob", RegBinary, std::vector<std::uint8_t>(100, 0xAB)), back.document.find(Root)->find("Blob"));
}

TEST(RegFile, EveryKindOfValueSurvivesARoundTrip)
{
    const std::vector<Value> values = {
        Value::string("Plain", "Madame, Monsieur,"),
        Value::string("Accents", "Je vous prie d'agréer, <>, mes salutations — « été » ½ €"),
        Value::string("Quotes", "\"cité\" \\\\serveur\\partage\\ fin\\"),
        Value::string("Lines", "Jean Dupont\r\n12 rue des Lilas\nParis\r\n"),
        Value::string("Controls", std::string("tab\there, nul\0inside, bell\a", 27)),
        Value::string("Separators", "a\xE2\x80\xA8" "b\xE2\x80\xA9" "c\xC2\x85"),
        Value::string("Astral", "\xF0\x9F\x94\x92 clé"),
        Value::string("Empty", ""),
        Value::string("", "the default value"),
        Value::number("Zero", 0),
        Value::number("Max", 0xFFFFFFFFu),
        raw("Expand", 2, {0x25, 0x00, 0x41, 0x00, 0x25, 0x00, 0x00, 0x00}),
        raw("Multi", 7, {0x61, 0x00, 0x00, 0x00, 0x00, 0x00}),
        raw("Binary", RegBinary, {0x00, 0xFF, 0x10}),
        raw("Qword", 0xB, {1, 2, 3, 4, 5, 6, 7, 8}),
        raw("None", RegNone, {}),
        Value::string("Nom \"cité\" \\ é", "name with quotes"),
    };
    Document document;
    Key &key = document.ensure(Options);
    for (const Value &value : values)
        key.set(value);

    const ParseResult back = parse(serialise(document));
    EXPECT_FALSE(back.damaged);
    const Key *read = back.document.find(Options);
    ASSERT_NE(read, nullptr);
    for (const Value &value : values)
        expectSameValue(value, read->find(value.name));
    std::vector<std::string> names;
    for (const Value &value : values)
        names.push_back(value.name);
    EXPECT_EQ(valueNames(back.document, Options), names);
}

// Values keep the order of their first writing; rewriting one keeps its place; names and keys
// compare without regard to case, as in the registry.
TEST(RegFile, KeepsWrittenOrderAndIgnoresCase)
{
    Document document;
    Key &key = document.ensure(Root + "\\Formules");
    for (const char *name : {"F3", "F0", "F12", "F1"})
        key.set(Value::string(name, name));
    key.set(Value::string("f0", "rewritten"));
    key.remove("F12");
    key.set(Value::string("F12", "again"));

    EXPECT_EQ(valueNames(document, Root + "\\formules"), (std::vector<std::string>{"F3", "f0", "F1", "F12"}));
    EXPECT_EQ(document.find(Root + "\\FORMULES")->find("F0")->text, "rewritten");
    const ParseResult back = parse(serialise(document));
    EXPECT_EQ(valueNames(back.document, Root + "\\Formules"), (std::vector<std::string>{"F3", "f0", "F1", "F12"}));
}

TEST(RegFile, KeysExistThroughTheirSubkeysAndDeleteWithThem)
{
    Document document;
    document.ensure(Root + "\\Desktop\\Doc1").set(Value::number("Top", 1));
    document.ensure(Root + "\\Desktop").set(Value::number("Count", 1));
    document.ensure(Root + "\\DesktopExtra").set(Value::number("Kept", 1));
    document.ensure(Root + "\\Options");

    EXPECT_TRUE(document.exists(Root));
    EXPECT_TRUE(document.exists("hkey_current_user\\software"));
    EXPECT_FALSE(document.exists(Root + "\\Desk"));
    EXPECT_TRUE(document.exists(Root + "\\Options")); // created, even without values

    EXPECT_TRUE(document.remove(Root + "\\Desktop"));
    EXPECT_FALSE(document.exists(Root + "\\Desktop\\Doc1"));
    EXPECT_FALSE(document.exists(Root + "\\Desktop"));
    EXPECT_TRUE(document.exists(Root + "\\DesktopExtra"));
    EXPECT_FALSE(document.remove(Root + "\\Desktop"));
}

// Files regedit itself writes: UTF-16LE with a byte-order mark, the old REGEDIT4 header,
// deletions, comments, upper-case hex digits and continuation lines.
TEST(RegFile, ReadsWhatRegeditWrites)
{
    const std::string text = "REGEDIT4\n\n; exported\n[" + Options + "]\n\"A\"=dword:0000002A\n"
                             "\"B\"=hex(1):41,00,\\\n  42,00,00,00\n\"C\"=\"gone\"\n\"C\"=-\n"
                             "[" + Root + "\\Old\\Sub]\n\"X\"=\"1\"\n[-" + Root + "\\Old]\n";
    std::string utf16 = "\xFF\xFE";
    for (char c : text) {
        utf16 += c;
        utf16 += '\0';
    }
    for (const std::string &input : {text, utf16}) {
        const ParseResult parsed = parse(input);
        EXPECT_FALSE(parsed.damaged);
        ASSERT_NE(parsed.document.find(Options), nullptr);
        EXPECT_EQ(parsed.document.find(Options)->find("A")->dword, 42u);
        EXPECT_EQ(parsed.document.find(Options)->find("B")->text, "AB");
        EXPECT_EQ(parsed.document.find(Options)->find("C"), nullptr);
        EXPECT_FALSE(parsed.document.exists(Root + "\\Old"));
    }
}

// Whatever is damaged, every readable value before and after it is kept, and the damage is
// reported so that the file is set aside.
TEST(RegFile, KeepsWhatItCanReadOfADamagedFile)
{
    const std::string before = "Windows Registry Editor Version 5.00\r\n\r\n[" + Options + "]\r\n\"Before\"=dword:00000001\r\n";
    const std::string after = "\"After\"=\"2\"\r\n";
    struct Case {
        const char *what;
        std::string damage;
    };
    const std::vector<Case> cases = {
        {"garbage line", "ceci n'est pas une valeur\r\n"},
        {"unterminated string", "\"Bad\"=\"no end\r\n"},
        {"bad dword", "\"Bad\"=dword:xyz\r\n"},
        {"dword too long", "\"Bad\"=dword:123456789\r\n"},
        {"odd hex(1)", "\"Bad\"=hex(1):41,00,42\r\n"},
        {"short hex(4)", "\"Bad\"=hex(4):01,02\r\n"},
        {"bad hex byte", "\"Bad\"=hex:01,zz,02\r\n"},
        {"hex type unclosed", "\"Bad\"=hex(2:01\r\n"},
        {"missing equals", "\"Bad\" \"x\"\r\n"},
        {"nothing after equals", "\"Bad\"=\r\n"},
        {"text after string", "\"Bad\"=\"x\" y\r\n"},
        {"nul bytes", std::string("\0\0\0\r\n", 5)},
        {"invalid UTF-8", "\xC3\x28\xFF\r\n"},
    };
    for (const Case &c : cases) {
        const ParseResult parsed = parse(before + c.damage + after);
        EXPECT_TRUE(parsed.damaged) << c.what;
        const Key *key = parsed.document.find(Options);
        ASSERT_NE(key, nullptr) << c.what;
        EXPECT_EQ(valueNames(parsed.document, Options), (std::vector<std::string>{"Before", "After"})) << c.what;
    }
}

TEST(RegFile, DropsTheCutShortEndOfAFile)
{
    const std::string whole = header() + "[" + Options + "]\r\n\"Size\"=dword:0000000a\r\n"
                              "\"Sig\"=hex(1):41,00,42,00,43,00,44,00,45,00,46,00,47,00,48,00,49,00,4a,00,4b,00,4c,00,\\\r\n"
                              "  4d,00,00,00\r\n\"Name\"=\"Arial\"\r\n";
    // Cut inside the last value, after a continuation mark, and with no header at all.
    const ParseResult inLastValue = parse(whole.substr(0, whole.size() - 6));
    EXPECT_TRUE(inLastValue.damaged);
    EXPECT_EQ(valueNames(inLastValue.document, Options), (std::vector<std::string>{"Size", "Sig"}));

    const ParseResult atContinuation = parse(whole.substr(0, whole.find("  4d")));
    EXPECT_TRUE(atContinuation.damaged);
    EXPECT_EQ(valueNames(atContinuation.document, Options), (std::vector<std::string>{"Size"}));

    const ParseResult headless = parse(whole.substr(whole.find('[')));
    EXPECT_TRUE(headless.damaged);
    EXPECT_EQ(valueNames(headless.document, Options), (std::vector<std::string>{"Size", "Sig", "Name"}));

    EXPECT_TRUE(parse("").damaged);
    EXPECT_FALSE(parse(whole).damaged);
}

TEST(RegFile, ValuesOutsideAValidKeyAreDropped)
{
    const ParseResult parsed = parse(header() + "\"Orphan\"=\"1\"\r\n[" + Root + "\\]\r\n\"InBadKey\"=\"2\"\r\n"
                                     "[" + Root + "\r\n\"Unclosed\"=\"3\"\r\n[" + Options + "]\r\n\"Good\"=\"4\"\r\n");
    EXPECT_TRUE(parsed.damaged);
    EXPECT_EQ(parsed.document.keys().size(), 1u);
    EXPECT_EQ(valueNames(parsed.document, Options), (std::vector<std::string>{"Good"}));
}

TEST(RegFile, RefusesNamesTheSyntaxCannotCarry)
{
    EXPECT_TRUE(isWritableKeyPath(Options));
    EXPECT_FALSE(isWritableKeyPath(""));
    EXPECT_FALSE(isWritableKeyPath(Options + "\\"));
    EXPECT_FALSE(isWritableKeyPath("HKEY_CURRENT_USER\\\\Software"));
    EXPECT_FALSE(isWritableKeyPath(Root + "\nX"));
    EXPECT_TRUE(isWritableValueName(""));
    EXPECT_TRUE(isWritableValueName("Nom \"é\" ]"));
    EXPECT_FALSE(isWritableValueName("a\r\nb"));
}

} // namespace
} // namespace ombre::reg
