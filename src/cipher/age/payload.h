#pragma once
// The payload after the header: a 16-byte nonce, then the plaintext in chunks of kChunkSize, each
// sealed with ChaCha20-Poly1305 under the payload key. A chunk's nonce is its number (11 bytes,
// big-endian) and a last-chunk flag, so chunks cannot be reordered, dropped or cut off at the
// end without the tags telling.

#include "cipher/age/age.h"
#include "cipher/age/header.h"
#include "cipher/age/locked_bytes.h"

#include <array>
#include <cstdint>
#include <span>

namespace ombre::age {

inline constexpr std::size_t kPayloadNonceSize = 16;
inline constexpr std::size_t kSealedChunkSize = kChunkSize + kTagSize;

using PayloadNonce = std::array<std::uint8_t, kPayloadNonceSize>;

// Seals or opens the chunks of one payload in order.
class PayloadCipher {
public:
    PayloadCipher(FileKey fileKey, const PayloadNonce &nonce);

    // `chunk` is the plaintext followed by kTagSize bytes that receive the tag.
    void seal(std::span<std::uint8_t> chunk, bool last);
    // `chunk` is the ciphertext followed by its tag; deciphered in place when the tag matches.
    bool open(std::span<std::uint8_t> chunk, bool last);

private:
    AeadNonce nextNonce(bool last);

    LockedBytes m_key;
    std::uint64_t m_counter = 0;
};

} // namespace ombre::age
