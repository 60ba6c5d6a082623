#include "cipher/age/age.h"

#include "cipher/age/armour.h"
#include "cipher/age/header.h"
#include "cipher/age/locked_bytes.h"
#include "cipher/age/payload.h"
#include "cipher/age/primitives.h"
#include "cipher/age/scrypt_stanza.h"

#include <algorithm>
#include <optional>

namespace ombre::age {
namespace {

// Armoured input is decoded this much at a time, so that the decoded bytes never take more
// memory than a slice whatever the size of the piece fed.
constexpr std::size_t kArmourSlice = 64 * 1024;

} // namespace

struct Reader::State {
    State(std::string_view passphrase, Sink sink) : passphrase(BytesOf(passphrase)), sink(std::move(sink)) {}

    void feedBinary(std::span<const std::uint8_t> bytes);
    void readHeader(std::span<const std::uint8_t> &bytes);
    void openHeader();
    void readNonce(std::span<const std::uint8_t> &bytes);
    void readPayload(std::span<const std::uint8_t> bytes);
    void openChunk(bool last);
    Result finish();

    // What the reader does with the binary bytes that come next.
    enum class Phase { Header, Nonce, Payload, Ignore };

    LockedBytes passphrase;
    Sink sink;
    Result result = Result::Ok;
    bool started = false;
    bool finished = false;
    std::optional<ArmourDecoder> armour;
    std::vector<std::uint8_t> decoded;
    Phase phase = Phase::Header;
    HeaderParser header;
    bool headerComplete = false;
    HeaderFacts facts;
    LockedBytes fileKey{kFileKeySize};
    PayloadNonce nonce{};
    std::size_t nonceFilled = 0;
    std::optional<PayloadCipher> cipher;
    LockedBytes chunk{kSealedChunkSize};
    std::size_t filled = 0;
    std::uint64_t chunksOpened = 0;
};

void Reader::State::feedBinary(std::span<const std::uint8_t> bytes)
{
    while (result == Result::Ok && !bytes.empty()) {
        switch (phase) {
        case Phase::Header:
            readHeader(bytes);
            break;
        case Phase::Nonce:
            readNonce(bytes);
            break;
        case Phase::Payload:
            readPayload(bytes);
            return;
        case Phase::Ignore:
            return;
        }
    }
}

void Reader::State::readHeader(std::span<const std::uint8_t> &bytes)
{
    switch (header.feed(bytes)) {
    case HeaderStatus::More:
        return;
    case HeaderStatus::NotAge:
        result = Result::NotAge;
        return;
    case HeaderStatus::Damaged:
        result = Result::Damaged;
        return;
    case HeaderStatus::Complete:
        openHeader();
        return;
    }
}

void Reader::State::openHeader()
{
    headerComplete = true;
    for (const Stanza &stanza : header.stanzas())
        facts.stanzaTypes.push_back(stanza.arguments[0]);
    // Every rule the header's text can break is checked before scrypt spends its second (or
    // more) on it.
    ScryptStanza stanza;
    if (result = FindScryptStanza(header.stanzas(), stanza); result != Result::Ok)
        return;
    facts.workFactor = stanza.workFactor;
    if (passphrase.size() == 0) {
        phase = Phase::Ignore;
        return;
    }
    const auto key = fileKey.span().first<kFileKeySize>();
    if (!UnwrapFileKey(stanza, passphrase.span(), key)) {
        result = Result::WrongPassphrase;
        return;
    }
    if (!EqualInConstantTime(HeaderMac(header.macInput(), key), header.mac())) {
        result = Result::Damaged;
        return;
    }
    phase = sink ? Phase::Nonce : Phase::Ignore;
}

void Reader::State::readNonce(std::span<const std::uint8_t> &bytes)
{
    const std::size_t take = std::min(nonce.size() - nonceFilled, bytes.size());
    std::copy_n(bytes.begin(), take, nonce.begin() + nonceFilled);
    nonceFilled += take;
    bytes = bytes.subspan(take);
    if (nonceFilled == nonce.size()) {
        cipher.emplace(fileKey.span().first<kFileKeySize>(), nonce);
        phase = Phase::Payload;
    }
}

void Reader::State::readPayload(std::span<const std::uint8_t> bytes)
{
    while (result == Result::Ok && !bytes.empty()) {
        // A full chunk is opened as one of many only once a byte follows it; a file may end on a
        // full last chunk.
        if (filled == kSealedChunkSize)
            openChunk(false);
        const std::size_t take = std::min(kSealedChunkSize - filled, bytes.size());
        std::copy_n(bytes.begin(), take, chunk.data() + filled);
        filled += take;
        bytes = bytes.subspan(take);
    }
}

void Reader::State::openChunk(bool last)
{
    // An empty chunk is only the last one of an empty payload (an earlier chunk is always full).
    if (filled < kTagSize || (filled == kTagSize && chunksOpened > 0)
        || !cipher->open(chunk.span().first(filled), last)) {
        result = Result::Damaged;
        return;
    }
    ++chunksOpened;
    const std::size_t plainSize = filled - kTagSize;
    filled = 0;
    if (plainSize == 0)
        return;
    // A sink that throws leaves a reader that never says Ok.
    result = Result::Damaged;
    sink(chunk.span().first(plainSize));
    result = Result::Ok;
}

Result Reader::State::finish()
{
    if (finished || result != Result::Ok)
        return result;
    finished = true;
    if (!started)
        return result = Result::NotAge;
    // Reading stopped at the header, armour and all.
    if (phase == Phase::Ignore)
        return result;
    if (armour) {
        if (const Result ended = armour->finish(); ended != Result::Ok)
            return result = ended;
    }
    switch (phase) {
    case Phase::Header:
        // Armour around something that is not age is damaged armour.
        result = header.cutShort() == HeaderStatus::NotAge && !armour ? Result::NotAge : Result::Damaged;
        break;
    case Phase::Nonce:
        result = Result::Damaged;
        break;
    case Phase::Payload:
        // What is left is the last chunk; a file cut at a chunk boundary leaves nothing, or a
        // chunk that was not sealed as the last, and fails here.
        openChunk(true);
        break;
    case Phase::Ignore:
        break;
    }
    return result;
}

Reader::Reader(std::string_view passphrase, Sink plainSink)
    : m_state(std::make_unique<State>(passphrase, std::move(plainSink)))
{
}

Reader::~Reader() = default;

Result Reader::feed(std::span<const std::uint8_t> piece)
{
    State &s = *m_state;
    if (s.finished || s.result != Result::Ok || piece.empty())
        return s.result;
    if (!s.started) {
        // Binary age starts with its version line; the armour may have whitespace before it.
        s.started = true;
        if (piece[0] == '-' || IsArmourWhitespace(piece[0])) {
            s.armour.emplace();
            s.facts.armoured = true;
        }
    }
    if (!s.armour) {
        s.feedBinary(piece);
        return s.result;
    }
    while (s.result == Result::Ok && !piece.empty() && s.phase != State::Phase::Ignore) {
        const auto slice = piece.first(std::min(piece.size(), kArmourSlice));
        piece = piece.subspan(slice.size());
        s.decoded.clear();
        const Result armour = s.armour->feed(slice, s.decoded);
        // The bytes decoded before a fault in the armour are read first, and a fault after a
        // header that was all the reader wanted is none of its business: the result does not
        // depend on where the pieces fed happen to end.
        s.feedBinary(s.decoded);
        if (s.result == Result::NotAge)
            s.result = Result::Damaged;
        if (s.result == Result::Ok && s.phase != State::Phase::Ignore)
            s.result = armour;
    }
    return s.result;
}

Result Reader::finish() { return m_state->finish(); }

bool Reader::headerComplete() const { return m_state->headerComplete; }

const HeaderFacts &Reader::facts() const { return m_state->facts; }

} // namespace ombre::age
