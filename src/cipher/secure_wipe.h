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

// A byte buffer wiped when it goes, however the scope is left.
struct SecretBytes {
    std::vector<unsigned char> bytes;
    SecretBytes() = default;
    explicit SecretBytes(std::size_t size) : bytes(size) {}
    ~SecretBytes() { secureWipe(bytes); }
    SecretBytes(const SecretBytes &) = delete;
    SecretBytes &operator=(const SecretBytes &) = delete;
};

// A text wiped when it goes, however the scope is left.
struct SecretText {
    std::string text;
    SecretText() = default;
    ~SecretText() { secureWipe(text); }
    SecretText(const SecretText &) = delete;
    SecretText &operator=(const SecretText &) = delete;
};

} // namespace ombre
