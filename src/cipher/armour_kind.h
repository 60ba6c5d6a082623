#pragma once
// The three forms a container is written in, and how file names and the armour option name them.
// A container is recognised by its extension alone, so every reader and writer takes the rule
// from here.

#include <optional>
#include <string_view>

namespace ombre {

enum class ArmourKind { Cod, Uue, Xxe };

// The kind that a file name's extension names, case ignored (".cod", ".uue", ".xxe"); none for
// any other extension.
std::optional<ArmourKind> ArmourKindNamedBy(std::string_view fileName);

// The extension, with its dot: ".cod", ".uue" or ".xxe".
std::string_view ArmourExtension(ArmourKind kind);

// The kind the option UUEncode chooses: 1 UUE, 2 XXE; 0, and any value a damaged store may hold,
// the plain container.
ArmourKind ArmourKindOfOption(int uuEncode);

} // namespace ombre
