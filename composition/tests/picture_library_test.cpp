// The composer's reset, probing the layers' pictures, and stepping through the body and
// background libraries with wrap-around.

#include "library_fixture.h"

#include <cstdlib>

namespace zel::composition::testing {
namespace {

using PictureLibrary = LibraryTest;

TEST_F(PictureLibrary, ResetPlacesHeadAndBodyAndForgetsTheVariants) {
    ComposerState& s = state();
    s.head.setOffset(1, 2);
    s.body.setAngle(35);
    s.body.tRow = 9;
    s.bodyVariant[1] = 7;
    s.bkgdVariant[9] = 3;
    s.head.IsLoaded = 1;
    clear_zeledit2();

    EXPECT_EQ(s.head.colOffset, 200);
    EXPECT_EQ(s.head.rowOffset, 460);
    EXPECT_EQ(s.body.tRow, 400);
    EXPECT_EQ(s.body.nAngle, 0);
    EXPECT_EQ(s.bkgd.bgClr[0], 192);
    EXPECT_EQ(s.head.IsLoaded, 1);
    EXPECT_EQ(s.bodyVariant[1], no_variant);
    EXPECT_EQ(s.bkgdVariant[9], no_variant);
}

TEST_F(PictureLibrary, ProbeDeciphersAndMeasuresALibraryPicture) {
    make_body(1, 0, red, 240, 320);
    ComposerState& s = state();
    s.body.setDirFile((data_dir() + "/libraries/body01").c_str(), "body01-00");
    s.body.setExt("jpg");
    s.body.makePath();
    ASSERT_EQ(zel2_image_available(ZEL2_BODY), 1);
    EXPECT_EQ(s.body.col, 240);
    EXPECT_EQ(s.body.row, 320);
    EXPECT_EQ(s.body.IsLoaded, 1);

    EXPECT_EQ(zel2_image_available(57), 0);
    s.bkgd.setDirFile((data_dir() + "/libraries/bkgd01").c_str(), "bkgd01-00");
    s.bkgd.makePath();
    EXPECT_EQ(zel2_image_available(ZEL2_BKGD), 0);
    EXPECT_EQ(s.bkgd.IsLoaded, 0);
}

TEST_F(PictureLibrary, PictureLargerThanTheArraysIsRefused) {
    make_body(2, 0, blue, 800, 1000);
    ComposerState& s = state();
    ASSERT_EQ(zel2_current_body(2), -1); // counter still "none chosen"
    ASSERT_EQ(zel2_get_next_body(2), -1);
    EXPECT_EQ(s.body.IsLoaded, 0);
    EXPECT_EQ(s.body.col, 0);
    EXPECT_EQ(s.body.row, 0);
}

TEST_F(PictureLibrary, FirstNextAfterResetLoadsVariantZero) {
    make_body(2, 0, green);
    ComposerState& s = state();
    ASSERT_EQ(zel2_get_next_body(2), 0);
    EXPECT_STREQ(s.body.csFile, "body02-00");
    EXPECT_EQ(std::string(s.body.csPath), data_dir() + "/libraries/body02/body02-00.jpg");
    EXPECT_EQ(s.body.nSex, 2);
    EXPECT_EQ(s.body.col, 300);
    EXPECT_EQ(s.body.row, 400);
    // The key colour comes from the picture's corners.
    EXPECT_EQ(s.body.bgClr[0], 255);
    EXPECT_EQ(s.body.bgClr[1], 255);
    EXPECT_EQ(s.body.bgClr[2], 255);

    clear_zeledit2();
    ASSERT_EQ(zel2_get_previous_body(2), 0);
    EXPECT_STREQ(s.body.csFile, "body02-00");
}

TEST_F(PictureLibrary, SteppingPastTheLastVariantWrapsToZero) {
    for (int mm = 0; mm < 4; ++mm)
        make_body(3, mm, red);
    ComposerState& s = state();
    for (int mm = 0; mm < 4; ++mm)
        ASSERT_EQ(zel2_get_next_body(3), 0);
    EXPECT_STREQ(s.body.csFile, "body03-03");
    EXPECT_EQ(zel2_next_body(3), -1); // 04 is not on disk
    EXPECT_EQ(zel2_get_next_body(3), 0);
    EXPECT_STREQ(s.body.csFile, "body03-00");
    EXPECT_EQ(s.bodyVariant[3], 0);

    ASSERT_EQ(zel2_get_next_body(3), 0);
    ASSERT_EQ(zel2_get_next_body(3), 0);
    EXPECT_EQ(zel2_get_previous_body(3), 0);
    EXPECT_STREQ(s.body.csFile, "body03-01");
    EXPECT_EQ(zel2_previous_body(3), 0);
    EXPECT_EQ(zel2_previous_body(3), 0); // 00 does not step below itself
    EXPECT_STREQ(s.body.csFile, "body03-00");

    // Counter 99 steps to 100, which wraps to 00.
    s.bodyVariant[3] = 99;
    EXPECT_EQ(zel2_next_body(3), 0);
    EXPECT_EQ(s.bodyVariant[3], 0);
}

TEST_F(PictureLibrary, BackgroundLibrariesStepAlike) {
    make_bkgd(4, 0, sand);
    make_bkgd(4, 1, sky);
    ComposerState& s = state();
    ASSERT_EQ(zel2_get_next_bkgd(4), 0);
    ASSERT_EQ(zel2_get_next_bkgd(4), 0);
    EXPECT_STREQ(s.bkgd.csFile, "bkgd04-01");
    EXPECT_EQ(s.bkgd.col, 600);
    EXPECT_EQ(zel2_get_next_bkgd(4), 0);
    EXPECT_STREQ(s.bkgd.csFile, "bkgd04-00");
    // A library that does not exist cannot even wrap.
    EXPECT_EQ(zel2_get_next_bkgd(5), -1);
}

TEST_F(PictureLibrary, IndexOutsideTheLibrariesIsRefused) {
    EXPECT_EQ(zel2_get_next_body(5), -1);
    EXPECT_EQ(zel2_get_previous_body(-1), -1);
    EXPECT_EQ(zel2_current_body(100), -1);
    EXPECT_EQ(zel2_get_next_bkgd(10), -1);
    EXPECT_EQ(zel2_next_bkgd(-3), -1);
}

TEST_F(PictureLibrary, DataFolderTooLongForTheRecordIsRefused) {
    make_body(1, 0, red);
    ComposerState& s = state();
    ASSERT_EQ(zel2_get_next_body(1), 0);
    const std::string tooLong = "/" + std::string(1100, 'x');
    ::setenv("ZEL_DATA_DIR", tooLong.c_str(), 1);
    EXPECT_EQ(zel2_get_next_body(1), -1);
    // The record names no file at all rather than a shortened or the previous one.
    EXPECT_STREQ(s.body.csPath, "");
    EXPECT_EQ(zel2_image_available(ZEL2_BODY), 0);
}

TEST_F(PictureLibrary, SetHeadTakesThePathSexSizeAndKeyColour) {
    const std::string head = make_head(skin, 90, 180);
    ComposerState& s = state();
    zel2_set_head(" ", head.c_str(), "bmp", 2);
    EXPECT_EQ(std::string(s.head.csPath), head);
    EXPECT_EQ(s.head.IsLoaded, 1);
    EXPECT_EQ(s.body.nSex, 2);
    EXPECT_EQ(s.head.col, 90);
    EXPECT_EQ(s.head.row, 180);
    EXPECT_EQ(s.head.bgClr[0], 192);

    // A head name that does not fit names no file.
    zel2_set_head(" ", ("/" + std::string(1100, 'h') + ".bmp").c_str(), "bmp", 3);
    EXPECT_STREQ(s.head.csPath, "");
    EXPECT_EQ(s.head.col, 0);
    EXPECT_EQ(s.body.nSex, 3);
}

} // namespace
} // namespace zel::composition::testing
