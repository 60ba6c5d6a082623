#include "cipher/secure_wipe.h"

#include <string.h>

namespace ombre {

void secureWipe(void *data, std::size_t size)
{
    // The C library's memset that the optimiser may not drop: as sure as a volatile loop, and as
    // fast as memset on the buffers of a large file.
    if (size > 0)
        explicit_bzero(data, size);
}

void secureWipe(std::string &text)
{
    text.resize(text.capacity());
    secureWipe(text.data(), text.size());
    text.clear();
}

void secureWipe(std::vector<unsigned char> &bytes)
{
    bytes.resize(bytes.capacity());
    secureWipe(bytes.data(), bytes.size());
    bytes.clear();
}

} // namespace ombre
