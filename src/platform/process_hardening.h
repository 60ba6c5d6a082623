#pragma once
// Keeps the plaintext in this process's memory to this process: no core file is written when it
// crashes (a core holds every document open and the keys), and other processes of the same user
// may not attach to it or read its memory through /proc. Nothing a user does needs either.
// Developers set OMBRELUNAIRE_DUMPABLE=1 to debug or profile the program.

namespace ombre {

inline constexpr const char *kDumpableVariable = "OMBRELUNAIRE_DUMPABLE";

// Call first thing in main(). Returns whether the process is now closed (false with the
// developer switch, or where the system refuses).
bool CloseProcessToOthers();

} // namespace ombre
