#include "cipher/age/header.h"

#include "cipher/age/age.h"
#include "cipher/age/base64.h"
#include "cipher/age/primitives.h"
#include "cipher/age/locked_bytes.h"

#include <algorithm>
#include <cstring>

namespace ombre::age {
namespace {

constexpr std::string_view kStanzaPrefix = "-> ";
constexpr std::string_view kMacMark = "---";
// 32 bytes of MAC in unpadded base64.
constexpr std::size_t kMacColumns = 43;

bool isVisible(char c) { return c >= 0x21 && c <= 0x7E; }

// Space-separated arguments, each one or more visible characters: an empty one (two spaces, a
// space at the end) is refused.
bool splitArguments(std::string_view text, std::vector<std::string> &arguments)
{
    for (;;) {
        const std::size_t space = text.find(' ');
        const std::string_view argument = text.substr(0, space);
        if (argument.empty() || !std::all_of(argument.begin(), argument.end(), isVisible))
            return false;
        arguments.emplace_back(argument);
        if (space == std::string_view::npos)
            return true;
        text.remove_prefix(space + 1);
    }
}

} // namespace

std::array<std::uint8_t, kMacSize> HeaderMac(std::span<const std::uint8_t> macInput, FileKey fileKey)
{
    LockedBytes key(kMacSize);
    HkdfSha256(fileKey, {}, "header", key.span());
    HmacSha256 hmac(key.span());
    hmac.update(macInput);
    std::array<std::uint8_t, kMacSize> mac;
    hmac.finish(mac);
    return mac;
}

std::string HeaderText(std::span<const Stanza> stanzas, FileKey fileKey)
{
    std::string text(kVersionLine);
    text += '\n';
    for (const Stanza &stanza : stanzas) {
        text += "->";
        for (const std::string &argument : stanza.arguments)
            text += ' ' + argument;
        text += '\n';
        // Full lines, then a shorter one (empty when the body fills its last line).
        const std::string body = EncodeBase64(stanza.body, Padding::None);
        std::size_t pos = 0;
        for (; body.size() - pos >= kBodyColumns; pos += kBodyColumns)
            text += body.substr(pos, kBodyColumns) + '\n';
        text += body.substr(pos) + '\n';
    }
    text += kMacMark;
    text += ' ' + EncodeBase64(HeaderMac(BytesOf(text), fileKey), Padding::None) + '\n';
    return text;
}

HeaderStatus HeaderParser::feed(std::span<const std::uint8_t> &bytes)
{
    static const std::string versionLine = std::string(kVersionLine) + '\n';
    while (m_status == HeaderStatus::More && !bytes.empty()) {
        const void *lineFeed = std::memchr(bytes.data(), '\n', bytes.size());
        const std::size_t take =
            lineFeed ? static_cast<const std::uint8_t *>(lineFeed) - bytes.data() + 1 : bytes.size();
        if (m_expect == Expect::Version) {
            // Refused at the first byte that differs, so that no other file is read any further.
            const std::size_t compared = std::min(take, versionLine.size() - m_bytes.size());
            if (!std::equal(bytes.begin(), bytes.begin() + compared, versionLine.begin() + m_bytes.size()))
                return m_status = HeaderStatus::NotAge;
        }
        if (m_bytes.size() + take > kMaxHeaderBytes)
            return m_status = HeaderStatus::Damaged;
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.begin() + take);
        bytes = bytes.subspan(take);
        if (lineFeed) {
            const std::string_view line(reinterpret_cast<const char *>(m_bytes.data()) + m_lineStart,
                                        m_bytes.size() - m_lineStart - 1);
            m_status = readLine(line);
            m_lineStart = m_bytes.size();
        }
    }
    return m_status;
}

HeaderStatus HeaderParser::cutShort() const
{
    if (m_status != HeaderStatus::More)
        return m_status;
    return m_expect == Expect::Version && m_bytes.size() < kVersionLine.size() ? HeaderStatus::NotAge
                                                                                : HeaderStatus::Damaged;
}

HeaderStatus HeaderParser::readLine(std::string_view line)
{
    switch (m_expect) {
    case Expect::Version:
        // feed() compared it byte by byte.
        m_expect = Expect::StanzaOrMac;
        return HeaderStatus::More;
    case Expect::StanzaOrMac:
        return readStanzaOrMac(line);
    case Expect::Body:
        return readBodyLine(line);
    }
    return HeaderStatus::Damaged;
}

HeaderStatus HeaderParser::readStanzaOrMac(std::string_view line)
{
    if (line.starts_with(kStanzaPrefix)) {
        Stanza &stanza = m_stanzas.emplace_back();
        if (!splitArguments(line.substr(kStanzaPrefix.size()), stanza.arguments))
            return HeaderStatus::Damaged;
        m_bodyText.clear();
        m_expect = Expect::Body;
        return HeaderStatus::More;
    }
    if (!line.starts_with(kMacMark) || m_stanzas.empty())
        return HeaderStatus::Damaged;
    const std::string_view macText = line.substr(kMacMark.size());
    if (macText.size() != 1 + kMacColumns || macText[0] != ' '
        || DecodeBase64Into(macText.substr(1), Padding::None, m_mac) != kMacSize)
        return HeaderStatus::Damaged;
    m_macInputSize = m_lineStart + kMacMark.size();
    return HeaderStatus::Complete;
}

HeaderStatus HeaderParser::readBodyLine(std::string_view line)
{
    if (line.size() > kBodyColumns)
        return HeaderStatus::Damaged;
    m_bodyText += line;
    if (line.size() == kBodyColumns)
        return HeaderStatus::More;
    // A shorter line ends the body. Characters outside the alphabet, padding and loose bits are
    // refused by the decoding.
    auto body = DecodeBase64(m_bodyText, Padding::None);
    if (!body)
        return HeaderStatus::Damaged;
    m_stanzas.back().body = std::move(*body);
    m_expect = Expect::StanzaOrMac;
    return HeaderStatus::More;
}

} // namespace ombre::age
