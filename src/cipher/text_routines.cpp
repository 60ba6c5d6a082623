#include "cipher/text_routines.h"

#include <algorithm>
#include <array>

namespace ombre {
namespace {

constexpr unsigned char kMaskByte = 100;

// Kept masked so that the texts do not stand in clear in the executable.
// "Crypté au nom de : "
constexpr unsigned char kOwnerLabel[] = {
    0x27, 0x16, 0x1D, 0x14, 0x10, 0x8D, 0x44, 0x05, 0x11, 0x44, 0x0A, 0x0B,
    0x09, 0x44, 0x00, 0x01, 0x44, 0x5E, 0x44,
};
// "Inconnue"
constexpr unsigned char kDefaultOwner[] = {
    0x2D, 0x0A, 0x07, 0x0B, 0x0A, 0x0A, 0x11, 0x01,
};
// "Le fichier décrypté a été enregistré à cet emplacement."
constexpr unsigned char kDecryptedFileNotice[] = {
    0x28, 0x01, 0x44, 0x02, 0x0D, 0x07, 0x0C, 0x0D, 0x01, 0x16, 0x44, 0x00,
    0x8D, 0x07, 0x16, 0x1D, 0x14, 0x10, 0x8D, 0x44, 0x05, 0x44, 0x8D, 0x10,
    0x8D, 0x44, 0x01, 0x0A, 0x16, 0x01, 0x03, 0x0D, 0x17, 0x10, 0x16, 0x8D,
    0x44, 0x84, 0x44, 0x07, 0x01, 0x10, 0x44, 0x01, 0x09, 0x14, 0x08, 0x05,
    0x07, 0x01, 0x09, 0x01, 0x0A, 0x10, 0x4A,
};
// "Le fichier crypté a été enregistré à cet emplacement."
constexpr unsigned char kEncryptedFileNotice[] = {
    0x28, 0x01, 0x44, 0x02, 0x0D, 0x07, 0x0C, 0x0D, 0x01, 0x16, 0x44, 0x07,
    0x16, 0x1D, 0x14, 0x10, 0x8D, 0x44, 0x05, 0x44, 0x8D, 0x10, 0x8D, 0x44,
    0x01, 0x0A, 0x16, 0x01, 0x03, 0x0D, 0x17, 0x10, 0x16, 0x8D, 0x44, 0x84,
    0x44, 0x07, 0x01, 0x10, 0x44, 0x01, 0x09, 0x14, 0x08, 0x05, 0x07, 0x01,
    0x09, 0x01, 0x0A, 0x10, 0x4A,
};

template <std::size_t N>
std::string unmaskStored(const unsigned char (&masked)[N])
{
    return UnmaskText(std::string_view(reinterpret_cast<const char *>(masked), N));
}

constexpr std::array<unsigned char, 256> makeFoldTable()
{
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] = static_cast<unsigned char>(c - 'a' + 'A');
    const auto map = [&](std::initializer_list<int> codes, char base) {
        for (int c : codes)
            table[c] = static_cast<unsigned char>(base);
    };
    map({192, 194, 196, 224, 226, 228}, 'A');
    map({199, 231}, 'C');
    map({200, 201, 202, 203, 232, 233, 234, 235}, 'E');
    map({206, 207, 238, 239}, 'I');
    map({212, 214, 244, 246}, 'O');
    map({217, 219, 220, 249, 251, 252}, 'U');
    map({255}, 'Y');
    return table;
}

constexpr auto kFoldTable = makeFoldTable();

} // namespace

std::string ScrambleText(std::string_view text, std::string_view key)
{
    std::string result(text);
    if (key.empty())
        return result;
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<char>(result[i] ^ key[i % key.size()]);
    return result;
}

std::string UnmaskText(std::string_view masked)
{
    std::string result(masked);
    for (char &c : result)
        c = static_cast<char>(c ^ kMaskByte);
    return result;
}

std::string FoldAccents(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = static_cast<char>(FoldAccent(static_cast<unsigned char>(c)));
    return result;
}

unsigned char FoldAccent(unsigned char c) { return kFoldTable[c]; }

std::string CheckOwnerName(std::string_view ownerName)
{
    if (ownerName.empty())
        return DefaultOwnerText();
    const std::string folded = FoldAccents(ownerName);
    const bool lettersAndSpaces = std::all_of(folded.begin(), folded.end(), [](char c) {
        return c == ' ' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    return lettersAndSpaces ? std::string(ownerName) : DefaultOwnerText();
}

std::string OwnerLabelText() { return unmaskStored(kOwnerLabel); }
std::string DefaultOwnerText() { return unmaskStored(kDefaultOwner); }
std::string DecryptedFileNoticeText() { return unmaskStored(kDecryptedFileNotice); }
std::string EncryptedFileNoticeText() { return unmaskStored(kEncryptedFileNotice); }

} // namespace ombre
