#pragma once
// Feature-line search of caricature generation: how tall each eye, each brow and the lips are.
// Narrow vertical strips across a feature are scanned for the rows where it begins and ends,
// and those rows are averaged over the strips near the feature's middle. The windows come from
// the thickness values of the template set around the eye and mouth landmarks, the rules that
// turn brightness edges into lines from its line rules (feature_line_rules.h).
//
// The grey picture is the luma of the generation's HSV rows, row 0 at the top. Every window is
// clipped to the picture, and every walk along a profile stays inside it: rows outside the
// strip's window read as 0. A feature whose strips all fall outside the picture keeps its
// default rows.

#include "generation/feature_line_rules.h"
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
// and the face box height. The limits are where the calibration portraits' lines lie, with
// their own margin.
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
// The sums after passes of the three-row mean over y0 + 1..y1 - 1.
RowProfile strip_profile_smoothed(unsigned char** grey, int cols, int rows, int xa, int xb, int y0,
                                  int y1, int passes = 5);

// Where a boundary's edge is expected, and how much a row's distance from there costs against its
// steepness (as a share of the strip's steepest): weight x d x d, d in eye distances.
struct EdgePlace {
    double row = 0.0;
    double weight = 0.0;
};

// The rows of a strip search: the strip's profile over y0..y1, the rows its upper boundary may
// take (topFrom..topTo) and its lower boundary (bottomFrom..bottomTo), all inside y0..y1, the
// feature's middle row, where each boundary's edge is expected and the eyes' distance in pixels.
struct StripRows {
    int y0 = 0;
    int y1 = -1;
    int topFrom = 0;
    int topTo = -1;
    int bottomFrom = 0;
    int bottomTo = -1;
    int middle = 0;
    EdgePlace top;
    EdgePlace bottom;
    double eyeDistance = 0.0;
};

// The rows of a feature's strips whose top boundary is of group topGroup and bottom boundary of
// bottomGroup, the edges the strips find lying topShift and bottomShift rows off the lines and
// expected that far off the groups' defaults (the places' weights are left 0).
StripRows feature_strip_rows(const FeatureWindows& windows, int topGroup, int bottomGroup,
                             double topShift, double bottomShift, int middle);

// The eyes' distance: between the middles of each eye's corners.
double eye_distance(const FaceLandmarks& landmarks);

// The steepest fall of brightness going down (P[y + 1] - P[y - 1] negative) or rise (positive)
// of the profile over rows from..to that have a neighbour on either side inside it, weighed
// against the distance from place (scale pixels to an eye distance); 0 when no row falls or
// rises. The first of equals wins.
int steepest_fall(const RowProfile& p, int from, int to, const EdgePlace& place = {},
                  double scale = 0.0);
int steepest_rise(const RowProfile& p, int from, int to, const EdgePlace& place = {},
                  double scale = 0.0);
// Where between rows the edge at row y lies: the top of the parabola through the steepness at
// y - 1, y and y + 1, at most half a row off y; y itself at the profile's ends or when y is 0.
double edge_between_rows(const RowProfile& p, int y);

// What the mouth strips read a lip's edge by (see feature_line_rules.h): the edge's profile, the
// eyes' distance in pixels the profile is sampled by, the row a mouth of its width has the
// edge on and the cost of a row's distance from it.
struct LipEdge {
    const LipProfile* profile = nullptr;
    double eyeDistance = 0.0;
    double expectedRow = 0.0;
    double weight = 0.0;
};

// The row of rows from..to whose brightness around it (the sums, sampled as the lip's profile
// is) correlates best with the lip edge's profile, less the cost of its distance from the
// expected row; 0 without a profile or a row.
int lip_edge_row(const RowProfile& sums, int from, int to, const LipEdge& lip);

// Strip searches over columns xa..xb. Each gives 0, or -13 after a message when rows.y1 <
// rows.y0, or -2 out of memory. Boundaries not found are 0.
// The eye: the upper lid's edge is the steepest fall within the top rows, the lower lid's the
// steepest rise within the bottom rows, each weighed against its distance from its place.
int face_searcheyeline(unsigned char** grey, int cols, int rows, int xa, int xb, const StripRows& r,
                       double& upper, double& lower);
// The brow: its top edge is the steepest fall within the top rows (weighed against its distance
// from its place), its lower edge the steepest rise below that within the bottom rows.
int face_searchbrow(unsigned char** grey, int cols, int rows, int xa, int xb, const StripRows& r,
                    double& upper, double& lower);
// The mouth: each lip's edge is the lip_edge_row of its rows (the upper lip's of the top rows,
// the lower lip's of the bottom rows).
int face_searchmouthline(unsigned char** grey, int cols, int rows, int xa, int xb,
                         const StripRows& r, const LipEdge& upperLip, const LipEdge& lowerLip,
                         double& upper, double& lower);

// One feature's strips: entry i describes the strip centred on column x0 + 1 + i; b its upper
// and c its lower boundary row, between rows where the edge lies between them (0 = not found).
struct LineRecord {
    int n = 0;
    int x0 = 0;
    std::vector<double> b;
    std::vector<double> c;
};

// Scan the strips of columns p..q (either order) with the rows r. 0 or the first failing
// strip's code.
int eyeline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, const StripRows& r,
                         LineRecord& record);
int brow_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, const StripRows& r,
                      LineRecord& record);
int mouthline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q,
                           const StripRows& r, const LipEdge& upperLip, const LipEdge& lowerLip,
                           LineRecord& record);

// The mean upper and lower boundary over the entries whose column x0 + i lies in from..to and
// whose value moved by its shift (in rows) lies within the group's limits, moved by the shift
// and rounded to the nearest row; a group without such a value gives its default.
void line_record_average(const LineRecord& record, int from, int to, int& top, int& bottom,
                         const FeatureWindows& windows, int topGroup, int bottomGroup,
                         double topShift = 0.0, double bottomShift = 0.0);

// Debugging dumps of a picture as text, one line per pixel, to the file named and nothing
// else. 0, or -10 when the file cannot be opened. Nothing in the system calls them.
int dump_pixel_array_text(const char* file, _pixel** pixels, int cols, int rows);
int dump_grey_array_text(const char* file, unsigned char** pixels, int cols, int rows);

} // namespace zel::engine
