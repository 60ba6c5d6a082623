#include "armour/armour_error.h"

namespace ombre {

const char *ArmourMessage(ArmourError error)
{
    switch (error) {
    case ArmourError::None:
        return "";
    case ArmourError::InvalidCharacter:
        return "Caractère invalide dans le fichier d'entrée";
    case ArmourError::CountTooLarge:
    case ArmourError::LineTooShort:
    case ArmourError::LineTooLong:
        return "Ligne endommagée dans le fichier d'entrée";
    case ArmourError::NoDataLine:
        return "Le fichier d'entrée ne contient aucune ligne de données";
    }
    return "";
}

EUUError::EUUError(ArmourError error, std::size_t line)
    : std::runtime_error(ArmourMessage(error)), error_(error), line_(line)
{
}

void ThrowArmourError(ArmourError error, std::size_t line)
{
    switch (error) {
    case ArmourError::InvalidCharacter:
        throw EUUInvalidCharacter(line);
    case ArmourError::NoDataLine:
        throw EUUNoDataLine(line);
    default:
        throw EUUDamagedLine(error, line);
    }
}

} // namespace ombre
