#include "zel/common/work_folder.h"
#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

mode_t mode_of(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 0777;
}

// Points the three candidates into this test's own folder.
class WorkFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = zel::testing::work_dir();
        ::setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
        ::mkdir((root + "/runtime").c_str(), 0700);
        ::setenv("HOME", (root + "/home").c_str(), 1);
    }
    std::string root;
};

TEST_F(WorkFolderTest, ExplicitFolderIsCreatedOwnerOnly) {
    const std::string dir = root + "/explicit/nested";
    ::setenv("ZEL_WORKDIR", (dir + "/").c_str(), 1);
    EXPECT_EQ(zel::work_folder(), dir);
    EXPECT_EQ(mode_of(dir), 0700u);
    EXPECT_EQ(zel::work_path("zeledittmpx.bmp"), dir + "/zeledittmpx.bmp");
}

TEST_F(WorkFolderTest, FallsBackInOrderWhenUnset) {
    ::unsetenv("ZEL_WORKDIR");
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(zel::work_folder(), root + "/home/.cache/zel-editor");
    EXPECT_EQ(mode_of(root + "/home/.cache/zel-editor"), 0700u);
}

TEST_F(WorkFolderTest, RefusesFolderOpenToOthers) {
    const std::string open = root + "/open";
    ::mkdir(open.c_str(), 0777);
    ::chmod(open.c_str(), 0777);
    ::setenv("ZEL_WORKDIR", open.c_str(), 1);
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor");
    // A group-readable folder is refused as well.
    ::chmod(open.c_str(), 0750);
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor");
}

TEST_F(WorkFolderTest, RefusesLinksAndFilesAndRelativePaths) {
    const std::string target = root + "/target";
    ::mkdir(target.c_str(), 0700);
    const std::string link = root + "/link";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ::setenv("ZEL_WORKDIR", link.c_str(), 1);
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor");

    const std::string file = root + "/plainfile";
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    ::setenv("ZEL_WORKDIR", file.c_str(), 1);
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor");

    ::setenv("ZEL_WORKDIR", "relative/dir", 1);
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor");
}

TEST_F(WorkFolderTest, NoUsableChoiceGivesEmpty) {
    ::unsetenv("ZEL_WORKDIR");
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("HOME");
    EXPECT_EQ(zel::work_folder(), "");
    EXPECT_EQ(zel::work_path("x"), "");
}

} // namespace
