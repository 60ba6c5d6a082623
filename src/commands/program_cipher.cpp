#include "commands/program_cipher.h"

#include "cipher/cipher.h"

namespace ombre {

CipherState &ProgramCipher()
{
    static CipherState state;
    return state;
}

} // namespace ombre
