#pragma once
// Streaming forms of the armour for large files: memory stays the same whatever the size. The
// encoder takes bytes in pieces of any size and hands out text (lines ending in CR LF); the
// decoder takes text in pieces of any size (lines end at CR LF, lone CR or lone LF) and hands out
// bytes. Both write what TUUCode writes for the same input, with the same line rules and the
// same progress rule (against the size given at construction), and run on the same line routines.

#include "armour/alphabet.h"
#include "armour/armour_error.h"
#include "armour/line_splitter.h"
#include "armour/progress_meter.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ombre {

class ArmourEncoder {
public:
    using TextSink = std::function<void(std::string_view text)>;

    // size: the number of bytes that will be fed, against which progress is counted. The begin
    // line "begin 64 <name>" is the first text handed out.
    ArmourEncoder(bool xxe, bool checksum, std::string_view name, std::uint64_t size, TextSink sink,
                  ProgressMeter::Report progress = {});

    void Feed(std::span<const std::uint8_t> bytes);
    // Writes the last (short, possibly empty) block and "end", hands out the rest of the text and
    // reports 100. A failure of the sink passes to the caller after that last report.
    void Finish();

private:
    void EncodeBlock(const std::uint8_t *bytes, std::size_t n);
    void FlushIfFull();
    void Flush();

    const ArmourAlphabet &alphabet_;
    bool checksum_;
    TextSink sink_;
    ProgressMeter meter_;
    std::string text_;
    std::uint8_t block_[kArmourBlockSize] = {};
    std::size_t blockFill_ = 0;
    std::uint64_t total_ = 0;
    bool finished_ = false;
};

class ArmourDecoder {
public:
    using ByteSink = std::function<void(std::span<const std::uint8_t> bytes)>;

    // textSize: the size of the whole text, against which progress is counted (it also sizes the
    // batches of bytes handed out).
    ArmourDecoder(bool xxe, ByteSink sink, std::uint64_t textSize, ProgressMeter::Report progress = {});

    // Decodes the lines that text completes. Returns the failure of a bad line, after the bytes
    // of the lines before it went to the sink; once a line failed or the end line came, the rest
    // of the text is ignored.
    ArmourError Feed(std::string_view text);
    // Ends the text: decodes a last line without line end, hands out the remaining bytes and
    // reports 100. Fails with NoDataLine when no data line came.
    ArmourError Finish();

    // True once the end line came or a line failed: the caller need read no further.
    bool Done() const { return done_; }
    // The index of the failing line in the text (0 for the begin line); for NoDataLine, the end
    // line's index or the number of lines.
    std::size_t ErrorLine() const { return errorLine_; }

private:
    bool TakeLine(std::string_view line, std::size_t consumed);
    void Flush();
    void Complete();

    const ArmourAlphabet &alphabet_;
    ByteSink sink_;
    ProgressMeter meter_;
    LineSplitter splitter_{kArmourLineCut};
    std::size_t batchSize_;
    std::vector<std::uint8_t> bytes_;
    std::size_t filled_ = 0;
    static constexpr std::size_t kNoEndLine = static_cast<std::size_t>(-1);
    std::size_t lineIndex_ = 0;
    std::size_t endLine_ = kNoEndLine;
    bool anyData_ = false;
    bool done_ = false;
    bool completed_ = false;
    ArmourError error_ = ArmourError::None;
    std::size_t errorLine_ = 0;
};

} // namespace ombre
