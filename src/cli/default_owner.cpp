#include "cli/default_owner.h"

#include "platform/stored_owner_name.h"

namespace ombre::cli {

std::string DefaultOwnerName()
{
    return reg::readStoredOwnerName();
}

} // namespace ombre::cli
