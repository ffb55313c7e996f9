// Feature-line search: the window table from the thickness values, the strip scans of the
// eyes, brows and mouth, and the averaging of the strips near each feature's middle.

#include "generation/feature_line_search.h"

#include "engine_codes.h"
#include "generation/generation_tables.h"
#include "truncate.h"

#include <zel/imaging.h>

#include <algorithm>
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

constexpr double kWindowMargin = 0.025;
constexpr double kEyeStripShrink = -0.25;
constexpr double kBrowStripWiden = 0.5;
constexpr double kAveragedHalfWidth = 0.125;

int first_row(const FeatureWindows& v, int group) {
    return v[3 * group + 1];
}
int last_row(const FeatureWindows& v, int group) {
    return v[3 * group + 2];
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

using StripSearch = int (*)(unsigned char**, int, int, int, int, int, int, int, int&, int&, int&);

int brow_strip(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1, int,
               int& valley, int& upper, int& lower) {
    return face_searchbrow(grey, cols, rows, xa, xb, y0, y1, valley, upper, lower);
}

// The strips of columns p..q: every strip of three columns that lies inside the picture, its
// rows clipped to the picture. A window that is upside down goes to the strip search, which
// refuses it; one that clipping empties leaves no strip.
int scan_columns(StripSearch search, unsigned char** grey, int cols, int rows, int p, int q, int y0,
                 int y1, int ym, LineRecord& record) {
    const int lo = std::max(std::min(p, q), 0);
    const int hi = std::min(std::max(p, q), cols);
    record = LineRecord{};
    record.x0 = lo;
    if (hi - lo < 3)
        return kOk;
    record.n = hi - lo - 3;
    try {
        record.a.assign(static_cast<std::size_t>(hi - lo), 0);
        record.b.assign(static_cast<std::size_t>(hi - lo), 0);
        record.c.assign(static_cast<std::size_t>(hi - lo), 0);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    int top = y0;
    int bottom = y1;
    if (y0 <= y1) {
        top = std::max(y0, 0);
        bottom = std::min(y1, rows - 1);
        if (top > bottom)
            return kOk;
    }
    for (int x = lo + 1; x < hi - 1; ++x) {
        const std::size_t i = static_cast<std::size_t>(x - lo - 1);
        if (const int result = search(grey, cols, rows, x - 1, x + 1, top, bottom, ym, record.a[i],
                                      record.b[i], record.c[i]);
            result != kOk)
            return result;
    }
    return kOk;
}

// The feature's x members take its middle column; its rows are averaged over the strips.
template <typename Part>
void write_feature(Part& part, const LineRecord& record, int cx, double halfWidth,
                   const FeatureWindows& v, int topGroup, int bottomGroup) {
    part.top_x = cx;
    part.bottom_x = cx;
    line_record_average(record, trunc_to_int(cx - halfWidth), trunc_to_int(cx + halfWidth),
                        part.top_y, part.bottom_y, v, topGroup, bottomGroup);
}

int search_eye(unsigned char** grey, int cols, int rows, const FeatureWindows& v, bool right,
               FaceLandmarks::Eye& eye) {
    const int d = right ? eye.out_x - eye.in_x : eye.in_x - eye.out_x;
    const int e = trunc_to_int(d * kEyeStripShrink);
    const int inner = right ? eye.in_x - e : eye.in_x + e;
    const int outer = right ? eye.out_x + e : eye.out_x - e;
    const int topGroup = right ? kRightEyeTop : kLeftEyeTop;
    const int bottomGroup = right ? kRightEyeBottom : kLeftEyeBottom;
    LineRecord record;
    if (const int result =
            scan_columns(face_searcheyeline, grey, cols, rows, outer, inner, first_row(v, topGroup),
                         last_row(v, bottomGroup), (eye.in_y + eye.out_y) / 2, record);
        result != kOk)
        return result;
    write_feature(eye, record, (eye.in_x + eye.out_x) / 2, d * kAveragedHalfWidth, v, topGroup,
                  bottomGroup);
    return kOk;
}

int search_brow(unsigned char** grey, int cols, int rows, const FeatureWindows& v, bool right,
                const FaceLandmarks::Eye& eye, FaceLandmarks::Brow& brow) {
    const int d = right ? eye.out_x - eye.in_x : eye.in_x - eye.out_x;
    const int f = trunc_to_int(d * kBrowStripWiden);
    const int p = right ? eye.in_x - f : eye.out_x - f;
    const int q = right ? eye.out_x + f : eye.in_x + f;
    const int topGroup = right ? kRightBrowTop : kLeftBrowTop;
    const int bottomGroup = right ? kRightBrowBottom : kLeftBrowBottom;
    LineRecord record;
    if (const int result = scan_columns(brow_strip, grey, cols, rows, p, q, first_row(v, topGroup),
                                        last_row(v, bottomGroup), 0, record);
        result != kOk)
        return result;
    write_feature(brow, record, (eye.out_x + eye.in_x) / 2, d * kAveragedHalfWidth, v, topGroup,
                  bottomGroup);
    return kOk;
}

int search_mouth(unsigned char** grey, int cols, int rows, const FeatureWindows& v,
                 FaceLandmarks::Mouth& mouth) {
    LineRecord record;
    if (const int result = scan_columns(
            face_searchmouthline, grey, cols, rows, mouth.l_x, mouth.r_x, first_row(v, kMouthTop),
            last_row(v, kMouthBottom), (mouth.l_y + mouth.r_y) / 2, record);
        result != kOk)
        return result;
    write_feature(mouth, record, (mouth.r_x + mouth.l_x) / 2,
                  (mouth.r_x - mouth.l_x) * kAveragedHalfWidth, v, kMouthTop, kMouthBottom);
    return kOk;
}

} // namespace

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
    const int m = trunc_to_int(H * kWindowMargin);
    FeatureWindows v{};
    for (int g = 0; g < 10; ++g) {
        for (int k = 0; k < 3; ++k) {
            const double t = thick[3 * g + k];
            v[3 * g + k] =
                trunc_to_int(centres[g].below ? H * t + centres[g].row : centres[g].row - H * t);
        }
        v[3 * g + 1] -= m;
        v[3 * g + 2] += m;
    }
    return v;
}

