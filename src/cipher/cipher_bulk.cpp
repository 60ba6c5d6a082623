// The fast path of the cipher. Two facts make it cheap:
//  - every key byte is XORed with the same plain byte, so key word k is always its value at the
//    start of the buffer XOR (r * 0x0101), r being the running XOR of the plain bytes since then:
//    everything that depends on the key can be tabled for the 256 values of r;
//  - a pass maps Chain to Chain * 0x4E35 + (terms of the key words and the carry), so the five
//    chain values of a byte are u * 0x4E35^k plus tabled constants, u being the previous byte's
//    Chain * 0x4E35 + Carry. The products are independent of each other and of the key.
// Arithmetic runs in 32 bits without masking: only the low 16 bits are ever used, and sums and
// products keep those exact.
//
// Deciphering is bound by latency, not by work: the plain byte picks the next byte's table row,
// so the path from one row look-up to the next is what the loop is shaped around (see runBulk).

#include "cipher/cipher.h"

#include "cipher/secure_wipe.h"

namespace ombre {
namespace {

constexpr std::uint32_t kM = 0x4E35;
constexpr std::uint32_t kN = 0x015A;

// kPowers[k] = M^k modulo 2^32, k = 0..5.
constexpr auto kPowers = [] {
    std::array<std::uint32_t, kCipherWordCount + 1> powers{};
    std::uint32_t power = 1;
    for (std::uint32_t &p : powers) {
        p = power;
        power *= kM;
    }
    return powers;
}();

// Below this size the table set-up costs more than it saves.
constexpr std::size_t kBulkThreshold = 96;

// For each value of the running XOR r, one row, all of it in one cache line:
//   chain after pass k = u * M^k + offset[k]        (k = 0..4)
//   Inter              = wordsXor ^ (XOR of the five chain values)
//   next u             = u * M^5 + advance
struct alignas(16) KeystreamRow {
    std::uint16_t offset[kCipherWordCount];
    std::uint16_t wordsXor;
    std::uint16_t advance;
};
// The loop carries r as the byte offset of its row, r << kRowShift.
constexpr unsigned kRowShift = 4;
static_assert(sizeof(KeystreamRow) == std::size_t{1} << kRowShift);
constexpr std::uint32_t kRowOffsetMask = 0xFFu << kRowShift;

struct KeystreamTables {
    KeystreamRow row[256];

    explicit KeystreamTables(const CipherState &state)
    {
        std::uint32_t keyWords[kCipherWordCount];
        for (std::size_t k = 0; k < kCipherWordCount; ++k)
            keyWords[k] = static_cast<std::uint32_t>(state.Key[2 * k] << 8 | state.Key[2 * k + 1]);
        for (std::uint32_t r = 0; r < 256; ++r) {
            KeystreamRow &out = row[r];
            const std::uint32_t feed = r * 0x0101;
            std::uint32_t word = (keyWords[0] ^ feed) & 0xFFFF;
            std::uint32_t rewritten = word * kM + 1;
            std::uint32_t offsetSum = word * kN;  // the previous byte's carry is in u
            std::uint32_t carry = word * kN;
            std::uint32_t inter = rewritten;
            out.offset[0] = static_cast<std::uint16_t>(offsetSum);
            for (std::uint32_t k = 1; k < kCipherWordCount; ++k) {
                word = (rewritten ^ keyWords[k] ^ feed) & 0xFFFF;
                rewritten = word * kM + 1;
                offsetSum = offsetSum * kM + k * kM + word * kN + carry;
                carry = word * kN;
                inter ^= rewritten;
                out.offset[k] = static_cast<std::uint16_t>(offsetSum);
            }
            out.wordsXor = static_cast<std::uint16_t>(inter);
            out.advance = static_cast<std::uint16_t>(offsetSum * kM + carry);
        }
    }
    ~KeystreamTables() { secureWipe(this, sizeof *this); }
    KeystreamTables(const KeystreamTables &) = delete;
    KeystreamTables &operator=(const KeystreamTables &) = delete;
};

// Compilers rewrite a XOR of many terms into one serial chain, which would put every term on the
// path from one row look-up to the next; an empty asm statement, which emits no instruction,
// keeps a partial XOR of the tree as it is.
inline void keepApart(std::uint32_t &value)
{
#if defined(__GNUC__)
    __asm__("" : "+r"(value));
#else
    (void)value;
#endif
}

// Per byte, with u known a byte ahead and `at` the offset of row r:
//   Inter = wordsXor ^ XOR over k of (u * M^k + offset[k])    a tree of depth three
//   mask  = low byte of Inter XOR its high byte
// The products of u do not wait for the row; the row look-up does wait for the previous byte
// when deciphering, since r ^= plain = cipher ^ mask. r ^ cipher is known early and, having no
// high byte, joins the tree: with I = Inter ^ r ^ cipher the next row's offset is
// ((I << 4) ^ (I >> 4)) kept to bits 4..11, the left shift bringing the low byte there and the
// right shift the high byte. Three operations after the tree, none of them a shift of the index.
template <bool Decrypt>
void runBulk(CipherState &state, std::span<std::uint8_t> data)
{
    const KeystreamTables t(state);
    const auto *rows = reinterpret_cast<const unsigned char *>(t.row);
    std::uint32_t u = std::uint32_t{state.Chain} * kM + state.Carry;
    std::uint32_t chain = state.Chain;
    std::uint32_t at = 0;
    for (std::uint8_t &byte : data) {
        const auto &row = *reinterpret_cast<const KeystreamRow *>(rows + at);
        chain = u * kPowers[4] + row.offset[4];
        const std::uint32_t known = Decrypt ? (at >> kRowShift) ^ byte : 0;
        std::uint32_t low = (u + row.offset[0]) ^ (u * kPowers[1] + row.offset[1]);
        std::uint32_t middle = (u * kPowers[2] + row.offset[2]) ^ (u * kPowers[3] + row.offset[3]);
        std::uint32_t high = chain ^ (row.wordsXor ^ known);
        keepApart(low);
        keepApart(middle);
        keepApart(high);
        std::uint32_t lowMiddle = low ^ middle;
        keepApart(lowMiddle);
        const std::uint32_t inter = lowMiddle ^ high;
        u = u * kPowers[5] + row.advance;
        if constexpr (Decrypt) {
            const std::uint32_t next =
                ((inter << kRowShift) ^ (inter >> (8 - kRowShift))) & kRowOffsetMask;
            byte = static_cast<std::uint8_t>((next ^ at) >> kRowShift);
            at = next;
        } else {
            at ^= std::uint32_t{byte} << kRowShift;
            byte = static_cast<std::uint8_t>(byte ^ inter ^ (inter >> 8));
        }
    }
    for (std::uint8_t &keyByte : state.Key)
        keyByte ^= static_cast<std::uint8_t>(at >> kRowShift);
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
