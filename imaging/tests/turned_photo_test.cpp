// A camera held sideways stores its photo as the sensor saw it and records in an EXIF
// orientation tag how it is to be turned for viewing; every viewer shows it upright, and so
// must the readers here: a person's portrait is read upright, at its upright size.

#include "picture_fixtures.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zel::imaging::test;

namespace {

const _pixel red = rgb(220, 30, 30);
const _pixel green = rgb(30, 200, 30);
const _pixel blue = rgb(30, 30, 220);

// Upright: the top left quarter red, the top right green, the lower half blue.
Magick::Image upright_picture(int cols, int rows) {
    std::vector<unsigned char> bytes(3 * static_cast<std::size_t>(cols) * rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const _pixel p = y >= rows / 2 ? blue : x < cols / 2 ? red : green;
            unsigned char* out = &bytes[3 * (static_cast<std::size_t>(y) * cols + x)];
            out[0] = p.r;
            out[1] = p.g;
            out[2] = p.b;
        }
    }
    return Magick::Image(cols, rows, "RGB", Magick::CharPixel, bytes.data());
}

void put_le(std::string& out, unsigned value, int count) {
    for (int i = 0; i < count; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// An APP1 segment holding an EXIF block whose first directory has only the orientation tag.
std::string exif_segment(int orientation) {
    std::string tiff = "II";
    put_le(tiff, 42, 2);
    put_le(tiff, 8, 4);
    put_le(tiff, 1, 2);      // one entry
    put_le(tiff, 0x0112, 2); // Orientation
    put_le(tiff, 3, 2);      // SHORT
    put_le(tiff, 1, 4);
    put_le(tiff, static_cast<unsigned>(orientation), 4);
    put_le(tiff, 0, 4); // no next directory
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const std::size_t length = payload.size() + 2;
    return std::string("\xff\xe1", 2) + static_cast<char>(length >> 8) +
           static_cast<char>(length & 0xff) + payload;
}

// The upright picture stored turned as a camera stores it for the tag: 6 is shown turned a
// quarter clockwise, 8 a quarter anticlockwise, 3 a half turn.
std::string write_turned_jpeg(const std::string& name, int cols, int rows, int orientation) {
    Magick::Image stored = upright_picture(cols, rows);
    stored.rotate(orientation == 6 ? 270 : orientation == 8 ? 90 : 180);
    stored.quality(95);
    stored.magick("JPEG");
    Magick::Blob blob;
    stored.write(&blob);
    const std::string jpeg(static_cast<const char*>(blob.data()), blob.length());
    const std::string path = work_file(name);
    write_bytes(path, jpeg.substr(0, 2) + exif_segment(orientation) + jpeg.substr(2));
    return path;
}

// Near the colour, as a JPEG keeps flat colours.
bool near(_pixel a, _pixel b) {
    return std::abs(a.r - b.r) < 24 && std::abs(a.g - b.g) < 24 && std::abs(a.b - b.b) < 24;
}

// The delivered array (bottom row first) shows the upright picture.
void expect_upright(const Picture& arr, int cols, int rows) {
    const auto at = [&](int x, int y) { return arr.at(rows - 1 - y, x); };
    EXPECT_TRUE(near(at(cols / 4, rows / 4), red));
    EXPECT_TRUE(near(at(3 * cols / 4, rows / 4), green));
    EXPECT_TRUE(near(at(cols / 4, 3 * rows / 4), blue));
    EXPECT_TRUE(near(at(3 * cols / 4, 3 * rows / 4), blue));
}

// A photo loaded as the editor loads one, into the working size.
struct Loaded {
    Picture arr{720, 960};
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
};
void load(const std::string& path, Loaded& out) {
    ASSERT_EQ(LoadGeneralImage(out.arr.rows(), path.c_str(), &out.cols, &out.rows, &out.hdr), 1);
}

class ImagingTurnedPhoto : public ::testing::TestWithParam<int> {};

TEST_P(ImagingTurnedPhoto, LoadsUprightAtItsUprightSize) {
    const std::string path =
        write_turned_jpeg("turned" + std::to_string(GetParam()) + ".jpg", 120, 160, GetParam());
    Loaded photo;
    ASSERT_NO_FATAL_FAILURE(load(path, photo));
    EXPECT_EQ(photo.cols, 120);
    EXPECT_EQ(photo.rows, 160);
    EXPECT_EQ(photo.hdr.width, 120);
    EXPECT_EQ(photo.hdr.height, 160);
    expect_upright(photo.arr, photo.cols, photo.rows);

    int availableCols = 0;
    int availableRows = 0;
    ASSERT_EQ(image_available(path.c_str(), &availableCols, &availableRows), 1);
    EXPECT_EQ(availableCols, 120);
    EXPECT_EQ(availableRows, 160);
}

INSTANTIATE_TEST_SUITE_P(Orientations, ImagingTurnedPhoto, ::testing::Values(6, 8, 3));

// A camera-sized photo is decoded reduced; turned, it is still fitted to the working size by
// its upright size.
TEST(ImagingTurnedPhotoLarge, FitsByItsUprightSize) {
    const std::string path = write_turned_jpeg("turned_large.jpg", 3000, 4000, 6);
    Loaded photo;
    ASSERT_NO_FATAL_FAILURE(load(path, photo));
    EXPECT_EQ(photo.cols, 720);
    EXPECT_EQ(photo.rows, 960);
    EXPECT_EQ(photo.hdr.width, 3000);
    EXPECT_EQ(photo.hdr.height, 4000);
    expect_upright(photo.arr, photo.cols, photo.rows);
}

} // namespace
