#include "platform/instance_channel.h"

namespace ombre {

InstanceChannel::InstanceChannel(const QString &, const QString &, QObject *parent) : QObject(parent) {}

InstanceChannel::~InstanceChannel() = default;

bool InstanceChannel::elect()
{
    return true;
}

bool InstanceChannel::handOver(const HandOver &, int)
{
    return false;
}

} // namespace ombre
