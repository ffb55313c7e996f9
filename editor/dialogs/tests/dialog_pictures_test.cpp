// The dialogs' own pictures: running out of memory at each allocation, reading a work file into
// the preview (and keeping the old one when that fails), and the 125 pad of the screen copy.

#include "editing_test_support.h"
#include "zel/dialogs/add_body_dlg.h"
#include "zel/dialogs/dialog_pictures.h"
#include "zel/dialogs/screen_copy.h"
#include "zel/dialogs/select_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

namespace {

using zel::dialogs::ArrayAllocators;
using zel::dialogs::DialogPictures;
using namespace zel::dialogs::test;

// Allocations fail from the `failAt`-th on (counting colour and bilevel arrays together).
int g_calls = 0;
int g_failAt = 0;
_pixel** colour(int cols, int rows) {
    return ++g_calls >= g_failAt ? nullptr : ppm_allocarray(cols, rows);
}
unsigned char** bilevel(int cols, int rows) {
    return ++g_calls >= g_failAt ? nullptr : pbm_allocarray(cols, rows);
}

class OutOfMemory : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        zel::platform::test::ensure_app();
        g_calls = 0;
        g_failAt = GetParam();
        previous = zel::dialogs::set_array_allocators(ArrayAllocators{colour, bilevel});
    }
    void TearDown() override { zel::dialogs::set_array_allocators(previous); }
    ArrayAllocators previous;
    zel::platform::test::HookReset hooks;
};

TEST_P(OutOfMemory, IsReportedOnceAndNothingIsAllocatedAfterTheFailure) {
    MessageBoxes boxes;
    {
        DialogPictures pictures;
        EXPECT_EQ(g_calls, GetParam());
        EXPECT_FALSE(pictures.AllAllocated());
        EXPECT_EQ(pictures.PreviewAllocated(), GetParam() > 1);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Out of memory!");
        EXPECT_EQ(boxes.shown[0].caption, "Morvane @ Runtime message");
        EXPECT_EQ(boxes.shown[0].type & 0xF0, UINT(MB_ICONEXCLAMATION));
    } // frees exactly what was allocated (the sanitizer build checks it)
}

INSTANTIATE_TEST_SUITE_P(EachArray, OutOfMemory, ::testing::Values(1, 2, 3));

TEST(OutOfMemoryDialog, TheDialogStillRunsAndSaysItCannotShowTheChange) {
    zel::platform::test::HookReset hooks;
    LoadedFace face;
    ASSERT_TRUE(face.ok());
    g_calls = 0;
    g_failAt = 1;
    const ArrayAllocators previous = zel::dialogs::set_array_allocators({colour, bilevel});
    MessageBoxes boxes;
    {
        dlgAddBody dialog;
        zel::dialogs::set_array_allocators(previous);
        clear_zeledit2();
        dialog.m_headPath = face.headPath;
        dialog.m_composedPath = face.composedPath;
        EXPECT_EQ(run_modal(dialog,
                            [&] {
                                press(dialog, dlgAddBody::IDC_NEXT);
                                press(dialog, dlgAddBody::IDC_DONE);
                            }),
                  1);
        EXPECT_EQ(dialog.m_changed, 0);
    }
    ASSERT_GE(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Out of memory!");
    EXPECT_EQ(boxes.shown.back().text, "Could not load changed image!");
    EXPECT_EQ(boxes.shown.back().caption, "In InitImage() of dlgAddBody");
}

TEST(DialogPicturesLoad, AFailedReadKeepsThePictureShown) {
    zel::platform::test::HookReset hooks;
    LoadedFace face;
    DialogPictures pictures;
    ASSERT_TRUE(pictures.Load(face.headPath));
    const std::vector<unsigned char> bits = pictures.ScreenBits();
    const int width = pictures.Width();
    EXPECT_FALSE(pictures.Load(zel::work_path("none.bmp")));
    EXPECT_EQ(pictures.ScreenBits(), bits);
    EXPECT_EQ(pictures.Width(), width);
}

TEST(DialogPicturesLoad, TheScreenCopyIsPaddedWith125) {
    zel::platform::test::HookReset hooks;
    _pixel** rows = ppm_allocarray(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            rows[y][x] = _pixel{BYTE(10 * x), BYTE(20 * y), 7, 0};
        }
    }
    const std::string path = zel::work_path("small.bmp");
    ASSERT_EQ(save_pixels(rows, 3, 2, path.c_str(), "bmp"), 1);
    ppm_freearray(rows, 2);
    DialogPictures pictures;
    ASSERT_TRUE(pictures.Load(path));
    const std::vector<unsigned char> expected{7, 0,  0, 7, 0,  10, 7, 0,  20, 125, 125, 125,
                                              7, 20, 0, 7, 20, 10, 7, 20, 20, 125, 125, 125};
    EXPECT_EQ(pictures.ScreenBits(), expected);
}

} // namespace
