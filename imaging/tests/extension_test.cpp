#include "zel/imaging.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct Cut {
    std::string path;
    std::string ext;
};
Cut cut(std::string path) {
    char ext[16] = "unchanged";
    take_off_ext(path.data(), ext);
    return {path.c_str(), ext};
}
} // namespace

TEST(ImagingTakeOffExt, CutsAtTheLastDotAndCopiesTheExtension) {
    std::string path = "C:\\dir\\zel_all.bmp";
    char ext[11] = {};
    EXPECT_EQ(take_off_ext(path.data(), ext), -1);
    EXPECT_STREQ(path.c_str(), "C:\\dir\\zel_all");
    EXPECT_STREQ(ext, "bmp");
    EXPECT_EQ(cut("a.b.jpeg").path, "a.b");
    EXPECT_EQ(cut("/dir.x/name.tga").path, "/dir.x/name");
}

TEST(ImagingTakeOffExt, LeavesPathsWithoutAUsableExtension) {
    // A dot in a folder's name or at the start of the file's name starts no extension.
    for (const std::string path :
         {"noext", ".hidden", "name.abcdefghijk", "/home/my.pictures/smile", "/dir/.hidden"}) {
        const Cut result = cut(path);
        EXPECT_EQ(result.path, path);
        EXPECT_EQ(result.ext, "unchanged");
    }
    EXPECT_EQ(cut("name.abcdefghij").ext, "abcdefghij"); // exactly 10
    const std::string longPath(100000, 'x');
    EXPECT_EQ(cut(longPath + ".tga").path, longPath);
    EXPECT_EQ(take_off_ext(nullptr, nullptr), -1);
}
