#include "cipher/age/scrypt_stanza.h"

#include "cipher/age/base64.h"
#include "cipher/age/locked_bytes.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ombre::age {
namespace {

constexpr std::string_view kType = "scrypt";
constexpr std::string_view kSaltLabel = "age-encryption.org/v1/scrypt";
// The file key is sealed once per key, so a fixed nonce is safe.
constexpr AeadNonce kZeroNonce{};

// Decimal, no leading zero, no sign, within 1..kMaxWorkFactor; 0 when it is anything else. The
// length is checked first so that no long number can overflow.
int parseWorkFactor(std::string_view text)
{
    if (text.empty() || text.size() > 2 || text[0] < '1' || text[0] > '9'
        || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int value = std::stoi(std::string(text));
    return value <= kMaxWorkFactor ? value : 0;
}

// scrypt of the passphrase, salted with the label and the stanza's salt.
void wrapKey(std::span<const std::uint8_t> passphrase, std::span<const std::uint8_t, kScryptSaltSize> salt,
             int workFactor, LockedBytes &key)
{
    std::array<std::uint8_t, kSaltLabel.size() + kScryptSaltSize> labelledSalt;
    std::copy(kSaltLabel.begin(), kSaltLabel.end(), labelledSalt.begin());
    std::copy(salt.begin(), salt.end(), labelledSalt.begin() + kSaltLabel.size());
    if (!Scrypt(passphrase, labelledSalt, workFactor, key.span()))
        throw std::runtime_error("scrypt could not get its memory");
}

} // namespace

Result FindScryptStanza(std::span<const Stanza> stanzas, ScryptStanza &found)
{
    const auto isScrypt = [](const Stanza &stanza) { return stanza.arguments[0] == kType; };
    const auto scrypt = std::find_if(stanzas.begin(), stanzas.end(), isScrypt);
    if (scrypt == stanzas.end())
        return Result::NotPassphrase;
    if (stanzas.size() != 1)
        return Result::Damaged;
    if (scrypt->arguments.size() != 3 || scrypt->body.size() != found.wrappedKey.size())
        return Result::Damaged;
    if (DecodeBase64Into(scrypt->arguments[1], Padding::None, found.salt) != kScryptSaltSize)
        return Result::Damaged;
    found.workFactor = parseWorkFactor(scrypt->arguments[2]);
    if (found.workFactor == 0)
        return Result::Damaged;
    std::copy(scrypt->body.begin(), scrypt->body.end(), found.wrappedKey.begin());
    return Result::Ok;
}

Stanza MakeScryptStanza(std::span<const std::uint8_t> passphrase, FileKey fileKey, int workFactor)
{
    std::array<std::uint8_t, kScryptSaltSize> salt;
    RandomBytes(salt);
    LockedBytes key(kKeySize);
    wrapKey(passphrase, salt, workFactor, key);
    Stanza stanza{{std::string(kType), EncodeBase64(salt, Padding::None), std::to_string(workFactor)},
                  std::vector<std::uint8_t>(kFileKeySize + kTagSize)};
    std::span<std::uint8_t> body(stanza.body);
    std::copy(fileKey.begin(), fileKey.end(), body.begin());
    SealInPlace(body.first(kFileKeySize), body.subspan<kFileKeySize, kTagSize>(), key.span().first<kKeySize>(),
                kZeroNonce);
    return stanza;
}

bool UnwrapFileKey(const ScryptStanza &stanza, std::span<const std::uint8_t> passphrase,
                   std::span<std::uint8_t, kFileKeySize> fileKey)
{
    LockedBytes key(kKeySize);
    wrapKey(passphrase, stanza.salt, stanza.workFactor, key);
    std::copy_n(stanza.wrappedKey.begin(), kFileKeySize, fileKey.begin());
    const auto tag = std::span(stanza.wrappedKey).subspan<kFileKeySize, kTagSize>();
    if (OpenInPlace(fileKey, tag, key.span().first<kKeySize>(), kZeroNonce))
        return true;
    std::fill(fileKey.begin(), fileKey.end(), 0);
    return false;
}

} // namespace ombre::age
