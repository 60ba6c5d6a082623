// The armour over 16 MiB of random bytes: TUUCode and the streaming forms in memory, and the
// bit-buffer reference lines for comparison. Throughput counts the binary bytes.

#include "armour/armour_stream.h"
#include "armour/byte_stream.h"
#include "armour/data_line.h"
#include "armour/text_lines.h"
#include "armour/uu_code.h"

#include <benchmark/benchmark.h>

#include <array>
#include <random>

namespace {

using namespace ombre;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kSize = 16 << 20;

const Bytes &Data()
{
    static const Bytes data = [] {
        std::mt19937_64 random(42);
        Bytes bytes(kSize);
        for (std::uint8_t &b : bytes)
            b = static_cast<std::uint8_t>(random());
        return bytes;
    }();
    return data;
}

const std::vector<std::string> &Armoured(bool xxe)
{
    static std::vector<std::string> lines[2];
    if (lines[xxe].empty()) {
        Bytes copy = Data();
        MemoryStream stream(copy);
        TUUCode code(stream, lines[xxe]);
        code.SetXXE(xxe);
        code.Checksum = true;
        code.Encode("bench.cod");
    }
    return lines[xxe];
}

void TUUCodeEncode(benchmark::State &state)
{
    const bool xxe = state.range(0) != 0;
    Bytes data = Data();
    std::vector<std::string> lines;
    for (auto _ : state) {
        MemoryStream stream(data);
        TUUCode code(stream, lines);
        code.SetXXE(xxe);
        code.Checksum = true;
        code.OnProgress = [](TUUCode &) {};
        code.Encode("bench.cod");
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void TUUCodeDecode(benchmark::State &state)
{
    const bool xxe = state.range(0) != 0;
    std::vector<std::string> lines = Armoured(xxe);
    Bytes out;
    out.reserve(kSize);
    for (auto _ : state) {
        out.clear();
        MemoryStream stream(out);
        TUUCode code(stream, lines);
        code.SetXXE(xxe);
        code.OnProgress = [](TUUCode &) {};
        code.Decode();
        benchmark::DoNotOptimize(out.data());
    }
    if (out != Data())
        state.SkipWithError("decoded bytes differ");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void StreamingEncode(benchmark::State &state)
{
    const Bytes &data = Data();
    std::size_t textSize = 0;
    for (auto _ : state) {
        textSize = 0;
        ArmourEncoder encoder(false, true, "bench.cod", data.size(),
                              [&textSize](std::string_view text) { textSize += text.size(); }, [](std::int32_t) {});
        for (std::size_t i = 0; i < data.size(); i += 1 << 16)
            encoder.Feed(std::span(data).subspan(i, std::min<std::size_t>(1 << 16, data.size() - i)));
        encoder.Finish();
        benchmark::DoNotOptimize(textSize);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

void StreamingDecode(benchmark::State &state)
{
    const std::string text = JoinLines(Armoured(false));
    std::size_t decoded = 0;
    for (auto _ : state) {
        decoded = 0;
        ArmourDecoder decoder(false, [&decoded](std::span<const std::uint8_t> b) { decoded += b.size(); },
                              text.size(), [](std::int32_t) {});
        for (std::size_t i = 0; i < text.size(); i += 1 << 16)
            decoder.Feed(std::string_view(text).substr(i, 1 << 16));
        if (decoder.Finish() != ArmourError::None)
            state.SkipWithError("decoding failed");
    }
    if (decoded != kSize)
        state.SkipWithError("decoded size differs");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}

// The bit-buffer forms, line by line over the first MiB.
constexpr std::size_t kReferenceSize = 1 << 20;

void ReferenceEncodeLines(benchmark::State &state)
{
    const Bytes &data = Data();
    Bytes unused;
    MemoryStream stream(unused);
    std::vector<std::string> lines;
    TUUCode code(stream, lines);
    code.Checksum = true;
    std::string line;
    const std::size_t blocks = kReferenceSize / kArmourBlockSize;
    for (auto _ : state) {
        for (std::size_t b = 0; b < blocks; ++b) {
            code.EncodeLine(std::span<const std::uint8_t, kArmourBlockSize>(data.data() + b * kArmourBlockSize, kArmourBlockSize),
                            static_cast<int>(kArmourBlockSize), line);
            benchmark::DoNotOptimize(line.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * blocks * kArmourBlockSize));
}

void ReferenceDecodeLines(benchmark::State &state)
{
    const std::vector<std::string> &lines = Armoured(false);
    Bytes unused;
    MemoryStream stream(unused);
    std::vector<std::string> none;
    TUUCode code(stream, none);
    std::array<std::uint8_t, kArmourBlockSize> block{};
    const std::size_t count = kReferenceSize / kArmourBlockSize;
    for (auto _ : state) {
        for (std::size_t i = 1; i <= count; ++i) {
            int n = 0;
            code.DecodeLine(lines[i], block, n);
            benchmark::DoNotOptimize(block.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * count * kArmourBlockSize));
}

} // namespace

BENCHMARK(TUUCodeEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TUUCodeDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(StreamingEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(StreamingDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceEncodeLines)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceDecodeLines)->Unit(benchmark::kMillisecond);
