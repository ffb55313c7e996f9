// Feature-line search: the window table from the thickness values, the strip scans of the
// eyes, brows and mouth, and the averaging of the strips near each feature's middle.

#include "generation/feature_line_search.h"

#include "engine_codes.h"
#include "generation/generation_tables.h"
#include "truncate.h"

#include <zel/imaging.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

namespace zel::engine {
namespace {

// Groups of the window table.
enum Group : int {
    kLeftBrowTop = 0,
    kLeftBrowBottom = 1,
    kRightBrowTop = 2,
    kRightBrowBottom = 3,
    kLeftEyeTop = 4,
    kLeftEyeBottom = 5,
    kRightEyeTop = 6,
    kRightEyeBottom = 7,
    kMouthTop = 8,
    kMouthBottom = 9,
};

constexpr double kEyeStripShrink = -0.25;
constexpr double kBrowStripWiden = 0.5;
constexpr double kAveragedHalfWidth = 0.125;

int first_row(const FeatureWindows& v, int group) {
    return v[3 * group + 1];
}
int last_row(const FeatureWindows& v, int group) {
    return v[3 * group + 2];
}

// Rows the smoothing and the steepness of a profile reach beyond the rows a boundary may take.
constexpr int kProfileReach = 6;

// A boundary's limits as the rows its edge may take, the edge lying shift rows off the line.
struct EdgeRows {
    int from;
    int to;
};
EdgeRows edge_rows(const FeatureWindows& v, int group, double shift) {
    return {static_cast<int>(std::ceil(first_row(v, group) - shift)),
            static_cast<int>(std::floor(last_row(v, group) - shift))};
}

// The luma of the HSV rows as a grey picture of the image library, released with the stage.
class GreyPicture {
public:
    GreyPicture(_pixel** hsv, int cols, int rows) : rows_(rows) {
        if (cols < 1 || rows < 1 || hsv == nullptr)
            return;
        pixels_ = pgm_allocarray(cols, rows);
        if (pixels_ == nullptr)
            return;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
                pixels_[y][x] = hsv[y][x].b;
    }
    ~GreyPicture() { pgm_freearray(pixels_, rows_); }
    GreyPicture(const GreyPicture&) = delete;
    GreyPicture& operator=(const GreyPicture&) = delete;
    unsigned char** rows() const { return pixels_; }

private:
    int rows_;
    unsigned char** pixels_ = nullptr;
};

// The strips of columns p..q: every strip of three columns that lies inside the picture, its
// rows clipped to the picture. A window that is upside down goes to the strip search, which
// refuses it; one that clipping empties leaves no strip.
template <typename Search>
int scan_columns(Search search, int cols, int rows, int p, int q, const StripRows& r,
                 LineRecord& record) {
    const int lo = std::max(std::min(p, q), 0);
    const int hi = std::min(std::max(p, q), cols);
    record = LineRecord{};
    record.x0 = lo;
    if (hi - lo < 3)
        return kOk;
    record.n = hi - lo - 3;
    try {
        record.b.assign(static_cast<std::size_t>(hi - lo), 0.0);
        record.c.assign(static_cast<std::size_t>(hi - lo), 0.0);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    StripRows clipped = r;
    if (r.y0 <= r.y1) {
        clipped.y0 = std::max(r.y0, 0);
        clipped.y1 = std::min(r.y1, rows - 1);
        if (clipped.y0 > clipped.y1)
            return kOk;
    }
    for (int x = lo + 1; x < hi - 1; ++x) {
        const std::size_t i = static_cast<std::size_t>(x - lo - 1);
        if (const int result = search(x - 1, x + 1, clipped, record.b[i], record.c[i]);
            result != kOk)
            return result;
    }
    return kOk;
}

// A feature's strips over columns p..q are averaged near its middle column cx, over the
// entries whose column lies in from..to (the scan's last strip never is): only those strips are
// scanned, from p to q.
struct FeatureColumns {
    int p;
    int q;
    int cx;
    int from;
    int to;
};
FeatureColumns feature_columns(int p, int q, int cx, double halfWidth) {
    FeatureColumns c{0, 0, cx, trunc_to_int(cx - halfWidth), trunc_to_int(cx + halfWidth)};
    c.p = std::max(std::min(p, q), c.from);
    c.q = std::max(c.p, std::min(std::max(p, q), c.to + 4));
    return c;
}

// The feature's x members take its middle column; its rows are averaged over the strips, and
// its bottom row never lies above its top row.
template <typename Part>
void write_feature(Part& part, const LineRecord& record, const FeatureColumns& columns,
                   const FeatureWindows& v, int topGroup, int bottomGroup, double topShift,
                   double bottomShift) {
    part.top_x = columns.cx;
    part.bottom_x = columns.cx;
    line_record_average(record, columns.from, columns.to, part.top_y, part.bottom_y, v, topGroup,
                        bottomGroup, topShift, bottomShift);
    part.bottom_y = std::max(part.bottom_y, part.top_y);
}

// What the stage works with besides the landmarks.
struct LineContext {
    unsigned char** grey;
    int cols;
    int rows;
    const FeatureWindows& v;
    const LineRules& rules;
    double height;      // the face box height the shifts are fractions of
    double eyeDistance; // the eyes' distance the edges' places are weighed in
};

int search_eye(const LineContext& c, bool right, FaceLandmarks::Eye& eye) {
    const int d = right ? eye.out_x - eye.in_x : eye.in_x - eye.out_x;
    const int e = trunc_to_int(d * kEyeStripShrink);
    const int inner = right ? eye.in_x - e : eye.in_x + e;
    const int outer = right ? eye.out_x + e : eye.out_x - e;
    const int topGroup = right ? kRightEyeTop : kLeftEyeTop;
    const int bottomGroup = right ? kRightEyeBottom : kLeftEyeBottom;
    const double topShift = c.rules.eyeTopShift * c.height;
    const double bottomShift = c.rules.eyeBottomShift * c.height;
    StripRows r = feature_strip_rows(c.v, topGroup, bottomGroup, topShift, bottomShift,
                                     (eye.in_y + eye.out_y) / 2);
    r.top.weight = c.rules.eyeTopWeight;
    r.bottom.weight = c.rules.eyeBottomWeight;
    r.eyeDistance = c.eyeDistance;
    const FeatureColumns columns =
        feature_columns(outer, inner, (eye.in_x + eye.out_x) / 2, d * kAveragedHalfWidth);
    LineRecord record;
    if (const int result =
            eyeline_scan_columns(c.grey, c.cols, c.rows, columns.p, columns.q, r, record);
        result != kOk)
        return result;
    write_feature(eye, record, columns, c.v, topGroup, bottomGroup, topShift, bottomShift);
    return kOk;
}

int search_brow(const LineContext& c, bool right, const FaceLandmarks::Eye& eye,
                FaceLandmarks::Brow& brow) {
    const int d = right ? eye.out_x - eye.in_x : eye.in_x - eye.out_x;
    const int f = trunc_to_int(d * kBrowStripWiden);
    const int p = right ? eye.in_x - f : eye.out_x - f;
    const int q = right ? eye.out_x + f : eye.in_x + f;
    const int topGroup = right ? kRightBrowTop : kLeftBrowTop;
    const int bottomGroup = right ? kRightBrowBottom : kLeftBrowBottom;
    const double topShift = c.rules.browTopShift * c.height;
    StripRows r = feature_strip_rows(c.v, topGroup, bottomGroup, topShift, 0.0, 0);
    r.top.weight = c.rules.browTopWeight;
    r.eyeDistance = c.eyeDistance;
    const FeatureColumns columns =
        feature_columns(p, q, (eye.out_x + eye.in_x) / 2, d * kAveragedHalfWidth);
    LineRecord record;
    if (const int result =
            brow_scan_columns(c.grey, c.cols, c.rows, columns.p, columns.q, r, record);
        result != kOk)
        return result;
    write_feature(brow, record, columns, c.v, topGroup, bottomGroup, topShift, 0.0);
    return kOk;
}

// A lip edge's rule for a mouth whose corners' line is line and width width pixels.
LipEdge lip_edge(const LipRule& rule, double eyeDistance, double line, double width) {
    LipEdge lip;
    lip.profile = &rule.profile;
    lip.eyeDistance = eyeDistance;
    if (eyeDistance > 0.0)
        lip.expectedRow = line + eyeDistance * (rule.base + rule.slope * width / eyeDistance);
    lip.weight = rule.weight;
    return lip;
}

int search_mouth(const LineContext& c, FaceLandmarks::Mouth& mouth) {
    const double line = (mouth.l_y + mouth.r_y) / 2.0;
    const double width = mouth.r_x - mouth.l_x;
    const StripRows r =
        feature_strip_rows(c.v, kMouthTop, kMouthBottom, 0.0, 0.0, (mouth.l_y + mouth.r_y) / 2);
    const FeatureColumns columns = feature_columns(
        mouth.l_x, mouth.r_x, (mouth.r_x + mouth.l_x) / 2, width * kAveragedHalfWidth);
    LineRecord record;
    if (const int result =
            mouthline_scan_columns(c.grey, c.cols, c.rows, columns.p, columns.q, r,
                                   lip_edge(c.rules.upperLip, c.eyeDistance, line, width),
                                   lip_edge(c.rules.lowerLip, c.eyeDistance, line, width), record);
        result != kOk)
        return result;
    write_feature(mouth, record, columns, c.v, kMouthTop, kMouthBottom, 0.0, 0.0);
    return kOk;
}

} // namespace

StripRows feature_strip_rows(const FeatureWindows& v, int topGroup, int bottomGroup,
                             double topShift, double bottomShift, int middle) {
    const EdgeRows top = edge_rows(v, topGroup, topShift);
    const EdgeRows bottom = edge_rows(v, bottomGroup, bottomShift);
    StripRows r;
    r.topFrom = top.from;
    r.topTo = top.to;
    r.bottomFrom = bottom.from;
    r.bottomTo = bottom.to;
    r.y0 = std::min(top.from, bottom.from) - kProfileReach;
    r.y1 = std::max(top.to, bottom.to) + kProfileReach;
    r.middle = middle;
    r.top.row = v[3 * topGroup] - topShift;
    r.bottom.row = v[3 * bottomGroup] - bottomShift;
    return r;
}

double eye_distance(const FaceLandmarks& lm) {
    const FaceLandmarks::Eye& l = lm.eyes[0];
    const FaceLandmarks::Eye& r = lm.eyes[1];
    return std::hypot((r.in_x + r.out_x - l.in_x - l.out_x) / 2.0,
                      (r.in_y + r.out_y - l.in_y - l.out_y) / 2.0);
}

FeatureWindows feature_windows_from_thickness(const double thick[kThicknessValues], double cyL,
                                              double cyR, double cyM, int height) {
    struct Centre {
        double row;
        bool below;
    };
    const Centre centres[10] = {{cyL, false}, {cyL, false}, {cyR, false}, {cyR, false},
                                {cyL, false}, {cyL, true},  {cyR, false}, {cyR, true},
                                {cyM, false}, {cyM, true}};
    const double H = height;
    FeatureWindows v{};
    for (int g = 0; g < 10; ++g) {
        for (int k = 0; k < 3; ++k) {
            const double t = thick[3 * g + k];
            v[3 * g + k] =
                trunc_to_int(centres[g].below ? H * t + centres[g].row : centres[g].row - H * t);
        }
    }
    return v;
}

int eyeline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, const StripRows& r,
                         LineRecord& record) {
    return scan_columns(
        [&](int xa, int xb, const StripRows& rr, double& b, double& c) {
            return face_searcheyeline(grey, cols, rows, xa, xb, rr, b, c);
        },
        cols, rows, p, q, r, record);
}

int brow_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, const StripRows& r,
                      LineRecord& record) {
    return scan_columns(
        [&](int xa, int xb, const StripRows& rr, double& b, double& c) {
            return face_searchbrow(grey, cols, rows, xa, xb, rr, b, c);
        },
        cols, rows, p, q, r, record);
}

