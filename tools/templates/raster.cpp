#include "raster.h"

#include <algorithm>

namespace vyrgen {

Raster::Raster(int cols, int rows, int origin_col, int origin_row)
    : m_cols(cols), m_rows(rows), m_origin_col(origin_col), m_origin_row(origin_row),
      m_ink(static_cast<std::size_t>(cols) * rows, 0) {}

bool Raster::ink(int col, int row) const {
    if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
        return false;
    return m_ink[static_cast<std::size_t>(row) * m_cols + col] != 0;
}

void Raster::set(int col, int row, bool ink) {
    if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
        return;
    m_ink[static_cast<std::size_t>(row) * m_cols + col] = ink ? 1 : 0;
}

void Raster::stroke(const Polyline& line, double width) {
    const double r = width / 2;
    const double r2 = r * r;
    auto paint_segment = [&](Pt a, Pt b) {
        const int c0 = static_cast<int>(std::floor(std::min(a.x, b.x) - r)) + m_origin_col;
        const int c1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + r)) + m_origin_col;
        const int r0 = static_cast<int>(std::floor(std::min(a.y, b.y) - r)) + m_origin_row;
        const int r1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + r)) + m_origin_row;
        const Pt ab = b - a;
        const double len2 = ab.x * ab.x + ab.y * ab.y;
        for (int row = r0; row <= r1; ++row) {
            for (int col = c0; col <= c1; ++col) {
                const Pt p{static_cast<double>(col - m_origin_col),
                           static_cast<double>(row - m_origin_row)};
                double t = len2 > 0 ? ((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2 : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                const Pt d = p - (a + t * ab);
                if (d.x * d.x + d.y * d.y <= r2)
                    set(col, row, true);
            }
        }
    };
    if (line.size() == 1)
        paint_segment(line[0], line[0]);
    for (std::size_t i = 1; i < line.size(); ++i)
        paint_segment(line[i - 1], line[i]);
}

template <typename Paint> void Raster::for_polygon(const Polyline& outline, Paint&& paint) {
    const std::size_t n = outline.size();
    if (n < 3)
        return;
    std::vector<double> xs;
    for (int row = 0; row < m_rows; ++row) {
        const double y = row - m_origin_row;
        xs.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const Pt a = outline[i];
            const Pt b = outline[(i + 1) % n];
            if ((a.y <= y && y < b.y) || (b.y <= y && y < a.y))
                xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
            const int from = static_cast<int>(std::ceil(xs[k])) + m_origin_col;
            const int to = static_cast<int>(std::floor(xs[k + 1])) + m_origin_col;
            for (int col = from; col <= to; ++col)
                paint(col, row);
        }
    }
}

void Raster::fill(const Polyline& outline) {
    for_polygon(outline, [&](int col, int row) { set(col, row, true); });
}

void Raster::fill_disc(Pt centre, double radius) {
    stroke({centre}, 2 * radius);
}

void Raster::erase_disc(Pt centre, double radius) {
    for (int row = 0; row < m_rows; ++row) {
        for (int col = 0; col < m_cols; ++col) {
            const Pt d = Pt{static_cast<double>(col - m_origin_col),
                            static_cast<double>(row - m_origin_row)} -
                         centre;
            if (d.x * d.x + d.y * d.y <= radius * radius)
                set(col, row, false);
        }
    }
}

void Raster::merge_clipped(const Raster& layer, const Raster& clip) {
    for (std::size_t i = 0; i < m_ink.size(); ++i) {
        if (layer.m_ink[i] && clip.m_ink[i])
            m_ink[i] = 1;
    }
}

void Raster::remove_specks(int min_pixels) {
    std::vector<int> label(m_ink.size(), 0);
    std::vector<int> stack;
    std::vector<int> members;
    int next = 0;
    for (std::size_t start = 0; start < m_ink.size(); ++start) {
        if (!m_ink[start] || label[start])
            continue;
        ++next;
        members.clear();
        stack.assign(1, static_cast<int>(start));
        label[start] = next;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            members.push_back(at);
            const int col = at % m_cols;
            const int row = at / m_cols;
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    const int c = col + dc;
                    const int r = row + dr;
                    if (c < 0 || r < 0 || c >= m_cols || r >= m_rows)
                        continue;
                    const int i = r * m_cols + c;
                    if (m_ink[i] && !label[i]) {
                        label[i] = next;
                        stack.push_back(i);
                    }
                }
            }
        }
        if (static_cast<int>(members.size()) < min_pixels) {
            for (const int i : members)
                m_ink[i] = 0;
        }
    }
}

} // namespace vyrgen
