#include "armour/uu_code.h"

#include "armour/data_line.h"
#include "armour/progress_meter.h"

#include <algorithm>
#include <stdexcept>

namespace ombre {
namespace {

// Bulk work goes through the stream in chunks of whole blocks and batches of bytes of about
// 64 KiB, smaller for small inputs.
constexpr std::size_t kBlocksPerRead = 1456;
constexpr std::size_t kWriteBatch = 64 * 1024;

} // namespace

TUUCode::TUUCode(ByteStream &stream, std::vector<std::string> &lines)
    : Lines(lines), Stream(stream), alphabet_(&UUEArmourAlphabet())
{
}

void TUUCode::SetXXE(bool flag)
{
    if (flag == xxe_)
        return;
    xxe_ = flag;
    alphabet_ = &ArmourAlphabetFor(flag);
}

void TUUCode::Report(std::int32_t percent)
{
    Percent = percent;
    if (OnProgress)
        OnProgress(*this);
}

void TUUCode::Encode(std::string_view name)
{
    // Progress counts against the whole stream, as callers rewind it first.
    const std::uint64_t size = Stream.Size();
    ProgressMeter meter(size, ProgressStep, [this](std::int32_t percent) { Report(percent); });
    try {
        Lines.clear();
        Percent = 0;
        const std::uint64_t remaining = size - std::min(size, Stream.Position());
        Lines.reserve(static_cast<std::size_t>(remaining / kArmourBlockSize) + 3);
        Lines.push_back("begin 64 " + std::string(name));

        const std::uint64_t blocks = std::min<std::uint64_t>(kBlocksPerRead, remaining / kArmourBlockSize + 1);
        std::vector<std::uint8_t> chunk(static_cast<std::size_t>(blocks) * kArmourBlockSize);
        char line[kArmourMaxLineLength];
        std::uint64_t total = 0;
        bool last = false;
        while (!last) {
            const std::size_t got = Stream.Read(chunk);
            last = got < chunk.size();
            // A full chunk ends on a block boundary; the final short block comes from the last read.
            for (std::size_t offset = 0; offset < got || (last && offset == got); offset += kArmourBlockSize) {
                const std::size_t n = std::min(kArmourBlockSize, got - offset);
                Lines.emplace_back(line, EncodeDataLine(*alphabet_, chunk.data() + offset, n, Checksum, line));
                total += n;
                meter.Advance(total);
                if (n < kArmourBlockSize)
                    break;
            }
        }
        Lines.push_back("end");
    } catch (...) {
        meter.Complete();
        throw;
    }
    meter.Complete();
}

void TUUCode::Decode()
{
    const std::size_t lineCount = Lines.size();
    ProgressMeter meter(lineCount > 1 ? lineCount - 1 : 0, ProgressStep,
                        [this](std::int32_t percent) { Report(percent); });
    try {
        Percent = 0;
        const std::size_t batchSize = std::min(kWriteBatch, lineCount * kArmourBlockSize);
        std::vector<std::uint8_t> batch(batchSize + kArmourBlockSize);
        std::size_t filled = 0;
        const auto flush = [&] {
            Stream.Write(std::span(batch.data(), filled));
            filled = 0;
        };
        bool anyData = false;
        std::size_t stop = lineCount;
        for (std::size_t i = 0; i < lineCount; ++i) {
            const std::string_view line = std::string_view(Lines[i]).substr(0, kArmourLineCut);
            const ArmourLineKind kind = ClassifyArmourLine(*alphabet_, i, line);
            if (kind == ArmourLineKind::End) {
                stop = i;
                break;
            }
            if (kind == ArmourLineKind::Data) {
                std::size_t count = 0;
                const ArmourError error = DecodeDataLine(*alphabet_, line, batch.data() + filled, count);
                if (error != ArmourError::None) {
                    flush();
                    ThrowArmourError(error, i);
                }
                anyData = true;
                filled += count;
                if (filled >= batchSize)
                    flush();
            }
            if (i > 0)
                meter.Advance(i);
        }
        flush();
        // The text ended (or reached its end line) before any data line: a text of fewer than two
        // lines, or of blank lines only.
        if (!anyData)
            throw EUUNoDataLine(stop);
    } catch (...) {
        meter.Complete();
        throw;
    }
    meter.Complete();
}

void TUUCode::EncodeLine(std::span<const std::uint8_t, kArmourBlockSize> block, int n, std::string &line)
{
    if (n < 0 || n > static_cast<int>(kArmourBlockSize))
        throw std::out_of_range("TUUCode::EncodeLine: count outside 0..45");
    BitBuffer.fill(0);
    for (std::size_t b = 0; b < kArmourBlockSize; ++b)
        for (std::size_t bit = 0; bit < 8; ++bit)
            BitBuffer[b * 8 + bit] = (block[b] >> (7 - bit)) & 1;

    std::string data;
    unsigned sum = 0;
    for (std::size_t group = 0; group < kArmourFullDataChars; ++group) {
        unsigned value = 0;
        for (std::size_t bit = 0; bit < 6; ++bit)
            value = (value << 1) | BitBuffer[group * 6 + bit];
        data += Alphabet()[value];
        if (Checksum)
            sum += value;
    }
    data.resize(ArmourDataChars(static_cast<std::size_t>(n)));
    if (Checksum)
        data += Alphabet()[sum % 64];
    line = Alphabet()[static_cast<std::size_t>(n)] + data;
}

void TUUCode::DecodeLine(std::string_view line, std::span<std::uint8_t, kArmourBlockSize> block, int &count)
{
    std::fill(block.begin(), block.end(), 0);
    BitBuffer.fill(0);
    std::size_t n = 0;
    std::size_t checked = 0;
    if (const ArmourError error = CheckDataLine(*alphabet_, line, n, checked); error != ArmourError::None)
        ThrowArmourError(error, 0);

    // A short line may carry a 61st character (a check character); only 360 bits fit the buffer,
    // so it is read for its validity alone.
    std::size_t cell = 0;
    for (std::size_t i = 1; i <= checked; ++i) {
        const int value = CharValue(line[i]);
        if (cell + 6 > kArmourBlockSize * 8)
            continue;
        for (int bit = 5; bit >= 0; --bit)
            BitBuffer[cell++] = static_cast<std::uint8_t>((value >> bit) & 1);
    }
    for (std::size_t b = 0; b < kArmourBlockSize; ++b) {
        unsigned byte = 0;
        for (std::size_t bit = 0; bit < 8; ++bit)
            byte = (byte << 1) | BitBuffer[b * 8 + bit];
        block[b] = static_cast<std::uint8_t>(byte);
    }
    count = static_cast<int>(n);
}

int TUUCode::CharValue(char c) const
{
    const std::size_t index = Alphabet().find(c);
    if (index != std::string_view::npos)
        return static_cast<int>(index);
    if (c == ' ')
        return 0;
    throw EUUInvalidCharacter();
}

} // namespace ombre
