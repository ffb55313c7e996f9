// The starter faces on the bodies and backgrounds, as the editor composes them: the face file
// loaded and rendered by the face engine, its colour face written as the head picture. Each
// composition is left in the test output folder for a person to look at.

#include <zel/composition.h>
#include <zel/face_engine.h>
#include <zel/imaging.h>

#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int array_cols = 720;
constexpr int array_rows = 960;

class StarterFaces : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 1);
        if (::access(face_file().c_str(), R_OK) != 0)
            FAIL() << "the starter faces are not built (the build makes them)";
        m_out = zel::testing::output_dir() + "/composition";
        ::mkdir(m_out.c_str(), 0755);
    }

    static const char* face_name() {
        static const char* const names[] = {"", "man", "woman", "child"};
        return names[GetParam()];
    }
    static std::string face_file() {
        return std::string(ZEL_DATA_BUILD_DIR) + "/faces/" + face_name() + ".zel";
    }

    // Loads the face and writes its colour face as the head picture, as the editor does.
    std::string write_head() const {
        _pixel** clr = ppm_allocarray(array_cols, array_rows);
        unsigned char** bw = pbm_allocarray(array_cols, array_rows);
        std::string name = face_file();
        std::vector<char> path(name.begin(), name.end() + 1);
        int cols = 0;
        int rows = 0;
        const std::string head = zel::testing::work_dir() + "/zel_head.bmp";
        EXPECT_EQ(face_loadzel2(path.data(), bw, clr, &cols, &rows), 1);
        EXPECT_EQ(save_pixels(clr, cols, rows, head.c_str(), "bmp"), 1);
        pbm_freearray(bw, array_rows);
        ppm_freearray(clr, array_rows);
        return head;
    }

    void keep(const std::string& composed, const std::string& what) const {
        const std::string name = m_out + "/starter-" + face_name() + "-" + what + ".jpg";
        EXPECT_EQ(imagefile_copy(name.c_str(), composed.c_str()), 1);
    }

    std::string m_out;
};

TEST_P(StarterFaces, SitOnEveryBodyOfTheirKindAndInFrontOfEveryBackground) {
    const int kind = GetParam();
    zel2_set_head(" ", write_head().c_str(), "bmp", kind);
    clear_zeledit2();
    const std::string composed = zel::testing::work_dir() + "/zel_all.bmp";
    _pixel** canvas = ppm_allocarray(array_cols, array_rows);
    for (int variant = 0; variant < 4; ++variant) {
        ASSERT_EQ(zel2_select_body_save(0, kind, composed.c_str(), 1), 1);
        char what[16];
        std::snprintf(what, sizeof what, "body%02d-%02d", kind, variant);
        keep(composed, what);
        // The head's lowest rows hold its neck and shoulder lines; under them lies the body.
        int cols = 0;
        int rows = 0;
        ASSERT_EQ(fget_pixels(canvas, &cols, &rows, composed.c_str(), array_cols, array_rows), 1);
        const _pixel neck = canvas[455][260];
        EXPECT_GT(std::abs(neck.r - 192) + std::abs(neck.g - 192) + std::abs(neck.b - 192), 36)
            << what;
    }
    ppm_freearray(canvas, array_rows);
    // Every background, with the body as the body dialog adds it and with the head alone as
    // the background dialog shows it before a body is added.
    for (int category = 1; category <= 5; ++category) {
        for (int variant = 0; variant < 4; ++variant) {
            ASSERT_EQ(zel2_select_bkgd_save(1, category, composed.c_str(), 1), 1);
            char what[32];
            std::snprintf(what, sizeof what, "bkgd%02d-%02d", category, variant);
            keep(composed, what);
            ASSERT_EQ(zel2_compose_save(1, 0, composed.c_str()), 1);
            std::snprintf(what, sizeof what, "bkgd%02d-%02d-head", category, variant);
            keep(composed, what);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ManWomanChild, StarterFaces, ::testing::Values(1, 2, 3));

} // namespace
