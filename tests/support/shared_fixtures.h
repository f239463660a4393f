#pragma once

#include <QDir>
#include <gtest/gtest.h>

// The real Paradox files live beside the repository (../shared/fixtures), not in it. A checkout
// without them skips the tests that read them; under CI, where they are always laid out, their
// absence is a failure, so a broken layout can never pass silently.
#define REQUIRE_SHARED_FIXTURES()                                                                  \
    do {                                                                                           \
        if (!QDir(QStringLiteral(DIRAVIR_FIXTURES_DIR "/paradox")).exists()) {                     \
            if (qgetenv("CI") == "true")                                                           \
                FAIL() << "shared fixtures missing: " DIRAVIR_FIXTURES_DIR;                        \
            GTEST_SKIP() << "shared fixtures not found at " DIRAVIR_FIXTURES_DIR;                  \
        }                                                                                          \
    } while (false)
