#include "cipher/container.h"

#include "cipher/ansi.h"
#include "cipher/file_name.h"
#include "cipher/secure_wipe.h"
#include "cipher/text_routines.h"

#include <algorithm>

namespace ombre {

std::string FitSourceName(std::string_view sourceName)
{
    // Windows-1252 counts one byte per character; UTF-8 is kept only when it must be.
    const bool ansi = Utf8ToAnsi(sourceName).has_value();
    const std::string fitted = ShortenFileName(sourceName, kMaxSourceNameBytes,
                                               ansi ? NameUnit::Characters : NameUnit::Bytes);
    return EncodeHeaderText(fitted);
}

std::string FitOwnerName(std::string_view ownerName)
{
    const bool ansi = Utf8ToAnsi(ownerName).has_value();
    return EncodeHeaderText(LeadingCharacters(ownerName, kMaxOwnerNameBytes,
                                              ansi ? NameUnit::Characters : NameUnit::Bytes));
}

std::vector<std::uint8_t> HeaderBytes(const TCryptHeader &header)
{
    const std::string scrambled = ScrambleText(header.SourceName, kSourceNameKey);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(1 + kFixedRecordSize + scrambled.size());
    bytes.push_back(static_cast<std::uint8_t>(kFixedRecordSize + scrambled.size()));
    bytes.insert(bytes.end(), header.FormatTag.begin(), header.FormatTag.end());
    bytes.push_back(header.FormatVersion);
    bytes.push_back(header.ContentType);
    bytes.push_back(header.OwnerNameLength);
    bytes.push_back(static_cast<std::uint8_t>(scrambled.size()));
    bytes.insert(bytes.end(), scrambled.begin(), scrambled.end());
    return bytes;
}

ContainerWriter::ContainerWriter(CipherState &cipher, ContainerContent content,
                                 std::string_view sourceName, std::string_view ownerName)
    : m_cipher(cipher), m_ownerName(FitOwnerName(ownerName))
{
    m_header.ContentType = static_cast<std::uint8_t>(content);
    m_header.OwnerNameLength = static_cast<std::uint8_t>(m_ownerName.size());
    m_header.SourceName = FitSourceName(sourceName);
}

ContainerWriter::~ContainerWriter()
{
    secureWipe(m_ownerName);
}

std::vector<std::uint8_t> ContainerWriter::start()
{
    std::vector<std::uint8_t> bytes = HeaderBytes(m_header);
    const std::size_t bodyStart = bytes.size();
    bytes.insert(bytes.end(), m_ownerName.begin(), m_ownerName.end());
    CipherBeginStream(m_cipher);
    CipherEncryptBuffer(m_cipher, std::span(bytes).subspan(bodyStart));
    return bytes;
}

void ContainerWriter::seal(std::span<std::uint8_t> content)
{
    CipherEncryptBuffer(m_cipher, content);
}

ContainerReader::~ContainerReader()
{
    secureWipe(m_ownerName);
}

std::span<std::uint8_t> ContainerReader::feed(std::span<std::uint8_t> piece)
{
    while (!piece.empty()) {
        switch (m_phase) {
        case Phase::Size:
            m_headerSize = piece.front();
            piece = piece.subspan(1);
            m_phase = Phase::Record;
            if (m_headerSize == 0)
                acceptRecord();
            break;
        case Phase::Record: {
            const std::size_t take = std::min(piece.size(), m_headerSize - m_recordFill);
            std::copy_n(piece.begin(), take, m_record.begin() + m_recordFill);
            m_recordFill += take;
            piece = piece.subspan(take);
            if (m_recordFill == m_headerSize)
                acceptRecord();
            break;
        }
        case Phase::Owner: {
            const std::size_t take = std::min(piece.size(),
                                              m_header.OwnerNameLength - m_ownerName.size());
            const std::span<std::uint8_t> owner = piece.first(take);
            CipherDecryptBuffer(m_cipher, owner);
            m_ownerName.append(owner.begin(), owner.end());
            secureWipe(owner.data(), owner.size());
            piece = piece.subspan(take);
            if (m_ownerName.size() == m_header.OwnerNameLength)
                m_phase = Phase::Content;
            break;
        }
        case Phase::Content:
            CipherDecryptBuffer(m_cipher, piece);
            return piece;
        case Phase::Refused:
            return {};
        }
    }
    return {};
}

bool ContainerReader::feedHeader(std::span<std::uint8_t> &bytes)
{
    const std::size_t length = bytes.empty() ? 0 : std::min<std::size_t>(bytes.size(), 1 + bytes.front());
    feed(bytes.first(length));
    bytes = bytes.subspan(length);
    return headerAccepted();
}

void ContainerReader::feedOwnerName(std::span<std::uint8_t> &bytes)
{
    const std::size_t length = headerAccepted() ? std::min<std::size_t>(bytes.size(), m_header.OwnerNameLength) : 0;
    feed(bytes.first(length));
    bytes = bytes.subspan(length);
}

std::span<std::uint8_t> ContainerReader::feedInPieces(std::span<std::uint8_t> bytes, const CipherProgress &progress)
{
    std::uint8_t *contentStart = nullptr;
    std::size_t contentSize = 0;
    for (std::size_t offset = 0; offset < bytes.size(); offset += kPieceSize) {
        const auto piece = bytes.subspan(offset, std::min(kPieceSize, bytes.size() - offset));
        const std::span<std::uint8_t> content = feed(piece);
        if (!content.empty()) {
            if (!contentStart)
                contentStart = content.data();
            contentSize += content.size();
        }
        if (progress)
            progress(piece.size());
    }
    return contentStart ? std::span(contentStart, contentSize) : bytes.last(0);
}

void ContainerReader::acceptRecord()
{
    const std::size_t size = m_headerSize;
    const bool known = size >= kFormatTag.size() + 1
                       && std::equal(kFormatTag.begin(), kFormatTag.end(), m_record.begin())
                       && m_record[3] == kFormatVersion;
    // A record too short for its fixed fields, or whose name runs past it, was never written by
    // a sound writer: refused like an unknown format rather than read from stale bytes.
    if (!known || size < kFixedRecordSize || kFixedRecordSize + m_record[6] > size) {
        m_phase = Phase::Refused;
        return;
    }
    m_header.FormatTag = kFormatTag;
    m_header.FormatVersion = m_record[3];
    m_header.ContentType = m_record[4];
    m_header.OwnerNameLength = m_record[5];
    const auto name = std::span(m_record).subspan(kFixedRecordSize, m_record[6]);
    m_header.SourceName = ScrambleText(std::string(name.begin(), name.end()), kSourceNameKey);
    // The body starts right after the HeaderSize bytes, whatever NameLength says.
    CipherBeginStream(m_cipher);
    m_phase = m_header.OwnerNameLength == 0 ? Phase::Content : Phase::Owner;
}

ContainerResult ContainerReader::finish() const
{
    return headerAccepted() ? ContainerResult::Ok : ContainerResult::UnknownFormat;
}

std::string ArmourBeginName(std::string_view sourceName)
{
    return EncodeHeaderText(ReplaceExtension(sourceName, ".cod"));
}

std::vector<std::uint8_t> SealContainer(CipherState &cipher, ContainerContent content,
                                        std::string_view sourceName, std::string_view ownerName,
                                        std::span<const std::uint8_t> plain, const CipherProgress &progress)
{
    ContainerWriter writer(cipher, content, sourceName, ownerName);
    std::vector<std::uint8_t> bytes = writer.start();
    const std::size_t contentStart = bytes.size();
    if (progress)
        progress(writer.header().OwnerNameLength);
    bytes.resize(contentStart + plain.size());
    // Copied and sealed piece by piece: each piece is still in the cache when it is sealed.
    for (std::size_t offset = 0; offset < plain.size(); offset += kPieceSize) {
        const std::size_t length = std::min(kPieceSize, plain.size() - offset);
        const auto piece = std::span(bytes).subspan(contentStart + offset, length);
        std::copy_n(plain.begin() + static_cast<std::ptrdiff_t>(offset), length, piece.begin());
        writer.seal(piece);
        if (progress)
            progress(length);
    }
    return bytes;
}


std::string CheckedOwnerText(std::string_view ownerName)
{
    return DecodeHeaderText(CheckOwnerName(ownerName));
}

} // namespace ombre
