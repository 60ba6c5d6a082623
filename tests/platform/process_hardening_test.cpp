// The process closes itself to core files and to other processes of the user, unless a developer
// asks otherwise. Each case runs in a child process, since the change cannot be undone.

#include "platform/process_hardening.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombre {
namespace {

struct ChildView {
    bool closed;      // what CloseProcessToOthers said
    bool dumpable;    // what the kernel says afterwards
    bool coreAllowed; // a core file limit above zero
};

ChildView runInChild(const char *switchValue)
{
    int pipeEnds[2];
    EXPECT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (switchValue)
            ::setenv(kDumpableVariable, switchValue, 1);
        else
            ::unsetenv(kDumpableVariable);
        const bool closed = CloseProcessToOthers();
        rlimit core{};
        ::getrlimit(RLIMIT_CORE, &core);
        const ChildView view{closed, ::prctl(PR_GET_DUMPABLE) == 1, core.rlim_cur > 0};
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &view, sizeof view);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    ChildView view{};
    EXPECT_EQ(::read(pipeEnds[0], &view, sizeof view), static_cast<ssize_t>(sizeof view));
    ::close(pipeEnds[0]);
    ::waitpid(child, nullptr, 0);
    return view;
}

TEST(ProcessHardening, ClosedUnlessTheDeveloperSwitchIsOn)
{
    const ChildView closed = runInChild(nullptr);
    EXPECT_TRUE(closed.closed);
    EXPECT_FALSE(closed.dumpable);
    EXPECT_FALSE(closed.coreAllowed);

    // Only "1" turns it off: a stray value keeps the protection.
    const ChildView stray = runInChild("oui");
    EXPECT_TRUE(stray.closed);
    EXPECT_FALSE(stray.dumpable);

    const ChildView developer = runInChild("1");
    EXPECT_FALSE(developer.closed);
    EXPECT_TRUE(developer.dumpable);
}

} // namespace
} // namespace ombre
