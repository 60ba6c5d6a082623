#include "cipher/age/base64.h"

#include <array>

namespace ombre::age {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Each character's six bits; -1 for every byte outside the alphabet ('=' included).
constexpr std::array<std::int8_t, 256> kValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    return values;
}();

std::int32_t valueOf(char c) { return kValues[static_cast<unsigned char>(c)]; }

} // namespace

std::size_t Base64Size(std::size_t bytes, Padding padding)
{
    return padding == Padding::Required ? (bytes + 2) / 3 * 4 : (bytes * 4 + 2) / 3;
}

std::size_t EncodeBase64Into(std::span<const std::uint8_t> bytes, Padding padding, char *out)
{
    char *const start = out;
    std::size_t pos = 0;
    for (; pos + 3 <= bytes.size(); pos += 3) {
        const std::uint32_t group = bytes[pos] << 16 | bytes[pos + 1] << 8 | bytes[pos + 2];
        *out++ = kAlphabet[group >> 18];
        *out++ = kAlphabet[group >> 12 & 63];
        *out++ = kAlphabet[group >> 6 & 63];
        *out++ = kAlphabet[group & 63];
    }
    const std::size_t rest = bytes.size() - pos;
    if (rest > 0) {
        const std::uint32_t group = bytes[pos] << 16 | (rest == 2 ? bytes[pos + 1] << 8 : 0);
        *out++ = kAlphabet[group >> 18];
        *out++ = kAlphabet[group >> 12 & 63];
        if (rest == 2)
            *out++ = kAlphabet[group >> 6 & 63];
        if (padding == Padding::Required)
            for (std::size_t i = rest; i < 3; ++i)
                *out++ = '=';
    }
    return static_cast<std::size_t>(out - start);
}

std::string EncodeBase64(std::span<const std::uint8_t> bytes, Padding padding)
{
    std::string text(Base64Size(bytes.size(), padding), '\0');
    EncodeBase64Into(bytes, padding, text.data());
    return text;
}

std::optional<std::size_t> DecodeBase64Into(std::string_view text, Padding padding, std::span<std::uint8_t> out)
{
    std::size_t padded = 0;
    if (padding == Padding::Required) {
        if (text.size() % 4 != 0)
            return std::nullopt;
        while (padded < 2 && text.ends_with('=')) {
            text.remove_suffix(1);
            ++padded;
        }
    }
    // The characters after the last whole group: 2 hold one byte, 3 hold two, 1 holds none.
    const std::size_t rest = text.size() % 4;
    if (rest == 1 || (padding == Padding::Required && padded != (4 - rest) % 4))
        return std::nullopt;
    const std::size_t size = text.size() / 4 * 3 + (rest == 0 ? 0 : rest - 1);
    if (size > out.size())
        return std::nullopt;
    std::uint8_t *to = out.data();
    std::size_t pos = 0;
    for (; pos + 4 <= text.size(); pos += 4) {
        const std::int32_t a = valueOf(text[pos]), b = valueOf(text[pos + 1]), c = valueOf(text[pos + 2]),
                           d = valueOf(text[pos + 3]);
        if ((a | b | c | d) < 0)
            return std::nullopt;
        const std::uint32_t group = a << 18 | b << 12 | c << 6 | d;
        *to++ = static_cast<std::uint8_t>(group >> 16);
        *to++ = static_cast<std::uint8_t>(group >> 8);
        *to++ = static_cast<std::uint8_t>(group);
    }
    if (rest > 0) {
        const std::int32_t a = valueOf(text[pos]), b = valueOf(text[pos + 1]),
                           c = rest == 3 ? valueOf(text[pos + 2]) : 0;
        // Bits beyond the last byte must be zero: otherwise one value would have several texts.
        if ((a | b | c) < 0 || (rest == 2 ? b & 0x0F : c & 0x03) != 0)
            return std::nullopt;
        const std::uint32_t group = a << 18 | b << 12 | c << 6;
        *to++ = static_cast<std::uint8_t>(group >> 16);
        if (rest == 3)
            *to++ = static_cast<std::uint8_t>(group >> 8);
    }
    return size;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text, Padding padding)
{
    std::vector<std::uint8_t> bytes(text.size() / 4 * 3 + 2);
    const std::optional<std::size_t> size = DecodeBase64Into(text, padding, bytes);
    if (!size)
        return std::nullopt;
    bytes.resize(*size);
    return bytes;
}

} // namespace ombre::age
