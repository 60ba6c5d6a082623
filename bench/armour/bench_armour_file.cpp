// bench_armour_file encode|decode IN OUT: the streaming encoder or decoder (UUE) from one file to
// another in 64 KiB pieces, so that the bench times file to file what GNU sharutils' uuencode
// and uudecode do. A bench tool: it writes OUT in place.

#include "armour/armour_stream.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE *)>;

bool Write(std::FILE *out, const void *data, std::size_t size)
{
    return std::fwrite(data, 1, size, out) == size;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "encode") != 0 && std::strcmp(argv[1], "decode") != 0)) {
        std::fprintf(stderr, "usage: bench_armour_file encode|decode IN OUT\n");
        return 1;
    }
    const bool encode = std::strcmp(argv[1], "encode") == 0;
    File in(std::fopen(argv[2], "rb"), std::fclose);
    File out(std::fopen(argv[3], "wb"), std::fclose);
    if (!in || !out) {
        std::perror("bench_armour_file");
        return 1;
    }
    const std::uint64_t size = std::filesystem::file_size(argv[2]);
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    if (encode) {
        ombre::ArmourEncoder encoder(false, true, std::filesystem::path(argv[2]).filename().string(), size,
                                     [&](std::string_view text) { ok = Write(out.get(), text.data(), text.size()) && ok; });
        while (std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in.get()))
            encoder.Feed(std::span(reinterpret_cast<const std::uint8_t *>(buffer.data()), got));
        encoder.Finish();
    } else {
        ombre::ArmourDecoder decoder(false, [&](std::span<const std::uint8_t> bytes) {
            ok = Write(out.get(), bytes.data(), bytes.size()) && ok;
        }, size);
        std::size_t got = 0;
        while (!decoder.Done() && (got = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0)
            decoder.Feed(std::string_view(buffer.data(), got));
        if (const ombre::ArmourError error = decoder.Finish(); error != ombre::ArmourError::None) {
            std::fprintf(stderr, "bench_armour_file: %s\n", ombre::ArmourMessage(error));
            return 2;
        }
    }
    if (!ok || std::ferror(in.get()) || std::fflush(out.get()) != 0) {
        std::fprintf(stderr, "bench_armour_file: input/output error\n");
        return 1;
    }
    return 0;
}
