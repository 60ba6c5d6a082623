#pragma once
// Where the current user's settings live and the names in them that more than one reader uses:
// the program (through RegistryStore) and the command-line tool (which reads the file alone).
// Standard C++ only.

#include <string_view>

namespace ombre::store {

// Names a store file in place of the default, for tests and for users who keep several.
inline constexpr const char *kFileVariable = "OMBRELUNAIRE_REGISTRY_FILE";
// The store file under the user's configuration folder.
inline constexpr std::string_view kFileInConfigFolder = "Morvandel/Ombrelunaire.reg";

inline constexpr std::string_view kCurrentUserHive = "HKEY_CURRENT_USER";
// Every key of the program lies under this one (relative to the hive).
inline constexpr std::string_view kRootKey = "Software\\Morvandel\\Ombrelunaire";
// The owner name sealed into every container, a string under the root key.
inline constexpr std::string_view kOwnerNameValue = "OwnerName";

} // namespace ombre::store
