#include "platform/handover_record.h"

#include "cipher/ansi.h"

#include <algorithm>
#include <optional>

namespace ombre {
namespace {

constexpr char kDataTag = 0;
constexpr std::size_t kLengthSize = 4;

void appendLength(std::string &out, std::size_t length)
{
    for (std::size_t i = 0; i < kLengthSize; ++i)
        out.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
}

// The length at `pos`, or nothing when the bytes stop before it.
std::optional<std::size_t> readLength(std::string_view bytes, std::size_t pos)
{
    if (bytes.size() - pos < kLengthSize)
        return std::nullopt;
    std::size_t length = 0;
    for (std::size_t i = 0; i < kLengthSize; ++i)
        length |= std::size_t(static_cast<unsigned char>(bytes[pos + i])) << (8 * i);
    return length;
}

bool validPath(std::string_view path)
{
    return path.empty()
           || (path.front() == '/' && path.find('\0') == std::string_view::npos && IsValidUtf8(path));
}

bool validToken(std::string_view token)
{
    return std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

} // namespace

std::string EncodeHandOver(const HandOverRecord &record)
{
    std::string out(1, kDataTag);
    appendLength(out, record.path.size());
    out += record.path;
    appendLength(out, record.activationToken.size());
    out += record.activationToken;
    return out;
}

HandOverReading ParseHandOver(std::string_view bytes)
{
    HandOverReading reading;
    if (bytes.empty())
        return reading;
    if (bytes.front() != kDataTag) {
        reading.result = HandOverParse::Invalid;
        return reading;
    }
    std::size_t pos = 1;
    // Each field: its length, checked against its limit before any byte is waited for.
    const auto field = [&](std::size_t limit, std::string &out) -> HandOverParse {
        const std::optional<std::size_t> length = readLength(bytes, pos);
        if (!length)
            return HandOverParse::Incomplete;
        if (*length > limit)
            return HandOverParse::Invalid;
        if (bytes.size() - pos - kLengthSize < *length)
            return HandOverParse::Incomplete;
        out.assign(bytes.substr(pos + kLengthSize, *length));
        pos += kLengthSize + *length;
        return HandOverParse::Complete;
    };
    for (const auto &[limit, out] : {std::pair{kHandOverPathLimit, &reading.record.path},
                                     std::pair{kHandOverTokenLimit, &reading.record.activationToken}}) {
        reading.result = field(limit, *out);
        if (reading.result != HandOverParse::Complete) {
            reading.record = {};
            return reading;
        }
    }
    if (!validPath(reading.record.path) || !validToken(reading.record.activationToken)) {
        reading.result = HandOverParse::Invalid;
        reading.record = {};
        return reading;
    }
    reading.consumed = pos;
    return reading;
}

} // namespace ombre
