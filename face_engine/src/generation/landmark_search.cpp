// Landmark search: eye corners, nose points and mouth corners by template correlation inside
// windows that are fractions of the face box, the mouth band located first by the saturation of
// the lips.

#include "generation/landmark_search.h"

#include "engine_codes.h"
#include "generation/generation_tables.h"
#include "truncate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <vector>

namespace zel::engine {
namespace {

constexpr char kSearchRange[] = "SEARCH_RANGE";
constexpr int kRangeValues = 21;
// Header words that ReadBinTemplate fills: the fifth is the point count, the sixth the size
// the offsets were measured at.
constexpr int kHeaderWords = 6;
constexpr int kHeaderCount = 4;
constexpr int kHeaderReference = 5;

// Box lowering and the mouth's windows, as fractions of the box.
constexpr double kTopLowering = 0.027;
constexpr double kMouthBandHalfWidth = 0.1;
constexpr double kMouthRowsAbove = 0.07;
constexpr double kMouthRowsBelow = 0.04;
constexpr int kProjectionSmoothRadius = 2;

unsigned char luma(_pixel** hsv, int x, int y) {
    return hsv[y][x].b;
}

// A point template with its offsets scaled to the face.
struct ScaledTemplate {
    std::vector<int> dx;
    std::vector<int> dy;
    std::vector<std::int64_t> w;
    int minDx = 0;
    int maxDx = 0;
    int minDy = 0;
    int maxDy = 0;
};

int read_scaled_template(int set, const char* name, int size, ScaledTemplate& out) {
    std::int32_t header[kHeaderWords] = {};
    std::vector<std::int32_t> x(kPointTemplateCapacity);
    std::vector<std::int32_t> y(kPointTemplateCapacity);
    std::vector<std::int32_t> w(kPointTemplateCapacity);
    if (name == nullptr || generation_tables().read_points(set, name, header, x.data(), y.data(),
                                                           w.data(), kPointTemplateCapacity) == 0)
        return kMissing;
    const int n = header[kHeaderCount];
    const int reference = header[kHeaderReference];
    // A template without points or without a size to scale from cannot be matched.
    if (n < 1 || n > kPointTemplateCapacity || reference < 1)
        return kMissing;
    const double s = static_cast<double>(size) / reference;
    for (int i = 0; i < n; ++i) {
        const int dx = trunc_to_int(x[i] * s + 0.5);
        const int dy = trunc_to_int(y[i] * s + 0.5);
        out.dx.push_back(dx);
        out.dy.push_back(dy);
        out.w.push_back(w[i]);
        out.minDx = std::min(out.minDx, dx);
        out.maxDx = std::max(out.maxDx, dx);
        out.minDy = std::min(out.minDy, dy);
        out.maxDy = std::max(out.maxDy, dy);
    }
    return kOk;
}

// Pearson correlation of the brightness differences around (x, y) with the weights; template
// points outside the picture are skipped. The sums are 64-bit: a template of a thousand points
// at full contrast overflows 32 bits.
double correlation(_pixel** hsv, int cols, int rows, const ScaledTemplate& t, int x, int y) {
    const std::int64_t c = luma(hsv, x, y);
    const bool inside =
        x + t.minDx >= 0 && x + t.maxDx < cols && y + t.minDy >= 0 && y + t.maxDy < rows;
    std::int64_t k = 0, sdw = 0, sd = 0, sw = 0, sdd = 0, sww = 0;
    const std::size_t n = t.dx.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int px = x + t.dx[i];
        const int py = y + t.dy[i];
        if (!inside && (px < 0 || px >= cols || py < 0 || py >= rows))
            continue;
        const std::int64_t d = luma(hsv, px, py) - c;
        const std::int64_t w = t.w[i];
        ++k;
        sdw += d * w;
        sd += d;
        sw += w;
        sdd += d * d;
        sww += w * w;
    }
    const double num = static_cast<double>(k * sdw - sd * sw);
    const double a = static_cast<double>(k * sdd - sd * sd);
    const double b = static_cast<double>(k * sww - sw * sw);
    return num / std::sqrt(a * b);
}

// Reads "SEARCH_RANGE", else -21.
int read_ranges(int set, double r[kRangeValues]) {
    return generation_tables().read_range(set, kSearchRange, r) != 0 ? kOk : kMissing;
}

SearchWindow window(double x0, double x1, double y0, double y1) {
    return {trunc_to_int(x0), trunc_to_int(x1), trunc_to_int(y0), trunc_to_int(y1)};
}

bool never_set(int x, int y) {
    return x == 0 && y == 0;
}

// Searches one point; a point that no position scores keeps its value unless it was never set,
// in which case it takes the window's centre.
int search_point(_pixel** hsv, int cols, int rows, int set, LandmarkPoint which,
                 const SearchWindow& w, int size, std::int32_t& x, std::int32_t& y) {
    int outX = x;
    int outY = y;
    bool found = false;
    if (const int result = landmark_match_window(
            hsv, cols, rows, set, landmark_template_name(which), w, size, outX, outY, found);
        result != kOk)
        return result;
    if (!found && never_set(outX, outY)) {
        const SearchWindow inside = w.clipped(cols, rows);
        (inside.empty() ? w : inside).centre(cols, rows, outX, outY);
    }
    x = outX;
    y = outY;
    return kOk;
}

// Where each point is written in the landmark record.
struct PointMembers {
    std::int32_t* x;
    std::int32_t* y;
};

PointMembers members(FaceLandmarks& lm, LandmarkPoint which) {
    switch (which) {
    case kEyeLeftIn:
        return {&lm.eyes[0].in_x, &lm.eyes[0].in_y};
    case kEyeRightIn:
        return {&lm.eyes[1].in_x, &lm.eyes[1].in_y};
    case kEyeLeftOut:
        return {&lm.eyes[0].out_x, &lm.eyes[0].out_y};
    case kEyeRightOut:
        return {&lm.eyes[1].out_x, &lm.eyes[1].out_y};
    case kNoseCentre:
        return {&lm.nose.center_x, &lm.nose.center_y};
    case kNoseLeft:
        return {&lm.nose.l_x, &lm.nose.l_y};
    case kNoseRight:
        return {&lm.nose.r_x, &lm.nose.r_y};
    case kMouthLeft:
        return {&lm.mouth.l_x, &lm.mouth.l_y};
    case kMouthRight:
        return {&lm.mouth.r_x, &lm.mouth.r_y};
    }
    return {nullptr, nullptr};
}

int search_points(_pixel** hsv, int cols, int rows, int set, const FaceBox& box, const double* r,
                  int mouthLine, std::initializer_list<LandmarkPoint> points, FaceLandmarks& lm) {
    for (const LandmarkPoint which : points) {
        const PointMembers p = members(lm, which);
        const SearchWindow w = landmark_window(which, box, r, lm, mouthLine);
        if (const int result = search_point(hsv, cols, rows, set, which, w, box.height, *p.x, *p.y);
            result != kOk)
            return result;
    }
    return kOk;
}

} // namespace

