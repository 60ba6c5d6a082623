#pragma once
// The owner name sealed by default: the one set in the program's settings, so that the tool and
// the program seal the same owner.

#include <string>

namespace ombre::cli {

std::string DefaultOwnerName();

} // namespace ombre::cli
