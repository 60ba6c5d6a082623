#include "cipher/age/primitives.h"

#include "cipher/age/locked_bytes.h"

#include <sodium.h>

#include <algorithm>
#include <stdexcept>

namespace ombre::age {

namespace {

// libsodium takes no null pointer, even for no bytes; an empty span may hold one.
const std::uint8_t *dataOf(std::span<const std::uint8_t> bytes)
{
    static const std::uint8_t none = 0;
    return bytes.empty() ? &none : bytes.data();
}

} // namespace

void EnsureSodium()
{
    // A static's initialisation runs once even when threads race to it.
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium could not be initialised");
}

void RandomBytes(std::span<std::uint8_t> out)
{
    EnsureSodium();
    randombytes_buf(out.data(), out.size());
}

bool Scrypt(std::span<const std::uint8_t> passphrase, std::span<const std::uint8_t> salt, int logN,
            std::span<std::uint8_t> out)
{
    EnsureSodium();
    return crypto_pwhash_scryptsalsa208sha256_ll(dataOf(passphrase), passphrase.size(), salt.data(), salt.size(),
                                                 std::uint64_t{1} << logN, 8, 1, out.data(), out.size())
        == 0;
}

struct HmacSha256::State {
    crypto_auth_hmacsha256_state hmac;
};

HmacSha256::HmacSha256(std::span<const std::uint8_t> key) : m_state(std::make_unique<State>())
{
    EnsureSodium();
    crypto_auth_hmacsha256_init(&m_state->hmac, dataOf(key), key.size());
}

HmacSha256::~HmacSha256() { sodium_memzero(&m_state->hmac, sizeof m_state->hmac); }

void HmacSha256::update(std::span<const std::uint8_t> data)
{
    crypto_auth_hmacsha256_update(&m_state->hmac, dataOf(data), data.size());
}

void HmacSha256::finish(std::span<std::uint8_t, kMacSize> mac)
{
    crypto_auth_hmacsha256_final(&m_state->hmac, mac.data());
}

void HkdfSha256(std::span<const std::uint8_t> ikm, std::span<const std::uint8_t> salt, std::string_view info,
                std::span<std::uint8_t> out)
{
    if (out.size() > 255 * kMacSize)
        throw std::invalid_argument("HKDF output too long");
    LockedBytes prk(kMacSize);
    {
        HmacSha256 extract(salt);
        extract.update(ikm);
        extract.finish(prk.span().first<kMacSize>());
    }
    const std::span<const std::uint8_t> infoBytes = BytesOf(info);
    LockedBytes block(kMacSize);
    std::size_t done = 0;
    for (std::uint8_t counter = 1; done < out.size(); ++counter) {
        HmacSha256 expand(prk.span());
        if (counter > 1)
            expand.update(block.span());
        expand.update(infoBytes);
        expand.update({&counter, 1});
        expand.finish(block.span().first<kMacSize>());
        const std::size_t take = std::min(kMacSize, out.size() - done);
        std::copy_n(block.data(), take, out.data() + done);
        done += take;
    }
}

void SealInPlace(std::span<std::uint8_t> text, std::span<std::uint8_t, kTagSize> tag, AeadKey key,
                 const AeadNonce &nonce)
{
    crypto_aead_chacha20poly1305_ietf_encrypt_detached(text.data(), tag.data(), nullptr, text.data(), text.size(),
                                                       nullptr, 0, nullptr, nonce.data(), key.data());
}

bool OpenInPlace(std::span<std::uint8_t> text, std::span<const std::uint8_t, kTagSize> tag, AeadKey key,
                 const AeadNonce &nonce)
{
    return crypto_aead_chacha20poly1305_ietf_decrypt_detached(text.data(), nullptr, text.data(), text.size(),
                                                              tag.data(), nullptr, 0, nonce.data(), key.data())
        == 0;
}

bool EqualInConstantTime(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b)
{
    return a.size() == b.size() && sodium_memcmp(a.data(), b.data(), a.size()) == 0;
}

} // namespace ombre::age
