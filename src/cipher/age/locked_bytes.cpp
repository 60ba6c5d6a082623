#include "cipher/age/locked_bytes.h"

#include "cipher/age/primitives.h"

#include <sodium.h>

#include <algorithm>

namespace ombre::age {

LockedBytes::LockedBytes(std::size_t size) : m_data(new std::uint8_t[size]()), m_size(size)
{
    EnsureSodium();
    // A refused lock (a low RLIMIT_MEMLOCK) costs only the swap protection: the bytes are still
    // wiped when they go.
    m_locked = size > 0 && sodium_mlock(m_data.get(), size) == 0;
}

LockedBytes::LockedBytes(std::span<const std::uint8_t> bytes) : LockedBytes(bytes.size())
{
    std::copy(bytes.begin(), bytes.end(), m_data.get());
}

LockedBytes::~LockedBytes()
{
    // sodium_munlock wipes before it unlocks.
    if (m_locked)
        sodium_munlock(m_data.get(), m_size);
    else
        sodium_memzero(m_data.get(), m_size);
}

} // namespace ombre::age
