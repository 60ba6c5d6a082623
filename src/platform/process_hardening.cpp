#include "platform/process_hardening.h"

#include <cstdlib>
#include <cstring>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace ombre {

bool CloseProcessToOthers()
{
    const char *dumpable = std::getenv(kDumpableVariable);
    if (dumpable && std::strcmp(dumpable, "1") == 0)
        return false;
    // Not dumpable also means no core file; the limit covers a core handler that ignores it.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    return ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
}

} // namespace ombre
