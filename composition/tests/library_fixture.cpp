#include "library_fixture.h"

#include "zel/testing/test_env.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace zel::composition::testing {

void Picture::fill_block(int c0, int r0, int c1, int r1, _pixel c) {
    for (int r = r0; r < r1; ++r) {
        for (int col = c0; col < c1; ++col) {
            m_arr[r][col].r = c.r;
            m_arr[r][col].g = c.g;
            m_arr[r][col].b = c.b;
        }
    }
}

bool near(_pixel a, _pixel b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

void LibraryTest::SetUp() {
    // A folder of this test's own, so that tests sharing a process see none of each other's
    // libraries and pictures.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_testDir = zel::testing::work_dir() + "/" + test->test_suite_name() + "." + test->name();
    ::mkdir(m_testDir.c_str(), 0700);
    m_dataDir = m_testDir + "/data";
    ::mkdir(m_dataDir.c_str(), 0700);
    ::mkdir((m_dataDir + "/libraries").c_str(), 0700);
    ::mkdir(scratch("").c_str(), 0700);
    ::setenv("ZEL_DATA_DIR", m_dataDir.c_str(), 1);

    ComposerState& s = state();
    for (zeleditObject* record : {&s.head, &s.body, &s.bkgd, &s.result, &s.headUndo, &s.bodyUndo,
                                  &s.bkgdUndo, &s.resultUndo})
        *record = zeleditObject();
    clear_zeledit2();
}

std::string LibraryTest::scratch(const std::string& name) const {
    return m_testDir + "/scratch/" + name;
}

void LibraryTest::encipher(const Picture& picture, const std::string& kind, int nn, int mm) {
    char folder[16];
    char file[24];
    std::snprintf(folder, sizeof folder, "%s%02d", kind.c_str(), nn);
    std::snprintf(file, sizeof file, "%s%02d-%02d", kind.c_str(), nn, mm);
    const std::string dir = m_dataDir + "/libraries/" + folder;
    ::mkdir(dir.c_str(), 0700);
    const std::string plain = scratch(std::string(file) + ".jpg");
    ASSERT_EQ(
        save_pixels(picture.rows(), picture.cols(), picture.row_count(), plain.c_str(), "jpg"), 1);
    const std::string zif = dir + "/" + file + ".zif";
    ASSERT_EQ(zic_encypt(plain.c_str(), zif.c_str(), "tq8HM", 5), 0);
}

void LibraryTest::make_body(int nn, int mm, _pixel colour, int cols, int rows) {
    Picture picture(cols, rows);
    picture.fill(white);
    picture.fill_block(10, 10, cols - 10, rows - 10, colour);
    encipher(picture, "body", nn, mm);
}

void LibraryTest::make_bkgd(int nn, int mm, _pixel colour, int cols, int rows) {
    Picture picture(cols, rows);
    picture.fill(colour);
    encipher(picture, "bkgd", nn, mm);
}

std::string LibraryTest::make_head(_pixel colour, int cols, int rows) {
    Picture picture(cols, rows);
    picture.fill(grey192);
    picture.fill_block(10, 10, cols - 10, rows - 10, colour);
    const std::string path = scratch("zel_head.bmp");
    EXPECT_EQ(save_pixels(picture.rows(), cols, rows, path.c_str(), "bmp"), 1);
    return path;
}

void LibraryTest::make_scene() {
    make_body(1, 0, red);
    make_bkgd(1, 0, sky);
    zel2_set_head(" ", make_head(skin).c_str(), "bmp", 1);
    ASSERT_EQ(zel2_get_next_body(1), 0);
    ASSERT_EQ(zel2_get_next_bkgd(1), 0);
    state().body.IsLoaded = 1;
    state().bkgd.IsLoaded = 1;
}

bool LibraryTest::read_composed(const std::string& path, Picture& into) {
    int cols = 0;
    int rows = 0;
    return fget_pixels(into.rows(), &cols, &rows, path.c_str(), array_cols, array_rows) == 1 &&
           cols == canvas_cols && rows == canvas_rows;
}

} // namespace zel::composition::testing