int mouthline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q,
                           const StripRows& r, const LipEdge& upperLip, const LipEdge& lowerLip,
                           LineRecord& record) {
    return scan_columns(
        [&](int xa, int xb, const StripRows& rr, double& b, double& c) {
            return face_searchmouthline(grey, cols, rows, xa, xb, rr, upperLip, lowerLip, b, c);
        },
        cols, rows, p, q, r, record);
}

void line_record_average(const LineRecord& record, int from, int to, int& top, int& bottom,
                         const FeatureWindows& v, int topGroup, int bottomGroup, double topShift,
                         double bottomShift) {
    double topSum = 0.0;
    double bottomSum = 0.0;
    int topCount = 0;
    int bottomCount = 0;
    const int n = std::min<int>(record.n, static_cast<int>(record.b.size()));
    auto inside = [&](double row, int group) {
        return row >= first_row(v, group) && row <= last_row(v, group);
    };
    for (int i = 0; i < n; ++i) {
        const int x = record.x0 + i;
        if (x < from || x > to)
            continue;
        const double b = record.b[static_cast<std::size_t>(i)];
        const double c = record.c[static_cast<std::size_t>(i)];
        if (b != 0 && inside(b + topShift, topGroup)) {
            topSum += b + topShift;
            ++topCount;
        }
        if (c != 0 && inside(c + bottomShift, bottomGroup)) {
            bottomSum += c + bottomShift;
            ++bottomCount;
        }
    }
    top = topCount > 0 ? static_cast<int>(std::lround(topSum / topCount)) : v[3 * topGroup];
    bottom = bottomCount > 0 ? static_cast<int>(std::lround(bottomSum / bottomCount))
                             : v[3 * bottomGroup];
}

