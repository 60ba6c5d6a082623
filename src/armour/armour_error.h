#pragma once
// How decoding an armoured text can fail. The fast routines and the streaming decoder return
// these values; TUUCode raises them as exceptions, as its callers expect.

#include <cstddef>
#include <stdexcept>

namespace ombre {

enum class ArmourError {
    None,
    InvalidCharacter, // a character outside the alphabet (and not a space)
    CountTooLarge,    // a count character above 45: the line claims more than a block holds
    LineTooShort,     // fewer data characters than the count needs: the line was cut
    LineTooLong,      // a short block followed by more than 60 data characters and a check
    NoDataLine,       // the text ends before its first data line
};

// The French text the user sees for a failure.
const char *ArmourMessage(ArmourError error);

// Base of the codec's exceptions: what() is the French message; line() is the index of the
// failing line in the text (0 for the begin line).
class EUUError : public std::runtime_error {
public:
    EUUError(ArmourError error, std::size_t line);
    ArmourError error() const { return error_; }
    std::size_t line() const { return line_; }

private:
    ArmourError error_;
    std::size_t line_;
};

// "Caractère invalide dans le fichier d'entrée".
class EUUInvalidCharacter : public EUUError {
public:
    explicit EUUInvalidCharacter(std::size_t line = 0) : EUUError(ArmourError::InvalidCharacter, line) {}
};

// A line whose count and length do not agree (CountTooLarge, LineTooShort, LineTooLong).
class EUUDamagedLine : public EUUError {
public:
    EUUDamagedLine(ArmourError error, std::size_t line) : EUUError(error, line) {}
};

// A text with no data line: nothing after the begin line.
class EUUNoDataLine : public EUUError {
public:
    explicit EUUNoDataLine(std::size_t line) : EUUError(ArmourError::NoDataLine, line) {}
};

// Raises the exception that matches a failure (error must not be None).
[[noreturn]] void ThrowArmourError(ArmourError error, std::size_t line);

} // namespace ombre
