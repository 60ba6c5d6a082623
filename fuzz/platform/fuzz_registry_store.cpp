// The user store's file reader on any bytes: it must not crash, and whatever it keeps must be
// written back in a form that reads again, whole and unchanged.
#include "platform/reg_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const ombre::reg::ParseResult parsed = ombre::reg::parse(std::string_view(reinterpret_cast<const char *>(data), size));
    const std::string written = ombre::reg::serialise(parsed.document);
    const ombre::reg::ParseResult again = ombre::reg::parse(written);
    if (again.damaged || ombre::reg::serialise(again.document) != written)
        std::abort();
    return 0;
}
