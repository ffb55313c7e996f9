// The strip searches of the feature-line search: brightness profiles of narrow vertical strips
// and the rules that find where an eye, a brow or the lips begin and end in one strip.

#include "generation/feature_line_search.h"

#include "engine_codes.h"
#include "truncate.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace zel::engine {
namespace {

constexpr int kSmoothPasses = 5;
constexpr int kEyePercentile = 90;
constexpr double kEyeThreshold = 0.6;
// Rows of context around a row that the brow and mouth rules compare.
constexpr int kReach = 5;
constexpr int kPeakReach = 3;

bool upside_down(int y0, int y1, const char* message) {
    if (y1 - y0 >= 0)
        return false;
    vyMessage(message);
    return true;
}

// Peak of the brow and mouth rules: above half the strip's brightest row and brighter than the
// rows three above and three below, by margin.
bool is_peak(const RowProfile& p, int y, int half, int margin = 0) {
    return p[y] > half && p[y - kPeakReach] + margin < p[y] && p[y + kPeakReach] + margin < p[y];
}

// The row j in from..to (within the allowed side of the middle row) with the greatest
// gradient above floor; -1 when none. The first of equals wins.
int strongest_edge(const RowProfile& g, int from, int to, int floor, bool above, int limit) {
    int best = floor;
    int at = -1;
    for (int j = from; j <= to; ++j) {
        const bool side = above ? j < limit : j > limit;
        if (side && g[j] > best) {
            best = g[j];
            at = j;
        }
    }
    return at;
}

// The deepest valley of a brow strip: the local minimum whose basin, filled to the lower of
// its two rims, holds the most. Gives the row after the minimum (0 when there is none) and its
// value.
void deepest_valley(const RowProfile& p, int y0, int y1, int& valley, int& value) {
    int state = -1;
    std::int64_t bestArea = 0;
    valley = 0;
    value = 0;
    for (int y = y0 + kReach; y <= y1 - kReach; ++y) {
        if (p[y] < p[y - 1]) {
            state = 0;
            continue;
        }
        if (state == 0) {
            const int bottom = p[y - 1];
            int leftPeak = bottom;
            for (int j = y - 2; j >= y0 && p[j] >= bottom; --j)
                leftPeak = std::max(leftPeak, p[j]);
            int rightPeak = bottom;
            for (int j = y; j <= y1 && p[j] >= bottom; ++j)
                rightPeak = std::max(rightPeak, p[j]);
            const int level = std::min(leftPeak, rightPeak);
            std::int64_t area = 0;
            for (int j = y - 1; j >= y0 && p[j] >= bottom && p[j] <= level; --j)
                area += level - p[j];
            for (int j = y; j <= y1 && p[j] >= bottom && p[j] <= level; ++j)
                area += level - p[j];
            if (area > bestArea) {
                bestArea = area;
                valley = y;
                value = p[y];
            }
        }
        state = 1;
    }
}

} // namespace

RowProfile::RowProfile(int y0, int y1) : y0_(y0), y1_(y1) {
    if (y1 >= y0)
        values_.assign(static_cast<std::size_t>(static_cast<std::int64_t>(y1) - y0 + 1), 0);
}

int RowProfile::peak() const {
    int m = 0;
    for (const int v : values_)
        m = std::max(m, v);
    return m;
}

RowProfile strip_profile(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1) {
    RowProfile s(y0, y1);
    const int x0 = std::max(xa, 0);
    const int x1 = std::min(xb, cols - 1);
    for (int y = std::max(y0, 0); y <= std::min(y1, rows - 1); ++y) {
        int sum = 0;
        for (int x = x0; x <= x1; ++x)
            sum += grey[y][x];
        s.set(y, sum);
    }
    return s;
}

RowProfile strip_profile_smoothed(unsigned char** grey, int cols, int rows, int xa, int xb, int y0,
                                  int y1) {
    RowProfile p = strip_profile(grey, cols, rows, xa, xb, y0, y1);
    if (y0 + 1 > y1 - 1)
        return p;
    RowProfile scratch(y0, y1);
    for (int pass = 0; pass < kSmoothPasses; ++pass) {
        for (int y = y0 + 1; y <= y1 - 1; ++y)
            scratch.set(y, (p[y - 1] + p[y] + p[y + 1]) / 3);
        for (int y = y0 + 1; y <= y1 - 1; ++y)
            p.set(y, scratch[y]);
    }
    return p;
}

RowProfile strip_gradient(const RowProfile& sums) {
    const int y0 = sums.y0();
    const int y1 = sums.y1();
    RowProfile g(y0, y1);
    if (y0 + 1 < y1 - 1) {
        for (int y = y0 + 1; y <= y1 - 1; ++y)
            g.set(y, std::abs(sums[y - 1] - sums[y + 1]));
    }
    return g;
}

