#include "zel/common/data_folder.h"

#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
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

// A library copied into a made-up installed tree reads that tree's data whichever program
// loaded it (here one that has no data beside it), so a caller of an installed library needs
// no environment variable; ZEL_DATA_DIR still wins.
TEST(DataFolder, AnInstalledLibraryReadsTheDataOfItsOwnTree) {
    namespace fs = std::filesystem;
    const fs::path libdir = fs::path(zel::testing::work_dir()) / "prefix" / "lib" / "arch";
    fs::create_directories(libdir);
    const fs::path library = libdir / "libprobe.so";
    fs::copy_file(ZEL_DATA_PROBE, library);
    const fs::path data = libdir / ZEL_DATA_FROM_LIBDIR;
    fs::create_directories(data);

    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << ::dlerror();
    using Probe = void (*)(char*, int);
    const auto probe = reinterpret_cast<Probe>(::dlsym(handle, "zel_probe_data_folder"));
    ASSERT_NE(probe, nullptr);
    char folder[4096];

    ::unsetenv("ZEL_DATA_DIR");
    probe(folder, sizeof folder);
    EXPECT_EQ(std::string(folder), fs::canonical(data).string());

    ::setenv("ZEL_DATA_DIR", "/opt/zel/data", 1);
    probe(folder, sizeof folder);
    EXPECT_EQ(std::string(folder), "/opt/zel/data");

    // A tree without data is passed over, not taken as the data folder.
    ::unsetenv("ZEL_DATA_DIR");
    fs::remove(data);
    probe(folder, sizeof folder);
    EXPECT_TRUE(std::string(folder) == ZEL_DATA_INSTALL_DIR ||
                std::string(folder) == ZEL_DATA_BUILD_DIR)
        << folder;
    ::dlclose(handle);
}

} // namespace
