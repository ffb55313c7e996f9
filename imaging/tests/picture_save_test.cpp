// Pictures saved to a person's file, in each format: the file is replaced whole, so a save that
// fails leaves the old picture; it keeps its permission bits; a link is written through; a file
// the user may not write is refused. The library's work files are written in place.

#include "picture_fixtures.h"

#include "zel/common/work_folder.h"
#include "zel/testing/file_size_limit.h"
#include "zel/testing/processes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace zel::imaging::test;
namespace fs = std::filesystem;

namespace {

const char* const kFormats[] = {"bmp", "jpg", "psd", "tga"};

struct stat stat_of(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

int save_to(const Picture& picture, const std::string& path, const std::string& ext) {
    return save_pixels(picture.rows(), picture.cols(), picture.height(), path.c_str(), ext.c_str());
}

// A folder of the person's own: not the library's work space.
std::string user_folder(const std::string& name) {
    const std::string folder = work_file(name);
    fs::create_directories(folder);
    return folder;
}

std::size_t entries(const std::string& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(ImagingPictureSave, EachFormatReplacesThePictureKeepingItsModeAndItsLinks) {
    const std::string folder = user_folder("pictures");
    Picture first(20, 10);
    Picture second(30, 12);
    fill_pattern(first);
    fill_pattern(second);
    for (const std::string ext : kFormats) {
        const std::string path = folder + "/private." + ext;
        ASSERT_EQ(save_to(first, path, ext), 1) << ext;
        ::chmod(path.c_str(), 0600);
        const ino_t before = stat_of(path).st_ino;
        ASSERT_EQ(save_to(second, path, ext), 1) << ext;
        EXPECT_NE(stat_of(path).st_ino, before) << ext << ": written into the old file";
        EXPECT_EQ(stat_of(path).st_mode & 07777, 0600u) << ext;
        int cols = 0;
        int rows = 0;
        EXPECT_EQ(image_available(path.c_str(), &cols, &rows), 1) << ext;
        EXPECT_EQ(cols, 30) << ext;

        const std::string link = folder + "/link." + ext;
        ASSERT_EQ(::symlink(("private." + ext).c_str(), link.c_str()), 0);
        ASSERT_EQ(save_to(first, link, ext), 1) << ext;
        EXPECT_TRUE(S_ISLNK(stat_of(link).st_mode)) << ext;
        EXPECT_EQ(image_available(path.c_str(), &cols, &rows), 1) << ext;
        EXPECT_EQ(cols, 20) << ext << ": the linked picture was not written";
    }
    // Two files and a link of each format; no sibling is left.
    EXPECT_EQ(entries(folder), 2u * std::size(kFormats));
}

// A disk that fills up while the picture is written: the old picture stays whole.
TEST(ImagingPictureSave, ASaveThatCannotBeWrittenWholeLeavesTheOldPicture) {
    const std::string folder = user_folder("full");
    Picture small(16, 16);
    Picture large(400, 300);
    fill_pattern(small);
    fill_pattern(large);
    for (const std::string ext : kFormats) {
        const std::string path = folder + "/picture." + ext;
        ASSERT_EQ(save_to(small, path, ext), 1) << ext;
        const std::string old = read_bytes(path);
        int saved = 0;
        {
            const zel::testing::FileSizeLimit full(20000);
            ASSERT_TRUE(full.set());
            saved = save_to(large, path, ext);
        }
        EXPECT_EQ(saved, 0) << ext;
        EXPECT_TRUE(read_bytes(path) == old) << ext << ": the old picture was not kept";
    }
    EXPECT_EQ(entries(folder), std::size(kFormats));
}

// The library's work files are its own: written in place, never through a sibling.
TEST(ImagingPictureSave, WorkFilesAreWrittenInPlace) {
    Picture picture(12, 8);
    fill_pattern(picture);
    const std::string path = work_path_of("zel_all.bmp");
    ASSERT_TRUE(zel::is_work_file(path));
    ASSERT_EQ(save_to(picture, path, "bmp"), 1);
    const ino_t before = stat_of(path).st_ino;
    ASSERT_EQ(save_to(picture, path, "bmp"), 1);
    EXPECT_EQ(stat_of(path).st_ino, before);
}

// Root may write any file: the refusal is seen as an ordinary user, in a program of its own (the
// picture library keeps threads that a child made by fork alone could not use).
TEST(ImagingPictureSave, APictureTheUserMayNotWriteIsRefusedAndKept) {
    const zel::testing::UnprivilegedFolder shared("zel-picture-save");
    if (!shared.made())
        GTEST_SKIP() << "no unprivileged user \"nobody\" to run as";
    const std::string& dir = shared.path();
    for (const std::string ext : kFormats) {
        const std::string locked = dir + "/locked." + ext;
        write_bytes(locked, "kept");
        ASSERT_EQ(::chown(locked.c_str(), shared.uid(), shared.gid()), 0);
        ::chmod(locked.c_str(), 0444);
    }
    std::vector<std::string> argv{ZEL_SAVE_PICTURE_PATH};
    for (const std::string ext : kFormats) {
        argv.push_back(dir + "/fine." + ext);
        argv.push_back(dir + "/locked." + ext);
    }
    const std::string answer =
        zel::testing::run_unprivileged(argv, {"ZEL_WORKDIR=" + dir + "/work"});
    std::string kept;
    for (const std::string ext : kFormats)
        kept += read_bytes(dir + "/locked." + ext);
    if (answer.rfind("skip:", 0) == 0)
        GTEST_SKIP() << answer;
    // Each fine picture saved, each locked one refused.
    EXPECT_EQ(answer, "10101010");
    EXPECT_EQ(kept, "keptkeptkeptkept");
}
