// Saving over a person's file: the file keeps its permission bits, owner and group; a save goes
// through symbolic links; a file the user may not write, or no regular file, is refused; the
// sibling a save writes is hidden and a later save removes those nobody holds; a failed, killed
// or full-disk save leaves the file whole.

#include "zel/common/file_replace.h"
#include "zel/testing/processes.h"
#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A writer of `text`, as the face files and pictures write theirs (stdio, by name).
zel::FileWriter writing(const std::string& text) {
    return [text](const std::string& path) {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr)
            return false;
        const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
        return std::fclose(out) == 0 && written;
    };
}

struct stat stat_of(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

// The names in folder other than "." and "..", sorted.
std::string names_in(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& name : names)
        all += (all.empty() ? "" : " ") + name;
    return all;
}

// A child's answer as a test result: a case the machine cannot make is skipped with its reason.
void expect_passed(const std::string& answer) {
    if (answer.rfind("skip:", 0) == 0)
        GTEST_SKIP() << answer;
    EXPECT_EQ(answer, "");
}

class FileReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = zel::testing::work_dir() + "/" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::mkdir(folder.c_str(), 0700);
        target = folder + "/face.zel";
    }
    std::string folder;
    std::string target;
};

TEST_F(FileReplaceTest, AnExistingFileKeepsItsPermissionBitsAndANewOneGetsThePlainMode) {
    write_file(target, "old");
    ::chmod(target.c_str(), 0600);
    ASSERT_TRUE(zel::replace_file(target, writing("new")));
    EXPECT_EQ(read_file(target), "new");
    EXPECT_EQ(stat_of(target).st_mode & 07777, 0600u);
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(zel::replace_file(target, writing("newer")));
    EXPECT_EQ(stat_of(target).st_mode & 07777, 0640u);

    // A new file: what a plain write would make under the user's mask.
    const mode_t mask = ::umask(027);
    ASSERT_TRUE(zel::replace_file(folder + "/fresh.zel", writing("x")));
    ::umask(mask);
    EXPECT_EQ(stat_of(folder + "/fresh.zel").st_mode & 07777, 0640u);
    EXPECT_EQ(names_in(folder), "face.zel fresh.zel");
}

