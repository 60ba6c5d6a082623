#pragma once
// The spelling engine as the program speaks to it: the sixteen entry points, command numbers,
// status values, option bits and built-in lists of the Common Speller API that proofing engines
// publish. The program talks to this interface only; hunspell_csapi.* implements it over
// Hunspell, and tests put a scripted engine in its place.
//
// Texts are UTF-16 (QString): positions and lengths count UTF-16 code units, as the editor's
// document positions do.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

namespace ombre::csapi {

using LanguageId = quint16;
using SpellerId = quint32;
using MdrId = quint32; // an open main dictionary
using UdrId = quint32; // an open user dictionary, or one of the built-in lists below

// The engine's own lists, alive from SpellInit to SpellTerminate and never written to disk.
constexpr UdrId IgnoreAlwaysList = 0xFFFE;
constexpr UdrId ChangeOnceList = 0xFFFD;
constexpr UdrId ChangeAlwaysList = 0xFFFC;

enum class Command : quint16 {
    VerifyWord = 1,   // the input is one word
    VerifyBuffer = 2, // find the first error in the input
    Suggest = 3,      // first suggestions for the input word
    SuggestMore = 4,  // the next ones, after Suggest
};

enum class Status : quint16 {
    NoErrors = 0,
    UnknownInputWord = 1,
    ReturningChangeAlways = 2, // the suggestion buffer holds the stored replacement
    ReturningChangeOnce = 3,   // the suggestion buffer holds the stored replacement
    InvalidHyphenation = 4,
    ErrorCapitalization = 5,
    WordConsideredAbbreviation = 6,
    HyphChangesSpelling = 7,
    NoMoreSuggestions = 8,
    MoreInfoThanBufferCouldHold = 9,
    NoSentenceStartCap = 10,
    RepeatWord = 11,
    ExtraSpaces = 12,
    MissingSpace = 13,
    InitialNumeral = 14,
};

// Option bits, bit 0 first, passed as a 16-bit mask.
enum Option : quint16 {
    SuggestFromUserDict = 1u << 0,
    IgnoreAllCaps = 1u << 1,
    IgnoreMixedDigits = 1u << 2,
    IgnoreRomanNumerals = 1u << 3,
    FindUncappedSentences = 1u << 4,
    FindMissingSpaces = 1u << 5,
    FindRepeatWord = 1u << 6,
    FindExtraSpaces = 1u << 7,
    FindSpacesBeforePunc = 1u << 8,
    FindSpacesAfterPunc = 1u << 9,
    RateSuggestions = 1u << 10,
    FindInitialNumerals = 1u << 11,
};

// Error codes; 0 is success. Anything else becomes "Erreur du dictionnaire No <code>".
enum class Error : quint32 {
    None = 0,
    OutOfMemory = 1,
    ModuleError = 2,
    InvalidId = 3,       // unknown speller, dictionary or list
    InvalidCommand = 4,
    FileOpen = 5,
    FileRead = 6,
    FileWrite = 7,
    FileCreate = 8,
    ReadOnly = 9,
    InvalidWord = 10,    // empty, or too long for a dictionary entry
};

// The special-characters record given at initialisation, as Windows-1252 bytes.
struct SpecialChars {
    quint8 ignore = 0;
    quint8 hyphenHard = 45;
    quint8 hyphenSoft = 31;
    quint8 hyphenNonBreaking = 30;
    quint8 emDash = 151;
    quint8 enDash = 150;
    quint8 ellipsis = 133;
    quint8 lineBreak[2] = {11, 10};
    quint8 paragraphBreak[2] = {13, 10};
};

struct Version {
    int version = 0;
    QString engine; // e.g. "Hunspell 1.7"
};

// What SpellOpenMdr reports about the dictionary it opened.
struct MdrInfo {
    MdrId mdr = 0;
    LanguageId language = 0;
    bool readOnly = true;
};

// The input of SpellCheck.
struct InputBuffer {
    QStringView text;
    std::vector<MdrId> mdrs;
    std::vector<UdrId> udrs;
};

// The output of SpellCheck.
struct ReturnBuffer {
    static constexpr int SuggestionCapacity = 1024; // UTF-16 code units, terminators included
    static constexpr int RatingCapacity = 255;

    Status status = Status::NoErrors;
    qsizetype errorOffset = 0; // into InputBuffer::text
    qsizetype errorLength = 0;
    // NUL-terminated strings one after the other, never longer than SuggestionCapacity.
    QString suggestions;
    int suggestionCount = 0;
    QByteArray ratings; // one byte per suggestion when RateSuggestions is on

    // The strings of `suggestions`, in order.
    QStringList suggestionList() const;
};

class Csapi {
public:
    virtual ~Csapi() = default;

    virtual Version SpellVer() const = 0;
    virtual Error SpellInit(SpellerId &speller, const SpecialChars &chars) = 0;
    virtual Error SpellOptions(SpellerId speller, quint16 options) = 0;
    virtual Error SpellCheck(SpellerId speller, Command command, const InputBuffer &input, ReturnBuffer &result) = 0;
    virtual Error SpellTerminate(SpellerId speller, bool force) = 0;
    // Whether the main dictionary at `path` serves `language`; `found` is the language it serves.
    virtual Error SpellVerifyMdr(const QString &path, LanguageId language, LanguageId &found) = 0;
    // `exclusionPath` may be empty (no exclusion dictionary).
    virtual Error SpellOpenMdr(SpellerId speller, const QString &path, const QString &exclusionPath,
                               bool createExclusion, bool cache, LanguageId language, MdrInfo &info) = 0;
    // `type` is the built-in list whose role the file takes (IgnoreAlwaysList for a custom
    // dictionary). `readOnly` tells whether additions can be written back.
    virtual Error SpellOpenUdr(SpellerId speller, const QString &path, bool create, UdrId type, UdrId &udr,
                               bool &readOnly) = 0;
    virtual Error SpellAddUdr(SpellerId speller, UdrId udr, const QString &word) = 0;
    virtual Error SpellAddChangeUdr(SpellerId speller, UdrId udr, const QString &word, const QString &replacement) = 0;
    virtual Error SpellDelUdr(SpellerId speller, UdrId udr, const QString &word) = 0;
    virtual Error SpellClearUdr(SpellerId speller, UdrId udr) = 0;
    virtual Error SpellGetSizeUdr(SpellerId speller, UdrId udr, int &count) = 0;
    // The words of a list from index `first`; a change list gives "word" then "replacement".
    virtual Error SpellGetListUdr(SpellerId speller, UdrId udr, int first, QStringList &words) = 0;
    virtual Error SpellCloseMdr(SpellerId speller, const MdrInfo &info) = 0;
    virtual Error SpellCloseUdr(SpellerId speller, UdrId udr, bool force) = 0;
};

} // namespace ombre::csapi
