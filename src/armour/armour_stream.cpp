#include "armour/armour_stream.h"

#include "armour/data_line.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace ombre {
namespace {

// Text and bytes go to the sinks in batches of about this size.
constexpr std::size_t kBatch = 64 * 1024;
constexpr std::int32_t kProgressStep = 10;

} // namespace

ArmourEncoder::ArmourEncoder(bool xxe, bool checksum, std::string_view name, std::uint64_t size,
                             TextSink sink, ProgressMeter::Report progress)
    : alphabet_(ArmourAlphabetFor(xxe)), checksum_(checksum), sink_(std::move(sink)),
      meter_(size, kProgressStep, std::move(progress))
{
    text_.reserve(kBatch + kArmourMaxLineLength + 2);
    text_ = "begin 64 ";
    text_ += name;
    text_ += "\r\n";
}

void ArmourEncoder::Feed(std::span<const std::uint8_t> bytes)
{
    if (finished_)
        throw std::logic_error("ArmourEncoder::Feed after Finish");
    try {
        std::size_t i = 0;
        if (blockFill_ > 0) {
            i = std::min(kArmourBlockSize - blockFill_, bytes.size());
            std::memcpy(block_ + blockFill_, bytes.data(), i);
            blockFill_ += i;
            if (blockFill_ < kArmourBlockSize)
                return;
            EncodeBlock(block_, kArmourBlockSize);
            blockFill_ = 0;
        }
        for (; bytes.size() - i >= kArmourBlockSize; i += kArmourBlockSize)
            EncodeBlock(bytes.data() + i, kArmourBlockSize);
        blockFill_ = bytes.size() - i;
        if (blockFill_ > 0)
            std::memcpy(block_, bytes.data() + i, blockFill_);
    } catch (...) {
        finished_ = true;
        meter_.Complete();
        throw;
    }
}

void ArmourEncoder::Finish()
{
    if (finished_)
        throw std::logic_error("ArmourEncoder::Finish called twice");
    finished_ = true;
    try {
        EncodeBlock(block_, blockFill_);
        text_ += "end\r\n";
        Flush();
    } catch (...) {
        meter_.Complete();
        throw;
    }
    meter_.Complete();
}

void ArmourEncoder::EncodeBlock(const std::uint8_t *bytes, std::size_t n)
{
    char line[kArmourMaxLineLength + 2];
    std::size_t length = EncodeDataLine(alphabet_, bytes, n, checksum_, line);
    line[length++] = '\r';
    line[length++] = '\n';
    text_.append(line, length);
    total_ += n;
    meter_.Advance(total_);
    if (text_.size() >= kBatch)
        Flush();
}

void ArmourEncoder::Flush()
{
    if (!text_.empty())
        sink_(text_);
    text_.clear();
}

ArmourDecoder::ArmourDecoder(bool xxe, ByteSink sink, std::uint64_t textSize, ProgressMeter::Report progress)
    : alphabet_(ArmourAlphabetFor(xxe)), sink_(std::move(sink)),
      meter_(textSize, kProgressStep, std::move(progress)),
      batchSize_(static_cast<std::size_t>(std::clamp<std::uint64_t>(textSize, 4096, kBatch))),
      bytes_(batchSize_ + kArmourBlockSize)
{
}

ArmourError ArmourDecoder::Feed(std::string_view text)
{
    if (done_)
        return error_;
    try {
        splitter_.Feed(text, [this](std::string_view line, std::size_t consumed) { return TakeLine(line, consumed); });
    } catch (...) {
        Complete();
        throw;
    }
    return error_;
}

ArmourError ArmourDecoder::Finish()
{
    try {
        if (!done_)
            splitter_.Finish([this](std::string_view line, std::size_t consumed) { return TakeLine(line, consumed); });
        done_ = true;
        if (error_ == ArmourError::None) {
            Flush();
            // The text ended (or reached its end line) before any data line: a text of fewer than
            // two lines, or of blank lines only.
            if (!anyData_) {
                error_ = ArmourError::NoDataLine;
                errorLine_ = endLine_ != kNoEndLine ? endLine_ : lineIndex_;
            }
        }
    } catch (...) {
        Complete();
        throw;
    }
    Complete();
    return error_;
}

bool ArmourDecoder::TakeLine(std::string_view line, std::size_t consumed)
{
    const std::size_t index = lineIndex_++;
    switch (ClassifyArmourLine(alphabet_, index, line)) {
    case ArmourLineKind::End:
        endLine_ = index;
        done_ = true;
        return false;
    case ArmourLineKind::Data: {
        std::size_t count = 0;
        const ArmourError error = DecodeDataLine(alphabet_, line, bytes_.data() + filled_, count);
        if (error != ArmourError::None) {
            error_ = error;
            errorLine_ = index;
            done_ = true;
            Flush();
            Complete();
            return false;
        }
        anyData_ = true;
        filled_ += count;
        if (filled_ >= batchSize_)
            Flush();
        break;
    }
    case ArmourLineKind::Skip:
        break;
    }
    if (index > 0)
        meter_.Advance(consumed);
    return true;
}

void ArmourDecoder::Flush()
{
    if (filled_ > 0)
        sink_(std::span<const std::uint8_t>(bytes_.data(), filled_));
    filled_ = 0;
}

void ArmourDecoder::Complete()
{
    if (completed_)
        return;
    completed_ = true;
    meter_.Complete();
}

} // namespace ombre
