#pragma once

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace mhbk::test {

// CI=true is set where the test command has installed every reader and tool the tests use, and
// has built System.dat: there a missing one is a broken set-up, not a reason to skip.
inline bool everyToolRequired()
{
    const char *ci = std::getenv("CI");
    return ci && std::strcmp(ci, "true") == 0;
}

} // namespace mhbk::test

// Skips the test for want of something outside the program (a reader, LibreOffice, the built
// database); fails it instead under CI=true, so a missing tool never passes for a green run.
#define MHBK_SKIP_WITHOUT(what)                                                                      \
    do {                                                                                           \
        if (::mhbk::test::everyToolRequired())                                                     \
            GTEST_FAIL() << what << " is missing, and CI=true requires it";                        \
        else                                                                                       \
            GTEST_SKIP() << what << " is missing";                                                 \
    } while (0)
