#pragma once
// The program's one cipher state, shared by the encryption commands. A command holds it from the
// moment its dialog loads the key until its CipherKeyGuard wipes it.

namespace ombre {

struct CipherState;

CipherState &ProgramCipher();

} // namespace ombre
