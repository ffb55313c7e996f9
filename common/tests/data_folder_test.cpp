#include "zel/common/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(DataFolder, EnvironmentWinsAndSlashesAreTrimmed) {
    ::setenv("ZEL_DATA_DIR", "/opt/zel/data//", 1);
    EXPECT_EQ(zel::data_folder(), "/opt/zel/data");
    EXPECT_EQ(zel::data_path("templates/set1.vyr"), "/opt/zel/data/templates/set1.vyr");
}

TEST(DataFolder, FallsBackToInstalledOrBuildTree) {
    ::unsetenv("ZEL_DATA_DIR");
    const std::string folder = zel::data_folder();
    EXPECT_TRUE(folder == ZEL_DATA_INSTALL_DIR || folder == ZEL_DATA_BUILD_DIR) << folder;
}

} // namespace
