#include "zel/common/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

TEST(DataFolder, EnvironmentWinsAndSlashesAreTrimmed) {
    ::setenv("ZEL_DATA_DIR", "/opt/zel/data//", 1);
    EXPECT_EQ(zel::data_folder(), "/opt/zel/data");
    EXPECT_EQ(zel::data_path("templates/set1.vyr"), "/opt/zel/data/templates/set1.vyr");
}

TEST(DataFolder, AShareFolderBesideTheProgramsFolderComesNext) {
    ::unsetenv("ZEL_DATA_DIR");
    char exe[4096];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    ASSERT_GT(n, 0);
    exe[n] = '\0';
    const std::filesystem::path beside =
        std::filesystem::path(exe).parent_path().parent_path() / "share" / "zel-editor";
    // In the build tree the program's folder may already have the data beside it.
    const bool made = !std::filesystem::exists(beside);
    const bool madeShare = !std::filesystem::exists(beside.parent_path());
    std::filesystem::create_directories(beside);
    EXPECT_EQ(zel::data_folder(), std::filesystem::canonical(beside).string());
    std::error_code ignored;
    if (made)
        std::filesystem::remove(beside, ignored);
    if (madeShare)
        std::filesystem::remove(beside.parent_path(), ignored);
}

TEST(DataFolder, FallsBackToInstalledOrBuildTree) {
    ::unsetenv("ZEL_DATA_DIR");
    const std::string folder = zel::data_folder();
    EXPECT_TRUE(folder == ZEL_DATA_INSTALL_DIR || folder == ZEL_DATA_BUILD_DIR) << folder;
}

} // namespace
