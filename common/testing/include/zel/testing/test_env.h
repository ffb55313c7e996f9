#pragma once
// Folders every test can use. The shared test main gives each test process a fresh private
// work folder ($ZEL_WORKDIR), so tests never touch a user's files and can run in parallel.

#include <string>

namespace zel::testing {

// The fresh work folder of this test process.
std::string work_dir();

// A folder in the build tree where tests leave pictures for a person to look at
// (build/<preset>/test-output); created on first use.
std::string output_dir();

} // namespace zel::testing
