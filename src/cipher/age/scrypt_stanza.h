#pragma once
// The passphrase's stanza: "-> scrypt <salt> <work factor>", whose body is the file key sealed
// under a key that scrypt stretches from the passphrase. A passphrase is only as good as the
// promise that no one else holds the file key, so this stanza must be the header's only one.

#include "cipher/age/age.h"
#include "cipher/age/header.h"

#include <array>
#include <cstdint>
#include <span>

namespace ombre::age {

inline constexpr std::size_t kScryptSaltSize = 16;

struct ScryptStanza {
    std::array<std::uint8_t, kScryptSaltSize> salt{};
    int workFactor = 0;
    std::array<std::uint8_t, kFileKeySize + kTagSize> wrappedKey{};
};

// The scrypt stanza of a complete header: Ok and `found` filled; NotPassphrase when the header
// holds stanzas of other types only; Damaged when a scrypt stanza breaks its rules (arguments,
// body size, a work factor not in 1..kMaxWorkFactor) or has company. Runs no scrypt.
Result FindScryptStanza(std::span<const Stanza> stanzas, ScryptStanza &found);

// A new stanza (fresh salt) that wraps `fileKey` for `passphrase`. Throws std::runtime_error when
// scrypt gets no memory.
Stanza MakeScryptStanza(std::span<const std::uint8_t> passphrase, FileKey fileKey, int workFactor);

// Recovers the file key; false when the passphrase does not open the stanza. Throws
// std::runtime_error when scrypt gets no memory.
bool UnwrapFileKey(const ScryptStanza &stanza, std::span<const std::uint8_t> passphrase,
                   std::span<std::uint8_t, kFileKeySize> fileKey);

} // namespace ombre::age
