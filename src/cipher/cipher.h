#pragma once
// The password-keyed stream cipher of every container: ten key bytes fed back with each plain
// byte, five 16-bit passes per byte. The byte functions are the readable reference; the buffer
// functions are the fast path, byte-identical to them.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ombre {

inline constexpr std::size_t kCipherKeyLength = 10;
inline constexpr std::size_t kCipherWordCount = 5;

// Between two bytes only Key, Chain and Carry carry information; Words is rebuilt from Key for
// every byte and PassIndex is back to 0. All arithmetic is modulo 65536.
struct CipherState {
    std::array<std::uint8_t, kCipherKeyLength> Key{};
    std::array<std::uint16_t, kCipherWordCount> Words{};
    std::uint16_t Chain = 0;
    std::uint16_t Carry = 0;
    std::uint16_t PassIndex = 0;
    std::uint16_t PassResult = 0;
    std::uint16_t Inter = 0;
    std::uint16_t MaskHigh = 0;
    std::uint16_t MaskLow = 0;
    std::uint8_t CurrentByte = 0;

    bool operator==(const CipherState &) const = default;
};

// Zeroes every field, the key included, in a way the optimiser keeps.
void CipherReset(CipherState &state);

// Resets, then loads the password's bytes (Windows-1252, case kept) into the key; at most ten are
// used and the rest of the key stays 0.
void CipherSetKey(CipherState &state, std::string_view password);

// Starts a stream: Chain, Carry and PassIndex to 0, the key unchanged.
void CipherBeginStream(CipherState &state);

std::uint8_t CipherEncryptByte(CipherState &state, std::uint8_t plain);
std::uint8_t CipherDecryptByte(CipherState &state, std::uint8_t cipher);

// One pass over Words[PassIndex]; sets PassResult and advances PassIndex.
void CipherPass(CipherState &state);

// The keystream computation for one byte: sets Inter, MaskHigh and MaskLow.
void CipherAssemble(CipherState &state);

// Enciphers or deciphers in place, continuing the stream of the byte functions: any split of a
// body into calls, mixed with byte calls, gives the same bytes and leaves the same state.
void CipherEncryptBuffer(CipherState &state, std::span<std::uint8_t> data);
void CipherDecryptBuffer(CipherState &state, std::span<std::uint8_t> data);

// Calls CipherReset when the scope is left, however it is left.
class CipherKeyGuard {
public:
    explicit CipherKeyGuard(CipherState &state) : m_state(state) {}
    ~CipherKeyGuard() { CipherReset(m_state); }
    CipherKeyGuard(const CipherKeyGuard &) = delete;
    CipherKeyGuard &operator=(const CipherKeyGuard &) = delete;

private:
    CipherState &m_state;
};

} // namespace ombre
