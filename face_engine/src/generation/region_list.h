#pragma once
// The region list: connected regions of runs ("segments") of one value along the lines of a
// mask, the tool every region step of the segmentation is built on. Lines are rows, or columns
// in the column variant; a segment is a maximal run along one line. Segments are numbered in
// scan order (line by line, ascending along each line); two segments on neighbouring lines that
// share at least one coordinate belong to one region. Regions are numbered in ascending order
// of their lowest segment, so region 0 holds segment 0.
//
// The table is fixed at 65534 segments: adding the 65535th is an overflow, which each tool
// reports in its own way.

#include <cstdint>
#include <vector>

namespace zel::engine {

class RegionList {
public:
    struct Segment {
        std::int32_t first; // first coordinate along the line
        std::int32_t last;  // last coordinate (inclusive)
        std::int32_t line;
    };

    static constexpr int kMaxSegments = 65534;

    // Starts a list for lines numbered 0 .. lineCount - 1.
    explicit RegionList(int lineCount);

    // Appends a segment; lines must come in ascending order and runs along a line in ascending
    // order. False (nothing added) when the table is full.
    bool add(int line, int first, int last);
    // Appends every maximal run of value in line (cols bytes). False on overflow.
    bool add_runs(int line, const unsigned char* data, int cols, unsigned char value);
    // Builds the list of the runs of value along the rows of mask. False on overflow.
    bool add_rows(unsigned char** mask, int cols, int rows, unsigned char value);

    // Joins the segments into regions. Linear in the number of segments: each pair of
    // neighbouring lines is swept once and the regions are kept in a union-find forest.
    void merge();

    int segment_count() const { return static_cast<int>(segments_.size()); }
    const Segment& segment(int i) const { return segments_[i]; }
    int region_count() const {
        return regionStart_.empty() ? 0 : static_cast<int>(regionStart_.size()) - 1;
    }
    // The segment indices of region r, ascending.
    const std::int32_t* region_begin(int r) const { return &members_[regionStart_[r]]; }
    const std::int32_t* region_end(int r) const { return &members_[regionStart_[r + 1]]; }
    // The region a segment belongs to.
    int region_of(int segment) const { return regionOf_[segment]; }
    // Number of pixels of region r.
    long area(int r) const;

    // Calls f(line, coordinate) for every pixel of region r.
    template <typename F> void for_each_pixel(int r, F&& f) const {
        for (const std::int32_t* s = region_begin(r); s != region_end(r); ++s) {
            const Segment& seg = segments_[*s];
            for (int c = seg.first; c <= seg.last; ++c)
                f(seg.line, c);
        }
    }

private:
    int find(int i);

    std::vector<Segment> segments_;
    std::vector<std::int32_t> lineFirst_; // per line: index of its first segment
    std::vector<std::int32_t> lineCount_; // per line: number of its segments
    std::vector<std::int32_t> parent_;    // union-find forest over the segments
    std::vector<std::int32_t> regionOf_;
    std::vector<std::int32_t> regionStart_; // per region: offset into members_, plus an end
    std::vector<std::int32_t> members_;
};

} // namespace zel::engine
