#pragma once
// File names that come from outside (a container header) or must fit a limit (the header's 248
// characters, a file system's 255 bytes). Names are UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace ombre {

// Linux and most file systems take at most 255 bytes in one name.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// The name of a restored file when nothing usable is left of any name it could take.
inline constexpr std::string_view kUnnamedFileName = "sans-nom";

// Reduces a name read from a container to a bare file name that is safe to join to a folder:
// anything up to the last '/' or '\' is dropped, control characters and bytes that are not UTF-8
// become '_', and an over-long name is shortened keeping its extension. Empty when nothing usable
// is left ("", "." and "..").
std::string BareFileName(std::string_view name);

// The text with every control character (C0, DEL, C1) and every byte that is not part of a
// valid UTF-8 character replaced by '_': safe to show on a terminal.
std::string CleanControlCharacters(std::string_view text);

enum class NameUnit { Bytes, Characters };

// The longest leading part of a UTF-8 text that measures at most `limit` units and does not
// split a character.
std::string_view LeadingCharacters(std::string_view text, std::size_t limit, NameUnit unit);

// Shortens `name` to at most `limit` units by cutting the end of its stem, keeping the extension
// (when it is short enough to leave room for a stem) and never splitting a UTF-8 character.
std::string ShortenFileName(std::string_view name, std::size_t limit, NameUnit unit);

// The name with its extension (from the last '.', a leading dot excepted) replaced by
// `extension`, which includes its dot: "lettre.rtf" -> "lettre.cod", "notes" -> "notes.cod".
std::string ReplaceExtension(std::string_view name, std::string_view extension);

// The extension of a name or path (from the last '.' of the part after the last '/'), with its
// dot and in ASCII lower case: "MAJ.RTF" -> ".rtf". Empty when there is none; a leading dot marks
// a hidden name, not an extension (".profile" -> "").
std::string LowerExtension(std::string_view name);

// The name a decrypted file is written under: the source name of the container's header (its
// stored bytes, decoded as header text) reduced to a bare file name; when nothing usable is left
// of it, the stem of the container's own name (a name or a path) made safe the same way; else
// "sans-nom".
std::string DecryptedFileName(std::string_view headerSourceName, std::string_view containerFileName);

} // namespace ombre
