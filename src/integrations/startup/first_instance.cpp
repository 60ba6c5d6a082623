#include "integrations/startup/first_instance.h"

#include "platform/instance_channel.h"

namespace ombre {

bool FirstInstance(const QString &, const QString &, const QStringList &)
{
    return false;
}

InstanceChannel *RunningInstanceChannel()
{
    return nullptr;
}

} // namespace ombre
