#include "armour/data_line.h"

namespace ombre {

std::size_t EncodeDataLine(const ArmourAlphabet &alphabet, const std::uint8_t *bytes, std::size_t n,
                           bool checksum, char *out)
{
    const char *chars = alphabet.chars.data();
    char *p = out;
    *p++ = chars[n];
    unsigned sum = 0;
    const std::size_t groups = n / 3;
    for (std::size_t g = 0; g < groups; ++g, bytes += 3) {
        const unsigned v0 = bytes[0] >> 2;
        const unsigned v1 = ((bytes[0] & 0x03u) << 4) | (bytes[1] >> 4);
        const unsigned v2 = ((bytes[1] & 0x0Fu) << 2) | (bytes[2] >> 6);
        const unsigned v3 = bytes[2] & 0x3Fu;
        p[0] = chars[v0];
        p[1] = chars[v1];
        p[2] = chars[v2];
        p[3] = chars[v3];
        p += 4;
        sum += v0 + v1 + v2 + v3;
    }
    // The short tail: the block's zero padding supplies the missing bits, and a count that is a
    // multiple of 3 (below 45) still gets one character, of value 0.
    switch (n % 3) {
    case 0:
        if (n < kArmourBlockSize)
            *p++ = chars[0];
        break;
    case 1: {
        const unsigned v0 = bytes[0] >> 2;
        const unsigned v1 = (bytes[0] & 0x03u) << 4;
        *p++ = chars[v0];
        *p++ = chars[v1];
        sum += v0 + v1;
        break;
    }
    case 2: {
        const unsigned v0 = bytes[0] >> 2;
        const unsigned v1 = ((bytes[0] & 0x03u) << 4) | (bytes[1] >> 4);
        const unsigned v2 = (bytes[1] & 0x0Fu) << 2;
        *p++ = chars[v0];
        *p++ = chars[v1];
        *p++ = chars[v2];
        sum += v0 + v1 + v2;
        break;
    }
    }
    if (checksum)
        *p++ = chars[sum % 64];
    return static_cast<std::size_t>(p - out);
}

namespace {

// The count, length and check-character rules of CheckDataLine, without the characters' validity.
ArmourError CheckDataLineShape(const ArmourAlphabet &alphabet, std::string_view line, std::size_t &count,
                               std::size_t &checked)
{
    if (line.empty())
        return ArmourError::LineTooShort;
    const int n = alphabet.Value(line[0]);
    if (n < 0)
        return ArmourError::InvalidCharacter;
    if (n > static_cast<int>(kArmourBlockSize))
        return ArmourError::CountTooLarge;
    const std::size_t after = line.size() - 1;
    const bool full = n == static_cast<int>(kArmourBlockSize);
    if (!full && after > kArmourFullDataChars + 1)
        return ArmourError::LineTooLong;
    if (after < ArmourNeededChars(static_cast<std::size_t>(n)))
        return ArmourError::LineTooShort;
    count = static_cast<std::size_t>(n);
    checked = full ? kArmourFullDataChars : after;
    return ArmourError::None;
}

bool AllValid(const ArmourAlphabet &alphabet, std::string_view chars)
{
    int any = 0;
    for (char c : chars)
        any |= alphabet.Value(c);
    return any >= 0;
}

} // namespace

ArmourError CheckDataLine(const ArmourAlphabet &alphabet, std::string_view line, std::size_t &count,
                          std::size_t &checked)
{
    std::size_t n = 0;
    std::size_t read = 0;
    if (const ArmourError error = CheckDataLineShape(alphabet, line, n, read); error != ArmourError::None)
        return error;
    if (!AllValid(alphabet, line.substr(1, read)))
        return ArmourError::InvalidCharacter;
    count = n;
    checked = read;
    return ArmourError::None;
}

ArmourError DecodeDataLine(const ArmourAlphabet &alphabet, std::string_view line, std::uint8_t *out,
                           std::size_t &count)
{
    std::size_t n = 0;
    std::size_t checked = 0;
    if (const ArmourError error = CheckDataLineShape(alphabet, line, n, checked); error != ArmourError::None)
        return error;
    // Characters are validated as they are decoded: an invalid one has the value -1, which sets
    // the sign of `any`. A refused line may have written into out, but never past its count.
    const std::int8_t *values = alphabet.values.data();
    const unsigned char *c = reinterpret_cast<const unsigned char *>(line.data()) + 1;
    const std::size_t groups = n / 3;
    int any = 0;
    for (std::size_t g = 0; g < groups; ++g, c += 4, out += 3) {
        const int v0 = values[c[0]], v1 = values[c[1]], v2 = values[c[2]], v3 = values[c[3]];
        any |= v0 | v1 | v2 | v3;
        const unsigned bits = (unsigned(v0) << 18) | (unsigned(v1) << 12) | (unsigned(v2) << 6) | unsigned(v3);
        out[0] = static_cast<std::uint8_t>(bits >> 16);
        out[1] = static_cast<std::uint8_t>(bits >> 8);
        out[2] = static_cast<std::uint8_t>(bits);
    }
    switch (n % 3) {
    case 1:
        out[0] = static_cast<std::uint8_t>((unsigned(values[c[0]]) << 2) | (unsigned(values[c[1]]) >> 4));
        break;
    case 2:
        out[0] = static_cast<std::uint8_t>((unsigned(values[c[0]]) << 2) | (unsigned(values[c[1]]) >> 4));
        out[1] = static_cast<std::uint8_t>((unsigned(values[c[1]]) << 4) | (unsigned(values[c[2]]) >> 2));
        break;
    }
    // The characters after the whole groups: the tail's and any the line carries beyond it.
    if (any < 0 || !AllValid(alphabet, line.substr(1 + groups * 4, checked - groups * 4)))
        return ArmourError::InvalidCharacter;
    count = n;
    return ArmourError::None;
}

ArmourLineKind ClassifyArmourLine(const ArmourAlphabet &alphabet, std::size_t index, std::string_view line)
{
    if (index == 0 || line.empty())
        return ArmourLineKind::Skip;
    if (index >= 2 && (line == "end" || (line.size() == 1 && line[0] == alphabet.Char(0))))
        return ArmourLineKind::End;
    return ArmourLineKind::Data;
}

} // namespace ombre
