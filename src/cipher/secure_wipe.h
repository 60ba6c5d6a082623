#pragma once
// Wiping of secrets (keys, passwords, plaintext buffers) that the optimiser may not drop even
// though the memory is never read again.

#include <cstddef>
#include <string>
#include <vector>

namespace ombre {

void secureWipe(void *data, std::size_t size);

// Wipes the whole capacity, not only the current size, then empties the string or vector.
void secureWipe(std::string &text);
void secureWipe(std::vector<unsigned char> &bytes);

} // namespace ombre
