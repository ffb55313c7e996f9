#pragma once
// Pictures and files that the image library tests make for themselves in their work folder.

#include "zel/imaging.h"

#include <string>

namespace zel::imaging::test {

// A colour array freed when it goes out of scope.
class Picture {
public:
    Picture(int cols, int rows);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    _pixel** rows() const { return m_arr; }
    int cols() const { return m_cols; }
    int height() const { return m_rows; }
    _pixel& at(int row, int col) const { return m_arr[row][col]; }

private:
    _pixel** m_arr;
    int m_cols;
    int m_rows;
};

inline _pixel rgb(int r, int g, int b) {
    return _pixel{static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                  static_cast<unsigned char>(b), 0};
}

inline _pixel rgb_of(const unsigned char* p) {
    return rgb(p[0], p[1], p[2]);
}

inline bool same_rgb(_pixel a, _pixel b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Every pixel a different colour, so misplaced rows or columns show.
void fill_pattern(const Picture& picture);

// work_dir() + '/' + name.
std::string work_file(const std::string& name);

// Where the library keeps its work file of this name (the process's work space).
std::string work_path_of(const std::string& name);

// Writes picture with the library (extension ext) to work_file(name); returns the path.
std::string save(const Picture& picture, const std::string& name, const std::string& ext);

// Writes bytes as they are.
void write_bytes(const std::string& path, const std::string& bytes);
std::string read_bytes(const std::string& path);

// A BMP file header and 24-bit information header claiming cols x rows, without pixels.
std::string bmp_header_bytes(int cols, int rows);

} // namespace zel::imaging::test
