#include "cipher/age/armour.h"

#include "cipher/age/base64.h"
#include "cipher/age/primitives.h"

#include <algorithm>
#include <cstring>

namespace ombre::age {
namespace {

// The longest line the armour holds: a full line of base64 and a carriage return.
constexpr std::size_t kMaxLineBytes = kArmourColumns + 1;

void emitLine(std::string_view line, const Sink &sink)
{
    sink(BytesOf(std::string(line) + '\n'));
}

} // namespace

bool IsArmourWhitespace(std::uint8_t byte)
{
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

ArmourEncoder::ArmourEncoder(const Sink &sink) { emitLine(kArmourBeginLine, sink); }

void ArmourEncoder::write(std::span<const std::uint8_t> bytes, const Sink &sink)
{
    const std::size_t lines = (m_pendingSize + bytes.size()) / kArmourLineBytes;
    m_text.resize(lines * (kArmourColumns + 1));
    char *out = m_text.data();
    const auto encodeLine = [&out](std::span<const std::uint8_t> line) {
        out += EncodeBase64Into(line, Padding::Required, out);
        *out++ = '\n';
    };
    if (m_pendingSize > 0 && lines > 0) {
        const std::size_t take = kArmourLineBytes - m_pendingSize;
        std::copy_n(bytes.begin(), take, m_pending.begin() + m_pendingSize);
        encodeLine(m_pending);
        bytes = bytes.subspan(take);
        m_pendingSize = 0;
    }
    for (; bytes.size() >= kArmourLineBytes; bytes = bytes.subspan(kArmourLineBytes))
        encodeLine(bytes.first(kArmourLineBytes));
    std::copy(bytes.begin(), bytes.end(), m_pending.begin() + m_pendingSize);
    m_pendingSize += bytes.size();
    if (lines > 0)
        sink(BytesOf(std::string_view(m_text.data(), out - m_text.data())));
}

void ArmourEncoder::finish(const Sink &sink)
{
    // A file whose size is a multiple of 48 ends on a full line: no empty line follows it.
    if (m_pendingSize > 0)
        emitLine(EncodeBase64(std::span(m_pending).first(m_pendingSize), Padding::Required), sink);
    m_pendingSize = 0;
    emitLine(kArmourEndLine, sink);
}

Result ArmourDecoder::feed(std::span<const std::uint8_t> piece, std::vector<std::uint8_t> &out)
{
    while (m_result == Result::Ok && !piece.empty()) {
        if (m_phase == Phase::Before || m_phase == Phase::After) {
            const auto text = std::find_if_not(piece.begin(), piece.end(), IsArmourWhitespace);
            piece = piece.subspan(text - piece.begin());
            if (piece.empty())
                break;
            if (m_phase == Phase::After)
                return m_result = Result::Damaged;
            m_phase = Phase::BeginLine;
        }
        const void *lineFeed = std::memchr(piece.data(), '\n', piece.size());
        const std::size_t take =
            lineFeed ? static_cast<const std::uint8_t *>(lineFeed) - piece.data() : piece.size();
        if (m_line.size() + take > kMaxLineBytes)
            return m_result = m_phase == Phase::BeginLine ? Result::NotAge : Result::Damaged;
        const std::string_view taken(reinterpret_cast<const char *>(piece.data()), take);
        piece = piece.subspan(take + (lineFeed ? 1 : 0));
        if (!lineFeed) {
            m_line += taken;
            // Other text is told apart at its first line rather than at its end.
            const std::string_view begin = kArmourBeginLine;
            if (m_phase == Phase::BeginLine && !begin.starts_with(std::string_view(m_line).substr(0, begin.size())))
                m_result = Result::NotAge;
            continue;
        }
        // A line whole in the piece is read where it lies.
        if (m_line.empty()) {
            m_result = readLine(taken, out);
        } else {
            m_line += taken;
            m_result = readLine(m_line, out);
            m_line.clear();
        }
    }
    return m_result;
}

Result ArmourDecoder::readLine(std::string_view line, std::vector<std::uint8_t> &out)
{
    if (m_phase == Phase::BeginLine) {
        m_crlf = line.ends_with('\r');
        if (m_crlf)
            line.remove_suffix(1);
        if (line != kArmourBeginLine)
            return Result::NotAge;
        m_phase = Phase::Body;
        return Result::Ok;
    }
    if (m_crlf != line.ends_with('\r'))
        return Result::Damaged;
    if (m_crlf)
        line.remove_suffix(1);
    if (line == kArmourEndLine) {
        if (!m_anyBodyLine)
            return Result::Damaged;
        m_phase = Phase::After;
        return Result::Ok;
    }
    return readBodyLine(line, out);
}

Result ArmourDecoder::readBodyLine(std::string_view line, std::vector<std::uint8_t> &out)
{
    // Only the last line may be short or padded; whole groups of four characters only.
    if (m_lastBodyLineSeen || line.empty() || line.size() > kArmourColumns || line.size() % 4 != 0)
        return Result::Damaged;
    const std::size_t start = out.size();
    out.resize(start + kArmourLineBytes);
    const auto size = DecodeBase64Into(line, Padding::Required, std::span(out).subspan(start));
    if (!size)
        return Result::Damaged;
    out.resize(start + *size);
    m_anyBodyLine = true;
    m_lastBodyLineSeen = line.size() < kArmourColumns || line.back() == '=';
    return Result::Ok;
}

Result ArmourDecoder::finish()
{
    if (m_result != Result::Ok)
        return m_result;
    switch (m_phase) {
    case Phase::Before:
    case Phase::BeginLine:
        return m_result = Result::NotAge;
    case Phase::Body: {
        // The end line may close the file without a line end.
        std::string_view line = m_line;
        if (m_crlf && line.ends_with('\r'))
            line.remove_suffix(1);
        return m_result = line == kArmourEndLine && m_anyBodyLine ? Result::Ok : Result::Damaged;
    }
    case Phase::After:
        return Result::Ok;
    }
    return Result::Damaged;
}

} // namespace ombre::age