int feature_line_search(int set, _pixel** hsv, int cols, int rows, const FaceBox& box,
                        FaceLandmarks& lm) {
    double thick[kThicknessValues] = {};
    if (generation_tables().read_thickness(set, thick) == 0)
        return kMissing;
    const LineRules rules = read_line_rules(set);
    const FaceLandmarks::Eye& le = lm.eyes[0];
    const FaceLandmarks::Eye& re = lm.eyes[1];
    const FeatureWindows v = feature_windows_from_thickness(
        thick, (le.in_y + le.out_y) / 2.0, (re.in_y + re.out_y) / 2.0,
        (lm.mouth.l_y + lm.mouth.r_y) / 2.0, box.height);
    const GreyPicture grey(hsv, cols, rows);
    if (grey.rows() == nullptr)
        return kNoMemory;
    const LineContext c{grey.rows(),     cols, rows, v, rules, static_cast<double>(box.height),
                        eye_distance(lm)};
    int result = search_eye(c, false, lm.eyes[0]);
    if (result == kOk)
        result = search_eye(c, true, lm.eyes[1]);
    if (result == kOk)
        result = search_brow(c, false, lm.eyes[0], lm.brows[0]);
    if (result == kOk)
        result = search_brow(c, true, lm.eyes[1], lm.brows[1]);
    if (result == kOk)
        result = search_mouth(c, lm.mouth);
    return result;
}

} // namespace zel::engine
