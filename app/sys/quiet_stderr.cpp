#include "app/sys/quiet_stderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

QuietStderr::QuietStderr() {
    std::fflush(stderr);
    saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) {
        dup2(null, STDERR_FILENO);
    }
    if (null >= 0) {
        close(null);
    }
}

QuietStderr::~QuietStderr() {
    if (saved >= 0) {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
    }
}
