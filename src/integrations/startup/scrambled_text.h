#pragma once
// Texts kept out of a plain reading of the program file: the author's addresses and the link
// texts of the about box. The literal is scrambled while compiling (a consteval constructor,
// so the plain bytes never reach the object file) and unscrambled only when it is shown.
// This hides the text from a casual look at the binary; it protects nothing.

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace ombre {

template <std::size_t N>
class ScrambledText {
public:
    // N counts the terminating zero of the literal, which is not kept.
    consteval explicit ScrambledText(const char (&plain)[N])
    {
        for (std::size_t i = 0; i + 1 < N; ++i)
            m_bytes[i] = static_cast<char>(static_cast<std::uint8_t>(plain[i]) ^ mask(i));
    }

    // The bytes as stored in the program.
    const std::array<char, N - 1> &scrambled() const { return m_bytes; }

    // The text, decoded as UTF-8.
    QString unscrambled() const
    {
        std::array<char, N - 1> plain{};
        for (std::size_t i = 0; i + 1 < N; ++i)
            plain[i] = static_cast<char>(static_cast<std::uint8_t>(m_bytes[i]) ^ mask(i));
        QString text = QString::fromUtf8(plain.data(), static_cast<qsizetype>(plain.size()));
        plain.fill('\0');
        return text;
    }

private:
    // A small position-dependent key, so that repeated letters do not repeat in the stored bytes.
    static constexpr std::uint8_t mask(std::size_t i) { return static_cast<std::uint8_t>(0xA5U ^ ((i * 29U + 7U) & 0xFFU)); }

    std::array<char, N - 1> m_bytes{};
};

} // namespace ombre
