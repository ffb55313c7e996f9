// Two programs at once: each process works in its own work space, so loading pictures through
// the conversion work file never delivers the other program's picture.

#include "picture_fixtures.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

using namespace zel::imaging::test;

namespace {

std::string solid_jpeg(const std::string& name, _pixel colour) {
    Picture picture(64, 48);
    set_imgcolor(picture.rows(), 64, 48, colour);
    return save(picture, name, "jpg");
}

pid_t start_loop(const std::string& picture, _pixel colour) {
    const std::string count = "200";
    const std::string r = std::to_string(colour.r);
    const std::string g = std::to_string(colour.g);
    const std::string b = std::to_string(colour.b);
    const char* argv[] = {ZEL_LOAD_LOOP_PATH, picture.c_str(), count.c_str(), r.c_str(),
                          g.c_str(),          b.c_str(),       nullptr};
    pid_t pid = 0;
    // Both programs inherit this test's private folder, as two editors of one user share it.
    if (::posix_spawn(&pid, ZEL_LOAD_LOOP_PATH, nullptr, nullptr, const_cast<char**>(argv),
                      environ) != 0)
        return -1;
    return pid;
}

bool ended_well(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST(ImagingTwoPrograms, EachLoadsItsOwnPicturesWhileTheOtherLoadsOthers) {
    const _pixel red = rgb(200, 30, 40);
    const _pixel blue = rgb(20, 60, 210);
    const std::string first = solid_jpeg("red.jpg", red);
    const std::string second = solid_jpeg("blue.jpg", blue);
    const pid_t one = start_loop(first, red);
    const pid_t two = start_loop(second, blue);
    ASSERT_GT(one, 0);
    ASSERT_GT(two, 0);
    EXPECT_TRUE(ended_well(one));
    EXPECT_TRUE(ended_well(two));
}
