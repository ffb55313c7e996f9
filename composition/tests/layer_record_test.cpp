// The layer record: defaults, the bounded path rule, scaling, text persistence, the debug
// dump, and the number text of library names.

#include "composer_state.h"
#include "work_paths.h"

#include "zel/testing/file_size_limit.h"
#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

namespace zel::composition {
namespace {

TEST(LayerRecord, FreshRecordHasTheDefaults) {
    const zeleditObject record;
    EXPECT_EQ(record.IsLoaded, 0);
    EXPECT_EQ(record.nOid, 50);
    EXPECT_EQ(std::string(record.csDir), library_folder());
    EXPECT_EQ(record.colScale, 1.0);
    EXPECT_EQ(record.rowScale, 1.0);
    unsigned char rgb[3] = {};
    record.getBgColor(rgb);
    EXPECT_EQ(rgb[0] + rgb[1] + rgb[2], 3 * 255);
}

TEST(LayerRecord, MakePathJoinsFolderFileAndExtension) {
    zeleditObject record;
    record.setDirFile(" ", "/run/zel/zel_head");
    record.setExt("bmp");
    EXPECT_EQ(record.makePath(), 21);
    EXPECT_STREQ(record.csPath, "/run/zel/zel_head.bmp");

    record.setDirFile("/lib/body01", "body01-02");
    record.setExt("jpg");
    record.makePath();
    EXPECT_STREQ(record.csPath, "/lib/body01/body01-02.jpg");
}

TEST(LayerRecord, TextThatDoesNotFitIsRefusedNotShortened) {
    zeleditObject record;
    record.setDirFile("/lib/body01", "body01-02");
    ASSERT_GT(record.makePath(), 0);

    // A folder one character too long must not leave the previous folder in place.
    EXPECT_FALSE(record.setDir(std::string(1025, 'd').c_str()));
    EXPECT_STREQ(record.csDir, "");
    EXPECT_EQ(record.makePath(), -1);
    EXPECT_STREQ(record.csPath, "");

    EXPECT_TRUE(record.setDir(std::string(1024, 'd').c_str()));
    EXPECT_FALSE(record.setExt("abcdefghijk"));
    EXPECT_FALSE(record.setFile(nullptr));
    EXPECT_EQ(record.makePath(), -1);

    // Each field fits, the joined path does not.
    EXPECT_TRUE(record.setFile(std::string(1024, 'f').c_str()));
    EXPECT_TRUE(record.setExt("abcdefghij"));
    EXPECT_EQ(record.makePath(), -1);
    EXPECT_STREQ(record.csPath, "");

    EXPECT_TRUE(record.setFile(std::string(1022, 'f').c_str()));
    EXPECT_EQ(record.makePath(), 2058);
}

TEST(LayerRecord, SetScaleTruncatesTheTargetSize) {
    zeleditObject record;
    record.setSize(300, 400);
    record.setScale(1.5, 0.5);
    int cols = 0;
    int rows = 0;
    record.getTargetSize(cols, rows);
    EXPECT_EQ(cols, 450);
    EXPECT_EQ(rows, 200);
    record.setScale(0.333, 0.333);
    record.getTargetSize(cols, rows);
    EXPECT_EQ(cols, 99);
    EXPECT_EQ(rows, 133);

    // Factors whose product no int holds give the nearest size an int holds, not an undefined
    // one; a factor that is no number gives no size.
    record.setScale(1e10, -1e10);
    record.getTargetSize(cols, rows);
    EXPECT_EQ(cols, INT_MAX);
    EXPECT_EQ(rows, INT_MIN);
    record.setScale(std::nan(""), 1.0);
    record.getTargetSize(cols, rows);
    EXPECT_EQ(cols, 0);
    EXPECT_EQ(rows, 400);
}

std::string text_of(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(LayerRecord, SavedRecordLoadsBackEveryField) {
    zeleditObject record;
    record.setOid(52);
    record.setDirFile("/data:with colon/bkgd03", "bkgd03-07");
    record.setSize(600, 800);
    record.setOffset(-5, 680);
    record.setAngle(-15);
    record.colScale = 1.05;
    record.nSLayer = 4;
    record.setDisplay(0);
    record.setSex(5);
    // Bytes that are a line end and ':' in text.
    record.setBgColor(_pixel{10, 58, 255, 0});

    const std::string first = zel::testing::work_dir() + "/record.txt";
    const std::string second = zel::testing::work_dir() + "/again.txt";
    ASSERT_EQ(record.save(first.c_str()), 0);
    zeleditObject loaded;
    ASSERT_EQ(loaded.load(first.c_str()), 0);
    EXPECT_EQ(loaded.IsLoaded, 1);
    EXPECT_STREQ(loaded.csDir, "/data:with colon/bkgd03");
    EXPECT_EQ(loaded.colScale, 1.05);
    EXPECT_EQ(loaded.bgClr[0], 10);
    EXPECT_EQ(loaded.bgClr[1], 58);
    ASSERT_EQ(loaded.save(second.c_str()), 0);
    EXPECT_EQ(text_of(second), text_of(first));
}

TEST(LayerRecord, LoadRefusesMissingShortAndOversizedFiles) {
    zeleditObject record;
    const std::string missing = zel::testing::work_dir() + "/absent.txt";
    EXPECT_EQ(record.load(missing.c_str()), -10);
    EXPECT_EQ(record.save((zel::testing::work_dir() + "/no/such/folder.txt").c_str()), -10);
    EXPECT_EQ(record.save("/dev/full"), -10) << "a record the disk did not take was reported saved";

    const std::string shortFile = zel::testing::work_dir() + "/short.txt";
    std::ofstream(shortFile) << "51:\n/lib:\nbody01-00:\n";
    record.IsLoaded = 1;
    EXPECT_EQ(record.load(shortFile.c_str()), -11);
    EXPECT_EQ(record.IsLoaded, 0);
    EXPECT_EQ(record.nOid, 51);
    EXPECT_STREQ(record.csFile, "body01-00");

    const std::string longExt = zel::testing::work_dir() + "/long.txt";
    std::ofstream(longExt) << "51:\n/lib:\nbody01-00:\nabcdefghijk:\n";
    EXPECT_EQ(record.load(longExt.c_str()), -11);
}

// A save the disk cannot take whole leaves the record saved before it, not a cut-off one.
TEST(LayerRecord, FailedSaveKeepsThePreviousRecord) {
    zeleditObject record;
    record.setDirFile("/lib/body01", "body01-00");
    const std::string path = zel::testing::work_dir() + "/kept.txt";
    ASSERT_EQ(record.save(path.c_str()), 0);
    const std::string before = text_of(path);

    record.setDir(("/" + std::string(1000, 'd')).c_str());
    {
        const zel::testing::FileSizeLimit full(before.size() + 100);
        ASSERT_TRUE(full.set());
        EXPECT_EQ(record.save(path.c_str()), -10);
    }
    EXPECT_EQ(text_of(path), before);
}

struct Shown {
    std::string caption;
    std::string text;
    zel::MessageIcon icon = zel::MessageIcon::none;
};
Shown g_shown;

TEST(LayerRecord, DebugDumpShowsEveryFieldInAWarningBox) {
    const zel::MessageHandler previous =
        zel::set_message_handler([](const char* caption, const char* text, zel::MessageIcon icon) {
            g_shown = {caption, text, icon};
        });
    zeleditObject record;
    record.setSize(300, 400);
    record.setBgColor(_pixel{1, 2, 3, 0});
    record.msg_display();
    zel::set_message_handler(previous);

    EXPECT_EQ(g_shown.caption, "zeleditObject::msg_display()");
    EXPECT_EQ(g_shown.icon, zel::MessageIcon::warning);
    EXPECT_EQ(g_shown.text.rfind(" IsLoaded: FALSE\n zel_image.nOid: 50\n", 0), 0u);
    EXPECT_NE(g_shown.text.find(" zel_image.col & row: 300 400\n"), std::string::npos);
    EXPECT_NE(g_shown.text.find(" zel_image.colScale: 1.0000006.2\n"), std::string::npos);
    EXPECT_NE(g_shown.text.find(" zel_image.bDisplay: TRUE\n"), std::string::npos);
    EXPECT_NE(g_shown.text.find(" zel_image.bgClr(r,g,b): (   1    2    3)\n"), std::string::npos);
}

TEST(NumText, WritesTheKindsDigitsOrRefuses) {
    char out[4];
    EXPECT_EQ(num_text(7, 2, out), 0);
    EXPECT_STREQ(out, "07");
    EXPECT_EQ(num_text(42, 3, out), 0);
    EXPECT_STREQ(out, "042");
    EXPECT_EQ(num_text(9, 1, out), 0);
    EXPECT_STREQ(out, "9");
    EXPECT_EQ(num_text(999, 3, out), 0);
    EXPECT_STREQ(out, "999");
    EXPECT_EQ(num_text(10, 1, out), -1);
    EXPECT_EQ(num_text(100, 2, out), -1);
    EXPECT_EQ(num_text(-1, 2, out), -1);
    EXPECT_EQ(num_text(5, 4, out), -43);
    EXPECT_EQ(num_text(5, 0, out), -43);
    EXPECT_EQ(num_text(-2, 4, out), -1);
}

} // namespace
} // namespace zel::composition
