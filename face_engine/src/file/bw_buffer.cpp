#include "file/bw_buffer.h"

#include <cstring>

namespace zel::engine {

BwBuffer& BwBuffer::operator=(const BwBuffer& other) {
    if (this != &other) {
        m_cols = other.m_cols;
        m_rows = other.m_rows;
        m_pixels = other.m_pixels;
        link_rows();
    }
    return *this;
}

void BwBuffer::reset(int cols, int rows, unsigned char fill) {
    m_cols = cols > 0 && rows > 0 ? cols : 0;
    m_rows = cols > 0 && rows > 0 ? rows : 0;
    m_pixels.assign(static_cast<std::size_t>(m_cols) * static_cast<std::size_t>(m_rows), fill);
    link_rows();
}

void BwBuffer::link_rows() {
    m_rowTable.resize(static_cast<std::size_t>(m_rows));
    for (int r = 0; r < m_rows; ++r)
        m_rowTable[static_cast<std::size_t>(r)] =
            m_pixels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(m_cols);
}

void BwBuffer::copy_from(unsigned char* const* source, int cols, int rows, bool flip) {
    reset(cols, rows);
    for (int r = 0; r < m_rows; ++r)
        std::memcpy(m_rowTable[static_cast<std::size_t>(r)], source[flip ? m_rows - 1 - r : r],
                    static_cast<std::size_t>(m_cols));
}

void BwBuffer::copy_to(unsigned char** target, bool flip) const {
    for (int r = 0; r < m_rows; ++r)
        std::memcpy(target[flip ? m_rows - 1 - r : r], m_rowTable[static_cast<std::size_t>(r)],
                    static_cast<std::size_t>(m_cols));
}

} // namespace zel::engine
