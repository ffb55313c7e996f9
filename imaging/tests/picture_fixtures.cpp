#include "picture_fixtures.h"

#include "zel/common/work_folder.h"
#include "zel/testing/test_env.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zel::imaging::test {

Picture::Picture(int cols, int rows)
    : m_arr(ppm_allocarray(cols, rows)), m_cols(cols), m_rows(rows) {
    if (m_arr == nullptr)
        throw std::runtime_error("cannot allocate test picture");
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            m_arr[r][c] = rgb(0, 0, 0);
}

Picture::~Picture() {
    ppm_freearray(m_arr, m_rows);
}

void fill_pattern(const Picture& picture) {
    for (int r = 0; r < picture.height(); ++r)
        for (int c = 0; c < picture.cols(); ++c)
            picture.at(r, c) = rgb(r * 7 % 256, c * 5 % 256, (r + c) % 256);
}

std::string work_file(const std::string& name) {
    return zel::testing::work_dir() + "/" + name;
}

std::string work_path_of(const std::string& name) {
    return zel::work_path(name);
}

std::string save(const Picture& picture, const std::string& name, const std::string& ext) {
    const std::string path = work_file(name);
    if (save_pixels(picture.rows(), picture.cols(), picture.height(), path.c_str(), ext.c_str()) !=
        1)
        throw std::runtime_error("cannot write " + path);
    return path;
}

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {
void put(std::string& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}
} // namespace

std::string bmp_header_bytes(int cols, int rows) {
    std::string out = "BM";
    put(out, 54, 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, static_cast<unsigned>(cols), 4);
    put(out, static_cast<unsigned>(rows), 4);
    put(out, 1, 2);
    put(out, 24, 2);
    out.append(4 * 6, '\0');
    return out;
}

} // namespace zel::imaging::test
