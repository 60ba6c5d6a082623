#pragma once
// The cryptography the format is made of, over libsodium: scrypt, HMAC-SHA-256, HKDF-SHA-256,
// ChaCha20-Poly1305 (IETF) and the system's randomness. Callers hold keys in LockedBytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace ombre::age {

inline constexpr std::size_t kKeySize = 32;   // ChaCha20-Poly1305 keys, HMAC keys, scrypt output
inline constexpr std::size_t kTagSize = 16;   // Poly1305
inline constexpr std::size_t kNonceSize = 12; // ChaCha20-Poly1305 (IETF)
inline constexpr std::size_t kMacSize = 32;   // HMAC-SHA-256

// A text's bytes, as the format's functions take them.
inline std::span<const std::uint8_t> BytesOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()};
}

// Initialises libsodium once, whatever the thread; throws std::runtime_error when it cannot.
void EnsureSodium();

void RandomBytes(std::span<std::uint8_t> out);

// scrypt with N = 2^logN, r = 8, p = 1, filling `out`. False when the system gives it no memory.
bool Scrypt(std::span<const std::uint8_t> passphrase, std::span<const std::uint8_t> salt, int logN,
            std::span<std::uint8_t> out);

// HMAC-SHA-256 over data given in pieces; a key of any length. Its state (which holds the key) is
// wiped when it goes.
class HmacSha256 {
public:
    explicit HmacSha256(std::span<const std::uint8_t> key);
    ~HmacSha256();
    HmacSha256(const HmacSha256 &) = delete;
    HmacSha256 &operator=(const HmacSha256 &) = delete;

    void update(std::span<const std::uint8_t> data);
    void finish(std::span<std::uint8_t, kMacSize> mac);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// HKDF-SHA-256: extract with `salt` (empty is allowed), then expand with `info` to fill `out`
// (at most 255 * 32 bytes).
void HkdfSha256(std::span<const std::uint8_t> ikm, std::span<const std::uint8_t> salt, std::string_view info,
                std::span<std::uint8_t> out);

using AeadKey = std::span<const std::uint8_t, kKeySize>;
using AeadNonce = std::array<std::uint8_t, kNonceSize>;

// ChaCha20-Poly1305 without associated data, in place: the text is replaced by its ciphertext
// and its tag goes to `tag`.
void SealInPlace(std::span<std::uint8_t> text, std::span<std::uint8_t, kTagSize> tag, AeadKey key,
                 const AeadNonce &nonce);
// Checks the tag, then replaces the ciphertext by its plaintext; false (and the text untouched)
// when the tag does not match.
bool OpenInPlace(std::span<std::uint8_t> text, std::span<const std::uint8_t, kTagSize> tag, AeadKey key,
                 const AeadNonce &nonce);

// Equality of two secrets or MACs in a time that does not depend on where they differ.
bool EqualInConstantTime(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

} // namespace ombre::age
