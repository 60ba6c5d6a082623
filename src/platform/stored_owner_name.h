#pragma once
// The owner name kept in the current user's store, for the command-line tool, which reads the
// store file directly (standard C++ only). The program itself goes through RegistryStore.

#include <string>

namespace ombre::reg {

// The store file: $OMBRELUNAIRE_REGISTRY_FILE, else $XDG_CONFIG_HOME (or ~/.config) followed by
// "/Morvandel/Ombrelunaire.reg". Empty when no folder can be found.
std::string userStoreFilePath();

// The string "OwnerName" under "Software\Morvandel\Ombrelunaire"; empty when the file, the key or
// the value is missing or unreadable (UTF-8).
std::string readStoredOwnerName(const std::string &storeFilePath = userStoreFilePath());

} // namespace ombre::reg
