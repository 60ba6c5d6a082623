#include "cipher/cipher.h"

#include "cipher/secure_wipe.h"

namespace ombre {
namespace {

constexpr std::uint16_t kChainMultiplier = 0x4E35;
constexpr std::uint16_t kCarryMultiplier = 0x015A;

std::uint16_t keyWord(const CipherState &state, std::size_t k)
{
    return static_cast<std::uint16_t>(state.Key[2 * k] << 8 | state.Key[2 * k + 1]);
}

void feedKey(CipherState &state, std::uint8_t plain)
{
    for (std::uint8_t &keyByte : state.Key)
        keyByte ^= plain;
}

} // namespace

void CipherReset(CipherState &state)
{
    secureWipe(&state, sizeof state);
}

void CipherSetKey(CipherState &state, std::string_view password)
{
    CipherReset(state);
    for (std::size_t j = 0; j < password.size() && j < kCipherKeyLength; ++j)
        state.Key[j] = static_cast<std::uint8_t>(password[j]);
}

void CipherBeginStream(CipherState &state)
{
    state.Carry = 0;
    state.Chain = 0;
    state.PassIndex = 0;
}

void CipherPass(CipherState &state)
{
    const std::uint16_t k = state.PassIndex;
    const std::uint16_t w = state.Words[k];
    const std::uint16_t d = static_cast<std::uint16_t>(state.Chain + k);
    state.Chain = static_cast<std::uint16_t>(d * kChainMultiplier + w * kCarryMultiplier + state.Carry);
    state.Words[k] = static_cast<std::uint16_t>(w * kChainMultiplier + 1);
    state.Carry = static_cast<std::uint16_t>(w * kCarryMultiplier);
    state.PassResult = state.Words[k] ^ state.Chain;
    state.PassIndex = static_cast<std::uint16_t>(k + 1);
}

void CipherAssemble(CipherState &state)
{
    state.Words[0] = keyWord(state, 0);
    CipherPass(state);
    state.Inter = state.PassResult;
    for (std::size_t k = 1; k < kCipherWordCount; ++k) {
        // The previous word is the one the preceding pass has just rewritten.
        state.Words[k] = state.Words[k - 1] ^ keyWord(state, k);
        CipherPass(state);
        state.Inter ^= state.PassResult;
    }
    state.PassIndex = 0;
    state.MaskHigh = state.Inter >> 8;
    state.MaskLow = state.Inter & 0xFF;
}

std::uint8_t CipherEncryptByte(CipherState &state, std::uint8_t plain)
{
    state.CurrentByte = plain;
    CipherAssemble(state);
    feedKey(state, plain);
    state.CurrentByte = static_cast<std::uint8_t>(plain ^ (state.MaskHigh ^ state.MaskLow));
    return state.CurrentByte;
}

std::uint8_t CipherDecryptByte(CipherState &state, std::uint8_t cipher)
{
    state.CurrentByte = cipher;
    CipherAssemble(state);
    state.CurrentByte = static_cast<std::uint8_t>(cipher ^ (state.MaskHigh ^ state.MaskLow));
    const std::uint8_t plain = state.CurrentByte;
    feedKey(state, plain);
    return plain;
}

} // namespace ombre
