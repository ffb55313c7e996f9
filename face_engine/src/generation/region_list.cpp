// Region list building and merging with a union-find forest. Segments on neighbouring lines
// are matched by one sweep over both lines' sorted runs, so a mask of many small segments
// (textured hair, a noisy background) costs time in proportion to its segments.

#include "generation/region_list.h"

#include <algorithm>

namespace zel::engine {

RegionList::RegionList(int lineCount)
    : lineFirst_(static_cast<std::size_t>(std::max(lineCount, 0)), 0),
      lineCount_(static_cast<std::size_t>(std::max(lineCount, 0)), 0) {}

bool RegionList::add(int line, int first, int last) {
    if (segment_count() >= kMaxSegments)
        return false;
    if (lineCount_[line] == 0)
        lineFirst_[line] = segment_count();
    ++lineCount_[line];
    segments_.push_back({first, last, line});
    return true;
}

bool RegionList::add_runs(int line, const unsigned char* data, int cols, unsigned char value) {
    int c = 0;
    while (c < cols) {
        if (data[c] != value) {
            ++c;
            continue;
        }
        const int first = c;
        while (c + 1 < cols && data[c + 1] == value)
            ++c;
        if (!add(line, first, c))
            return false;
        ++c;
    }
    return true;
}

bool RegionList::add_rows(unsigned char** mask, int cols, int rows, unsigned char value) {
    for (int y = 0; y < rows; ++y) {
        if (!add_runs(y, mask[y], cols, value))
            return false;
    }
    return true;
}

int RegionList::find(int i) {
    while (parent_[i] != i) {
        parent_[i] = parent_[parent_[i]];
        i = parent_[i];
    }
    return i;
}

void RegionList::merge() {
    const int n = segment_count();
    parent_.resize(n);
    for (int i = 0; i < n; ++i)
        parent_[i] = i;

    const int lines = static_cast<int>(lineCount_.size());
    for (int line = 1; line < lines; ++line) {
        if (lineCount_[line] == 0 || lineCount_[line - 1] == 0)
            continue;
        int a = lineFirst_[line];
        const int aEnd = a + lineCount_[line];
        int p = lineFirst_[line - 1];
        const int pEnd = p + lineCount_[line - 1];
        // Both lines' runs are sorted and disjoint: advance whichever ends first.
        while (a < aEnd && p < pEnd) {
            const Segment& sa = segments_[a];
            const Segment& sp = segments_[p];
            if (sa.first <= sp.last && sp.first <= sa.last) {
                const int ra = find(a);
                const int rp = find(p);
                // The smaller index as root keeps each region's lowest segment at its root.
                if (ra != rp)
                    parent_[std::max(ra, rp)] = std::min(ra, rp);
            }
            if (sa.last < sp.last)
                ++a;
            else
                ++p;
        }
    }

    // Regions in ascending order of their lowest segment: a segment that is its own root is
    // the lowest of its region, and it is met before every other member.
    regionOf_.assign(n, 0);
    std::vector<std::int32_t> sizes;
    for (int i = 0; i < n; ++i) {
        const int root = find(i);
        if (root == i) {
            regionOf_[i] = static_cast<std::int32_t>(sizes.size());
            sizes.push_back(0);
        } else {
            regionOf_[i] = regionOf_[root];
        }
        ++sizes[regionOf_[i]];
    }
    regionStart_.assign(sizes.size() + 1, 0);
    for (std::size_t r = 0; r < sizes.size(); ++r)
        regionStart_[r + 1] = regionStart_[r] + sizes[r];
    members_.resize(n);
    std::vector<std::int32_t> fill(regionStart_.begin(), regionStart_.end() - 1);
    for (int i = 0; i < n; ++i)
        members_[fill[regionOf_[i]]++] = i;
}

long RegionList::area(int r) const {
    long total = 0;
    for (const std::int32_t* s = region_begin(r); s != region_end(r); ++s)
        total += segments_[*s].last - segments_[*s].first + 1;
    return total;
}

} // namespace zel::engine
