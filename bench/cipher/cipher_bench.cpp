// Encryption and decryption speed: the byte-by-byte reference loop against the buffer path.
#include "cipher/cipher.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

using namespace ombre;

std::vector<std::uint8_t> randomBytes(std::size_t size)
{
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(size);
    for (auto &b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

template <bool Decrypt, bool Bulk>
void run(benchmark::State &bench)
{
    std::vector<std::uint8_t> data = randomBytes(static_cast<std::size_t>(bench.range(0)));
    CipherState state;
    for (auto _ : bench) {
        CipherSetKey(state, "Lune2Ombre");
        CipherBeginStream(state);
        if constexpr (Bulk) {
            if constexpr (Decrypt)
                CipherDecryptBuffer(state, data);
            else
                CipherEncryptBuffer(state, data);
        } else {
            for (std::uint8_t &b : data)
                b = Decrypt ? CipherDecryptByte(state, b) : CipherEncryptByte(state, b);
        }
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    CipherReset(state);
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations()) * bench.range(0));
}

void EncryptByte(benchmark::State &s) { run<false, false>(s); }
void EncryptBulk(benchmark::State &s) { run<false, true>(s); }
void DecryptByte(benchmark::State &s) { run<true, false>(s); }
void DecryptBulk(benchmark::State &s) { run<true, true>(s); }

constexpr std::int64_t kMiB = 1 << 20;
BENCHMARK(EncryptByte)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK(EncryptBulk)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecryptByte)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);
BENCHMARK(DecryptBulk)->Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