int eyeline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, int y0, int y1,
                         int ym, LineRecord& record) {
    return scan_columns(face_searcheyeline, grey, cols, rows, p, q, y0, y1, ym, record);
}

int brow_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, int y0, int y1,
                      LineRecord& record) {
    return scan_columns(brow_strip, grey, cols, rows, p, q, y0, y1, 0, record);
}

int mouthline_scan_columns(unsigned char** grey, int cols, int rows, int p, int q, int y0, int y1,
                           int ym, LineRecord& record) {
    return scan_columns(face_searchmouthline, grey, cols, rows, p, q, y0, y1, ym, record);
}

void line_record_average(const LineRecord& record, int from, int to, int& top, int& bottom,
                         const FeatureWindows& v, int topGroup, int bottomGroup) {
    std::int64_t topSum = 0;
    std::int64_t bottomSum = 0;
    int topCount = 0;
    int bottomCount = 0;
    const int n = std::min<int>(record.n, static_cast<int>(record.b.size()));
    for (int i = 0; i < n; ++i) {
        const int x = record.x0 + i;
        if (x < from || x > to)
            continue;
        const int b = record.b[static_cast<std::size_t>(i)];
        const int c = record.c[static_cast<std::size_t>(i)];
        if (b != 0 && b >= first_row(v, topGroup) && b <= last_row(v, topGroup)) {
            topSum += b;
            ++topCount;
        }
        if (c != 0 && c >= first_row(v, bottomGroup) && c <= last_row(v, bottomGroup)) {
            bottomSum += c;
            ++bottomCount;
        }
    }
    top = topCount > 0 ? static_cast<int>(topSum / topCount) : v[3 * topGroup];
    bottom = bottomCount > 0 ? static_cast<int>(bottomSum / bottomCount) : v[3 * bottomGroup];
}

int feature_line_search(int set, _pixel** hsv, int cols, int rows, const FaceBox& box,
                        FaceLandmarks& lm) {
    double thick[kThicknessValues] = {};
    if (generation_tables().read_thickness(set, thick) == 0)
        return kMissing;
    const FaceLandmarks::Eye& le = lm.eyes[0];
    const FaceLandmarks::Eye& re = lm.eyes[1];
    const FeatureWindows v = feature_windows_from_thickness(
        thick, (le.in_y + le.out_y) / 2.0, (re.in_y + re.out_y) / 2.0,
        (lm.mouth.l_y + lm.mouth.r_y) / 2.0, box.height);
    const GreyPicture grey(hsv, cols, rows);
    if (grey.rows() == nullptr)
        return kNoMemory;
    int result = search_eye(grey.rows(), cols, rows, v, false, lm.eyes[0]);
    if (result == kOk)
        result = search_eye(grey.rows(), cols, rows, v, true, lm.eyes[1]);
    if (result == kOk)
        result = search_brow(grey.rows(), cols, rows, v, false, lm.eyes[0], lm.brows[0]);
    if (result == kOk)
        result = search_brow(grey.rows(), cols, rows, v, true, lm.eyes[1], lm.brows[1]);
    if (result == kOk)
        result = search_mouth(grey.rows(), cols, rows, v, lm.mouth);
    return result;
}

} // namespace zel::engine
