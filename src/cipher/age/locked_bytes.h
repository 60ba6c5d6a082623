#pragma once
// Memory for secrets (passphrase, keys, a chunk of plaintext): kept out of swap where the system
// allows it and wiped when it goes, however the scope is left.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace ombre::age {

class LockedBytes {
public:
    explicit LockedBytes(std::size_t size);
    // Holds a copy of `bytes`.
    explicit LockedBytes(std::span<const std::uint8_t> bytes);
    ~LockedBytes();
    LockedBytes(const LockedBytes &) = delete;
    LockedBytes &operator=(const LockedBytes &) = delete;

    std::uint8_t *data() { return m_data.get(); }
    const std::uint8_t *data() const { return m_data.get(); }
    std::size_t size() const { return m_size; }
    std::span<std::uint8_t> span() { return {m_data.get(), m_size}; }
    std::span<const std::uint8_t> span() const { return {m_data.get(), m_size}; }

private:
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_size;
    bool m_locked;
};

} // namespace ombre::age
