#pragma once
// The encrypted container: one byte HeaderSize, the clear record TCryptHeader, then the body
// enciphered as one stream: the owner name followed by the content. Writers and readers work in
// pieces, so a file of any size streams through a fixed buffer; the whole-buffer helpers serve
// documents held in memory.

#include "cipher/cipher.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombre {

inline constexpr std::array<std::uint8_t, 3> kFormatTag = {'P', 'C', '1'};
inline constexpr std::uint8_t kFormatVersion = 2;
// The record's fixed part: tag, version, content type, owner name length, name length.
inline constexpr std::size_t kFixedRecordSize = 7;
// HeaderSize is one byte, so the source name holds at most 255 - 7 bytes.
inline constexpr std::size_t kMaxSourceNameBytes = 255 - kFixedRecordSize;
inline constexpr std::size_t kMaxOwnerNameBytes = 255;
// The most a container can hold before its content: HeaderSize, the record and the owner name.
inline constexpr std::size_t kMaxHeaderAndOwnerBytes = 1 + 255 + kMaxOwnerNameBytes;
// Files and buffers go through the cipher in pieces of this size: memory stays the same whatever
// the size, and a progress bar moves after each piece.
inline constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// Told after each piece how many body bytes (owner name and content) went through the cipher.
using CipherProgress = std::function<void(std::size_t bytes)>;

enum class ContainerContent : std::uint8_t { Document = 0, File = 1 };

enum class ContainerResult {
    Ok,
    // Not "PC1" version 2, or a header that ends early or contradicts itself.
    UnknownFormat,
};

// The clear header. SourceName holds the restored (unscrambled) name bytes; its length is the
// record's NameLength. Texts are header-text bytes: Windows-1252, or UTF-8 when a character did
// not fit (DecodeHeaderText turns them into UTF-8).
struct TCryptHeader {
    std::array<std::uint8_t, 3> FormatTag = kFormatTag;
    std::uint8_t FormatVersion = kFormatVersion;
    std::uint8_t ContentType = 0;
    std::uint8_t OwnerNameLength = 0;
    std::string SourceName;
};

// The header-text bytes stored for a UTF-8 source name; a name longer than the header can
// describe is shortened at the end of its stem, keeping its extension.
std::string FitSourceName(std::string_view sourceName);

// The header-text bytes stored for a UTF-8 owner name, cut at a character boundary to 255 bytes.
std::string FitOwnerName(std::string_view ownerName);

// The name on the begin line of an armoured container: the source name with ".cod", in the same
// header-text bytes as the header's name (Windows-1252 when every character fits), so that
// uudecode and mail readers show it as the header does.
std::string ArmourBeginName(std::string_view sourceName);

// HeaderSize followed by the record, source name scrambled.
std::vector<std::uint8_t> HeaderBytes(const TCryptHeader &header);

// Seals a container in pieces. The key must already be set in `cipher`; the cipher state runs
// from the first owner-name byte to the last content byte, so nothing else may use it between.
class ContainerWriter {
public:
    // Names are UTF-8; they are fitted to the header as FitSourceName and FitOwnerName say.
    ContainerWriter(CipherState &cipher, ContainerContent content, std::string_view sourceName,
                    std::string_view ownerName);
    ~ContainerWriter();
    ContainerWriter(const ContainerWriter &) = delete;
    ContainerWriter &operator=(const ContainerWriter &) = delete;

    const TCryptHeader &header() const { return m_header; }

    // The first bytes of the container: HeaderSize, the record and the enciphered owner name.
    // Starts the cipher stream.
    std::vector<std::uint8_t> start();

    // Enciphers the next piece of content in place; call after start().
    void seal(std::span<std::uint8_t> content);

private:
    CipherState &m_cipher;
    TCryptHeader m_header;
    std::string m_ownerName;
};

// Opens a container fed in pieces of any size. The key must already be set in `cipher`.
class ContainerReader {
public:
    explicit ContainerReader(CipherState &cipher) : m_cipher(cipher) {}
    ~ContainerReader();
    ContainerReader(const ContainerReader &) = delete;
    ContainerReader &operator=(const ContainerReader &) = delete;

    // Takes the next piece of the container and deciphers it in place. Returns the part of
    // `piece` that is content (empty while header or owner name are still coming in, and after
    // the header was refused).
    std::span<std::uint8_t> feed(std::span<std::uint8_t> piece);

    // Feeds the header at the front of `bytes` (HeaderSize and the record, no more) and moves
    // `bytes` past it; true when it was accepted. Nothing is deciphered: a refused header leaves
    // the bytes as they were, never deciphered with a key that may be wrong for a file that may
    // not be a container.
    bool feedHeader(std::span<std::uint8_t> &bytes);
    // Feeds the owner name at the front of `bytes` after the header and moves `bytes` past it.
    void feedOwnerName(std::span<std::uint8_t> &bytes);
    // Feeds a whole buffer in pieces of kPieceSize, telling `progress` after each; returns the
    // part of it that is content, deciphered in place.
    std::span<std::uint8_t> feedInPieces(std::span<std::uint8_t> bytes, const CipherProgress &progress);

    // True once the header is complete and accepted.
    bool headerAccepted() const { return m_phase == Phase::Owner || m_phase == Phase::Content; }
    // True once the header was seen and refused; nothing more is deciphered.
    bool refused() const { return m_phase == Phase::Refused; }
    // True once the whole owner name is deciphered (content, if any, comes next).
    bool ownerNameComplete() const { return m_phase == Phase::Content; }

    const TCryptHeader &header() const { return m_header; }
    // The owner name's bytes deciphered so far: all of them when the body was long enough.
    const std::string &ownerName() const { return m_ownerName; }

    // The outcome once the input has ended: a file that ends inside its header is refused; a
    // body shorter than the owner name leaves the owner name with the bytes there were.
    ContainerResult finish() const;

private:
    enum class Phase { Size, Record, Owner, Content, Refused };
    void acceptRecord();

    CipherState &m_cipher;
    Phase m_phase = Phase::Size;
    std::uint8_t m_headerSize = 0;
    std::size_t m_recordFill = 0;
    std::array<std::uint8_t, 255> m_record{};
    TCryptHeader m_header;
    std::string m_ownerName;
};

// A whole container in memory: header and enciphered body, sealed in pieces of kPieceSize.
std::vector<std::uint8_t> SealContainer(CipherState &cipher, ContainerContent content,
                                        std::string_view sourceName, std::string_view ownerName,
                                        std::span<const std::uint8_t> plain,
                                        const CipherProgress &progress = {});


// The owner name as a user may see it: the name when it passes CheckOwnerName, else the default
// owner text; in UTF-8.
std::string CheckedOwnerText(std::string_view ownerName);

} // namespace ombre