int profile_percentile(const RowProfile& profile, int y0, int y1, int percent) {
    int m = 0;
    for (int y = y0; y <= y1; ++y)
        m = std::max(m, profile[y]);
    std::vector<int> histogram;
    try {
        histogram.assign(static_cast<std::size_t>(m) + 1, 0);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    for (int y = y0; y <= y1; ++y)
        ++histogram[static_cast<std::size_t>(std::max(profile[y], 0))];
    const std::int64_t target = (static_cast<std::int64_t>(y1) - y0 + 1) * percent / 100;
    std::int64_t total = 0;
    for (int v = 0; v <= m; ++v) {
        total += histogram[static_cast<std::size_t>(v)];
        if (total > target)
            return v;
    }
    return 0;
}

int face_searcheyeline(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1,
                       int ym, int& centre, int& upper, int& lower) {
    centre = upper = lower = 0;
    if (upside_down(y0, y1, "Height is too big @ face_searcheyeline()"))
        return kUpsideDown;
    try {
        const RowProfile p = strip_profile_smoothed(grey, cols, rows, xa, xb, y0, y1);
        const RowProfile g = strip_gradient(strip_profile(grey, cols, rows, xa, xb, y0, y1));
        const int tp = profile_percentile(p, y0, y1, kEyePercentile);
        const int tg = profile_percentile(g, y0, y1, kEyePercentile);
        if (tp < 0 || tg < 0)
            return kNoMemory;
        const int a = trunc_to_int(tp * kEyeThreshold);
        const int gMin = trunc_to_int(tg * kEyeThreshold);
        // Out from the middle row: the first row bright enough to be skin, then the strongest
        // edge around it. Rows outside y0..y1 read 0 and are never bright enough.
        for (int y = std::min(ym - 1, y1); y >= y0 + 1; --y) {
            if (p[y] <= a)
                continue;
            const int j = strongest_edge(g, y - kReach, y + kReach - 1, gMin, true, ym - 1);
            if (j >= 0) {
                upper = j;
                break;
            }
        }
        for (int y = std::max(ym + 1, y0); y < y1; ++y) {
            if (p[y] <= a)
                continue;
            const int j = strongest_edge(g, y - kReach, y + kReach - 1, gMin, false, ym + 1);
            if (j >= 0) {
                lower = j;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    return kOk;
}

int face_searchbrow(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1,
                    int& valley, int& upper, int& lower) {
    valley = upper = lower = 0;
    if (upside_down(y0, y1, "Height is too big @ face_searchbrow()"))
        return kUpsideDown;
    try {
        const RowProfile p = strip_profile_smoothed(grey, cols, rows, xa, xb, y0, y1);
        int value = 0;
        deepest_valley(p, y0, y1, valley, value);
        if (valley < 1)
            return kOk;
        const int half = trunc_to_int(p.peak() * 0.5);
        // Each boundary lies halfway up from the valley to the nearest bright peak beside it.
        int y = valley - kReach;
        while (y >= y0 + kReach && !is_peak(p, y, half))
            --y;
        const bool upFound = y >= y0 + kReach;
        const int pv = upFound ? p[y] : 0;
        if (!upFound)
            y = y0 + kReach - 1;
        for (; y < valley; ++y) {
            if (p[y] < value + (pv - value) * 0.5) {
                upper = y;
                break;
            }
        }
        y = valley + kReach;
        while (y <= y1 - kReach && !is_peak(p, y, half))
            ++y;
        const bool downFound = y <= y1 - kReach;
        const int qv = downFound ? p[y] : 0;
        if (!downFound)
            y = y1 - kReach + 1;
        for (; y > valley; --y) {
            if (p[y] < value + (qv - value) * 0.5) {
                lower = y;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    return kOk;
}

int face_searchmouthline(unsigned char** grey, int cols, int rows, int xa, int xb, int y0, int y1,
                         int ym, int& line, int& upper, int& lower) {
    line = upper = lower = 0;
    const int h = y1 - y0;
    if (upside_down(y0, y1, "Height is too big @ face_searchmouthline()"))
        return kUpsideDown;
    try {
        const RowProfile p = strip_profile_smoothed(grey, cols, rows, xa, xb, y0, y1);
        const int m = p.peak();
        const int t = trunc_to_int(m * 0.1);
        // The line: the darkest notch, weighted towards the middle row.
        std::int64_t best = 0;
        int lineValue = 0;
        for (int y = y0 + kReach; y <= y1 - kReach && h / 2 != 0; ++y) {
            const int dl = p[y - kReach] - p[y];
            const int dr = p[y + kReach] - p[y];
            if (dl < t || dr < t)
                continue;
            const int d = std::max(dl, dr);
            const std::int64_t pct =
                std::llabs((static_cast<std::int64_t>(ym) - y) * 100 / (h / 2));
            // An exclusive or with 2, not a square.
            const std::int64_t w = (100 - pct) ^ 2;
            const std::int64_t score = d * w;
            if (score > best) {
                best = score;
                line = y;
                lineValue = p[y];
            }
        }
        if (line < 1)
            return kOk;
        const int half = trunc_to_int(m * 0.5);
        int y = line - kReach;
        while (y >= y0 + kReach && !is_peak(p, y, half))
            --y;
        int pv = 0;
        if (y >= y0 + kReach) {
            upper = y;
            pv = p[y];
        } else {
            y = y0 + kReach - 1;
        }
        for (; y < line; ++y) {
            if (p[y] < lineValue + (pv - lineValue) * 0.5) {
                upper = y;
                break;
            }
        }
        y = line + kReach;
        while (y <= y1 - kReach && !is_peak(p, y, half, trunc_to_int((p[y] - p[line]) * 0.05)))
            ++y;
        // Without a bright peak below the line the lower lip's edge is not in the strip; the
        // walk below would otherwise settle on the window's last rows.
        if (y > y1 - kReach)
            return kOk;
        lower = y;
        const int qv = p[y];
        while (y <= y1 - kReach && p[y] < p[y - 1])
            ++y;
        const double level = qv - (qv + p[y - 1]) / 5.0;
        for (; y >= lower; --y) {
            if (p[y] > level) {
                lower = y;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    return kOk;
}

} // namespace zel::engine
