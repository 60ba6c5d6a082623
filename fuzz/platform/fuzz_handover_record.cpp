// Any bytes from a later start's socket: the reader must not crash, must not read past what it
// was given, and a record it accepts must be exactly the bytes it says it consumed.
#include "platform/handover_record.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const ombre::HandOverReading reading = ombre::ParseHandOver(bytes);
    if (reading.result != ombre::HandOverParse::Complete)
        return 0;
    if (reading.consumed > size || ombre::EncodeHandOver(reading.record) != bytes.substr(0, reading.consumed))
        std::abort();
    return 0;
}
