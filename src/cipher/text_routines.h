#pragma once
// Small text routines of the container and its commands. They work on Windows-1252 bytes held in
// std::string (one byte per character), the form in which names travel in a container.

#include <string>
#include <string_view>

namespace ombre {

// The key text that scrambles the source name in every container header.
inline constexpr std::string_view kSourceNameKey = "Quarvelinode";

// result[i] = text[i] XOR key[i mod key length]; the same call scrambles and restores. An empty
// key leaves the text as it is.
std::string ScrambleText(std::string_view text, std::string_view key);

// XORs every byte with 100; the same call masks a text.
std::string UnmaskText(std::string_view masked);

// Folds French accented letters to their capital base letter and a..z to A..Z; other bytes stay.
std::string FoldAccents(std::string_view text);
// The same fold for one character: the word count applies it to every character below 256.
unsigned char FoldAccent(unsigned char c);

// The owner name when it is made only of letters (French accents included) and spaces, else the
// default owner text: a deciphered name that fails is the sign of a wrong password.
std::string CheckOwnerName(std::string_view ownerName);

// The texts the program keeps masked, turned back just before use (Windows-1252 bytes).
std::string OwnerLabelText();          // 19 characters, put in front of CheckOwnerName's result
std::string DefaultOwnerText();        // 8 characters
std::string DecryptedFileNoticeText(); // 55 characters
std::string EncryptedFileNoticeText(); // 53 characters

} // namespace ombre
