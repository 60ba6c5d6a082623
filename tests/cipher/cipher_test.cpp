#include "cipher/cipher.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace ombre {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes encryptByBytes(std::string_view password, const Bytes &plain)
{
    CipherState state;
    CipherSetKey(state, password);
    CipherBeginStream(state);
    Bytes out;
    for (std::uint8_t p : plain)
        out.push_back(CipherEncryptByte(state, p));
    return out;
}

Bytes decryptByBytes(std::string_view password, const Bytes &cipher)
{
    CipherState state;
    CipherSetKey(state, password);
    CipherBeginStream(state);
    Bytes out;
    for (std::uint8_t c : cipher)
        out.push_back(CipherDecryptByte(state, c));
    return out;
}

TEST(CipherPass, WorkedPasses)
{
    struct Case { std::uint16_t chain, carry, k, w, words, chainOut, carryOut, result; };
    for (const Case &c : {Case{0x0000, 0x0000, 0, 0x0001, 0x4E36, 0x015A, 0x015A, 0x4F6C},
                          Case{0x1234, 0x0005, 2, 0xABCD, 0x0772, 0x6C45, 0x3312, 0x6B37},
                          Case{0x0000, 0x0000, 0, 0x0000, 0x0001, 0x0000, 0x0000, 0x0001}}) {
        CipherState state;
        state.Chain = c.chain;
        state.Carry = c.carry;
        state.PassIndex = c.k;
        state.Words[c.k] = c.w;
        CipherPass(state);
        EXPECT_EQ(state.Words[c.k], c.words);
        EXPECT_EQ(state.Chain, c.chainOut);
        EXPECT_EQ(state.Carry, c.carryOut);
        EXPECT_EQ(state.PassResult, c.result);
        EXPECT_EQ(state.PassIndex, c.k + 1);
    }
}

TEST(CipherSetKey, PadsWithZerosAndKeepsAtMostTenBytes)
{
    CipherState state;
    state.Chain = 7;
    CipherSetKey(state, "abc");
    const std::array<std::uint8_t, 10> abc = {'a', 'b', 'c', 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(state.Key, abc);
    EXPECT_EQ(state.Chain, 0);
    CipherSetKey(state, "0123456789ABC");
    EXPECT_EQ(state.Key[9], '9');
}

TEST(CipherReset, ClearsEveryField)
{
    CipherState state;
    CipherSetKey(state, "secret");
    CipherBeginStream(state);
    CipherEncryptByte(state, 'x');
    {
        CipherKeyGuard guard(state);
    }
    EXPECT_EQ(state, CipherState{});
}

TEST(Cipher, RoundTripsEveryShortLengthAndIsDeterministic)
{
    std::mt19937 random(1);
    for (std::size_t length = 0; length < 40; ++length) {
        Bytes plain(length);
        for (auto &b : plain)
            b = static_cast<std::uint8_t>(random());
        const Bytes sealed = encryptByBytes("Mot2Passe", plain);
        EXPECT_EQ(sealed.size(), length);
        EXPECT_EQ(encryptByBytes("Mot2Passe", plain), sealed);
        EXPECT_EQ(decryptByBytes("Mot2Passe", sealed), plain);
    }
}

TEST(Cipher, PasswordCaseAndWrongPasswordChangeTheBytes)
{
    const Bytes plain(32, 'A');
    const Bytes sealed = encryptByBytes("clef", plain);
    EXPECT_NE(encryptByBytes("CLEF", plain), sealed);
    const Bytes wrong = decryptByBytes("clee", sealed);
    EXPECT_EQ(wrong.size(), plain.size());
    EXPECT_NE(wrong, plain);
}

TEST(Cipher, ChangingOneByteLeavesEarlierBytesAndChangesLaterOnes)
{
    Bytes plain(64, 'z');
    const Bytes before = encryptByBytes("clef", plain);
    plain[20] = 'y';
    const Bytes after = encryptByBytes("clef", plain);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 20, after.begin()));
    EXPECT_NE(before[20], after[20]);
    int changedLater = 0;
    for (std::size_t i = 21; i < plain.size(); ++i)
        changedLater += before[i] != after[i];
    EXPECT_GT(changedLater, 30);
}

// The buffer path must give the reference bytes and leave the reference state, whatever the
// split of a stream into calls and whatever the key.
TEST(CipherBuffer, MatchesTheBytePathForRandomKeysLengthsAndSplits)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 300; ++round) {
        std::string password(1 + random() % 10, '\0');
        for (char &c : password)
            c = static_cast<char>(random());
        const std::size_t length = round < 200 ? round : random() % 20000;
        Bytes plain(length);
        // Some rounds use runs of one value, which keep the running XOR on few table rows.
        const bool runs = round % 3 == 0;
        for (auto &b : plain)
            b = static_cast<std::uint8_t>(runs ? (random() % 8 == 0 ? random() : 0x41) : random());

        CipherState byteState;
        CipherSetKey(byteState, password);
        CipherBeginStream(byteState);
        Bytes expected;
        for (std::uint8_t p : plain)
            expected.push_back(CipherEncryptByte(byteState, p));

        CipherState bulkState;
        CipherSetKey(bulkState, password);
        CipherBeginStream(bulkState);
        Bytes data = plain;
        for (std::size_t pos = 0; pos < data.size();) {
            const std::size_t chunk = std::min<std::size_t>(data.size() - pos, random() % 3000);
            if (chunk == 1)
                data[pos] = CipherEncryptByte(bulkState, data[pos]);
            else
                CipherEncryptBuffer(bulkState, std::span(data).subspan(pos, chunk));
            pos += chunk;
        }
        ASSERT_EQ(data, expected) << "round " << round;
        EXPECT_EQ(bulkState, byteState) << "round " << round;

        CipherState decryptState;
        CipherSetKey(decryptState, password);
        CipherBeginStream(decryptState);
        const std::size_t split = length / 3;
        CipherDecryptBuffer(decryptState, std::span(data).first(split));
        CipherDecryptBuffer(decryptState, std::span(data).subspan(split));
        ASSERT_EQ(data, plain) << "round " << round;
        // Decryption leaves the plain byte, not the cipher byte, as CurrentByte.
        byteState.CurrentByte = plain.empty() ? 0 : plain.back();
        EXPECT_EQ(decryptState, byteState) << "round " << round;
    }
}

} // namespace
} // namespace ombre
