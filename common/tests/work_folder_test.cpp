#include "zel/common/work_folder.h"
#include "zel/testing/processes.h"
#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    EXPECT_EQ(zel::private_folder(), dir);
    EXPECT_EQ(mode_of(dir), 0700u);
    EXPECT_EQ(zel::work_folder(), dir + "/1");
    EXPECT_EQ(mode_of(dir + "/1"), 0700u);
    EXPECT_EQ(zel::work_path("zeledittmpx.bmp"), dir + "/1/zeledittmpx.bmp");
}

TEST_F(WorkFolderTest, FallsBackInOrderWhenUnset) {
    ::unsetenv("ZEL_WORKDIR");
    EXPECT_EQ(zel::work_folder(), root + "/runtime/zel-editor/1");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(zel::work_folder(), root + "/home/.cache/zel-editor/1");
    EXPECT_EQ(mode_of(root + "/home/.cache/zel-editor"), 0700u);
}

// A folder the person names is the only choice: when it cannot serve, there is no private
// folder (and the problem says which folder and why), never another folder in its place.
TEST_F(WorkFolderTest, ANamedFolderOpenToOthersIsRefusedAndNotReplaced) {
    const std::string open = root + "/open";
    ::mkdir(open.c_str(), 0777);
    ::chmod(open.c_str(), 0777);
    ::setenv("ZEL_WORKDIR", open.c_str(), 1);
    EXPECT_EQ(zel::private_folder(), "");
    EXPECT_EQ(zel::work_folder(), "");
    EXPECT_EQ(zel::work_folder_problem(),
              "The work folder ZEL_WORKDIR names, " + open +
                  ", cannot serve as a private folder: its group or other users may enter it.");
    // A group-readable folder is refused as well.
    ::chmod(open.c_str(), 0750);
    EXPECT_EQ(zel::private_folder(), "");
    EXPECT_EQ(zel::work_path("zel_head.bmp"), "");
}

