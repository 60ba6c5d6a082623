#include "cipher/age/payload.h"

namespace ombre::age {

PayloadCipher::PayloadCipher(FileKey fileKey, const PayloadNonce &nonce) : m_key(kKeySize)
{
    HkdfSha256(fileKey, nonce, "payload", m_key.span());
}

AeadNonce PayloadCipher::nextNonce(bool last)
{
    // The counter's 11 bytes, big-endian; a 64-bit count fills the low 8 of them, more than any
    // file can need.
    AeadNonce nonce{};
    std::uint64_t counter = m_counter++;
    for (std::size_t i = kNonceSize - 2; counter != 0; --i, counter >>= 8)
        nonce[i] = static_cast<std::uint8_t>(counter);
    nonce[kNonceSize - 1] = last ? 1 : 0;
    return nonce;
}

void PayloadCipher::seal(std::span<std::uint8_t> chunk, bool last)
{
    const std::size_t textSize = chunk.size() - kTagSize;
    SealInPlace(chunk.first(textSize), chunk.subspan(textSize).first<kTagSize>(), m_key.span().first<kKeySize>(),
                nextNonce(last));
}

bool PayloadCipher::open(std::span<std::uint8_t> chunk, bool last)
{
    const std::size_t textSize = chunk.size() - kTagSize;
    return OpenInPlace(chunk.first(textSize), chunk.subspan(textSize).first<kTagSize>(),
                       m_key.span().first<kKeySize>(), nextNonce(last));
}

} // namespace ombre::age
