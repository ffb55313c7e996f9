#pragma once
// Feature-line search of caricature generation: how tall each eye, each brow and the lips are.
// Narrow vertical strips across a feature are scanned for the rows where it begins and ends,
// and those rows are averaged over the strips near the feature's middle. The windows come from
// the thickness values of the template set around the eye and mouth landmarks.
//
// The grey picture is the luma of the generation's HSV rows, row 0 at the top. Every window is
// clipped to the picture, and every walk along a profile stays inside it: rows outside the
// strip's window read as 0. A feature whose strips all fall outside the picture keeps its
// default rows.

#include "generation/stages.h"

#include <zel/face_engine.h>

#include <array>
#include <vector>

namespace zel::engine {

inline constexpr int kThicknessValues = 30;

// Window table V0..V29: per group g (left brow top, left brow bottom, right brow top, right
// brow bottom, left eye top, left eye bottom, right eye top, right eye bottom, mouth top,
// mouth bottom) the default row V[3g], the smallest acceptable row V[3g+1] and the largest
// V[3g+2].
using FeatureWindows = std::array<int, kThicknessValues>;

// The window table from the thickness values, the middle rows of the eyes and of the mouth
// and the face box height.
FeatureWindows feature_windows_from_thickness(const double thick[kThicknessValues], double cyL,
                                              double cyR, double cyM, int height);

// The stage itself (feature_line_search) is declared with the other stages.

// A brightness profile over rows y0..y1 of a strip; 0 at every other row.
class RowProfile {
public:
    RowProfile() = default;
    RowProfile(int y0, int y1);
    int y0() const { return y0_; }
    int y1() const { return y1_; }
    int operator[](int y) const {
        return y >= y0_ && y <= y1_ ? values_[static_cast<std::size_t>(y - y0_)] : 0;
    }
    void set(int y, int value) { values_[static_cast<std::size_t>(y - y0_)] = value; }
    // The largest value over y0..y1, 0 at least.
    int peak() const;

private:
    int y0_ = 0;
    int y1_ = -1;
    std::vector<int> values_;
};

// Sums of grey[y][xa..xb] for y0 <= y <= y1 (pixels outside cols x rows count 0).
RowProfile strip_profile(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1);
// The sums after five passes of the three-row mean over y0 + 1..y1 - 1.
RowProfile strip_profile_smoothed(unsigned char** grey, int cols, int rows, int xa, int xb, int y0,
                                  int y1);
// |S[y - 1] - S[y + 1]| over y0 + 1..y1 - 1 (when that holds more than one row), else 0.
RowProfile strip_gradient(const RowProfile& sums);
// The smallest value v such that more than (y1 - y0 + 1) * percent / 100 of the values over
// y0..y1 are at most v; 0 when there is none. -2 out of memory.
int profile_percentile(const RowProfile& profile, int y0, int y1, int percent);

// Strip searches over columns xa..xb and rows y0..y1; ym is the feature's middle row. Each
// gives 0, or -13 after a message when y1 < y0, or -2 out of memory. Boundaries not found
// are 0.
int face_searcheyeline(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1,
                       int ym, int& centre, int& upper, int& lower);
int face_searchbrow(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1,
                    int& valley, int& upper, int& lower);
int face_searchmouthline(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1,
                         int ym, int& line, int& upper, int& lower);

// One feature's strips: entry i describes the strip centred on column x0 + 1 + i; a its
// centre row, b its upper and c its lower boundary row (0 = not found).
struct LineRecord {
    int n = 0;
    int x0 = 0;
    std::vector<int> a;
    std::vector<int> b;
    std::vector<int> c;
};

// Scan the strips of columns p..q (either order), rows y0..y1. 0 or the first failing strip's
// code.
int eyeline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, int y0, int y1,
                         int ym, LineRecord& record);
int brow_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, int y0, int y1,
                      LineRecord& record);
int mouthline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, int y0, int y1,
                           int ym, LineRecord& record);

// The mean upper and lower boundary over the entries whose column x0 + i lies in from..to and
// whose value lies within the group's limits; a group without such a value gives its default.
void line_record_average(const LineRecord& record, int from, int to, int& top, int& bottom,
                         const FeatureWindows& windows, int topGroup, int bottomGroup);

// Debugging dumps of a picture as text, one line per pixel, to the file named and nothing
// else. 0, or -10 when the file cannot be opened. Nothing in the system calls them.
int dump_pixel_array_text(const char* file, _pixel** pixels, int cols, int rows);
int dump_grey_array_text(const char* file, unsigned char** pixels, int cols, int rows);

} // namespace zel::engine
