#include "picture_fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zel::imaging::test;

namespace {

struct Call {
    std::string caption;
    std::string text;
    zel::MessageIcon icon;
};
std::vector<Call> g_calls;

void record(const char* caption, const char* text, zel::MessageIcon icon) {
    g_calls.push_back({caption, text, icon});
}

class ImagingMessages : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        zel::set_message_handler(&record);
    }
    void TearDown() override { zel::set_message_handler(nullptr); }
};

} // namespace

TEST_F(ImagingMessages, WarningBoxGoesToTheInstalledHandler) {
    vyMessage("Height is too big @ face_searcheyeline()");
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].caption, "Program At-Run-Time Message");
    EXPECT_EQ(g_calls[0].text, "Height is too big @ face_searcheyeline()");
    EXPECT_EQ(g_calls[0].icon, zel::MessageIcon::warning);
}

TEST_F(ImagingMessages, UnreadablePicturesAreReportedWithTheirPath) {
    const std::string missing = work_file("missing.bmp");
    Picture arr(10, 10);
    int cols = 0, rows = 0;
    EXPECT_EQ(fget_pixels(arr.rows(), &cols, &rows, missing.c_str(), 10, 10), 0);
    EXPECT_EQ(image_available(work_file("missing.tga").c_str(), &cols, &rows), 0);
    write_bytes(work_file("junk.tga"), "junk");
    EXPECT_EQ(image_available(work_file("junk.tga").c_str(), &cols, &rows), 0);
    ASSERT_EQ(g_calls.size(), 2u); // a file that does not open is not a reading error
    EXPECT_EQ(g_calls[0].caption, "Error in reading image file: fget_piexels()");
    EXPECT_EQ(g_calls[0].text, missing);
    EXPECT_EQ(g_calls[0].icon, zel::MessageIcon::none);
    EXPECT_EQ(g_calls[1].text, "Failed to read image in image_available()");
}

TEST_F(ImagingMessages, DefaultHandlerWritesCaptionAndTextToStandardError) {
    EXPECT_EQ(zel::set_message_handler(nullptr), &record);
    ::testing::internal::CaptureStderr();
    vyMessage("disk full");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Program At-Run-Time Message: disk full\n");
    EXPECT_TRUE(g_calls.empty());
}
