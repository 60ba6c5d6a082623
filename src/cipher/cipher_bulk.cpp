// The fast path of the cipher. Two facts make it cheap:
//  - every key byte is XORed with the same plain byte, so key word k is always its value at the
//    start of the buffer XOR (r * 0x0101), r being the running XOR of the plain bytes since then:
//    everything that depends on the key can be tabled for the 256 values of r;
//  - a pass maps Chain to Chain * 0x4E35 + (terms of the key words and the carry), so the five
//    chain values of a byte are u * 0x4E35^k plus tabled constants, u being the previous byte's
//    Chain * 0x4E35 + Carry. The products are independent of each other and of the key.
// Arithmetic runs in 32 bits without masking: only the low 16 bits are ever used, and sums and
// products keep those exact.

#include "cipher/cipher.h"

#include "cipher/secure_wipe.h"

namespace ombre {
namespace {

constexpr std::uint32_t kM = 0x4E35;
constexpr std::uint32_t kN = 0x015A;
constexpr std::uint32_t kM2 = kM * kM;
constexpr std::uint32_t kM3 = kM2 * kM;
constexpr std::uint32_t kM4 = kM3 * kM;
constexpr std::uint32_t kM5 = kM4 * kM;

// Below this size the table set-up costs more than it saves.
constexpr std::size_t kBulkThreshold = 96;

// For each value of the running XOR r:
//   chain after pass k = u * M^k + offset[k][r]        (k = 0..4, M^0 = 1)
//   Inter              = wordsXor[r] ^ (XOR of the five chain values)
//   next u             = u * M^5 + advance[r]
struct KeystreamTables {
    std::uint16_t offset[kCipherWordCount][256];
    std::uint16_t wordsXor[256];
    std::uint16_t advance[256];

    explicit KeystreamTables(const CipherState &state)
    {
        std::uint32_t keyWords[kCipherWordCount];
        for (std::size_t k = 0; k < kCipherWordCount; ++k)
            keyWords[k] = static_cast<std::uint32_t>(state.Key[2 * k] << 8 | state.Key[2 * k + 1]);
        for (std::uint32_t r = 0; r < 256; ++r) {
            const std::uint32_t feed = r * 0x0101;
            std::uint32_t word = (keyWords[0] ^ feed) & 0xFFFF;
            std::uint32_t rewritten = word * kM + 1;
            std::uint32_t offsetSum = word * kN;  // the previous byte's carry is in u
            std::uint32_t carry = word * kN;
            std::uint32_t inter = rewritten;
            offset[0][r] = static_cast<std::uint16_t>(offsetSum);
            for (std::uint32_t k = 1; k < kCipherWordCount; ++k) {
                word = (rewritten ^ keyWords[k] ^ feed) & 0xFFFF;
                rewritten = word * kM + 1;
                offsetSum = offsetSum * kM + k * kM + word * kN + carry;
                carry = word * kN;
                inter ^= rewritten;
                offset[k][r] = static_cast<std::uint16_t>(offsetSum);
            }
            wordsXor[r] = static_cast<std::uint16_t>(inter);
            advance[r] = static_cast<std::uint16_t>(offsetSum * kM + carry);
        }
    }
    ~KeystreamTables() { secureWipe(this, sizeof *this); }
    KeystreamTables(const KeystreamTables &) = delete;
    KeystreamTables &operator=(const KeystreamTables &) = delete;
};

template <bool Decrypt>
void runBulk(CipherState &state, std::span<std::uint8_t> data)
{
    const KeystreamTables t(state);
    std::uint32_t u = std::uint32_t{state.Chain} * kM + state.Carry;
    std::uint32_t chain = state.Chain;
    std::uint32_t r = 0;
    for (std::uint8_t &byte : data) {
        const std::uint32_t c0 = u + t.offset[0][r];
        const std::uint32_t c1 = u * kM + t.offset[1][r];
        const std::uint32_t c2 = u * kM2 + t.offset[2][r];
        const std::uint32_t c3 = u * kM3 + t.offset[3][r];
        chain = u * kM4 + t.offset[4][r];
        const std::uint32_t inter = t.wordsXor[r] ^ c0 ^ c1 ^ c2 ^ c3 ^ chain;
        const std::uint8_t mask = static_cast<std::uint8_t>(inter ^ (inter >> 8));
        const std::uint8_t plain = Decrypt ? static_cast<std::uint8_t>(byte ^ mask) : byte;
        byte ^= mask;
        u = u * kM5 + t.advance[r];
        r ^= plain;
    }
    for (std::uint8_t &keyByte : state.Key)
        keyByte ^= static_cast<std::uint8_t>(r);
    state.Chain = static_cast<std::uint16_t>(chain);
    state.Carry = static_cast<std::uint16_t>(u - chain * kM);
}

// The last byte goes through the reference path so that the state is left exactly as the byte
// functions leave it (Words, Inter, masks and CurrentByte of the final byte included).
template <bool Decrypt>
void cipherBuffer(CipherState &state, std::span<std::uint8_t> data)
{
    if (data.empty())
        return;
    std::size_t head = 0;
    if (data.size() > kBulkThreshold) {
        head = data.size() - 1;
        runBulk<Decrypt>(state, data.first(head));
    }
    for (std::uint8_t &byte : data.subspan(head))
        byte = Decrypt ? CipherDecryptByte(state, byte) : CipherEncryptByte(state, byte);
}

} // namespace

void CipherEncryptBuffer(CipherState &state, std::span<std::uint8_t> data)
{
    cipherBuffer<false>(state, data);
}

void CipherDecryptBuffer(CipherState &state, std::span<std::uint8_t> data)
{
    cipherBuffer<true>(state, data);
}

} // namespace ombre
