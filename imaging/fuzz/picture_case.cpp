#include "picture_case.h"

#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace zel::imaging::fuzz {
namespace {

constexpr std::array<const char*, extension_choices> extensions = {
    "bmp", "jpg", "jpeg", "psd", "tga", "BMP", "JPG", "Tga", "png"};
constexpr std::array<int, 4> angles = {0, 30, 90, -45};
constexpr int reader_count = 6;

// The sizes the small readers are asked for; their arrays are exactly this large, so a
// reader that writes past them is caught by the address checker.
constexpr int small_cols = 48;
constexpr int small_rows = 40;

class Array {
public:
    Array(int cols, int rows) : m_arr(ppm_allocarray(cols, rows)), m_rows(rows) {
        if (m_arr == nullptr)
            std::abort();
    }
    ~Array() { ppm_freearray(m_arr, m_rows); }
    Array(const Array&) = delete;
    Array& operator=(const Array&) = delete;
    _pixel** rows() const { return m_arr; }

private:
    _pixel** m_arr;
    int m_rows;
};

void require(bool promise, const char* what) {
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

void quiet(const char*, const char*, zel::MessageIcon) {}

bool write_file(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Outcome outcome_of(bool read) {
    return read ? Outcome::read : Outcome::refused;
}

Outcome load(const char* path, int maxCols, int maxRows) {
    // The working-size array is made once: filling 2.7 MB afresh for every input would cost
    // more than reading most of them.
    static const Array working(720, 960);
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
    int got = 0;
    if (maxCols == 720 && maxRows == 960) {
        got = LoadGeneralImage(working.rows(), path, &cols, &rows, &hdr);
    } else {
        const Array small(maxCols, maxRows);
        got = LoadImageFromFile(small.rows(), path, &cols, &rows, &hdr, maxCols, maxRows);
    }
    if (got != 1)
        return Outcome::refused;
    require(cols >= 2 && rows >= 2 && cols <= maxCols && rows <= maxRows,
            "a loaded picture fits the maximum");
    return Outcome::read;
}

} // namespace

PictureCase picture_case(const std::uint8_t* data, std::size_t size) {
    PictureCase input;
    if (size < choice_bytes)
        return input;
    input.reader = static_cast<Reader>(data[0] % reader_count);
    input.angle = angles[(data[0] / reader_count) % angles.size()];
    input.extension = extensions[data[1] % extensions.size()];
    input.copyExtension = extensions[(data[1] / extensions.size()) % 5];
    input.file =
        std::string_view(reinterpret_cast<const char*>(data) + choice_bytes, size - choice_bytes);
    return input;
}

std::string choice_prefix(Reader reader, int extension) {
    std::string prefix(choice_bytes, '\0');
    prefix[0] = static_cast<char>(static_cast<int>(reader));
    prefix[1] = static_cast<char>(extension);
    return prefix;
}

const char* reader_name(Reader reader) {
    switch (reader) {
    case Reader::load_general:
        return "LoadGeneralImage";
    case Reader::load_from_file:
        return "LoadImageFromFile";
    case Reader::set_pixels:
        return "fget_set_pixels";
    case Reader::available:
        return "image_available";
    case Reader::background:
        return "image_get_bkgnd_color";
    case Reader::copy:
        return "imagefile_copy";
    }
    return "?";
}

std::string case_path(const PictureCase& input) {
    return zel::work_path("fuzz." + input.extension);
}

void write_case(const PictureCase& input) {
    const std::string path = case_path(input);
    if (path.empty() || !write_file(path, input.file))
        std::abort();
}

Outcome run_case(const PictureCase& input) {
    write_case(input);
    return read_case(input);
}

Outcome read_case(const PictureCase& input) {
    zel::set_message_handler(&quiet);
    const std::string path = case_path(input);
    const char* p = path.c_str();
    switch (input.reader) {
    case Reader::load_general:
        return load(p, 720, 960);
    case Reader::load_from_file:
        return load(p, small_cols, small_rows);
    case Reader::set_pixels: {
        Array arr(small_cols, small_rows);
        return outcome_of(fget_set_pixels(arr.rows(), p, small_cols, small_rows, input.angle) == 1);
    }
    case Reader::available: {
        int cols = -1;
        int rows = -1;
        if (image_available(p, &cols, &rows) != 1) {
            require(cols == 0 && rows == 0, "a refused probe reports no size");
            return Outcome::refused;
        }
        require(cols >= 1 && rows >= 1 && cols <= 16384 && rows <= 16384,
                "a probed size is within the library's limits");
        return Outcome::read;
    }
    case Reader::background: {
        _pixel colour{};
        return outcome_of(image_get_bkgnd_color(p, &colour) == 1);
    }
    case Reader::copy: {
        int cols = 0;
        int rows = 0;
        image_available(p, &cols, &rows);
        const std::string copy = zel::work_path("fuzz-copy." + input.copyExtension);
        if (imagefile_copy(copy.c_str(), p) != 1)
            return Outcome::refused;
        int copyCols = 0;
        int copyRows = 0;
        require(image_available(copy.c_str(), &copyCols, &copyRows) == 1 && copyCols == cols &&
                    copyRows == rows,
                "a copy reads back at the size of its source");
        return Outcome::read;
    }
    }
    return Outcome::refused;
}

} // namespace zel::imaging::fuzz
