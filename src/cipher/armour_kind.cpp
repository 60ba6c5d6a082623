#include "cipher/armour_kind.h"

#include "cipher/file_name.h"

namespace ombre {

std::optional<ArmourKind> ArmourKindNamedBy(std::string_view fileName)
{
    const std::string extension = LowerExtension(fileName);
    for (ArmourKind kind : {ArmourKind::Cod, ArmourKind::Uue, ArmourKind::Xxe})
        if (extension == ArmourExtension(kind))
            return kind;
    return std::nullopt;
}

std::string_view ArmourExtension(ArmourKind kind)
{
    switch (kind) {
    case ArmourKind::Uue: return ".uue";
    case ArmourKind::Xxe: return ".xxe";
    case ArmourKind::Cod: break;
    }
    return ".cod";
}

ArmourKind ArmourKindOfOption(int uuEncode)
{
    switch (uuEncode) {
    case 1: return ArmourKind::Uue;
    case 2: return ArmourKind::Xxe;
    default: return ArmourKind::Cod;
    }
}

} // namespace ombre
