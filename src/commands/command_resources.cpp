#include "commands/command_resources.h"

#include <QtGlobal>

static void initCommandResources()
{
    Q_INIT_RESOURCE(commands);
}

namespace ombre {

void ensureCommandResources()
{
    static const bool initialised = (initCommandResources(), true);
    Q_UNUSED(initialised);
}

} // namespace ombre
