#include "cipher/age/age.h"

#include "cipher/age/armour.h"
#include "cipher/age/header.h"
#include "cipher/age/locked_bytes.h"
#include "cipher/age/payload.h"
#include "cipher/age/primitives.h"
#include "cipher/age/scrypt_stanza.h"
#include "cipher/password_rule.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace ombre::age {

struct Writer::State {
    explicit State(Sink sink) : sink(std::move(sink)) {}

    void emit(std::span<const std::uint8_t> bytes)
    {
        if (armour)
            armour->write(bytes, sink);
        else
            sink(bytes);
    }

    // Seals the plaintext gathered in `chunk` where it lies and hands it on with its tag.
    void sealChunk(bool last)
    {
        const std::span<std::uint8_t> sealed = chunk.span().first(filled + kTagSize);
        cipher->seal(sealed, last);
        emit(sealed);
        filled = 0;
    }

    Sink sink;
    std::optional<ArmourEncoder> armour;
    LockedBytes fileKey{kFileKeySize};
    std::optional<PayloadCipher> cipher;
    LockedBytes chunk{kSealedChunkSize};
    std::size_t filled = 0;
    bool finished = false;
};

Writer::Writer(std::string_view passphrase, bool armoured, Sink sink, int workFactor)
{
    if (CheckAgePassphrase(passphrase) != PasswordProblem::None)
        throw std::invalid_argument("passphrase refused by the passphrase rule");
    if (workFactor < 1 || workFactor > kMaxWorkFactor)
        throw std::invalid_argument("scrypt work factor out of range");
    m_state = std::make_unique<State>(std::move(sink));
    State &s = *m_state;
    RandomBytes(s.fileKey.span());
    const FileKey fileKey = s.fileKey.span().first<kFileKeySize>();
    std::string header;
    {
        const LockedBytes passphraseCopy(BytesOf(passphrase));
        const Stanza stanza = MakeScryptStanza(passphraseCopy.span(), fileKey, workFactor);
        header = HeaderText({&stanza, 1}, fileKey);
    }
    PayloadNonce nonce;
    RandomBytes(nonce);
    s.cipher.emplace(fileKey, nonce);
    if (armoured)
        s.armour.emplace(s.sink);
    s.emit(BytesOf(header));
    s.emit(nonce);
}

Writer::~Writer() = default;

void Writer::write(std::span<const std::uint8_t> plain)
{
    State &s = *m_state;
    if (s.finished)
        throw std::logic_error("age::Writer::write after finish");
    while (!plain.empty()) {
        // A full chunk is sealed only once more bytes come: until then it may be the last one.
        if (s.filled == kChunkSize)
            s.sealChunk(false);
        const std::size_t take = std::min(kChunkSize - s.filled, plain.size());
        std::copy_n(plain.begin(), take, s.chunk.data() + s.filled);
        s.filled += take;
        plain = plain.subspan(take);
    }
}

void Writer::finish()
{
    State &s = *m_state;
    if (s.finished)
        throw std::logic_error("age::Writer::finish called twice");
    s.finished = true;
    s.sealChunk(true);
    if (s.armour)
        s.armour->finish(s.sink);
}

std::vector<std::uint8_t> SealBuffer(std::string_view passphrase, bool armoured, std::span<const std::uint8_t> plain,
                                     const std::function<void(std::size_t)> &progress, int workFactor)
{
    // Room for the header, the nonce, a tag per chunk and, armoured, the base64 and its lines.
    const std::size_t binarySize = 256 + plain.size() + (plain.size() / kChunkSize + 1) * kTagSize;
    std::vector<std::uint8_t> sealed;
    sealed.reserve(armoured ? binarySize / kArmourLineBytes * (kArmourColumns + 1) + 256 : binarySize);
    Writer writer(
        passphrase, armoured,
        [&sealed](std::span<const std::uint8_t> bytes) { sealed.insert(sealed.end(), bytes.begin(), bytes.end()); },
        workFactor);
    for (std::size_t done = 0; done < plain.size();) {
        const std::size_t take = std::min(kChunkSize, plain.size() - done);
        writer.write(plain.subspan(done, take));
        done += take;
        if (progress)
            progress(done);
    }
    writer.finish();
    return sealed;
}

} // namespace ombre::age
