// Where a test of the command-line tools keeps its files: a folder in the
// system's temporary folder named for the test and for this run, so that
// two runs at once (a native and a sanitizer build, or two checkouts on one
// machine) never clear each other's files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace testsupport {

inline std::string scratchFolder(const std::string& stem) {
    return ::testing::TempDir() + stem + "-" + std::to_string(static_cast<long>(getpid()));
}

}  // namespace testsupport