TEST_F(FileReplaceTest, ASaveByRootKeepsTheFilesOwnerAndGroup) {
    uid_t uid = 0;
    gid_t gid = 0;
    if (::geteuid() != 0 || !zel::testing::unprivileged_ids(uid, gid))
        GTEST_SKIP() << "only root may save over another user's file";
    write_file(target, "theirs");
    ASSERT_EQ(::chown(target.c_str(), uid, gid), 0);
    ::chmod(target.c_str(), 0604);
    ASSERT_TRUE(zel::replace_file(target, writing("new")));
    const struct stat st = stat_of(target);
    EXPECT_EQ(st.st_uid, uid);
    EXPECT_EQ(st.st_gid, gid);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

TEST_F(FileReplaceTest, ASaveWritesThroughSymbolicLinksToTheFileTheyName) {
    ::mkdir((folder + "/real").c_str(), 0700);
    const std::string real = folder + "/real/face.zel";
    write_file(real, "old");
    ::chmod(real.c_str(), 0600);
    // A relative link to an absolute one to the file.
    ASSERT_EQ(::symlink(real.c_str(), (folder + "/absolute").c_str()), 0);
    ASSERT_EQ(::symlink("absolute", target.c_str()), 0);
    ASSERT_TRUE(zel::replace_file(target, writing("new")));
    EXPECT_EQ(read_file(real), "new");
    EXPECT_TRUE(S_ISLNK(stat_of(target).st_mode));
    EXPECT_TRUE(S_ISLNK(stat_of(folder + "/absolute").st_mode));
    EXPECT_EQ(stat_of(real).st_mode & 07777, 0600u);
    EXPECT_EQ(names_in(folder + "/real"), "face.zel");

    // A link to a file not there yet makes that file.
    ASSERT_EQ(::symlink("real/later.zel", (folder + "/later").c_str()), 0);
    ASSERT_TRUE(zel::replace_file(folder + "/later", writing("made")));
    EXPECT_EQ(read_file(folder + "/real/later.zel"), "made");
    EXPECT_TRUE(S_ISLNK(stat_of(folder + "/later").st_mode));

    // Links that go round are refused.
    ASSERT_EQ(::symlink("round2", (folder + "/round1").c_str()), 0);
    ASSERT_EQ(::symlink("round1", (folder + "/round2").c_str()), 0);
    EXPECT_FALSE(zel::replace_file(folder + "/round1", writing("x")));
}

TEST_F(FileReplaceTest, ATargetThatIsNoRegularFileIsRefused) {
    ::mkdir((folder + "/sub").c_str(), 0700);
    EXPECT_FALSE(zel::replace_file(folder + "/sub", writing("x")));
    // A link to a device: the device stays (a rename over it would replace it).
    ASSERT_EQ(::symlink("/dev/null", target.c_str()), 0);
    EXPECT_FALSE(zel::replace_file(target, writing("x")));
    EXPECT_TRUE(S_ISCHR(stat_of("/dev/null").st_mode));
    EXPECT_EQ(names_in(folder), "face.zel sub");
    EXPECT_FALSE(zel::replace_file(folder + "/no-such-folder/face.zel", writing("x")));
}

// The rename over a file needs only the folder's permission; a file the user may not write is
// refused all the same. Root may write any file, so the case runs as an ordinary user.
TEST_F(FileReplaceTest, AFileTheUserMayNotWriteIsRefusedAndKept) {
    const zel::testing::UnprivilegedFolder shared("zel-replace");
    if (!shared.made())
        GTEST_SKIP() << "no unprivileged user \"nobody\" to run as";
    const std::string& dir = shared.path();
    const uid_t uid = shared.uid();
    const gid_t gid = shared.gid();
    const std::string file = dir + "/locked.zel";
    write_file(file, "kept");
    ASSERT_EQ(::chown(file.c_str(), uid, gid), 0);
    ::chmod(file.c_str(), 0444);
    // A group of its own the user is in, and one it is not in.
    const gid_t member = 4201;
    const gid_t stranger = 4202;
    write_file(dir + "/shared.zel", "old");
    write_file(dir + "/strange.zel", "old");
    for (const char* name : {"/shared.zel", "/strange.zel"})
        ASSERT_EQ(::chown((dir + name).c_str(), uid, gid), 0);
    ::chmod((dir + "/shared.zel").c_str(), 0660);
    ::chmod((dir + "/strange.zel").c_str(), 0660);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((dir + "/shared.zel").c_str(), uid, member), 0);
        ASSERT_EQ(::chown((dir + "/strange.zel").c_str(), uid, stranger), 0);
    }

    const std::string answer = zel::testing::in_child([&]() -> std::string {
        if (std::string dropped = zel::testing::become_unprivileged({member}); !dropped.empty())
            return dropped;
        std::string wrong;
        if (zel::replace_file(file, writing("replaced")))
            wrong += "a file the user may not write was replaced; ";
        if (!zel::replace_file(dir + "/shared.zel", writing("new")))
            wrong += "the group's file was not saved; ";
        if (::geteuid() != 0 && !zel::replace_file(dir + "/strange.zel", writing("new")))
            wrong += "the stranger's file was not saved; ";
        return wrong;
    });
    expect_passed(answer);
    EXPECT_EQ(read_file(file), "kept");
    EXPECT_EQ(stat_of(file).st_mode & 07777, 0444u);
    if (::geteuid() == 0) {
        // Kept where the user is in the group; else the new group gets no rights.
        EXPECT_EQ(stat_of(dir + "/shared.zel").st_gid, member);
        EXPECT_EQ(stat_of(dir + "/shared.zel").st_mode & 07777, 0660u);
        EXPECT_NE(stat_of(dir + "/strange.zel").st_gid, stranger);
        EXPECT_EQ(stat_of(dir + "/strange.zel").st_mode & 07777, 0600u);
    }
    EXPECT_EQ(names_in(dir), "locked.zel shared.zel strange.zel");
    for (const char* name : {"/locked.zel", "/shared.zel", "/strange.zel"})
        ::unlink((dir + name).c_str());
    ::rmdir(dir.c_str());
}

