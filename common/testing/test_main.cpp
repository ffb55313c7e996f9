#include "zel/testing/test_env.h"

#include "zel/common/work_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace zel::testing {
namespace {
std::string g_work_dir;
} // namespace

std::string work_dir() {
    return g_work_dir;
}

std::string output_dir() {
    const std::string dir = ZEL_TEST_OUTPUT_DIR;
    ::mkdir(dir.c_str(), 0755);
    return dir;
}

} // namespace zel::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A fresh owner-only folder per process; tests that check the folder rules set
    // ZEL_WORKDIR themselves, below the work space.
    const std::string root = ZEL_TEST_WORK_ROOT;
    ::mkdir(root.c_str(), 0700);
    std::string templ = root + "/run-XXXXXX";
    if (::mkdtemp(templ.data()) == nullptr) {
        std::perror("mkdtemp");
        return 2;
    }
    ::setenv("ZEL_WORKDIR", templ.c_str(), 1);
    // The process's own work space inside it, where the libraries put their work files.
    zel::testing::g_work_dir = zel::work_folder();
    if (zel::testing::g_work_dir.empty()) {
        std::fprintf(stderr, "no work space in %s\n", templ.c_str());
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return RUN_ALL_TESTS();
}
