#include "NamespaceGuard.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

NamespaceGuard::NamespaceGuard(int namespaceFd)
{
    previous = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    isIn = previous >= 0 && setns(namespaceFd, CLONE_NEWNET) == 0;
}

NamespaceGuard::~NamespaceGuard()
{
    if (previous < 0) {
        return;
    }
    // Staying in a test namespace would let later code touch it as if it were the
    // host's, or touch the host as if it were the test's: stop instead.
    if (isIn && setns(previous, CLONE_NEWNET) != 0) {
        std::perror("setns back to the previous network namespace");
        std::abort();
    }
    close(previous);
}
