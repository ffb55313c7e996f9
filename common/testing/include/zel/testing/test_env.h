#pragma once
// Folders every test can use. The shared test main gives each test process a fresh private
// folder ($ZEL_WORKDIR), so tests never touch a user's files and can run in parallel.

#include <string>

namespace zel::testing {

// This test process's work space in its fresh private folder: zel::work_folder() as it was
// when the tests started, where the libraries write their work files.
std::string work_dir();

// A folder in the build tree where tests leave pictures for a person to look at
// (build/<preset>/test-output); created on first use.
std::string output_dir();

} // namespace zel::testing
