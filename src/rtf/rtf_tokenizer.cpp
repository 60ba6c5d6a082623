#include "rtf/rtf_tokenizer.h"

#include <algorithm>
#include <limits>

namespace ombre::rtf {
namespace {

// RTF allows 32 letters per control word; longer names are read to their end and cut.
constexpr qsizetype kMaxWordLength = 32;

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

Token tokenOf(Token::Kind kind)
{
    Token token;
    token.kind = kind;
    return token;
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

Token Tokenizer::next()
{
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return tokenOf(Token::Kind::GroupStart);
        case '}':
            ++m_pos;
            return tokenOf(Token::Kind::GroupEnd);
        case '\\':
            return controlSequence();
        case '\r':
        case '\n':
            ++m_pos; // line breaks in RTF source carry no meaning
            continue;
        default:
            return textRun();
        }
    }
    return {};
}

Token Tokenizer::textRun()
{
    const qsizetype start = m_pos;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n')
            break;
        ++m_pos;
    }
    Token token = tokenOf(Token::Kind::Text);
    token.bytes = m_input.sliced(start, m_pos - start);
    return token;
}

Token Tokenizer::controlSequence()
{
    ++m_pos; // the backslash
    if (m_pos >= m_input.size())
        return {};
    const char first = m_input[m_pos];

    if (!isLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < m_input.size()) {
                const int v = hexValue(m_input[m_pos]);
                if (v < 0)
                    break;
                value = value * 16 + v;
                ++digits;
                ++m_pos;
            }
            if (digits == 0) {
                Token token = tokenOf(Token::Kind::ControlSymbol); // "\'" without a digit: means nothing
                token.symbol = '\'';
                return token;
            }
            Token token = tokenOf(Token::Kind::HexByte);
            token.byte = static_cast<unsigned char>(value);
            return token;
        }
        Token token = tokenOf(Token::Kind::ControlSymbol);
        token.symbol = first == '\r' ? '\n' : first;
        return token;
    }

    const qsizetype start = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos]))
        ++m_pos;
    Token token = tokenOf(Token::Kind::ControlWord);
    token.word = m_input.sliced(start, std::min(m_pos - start, kMaxWordLength));

    bool negative = false;
    if (m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        // Absurd numbers saturate instead of overflowing; the reader clamps them further.
        constexpr long long kLimit = std::numeric_limits<int>::max();
        long long value = 0;
        while (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
            value = std::min(kLimit, value * 10 + (m_input[m_pos] - '0'));
            ++m_pos;
        }
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos; // the delimiting space belongs to the control word

    if (token.word == "bin" && token.hasParameter) {
        const qsizetype length = std::clamp<qsizetype>(token.parameter, 0, m_input.size() - m_pos);
        Token binary = tokenOf(Token::Kind::Binary);
        binary.bytes = m_input.sliced(m_pos, length);
        m_pos += length;
        return binary;
    }
    return token;
}

} // namespace ombre::rtf