SearchWindow SearchWindow::clipped(int cols, int rows) const {
    return {std::max(x0, 0), std::min(x1, cols - 1), std::max(y0, 0), std::min(y1, rows - 1)};
}

void SearchWindow::centre(int cols, int rows, int& x, int& y) const {
    x = std::clamp(static_cast<int>((static_cast<std::int64_t>(x0) + x1) / 2), 0,
                   std::max(cols - 1, 0));
    y = std::clamp(static_cast<int>((static_cast<std::int64_t>(y0) + y1) / 2), 0,
                   std::max(rows - 1, 0));
}

void face_box_lower_top(FaceBox& box) {
    box.miny += trunc_to_int(box.height * kTopLowering);
    box.centery = (box.miny + box.maxy) / 2;
    box.height = box.maxy - box.miny + 1;
}

int landmark_match_window(_pixel** hsv, int cols, int rows, int set, const char* name,
                          const SearchWindow& window, int size, int& outX, int& outY, bool& found) {
    found = false;
    ScaledTemplate t;
    try {
        if (const int result = read_scaled_template(set, name, size, t); result != kOk)
            return result;
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    if (hsv == nullptr)
        return kOk;
    const SearchWindow w = window.clipped(cols, rows);
    double best = -1.0;
    for (int x = w.x0; x <= w.x1; ++x) {
        for (int y = w.y0; y <= w.y1; ++y) {
            // A flat neighbourhood scores 0/0, which never wins.
            const double score = correlation(hsv, cols, rows, t, x, y);
            if (score > best) {
                best = score;
                outX = x;
                outY = y;
                found = true;
            }
        }
    }
    return kOk;
}

int landmark_match_template(_pixel** hsv, int cols, int rows, int set, const char* name, int xFrom,
                            int xTo, int yFrom, int yTo, int& outX, int& outY, int size) {
    bool found = false;
    return landmark_match_window(hsv, cols, rows, set, name, {xFrom, xTo, yFrom, yTo}, size, outX,
                                 outY, found);
}

int mouth_line_projection(_pixel** hsv, int cols, int rows, int xFrom, int xTo, int yFrom, int yTo,
                          int& outY) {
    outY = yFrom;
    const std::int64_t n = std::abs(static_cast<std::int64_t>(yTo) - yFrom);
    // Under five rows nothing is smoothed, and the first row is the answer.
    if (n < 2 * kProjectionSmoothRadius + 1 || hsv == nullptr)
        return kOk;
    std::vector<double> sum;
    std::vector<double> smooth;
    try {
        sum.assign(static_cast<std::size_t>(n), 0.0);
        smooth.assign(static_cast<std::size_t>(n), 0.0);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    const int x0 = std::max(xFrom, 0);
    const int x1 = std::min(xTo, cols);
    const int y0 = std::max(yFrom, 0);
    const int y1 = std::min(yTo, rows);
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            sum[static_cast<std::size_t>(y - yFrom)] += hsv[y][x].g;
    for (std::int64_t i = kProjectionSmoothRadius; i < n - kProjectionSmoothRadius; ++i) {
        double total = 0.0;
        for (std::int64_t j = i - kProjectionSmoothRadius; j <= i + kProjectionSmoothRadius; ++j)
            total += sum[static_cast<std::size_t>(j)];
        smooth[static_cast<std::size_t>(i)] = total / (2 * kProjectionSmoothRadius + 1);
    }
    double best = -9999.0;
    std::int64_t at = 0;
    for (std::int64_t i = 0; i < n; ++i) {
        if (smooth[static_cast<std::size_t>(i)] > best) {
            best = smooth[static_cast<std::size_t>(i)];
            at = i;
        }
    }
    outY = static_cast<int>(yFrom + at);
    return kOk;
}

const char* landmark_template_name(LandmarkPoint which) {
    static const char* const names[] = {"EYE_LEFT_IN",   "EYE_RIGHT_IN", "EYE_LEFT_OUT",
                                        "EYE_RIGHT_OUT", "NOSE_CENTER",  "NOSE_LEFT",
                                        "NOSE_RIGHT",    "MOUTH_LEFT",   "MOUTH_RIGHT"};
    return names[which];
}

MouthBand mouth_band(const FaceBox& box, const double r[21], int noseRow) {
    const double W = box.width;
    const double H = box.height;
    const int e = trunc_to_int(W * kMouthBandHalfWidth);
    // Below the nose: the nostrils are as saturated as the lips and often more.
    const int top = std::max(trunc_to_int(H * r[19]) + box.miny, noseRow + 1);
    return {box.centerx - e, box.centerx + e, top, trunc_to_int(H * r[20]) + box.miny};
}

SearchWindow landmark_window(LandmarkPoint which, const FaceBox& box, const double r[21],
                             const FaceLandmarks& lm, int mouthLine) {
    const double W = box.width;
    const double H = box.height;
    const double minx = box.minx;
    const double maxx = box.maxx;
    const double miny = box.miny;
    const double lx = lm.eyes[0].in_x, ly = lm.eyes[0].in_y;
    const double rx = lm.eyes[1].in_x, ry = lm.eyes[1].in_y;
    const double cx = lm.nose.center_x, cy = lm.nose.center_y;
    switch (which) {
    case kEyeLeftIn:
        return window(W * r[0] + minx, W * r[1] + minx, H * r[2] + miny, H * r[3] + miny);
    case kEyeRightIn:
        return window(maxx - W * r[1], maxx - W * r[0], ly - H * r[4], ly + H * r[4]);
    case kEyeLeftOut:
        return window(lx - W * r[5], lx - W * r[6], ly + H * r[7], ly + H * r[8]);
    case kEyeRightOut:
        return window(rx + W * r[6], rx + W * r[5], ry + H * r[7], ry + H * r[8]);
    case kNoseCentre:
        return window(W * r[9] + minx, W * r[10] + minx, H * r[11] + miny, H * r[12] + miny);
    case kNoseLeft:
        return window(cx - W * r[13], cx - W * r[14], cy + H * r[15], cy + H * r[16]);
    case kNoseRight:
        return window(cx + W * r[14], cx + W * r[13], cy + H * r[15], cy + H * r[16]);
    case kMouthLeft:
    case kMouthRight: {
        // The corners' rows lie around the mouth line, inside the band.
        const MouthBand band = mouth_band(box, r, lm.nose.center_y);
        const int y0 = std::max(trunc_to_int(mouthLine - H * kMouthRowsAbove), band.y0);
        const int y1 = std::min(trunc_to_int(mouthLine + H * kMouthRowsBelow), band.y1);
        if (which == kMouthLeft)
            return {trunc_to_int(W * r[17] + minx), trunc_to_int(W * r[18] + minx), y0, y1};
        return {trunc_to_int(maxx - W * r[18]), trunc_to_int(maxx - W * r[17]), y0, y1};
    }
    }
    return {};
}

int landmark_search(int set, const FaceBox& box, _pixel** hsv, int cols, int rows,
                    FaceLandmarks& landmarks) {
    double r[kRangeValues] = {};
    if (read_ranges(set, r) != kOk)
        return kMissing;
    int result = search_points(
        hsv, cols, rows, set, box, r, 0,
        {kEyeLeftIn, kEyeRightIn, kEyeLeftOut, kEyeRightOut, kNoseCentre, kNoseLeft, kNoseRight},
        landmarks);
    if (result != kOk)
        return result;
    const MouthBand band = mouth_band(box, r, landmarks.nose.center_y);
    int line = 0;
    if (mouth_line_projection(hsv, cols, rows, band.x0, band.x1, band.y0, band.y1, line) != kOk)
        return kNoMemory;
    return search_points(hsv, cols, rows, set, box, r, line, {kMouthLeft, kMouthRight}, landmarks);
}

} // namespace zel::engine
