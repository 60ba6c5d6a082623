#include "cipher/secure_wipe.h"

namespace ombre {

void secureWipe(void *data, std::size_t size)
{
    // Writes through a volatile pointer are observable behaviour, so they are never elided.
    volatile unsigned char *p = static_cast<volatile unsigned char *>(data);
    for (std::size_t i = 0; i < size; ++i)
        p[i] = 0;
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