TEST_F(FileReplaceTest, TheSiblingIsHiddenAndAFailedWriteLeavesTheFileAndNothingBeside) {
    write_file(target, "old");
    std::string sibling;
    EXPECT_FALSE(zel::replace_file(target, [&](const std::string& path) {
        sibling = path;
        return writing("half")(path) && false;
    }));
    EXPECT_EQ(sibling.rfind(folder + "/.face.zel.part-" + std::to_string(::getpid()) + "-", 0), 0u)
        << sibling;
    EXPECT_EQ(read_file(target), "old");
    EXPECT_EQ(names_in(folder), "face.zel");
}

TEST_F(FileReplaceTest, ASaveKilledBeforeItsRenameLeavesTheFileAndALaterSaveClearsItsSibling) {
    write_file(target, "old");
    const std::string answer = zel::testing::in_child([&] {
        zel::replace_file(target, [](const std::string& path) {
            writing("half a new")(path);
            ::raise(SIGKILL);
            return true;
        });
        return std::string("the save was not killed");
    });
    EXPECT_NE(answer.find("did not end normally"), std::string::npos) << answer;
    EXPECT_EQ(read_file(target), "old");
    // The killed save's sibling, hidden beside the file.
    const std::string left = names_in(folder);
    EXPECT_EQ(left.rfind(".face.zel.part-", 0), 0u) << left;
    EXPECT_EQ(left.substr(left.size() - 9), " face.zel") << left;

    // A sibling a running save holds stays, and so do those of other files.
    const std::string held = folder + "/.face.zel.part-1-0";
    write_file(held, "running");
    const int fd = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    write_file(folder + "/.other.zel.part-1-0", "another file's");
    ASSERT_TRUE(zel::replace_file(target, writing("new")));
    EXPECT_EQ(read_file(target), "new");
    EXPECT_EQ(names_in(folder), ".face.zel.part-1-0 .other.zel.part-1-0 face.zel");
    ::close(fd);
    ASSERT_TRUE(zel::replace_file(target, writing("newer")));
    EXPECT_EQ(names_in(folder), ".other.zel.part-1-0 face.zel");
}

TEST_F(FileReplaceTest, ASaveOntoAFullFileSystemLeavesTheFileWhole) {
    const std::string small = folder + "/small";
    ::mkdir(small.c_str(), 0700);
    const std::string answer = zel::testing::in_child([&]() -> std::string {
        if (std::string mounted = zel::testing::mount_small_file_system(small, 64 * 1024);
            !mounted.empty())
            return mounted;
        const std::string file = small + "/face.zel";
        const std::string old(40 * 1024, 'o');
        if (!zel::replace_file(file, writing(old)))
            return "the first save failed";
        // The new content needs more room than is left beside the old.
        if (zel::replace_file(file, writing(std::string(40 * 1024, 'n'))))
            return "a save onto a full disk was reported saved";
        std::string wrong;
        if (read_file(file) != old)
            wrong += "the file was not kept whole; ";
        if (names_in(small) != "face.zel")
            wrong += "left beside it: " + names_in(small) + "; ";
        if (!zel::replace_file(file, writing("fits")) || read_file(file) != "fits")
            wrong += "a save that fits failed afterwards; ";
        return wrong;
    });
    expect_passed(answer);
}

} // namespace