TEST_F(WorkFolderTest, ANamedLinkFileOrRelativePathIsRefusedAndNotReplaced) {
    const std::string target = root + "/target";
    ::mkdir(target.c_str(), 0700);
    const std::string link = root + "/link";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    const std::string file = root + "/plainfile";
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    const std::string blocked = file + "/below";
    const struct {
        std::string named;
        std::string why;
    } cases[] = {
        {link, "it is a symbolic link"},
        {file, "it is not a folder"},
        {"relative/dir", "it is not an absolute path"},
        {blocked, "it does not exist and cannot be made (Not a directory)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        ::setenv("ZEL_WORKDIR", c.named.c_str(), 1);
        EXPECT_EQ(zel::private_folder(), "");
        EXPECT_EQ(zel::work_folder(), "");
        EXPECT_EQ(zel::work_folder_problem(), "The work folder ZEL_WORKDIR names, " + c.named +
                                                  ", cannot serve as a private folder: " + c.why +
                                                  ".");
    }
    // An empty setting is no setting.
    ::setenv("ZEL_WORKDIR", "", 1);
    EXPECT_EQ(zel::private_folder(), root + "/runtime/zel-editor");
    EXPECT_EQ(zel::work_folder_problem(), "");
}

// A private folder the user may not write: no work space can be made in it, and the problem
// says so. Root may write it, so the case runs as an ordinary user.
TEST_F(WorkFolderTest, ANamedFolderThatTakesNoWorkSpaceIsReportedAndNotReplaced) {
    const zel::testing::UnprivilegedFolder shared("zel-work-folder");
    if (!shared.made())
        GTEST_SKIP() << "no unprivileged user \"nobody\" to run as";
    const std::string locked = shared.path() + "/read-only";
    ::mkdir(locked.c_str(), 0500);
    ASSERT_EQ(::chown(locked.c_str(), shared.uid(), shared.gid()), 0);
    const std::string answer = zel::testing::in_child([&]() -> std::string {
        if (std::string dropped = zel::testing::become_unprivileged(); !dropped.empty())
            return dropped;
        ::setenv("ZEL_WORKDIR", locked.c_str(), 1);
        std::string wrong;
        if (zel::private_folder() != locked)
            wrong += "the private folder is " + zel::private_folder() + "; ";
        if (!zel::work_folder().empty())
            wrong += "a work space was made in a read-only folder; ";
        return wrong + zel::work_folder_problem();
    });
    if (answer.rfind("skip:", 0) == 0)
        GTEST_SKIP() << answer;
    EXPECT_EQ(answer, "The work folder " + locked +
                          " cannot be used: no work space can be made in it (Permission denied).");
}

TEST_F(WorkFolderTest, NoUsableChoiceGivesEmpty) {
    ::unsetenv("ZEL_WORKDIR");
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("HOME");
    EXPECT_EQ(zel::private_folder(), "");
    EXPECT_EQ(zel::work_folder(), "");
    EXPECT_EQ(zel::work_path("x"), "");
    EXPECT_EQ(zel::work_folder_problem(), "No private folder for work files can be used "
                                          "($XDG_RUNTIME_DIR/zel-editor or ~/.cache/zel-editor).");
}

// Holds the lock of a numbered space the way another running process would.
int hold_space(const std::string& space) {
    ::mkdir(space.c_str(), 0700);
    const int fd = ::open((space + "/space.lock").c_str(), O_RDWR | O_CREAT, 0600);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    return fd;
}

// What work_folder() gives in a new process made by fork from this one.
std::string work_folder_of_child() {
    int out[2];
    EXPECT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string space = zel::work_folder();
        const bool written =
            ::write(out[1], space.data(), space.size()) == static_cast<ssize_t>(space.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(out[1]);
    std::string got;
    char buf[256];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        got.append(buf, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return got;
}

TEST_F(WorkFolderTest, SpacesHeldByOtherProcessesAreSkipped) {
    const std::string dir = root + "/shared";
    ::setenv("ZEL_WORKDIR", dir.c_str(), 1);
    ::mkdir(dir.c_str(), 0700);
    const int first = hold_space(dir + "/1");
    EXPECT_EQ(zel::work_folder(), dir + "/2");
    // The claim is kept: later calls give the same space while the lock is ours.
    EXPECT_EQ(zel::work_folder(), dir + "/2");
    ::close(first);
    EXPECT_EQ(zel::work_folder(), dir + "/2");
}

TEST_F(WorkFolderTest, TwoProcessesAtOnceGetTwoSpacesAndAnEndedOneFreesItsSpace) {
    const std::string dir = root + "/two";
    ::setenv("ZEL_WORKDIR", dir.c_str(), 1);
    EXPECT_EQ(zel::work_folder(), dir + "/1");
    EXPECT_EQ(work_folder_of_child(), dir + "/2");
    // That child has ended, so the next one gets the same space again.
    EXPECT_EQ(work_folder_of_child(), dir + "/2");
    EXPECT_EQ(mode_of(dir + "/2"), 0700u);
}

TEST_F(WorkFolderTest, NoSpaceWhenEveryOneIsHeld) {
    const std::string dir = root + "/full";
    ::setenv("ZEL_WORKDIR", dir.c_str(), 1);
    ::mkdir(dir.c_str(), 0700);
    for (int n = 1; n <= zel::work_space_count; ++n)
        hold_space(dir + "/" + std::to_string(n));
    EXPECT_EQ(zel::work_folder(), "");
    EXPECT_EQ(zel::work_path("zeledittmpx.bmp"), "");
    EXPECT_EQ(zel::work_folder_problem(),
              "The work folder " + dir +
                  " cannot be used: all 8 of its work spaces are held by other running editors.");
}

TEST_F(WorkFolderTest, WorkFilesAreThoseRightInsideTheWorkSpace) {
    const std::string dir = root + "/files";
    ::setenv("ZEL_WORKDIR", dir.c_str(), 1);
    EXPECT_TRUE(zel::is_work_file(zel::work_path("zel_all.bmp")));
    EXPECT_TRUE(zel::is_work_file(dir + "//1/./zel_head.bmp"));
    ::mkdir((dir + "/1/sub").c_str(), 0700);
    EXPECT_FALSE(zel::is_work_file(dir + "/1/sub/picture.bmp"));
    EXPECT_FALSE(zel::is_work_file(dir + "/picture.bmp"));
    EXPECT_FALSE(zel::is_work_file(root + "/picture.bmp"));
    EXPECT_FALSE(zel::is_work_file("zel_all.bmp"));
    EXPECT_FALSE(zel::is_work_file(zel::work_folder() + "/"));
}

TEST_F(WorkFolderTest, ASpaceOpenedToOthersOrTakenAwayIsReplacedByAnother) {
    const std::string dir = root + "/moved";
    ::setenv("ZEL_WORKDIR", dir.c_str(), 1);
    EXPECT_EQ(zel::work_folder(), dir + "/1");
    ::chmod((dir + "/1").c_str(), 0755);
    EXPECT_EQ(zel::work_folder(), dir + "/2");
    // A space moved away is made afresh under its number, with a lock of its own.
    ::rename((dir + "/2").c_str(), (dir + "/gone").c_str());
    EXPECT_EQ(zel::work_folder(), dir + "/2");
    EXPECT_EQ(mode_of(dir + "/2"), 0700u);
}

} // namespace
