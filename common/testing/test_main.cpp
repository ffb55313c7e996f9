#include "zel/testing/test_env.h"

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
    // ZEL_WORKDIR themselves.
    const std::string root = ZEL_TEST_WORK_ROOT;
    ::mkdir(root.c_str(), 0700);
    std::string templ = root + "/run-XXXXXX";
    if (::mkdtemp(templ.data()) == nullptr) {
        std::perror("mkdtemp");
        return 2;
    }
    zel::testing::g_work_dir = templ;
    ::setenv("ZEL_WORKDIR", templ.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return RUN_ALL_TESTS();
}
