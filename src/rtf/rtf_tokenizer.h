#pragma once
// Splits RTF bytes into groups, control words, control symbols, hex bytes and text runs.
// Every step consumes at least one byte, names and numbers are bounded, and a \bin claim never
// reaches past the end of the input: the tokenizer cannot loop or read out of bounds.

#include <QByteArrayView>

namespace ombre::rtf {

struct Token
{
    enum class Kind {
        End,
        GroupStart,
        GroupEnd,
        ControlWord,   // word, hasParameter, parameter
        ControlSymbol, // symbol (a line break after a backslash reads as '\n')
        HexByte,       // byte, from \'hh
        Text,          // bytes: a run of plain text bytes, line breaks left out
        Binary,        // bytes: the data of \binN
    };
    Kind kind = Kind::End;
    QByteArrayView word;
    bool hasParameter = false;
    int parameter = 0;
    char symbol = 0;
    unsigned char byte = 0;
    QByteArrayView bytes;
};

class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView input) : m_input(input) {}
    Token next();

private:
    Token controlSequence();
    Token textRun();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};

} // namespace ombre::rtf
