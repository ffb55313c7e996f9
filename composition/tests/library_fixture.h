#pragma once
// A composer test bench: real enciphered picture libraries made in the test's own folder, the
// composer reset to fresh records, and helpers to read back what was composed.

#include "composer_state.h"
#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <string>

namespace zel::composition::testing {

// Pixel-array holder for pictures the tests draw and read back.
class Picture {
public:
    Picture(int cols, int rows) : m_cols(cols), m_rows(rows), m_arr(ppm_allocarray(cols, rows)) {}
    ~Picture() { ppm_freearray(m_arr, m_rows); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    _pixel** rows() const { return m_arr; }
    _pixel at(int col, int row) const { return m_arr[row][col]; }
    int cols() const { return m_cols; }
    int row_count() const { return m_rows; }
    void fill(_pixel c) { set_imgcolor(m_arr, m_cols, m_rows, c); }
    // Fills columns c0..c1-1 of rows r0..r1-1 (row 0 at the bottom).
    void fill_block(int c0, int r0, int c1, int r1, _pixel c);

private:
    int m_cols;
    int m_rows;
    _pixel** m_arr;
};

constexpr _pixel white{255, 255, 255, 0};
constexpr _pixel grey192{192, 192, 192, 0};
constexpr _pixel red{200, 30, 30, 0};
constexpr _pixel green{30, 160, 40, 0};
constexpr _pixel blue{30, 50, 190, 0};
constexpr _pixel yellow{220, 200, 20, 0};
constexpr _pixel sky{60, 120, 200, 0};
constexpr _pixel sand{180, 140, 60, 0};
constexpr _pixel skin{230, 160, 110, 0};

// True when a and b differ by at most tolerance in each of R, G, B (JPEG is lossy).
bool near(_pixel a, _pixel b, int tolerance = 24);

class LibraryTest : public ::testing::Test {
protected:
    // Points the data folder at a fresh folder of this test and gives the composer fresh
    // records, reset as on first use.
    void SetUp() override;

    std::string data_dir() const { return m_dataDir; }
    // The test's scratch folder for plain pictures.
    std::string scratch(const std::string& name) const;

    // A body picture: white key with a block of colour inside a 10-pixel white margin,
    // written as JPEG and enciphered to libraries/bodyNN/bodyNN-MM.zif.
    void make_body(int nn, int mm, _pixel colour, int cols = 300, int rows = 400);
    // A background picture of one colour, enciphered to libraries/bkgdNN/bkgdNN-MM.zif.
    void make_bkgd(int nn, int mm, _pixel colour, int cols = 600, int rows = 800);
    // The editor's head picture: a block of colour on grey 192, plain BMP in the work folder.
    std::string make_head(_pixel colour, int cols = 120, int rows = 240);
    // The head, body 01-00 and background 01-00 made and chosen as the dialogs do.
    void make_scene();

    // Reads a composed picture into a 720 x 960 picture; false unless it is 600 x 800.
    static bool read_composed(const std::string& path, Picture& into);
    std::string out_path() const { return scratch("zel_all.bmp"); }

private:
    void encipher(const Picture& picture, const std::string& kind, int nn, int mm);

    std::string m_testDir;
    std::string m_dataDir;
};

} // namespace zel::composition::testing
