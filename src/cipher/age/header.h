#pragma once
// The text header of a file: the version line, recipient stanzas (arguments and a base64 body
// wrapped at 64 columns, ended by a shorter line), and the MAC line that binds them to the file
// key. The parser checks the shape of every line; what the stanzas mean is scrypt_stanza's.

#include "cipher/age/primitives.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombre::age {

inline constexpr std::size_t kFileKeySize = 16;
// No header that a passphrase or a handful of keys make comes near this; a longer one is refused
// rather than held in memory.
inline constexpr std::size_t kMaxHeaderBytes = 64 * 1024;
// Characters of a stanza's body on each of its lines but the last.
inline constexpr std::size_t kBodyColumns = 64;

using FileKey = std::span<const std::uint8_t, kFileKeySize>;

struct Stanza {
    std::vector<std::string> arguments; // the first is the stanza's type
    std::vector<std::uint8_t> body;
};

// The MAC of a header: HMAC-SHA-256 of `macInput` (the header up to and including "---") under
// a key derived from the file key.
std::array<std::uint8_t, kMacSize> HeaderMac(std::span<const std::uint8_t> macInput, FileKey fileKey);

// The whole header for `stanzas`, MAC line included.
std::string HeaderText(std::span<const Stanza> stanzas, FileKey fileKey);

enum class HeaderStatus { More, Complete, NotAge, Damaged };

// Reads a header fed in pieces, line by line.
class HeaderParser {
public:
    // Takes bytes from the front of `bytes`, never beyond the header's last line feed, and moves
    // `bytes` past them. More until the header is complete or refused; every later call returns
    // the same status and takes nothing.
    HeaderStatus feed(std::span<const std::uint8_t> &bytes);
    // What the header is when the input ends before it does: NotAge while the version line is
    // still incomplete, else Damaged.
    HeaderStatus cutShort() const;

    // Valid once feed() returned Complete.
    const std::vector<Stanza> &stanzas() const { return m_stanzas; }
    std::span<const std::uint8_t> macInput() const { return std::span(m_bytes).first(m_macInputSize); }
    const std::array<std::uint8_t, kMacSize> &mac() const { return m_mac; }

private:
    HeaderStatus readLine(std::string_view line);
    HeaderStatus readStanzaOrMac(std::string_view line);
    HeaderStatus readBodyLine(std::string_view line);

    enum class Expect { Version, StanzaOrMac, Body };
    Expect m_expect = Expect::Version;
    HeaderStatus m_status = HeaderStatus::More;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_lineStart = 0;
    std::string m_bodyText;
    std::vector<Stanza> m_stanzas;
    std::array<std::uint8_t, kMacSize> m_mac{};
    std::size_t m_macInputSize = 0;
};

} // namespace ombre::age
