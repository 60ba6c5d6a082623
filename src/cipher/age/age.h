#pragma once
// The strong format: age v1 files (age-encryption.org/v1) sealed with a passphrase, whose one
// recipient stanza is "scrypt". Binary or in age's text armour (PEM "AGE ENCRYPTED FILE"). Both
// directions stream: memory stays the same whatever the size of the file. Readers take input
// from anywhere and refuse every header, chunk and armour line that age's rules refuse.

#include "cipher/file_name.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombre::age {

inline constexpr std::string_view kVersionLine = "age-encryption.org/v1";
inline constexpr std::string_view kArmourBeginLine = "-----BEGIN AGE ENCRYPTED FILE-----";
inline constexpr std::string_view kArmourEndLine = "-----END AGE ENCRYPTED FILE-----";
inline constexpr std::string_view kExtension = ".age";

// scrypt's work factor is log2 of N. Sealing uses 18 (about a second, 256 MiB of memory);
// opening refuses more than 22, which would take 4 GiB and many seconds per try.
inline constexpr int kSealWorkFactor = 18;
inline constexpr int kMaxWorkFactor = 22;

// The payload is sealed in chunks of this many plaintext bytes; the last one may be shorter.
inline constexpr std::size_t kChunkSize = 64 * 1024;

// Enough of a file's first bytes to recognise it (RecogniseAge).
inline constexpr std::size_t kRecognitionBytes = 64;

enum class Result {
    Ok,
    WrongPassphrase, // the scrypt stanza does not open with this passphrase
    Damaged,         // a header that breaks the rules or fails its MAC, a chunk that fails its
                     // tag, a file cut short or followed by more bytes, a damaged armour
    NotPassphrase,   // an age file sealed for other recipients (keys), not a passphrase
    NotAge,          // not an age file at all
};

enum class Encoding { NotAge, Binary, Armoured };

// What the first bytes of a file (up to kRecognitionBytes of them, fewer if the file is shorter)
// say it is: binary age when they start with the version line, armoured age when they start with
// the armour's begin line (after the whitespace that the armour allows before it).
Encoding RecogniseAge(std::span<const std::uint8_t> start);

// What a header says about itself, known before any passphrase is tried.
struct HeaderFacts {
    bool armoured = false;
    int workFactor = 0;                   // of the scrypt stanza; 0 when there is none
    std::vector<std::string> stanzaTypes; // every recipient stanza's type, in order
};

// Receives bytes as they are produced; may throw to stop the work (the exception goes through).
using Sink = std::function<void(std::span<const std::uint8_t> bytes)>;

// Seals one file. The passphrase (checked by CheckAgePassphrase) is copied into locked memory
// and wiped as soon as scrypt has used it; the keys are wiped when the writer goes.
class Writer {
public:
    // Stretches the passphrase (scrypt: the slow part) and hands the header (and, armoured, the
    // armour's begin line) to `sink`. Throws std::invalid_argument for a passphrase that the rule
    // refuses or a work factor outside 1..kMaxWorkFactor, std::runtime_error when the system
    // gives no randomness or memory.
    Writer(std::string_view passphrase, bool armoured, Sink sink, int workFactor = kSealWorkFactor);
    ~Writer();
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    // Takes the next plaintext bytes; every full chunk but the last goes to the sink sealed.
    void write(std::span<const std::uint8_t> plain);
    // Seals the last chunk (empty only when the whole payload is) and ends the armour.
    void finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Opens one file fed in pieces of any size, binary or armoured (told apart by its first bytes).
// Plaintext goes to the sink one verified chunk at a time, but a file is only whole, and its
// plaintext may only be used, once finish() returned Ok: until then the chunks seen may be the
// start of a file cut short.
class Reader {
public:
    // Without a sink, the reader stops at the header: feed() returns Ok once the header is
    // complete and (with a passphrase) opened, and ignores the bytes that follow. An empty
    // passphrase reads the header's facts only and opens nothing.
    Reader(std::string_view passphrase, Sink plainSink = {});
    ~Reader();
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    // Takes the next bytes of the file. Ok while all is well so far; any other result is final
    // and every later call returns it again. Throws std::runtime_error when the system gives
    // scrypt no memory (a work factor of 22 takes 4 GiB).
    Result feed(std::span<const std::uint8_t> piece);
    // The input has ended: Ok when the whole file was read and verified (or, without a sink,
    // when the header was complete and opened).
    Result finish();

    // True once the whole header was read (whatever it said).
    bool headerComplete() const;
    // Valid once headerComplete().
    const HeaderFacts &facts() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Whole buffers, for documents held in memory. `progress` is told the plaintext bytes done after
// each chunk.
std::vector<std::uint8_t> SealBuffer(std::string_view passphrase, bool armoured,
                                     std::span<const std::uint8_t> plain,
                                     const std::function<void(std::size_t)> &progress = {},
                                     int workFactor = kSealWorkFactor);

// The name a sealed file goes back to, from the sealed file's own name (made a bare name first,
// as BareFileName does): without its final ".age" (any case). A name without ".age" gets
// " (décrypté)" before its extension, so that the restored file never takes the sealed file's
// place ("rapport.pdf" -> "rapport (décrypté).pdf"); nothing left gives "sans-nom".
std::string OpenedFileName(std::string_view name);

// age carries no content type: what opens as a document window rather than a file is told by
// the opened name alone, ".rtf" (rich text) or ".txt" (plain text) in any case.
inline bool OpensAsDocument(std::string_view openedName)
{
    const std::string extension = LowerExtension(openedName);
    return extension == ".rtf" || extension == ".txt";
}

} // namespace ombre::age
