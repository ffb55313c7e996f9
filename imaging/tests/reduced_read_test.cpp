// Large pictures are read already reduced (a JPEG by its decoder's scaling, a plain 24-bit BMP
// by averaging boxes of pixels while it is read) and then zoomed as before: the delivered
// size is exactly what a zoom of the whole picture gives, and the pixels stay within a few
// levels of it (on this scene, with texture near the finest the working size can show, about
// one level on average and at most 7).

#include "picture_fixtures.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace zel::imaging::test;

namespace {

constexpr int stored_cols = 3000;
constexpr int stored_rows = 2250;

// A photograph-like picture: light across the scene, objects with sharp edges, fine texture
// and a little noise.
std::vector<unsigned char> scene(int cols, int rows) {
    std::vector<unsigned char> rgb(3 * static_cast<std::size_t>(cols) * rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const double u = static_cast<double>(x) / cols;
            const double v = static_cast<double>(y) / rows;
            const bool object = (u - 0.4) * (u - 0.4) + (v - 0.5) * (v - 0.5) < 0.05;
            const double light = 140 + 70 * std::sin(3 * u + 2 * v);
            const double texture = 15 * std::sin(x * 0.8) * std::sin(y * 0.6);
            const unsigned noise = (static_cast<unsigned>(x) * 2654435761u ^ y * 40503u) >> 27;
            const double base = light + texture + noise + (object ? -60 : 0);
            const std::size_t i = 3 * (static_cast<std::size_t>(y) * cols + x);
            rgb[i] = static_cast<unsigned char>(std::clamp(base, 0.0, 255.0));
            rgb[i + 1] = static_cast<unsigned char>(std::clamp(base * 0.8 + 20, 0.0, 255.0));
            rgb[i + 2] =
                static_cast<unsigned char>(std::clamp(object ? 200.0 : base * 0.6, 0.0, 255.0));
        }
    }
    return rgb;
}

std::string write_scene(const std::string& name, const std::string& magick, int cols = stored_cols,
                        int rows = stored_rows) {
    const std::vector<unsigned char> rgb = scene(cols, rows);
    Magick::Image picture(cols, rows, "RGB", Magick::CharPixel, rgb.data());
    picture.type(Magick::TrueColorType);
    picture.quality(92);
    const std::string path = work_file(name);
    picture.write(magick + ":" + path);
    return path;
}

// What the readers delivered before they read reduced: the whole picture zoomed (aspect kept)
// to cols x rows, bottom row first.
std::vector<_pixel> whole_zoomed(const std::string& path, int cols, int rows) {
    Magick::Image picture(path);
    picture.zoom(Magick::Geometry(static_cast<std::size_t>(cols), static_cast<std::size_t>(rows)));
    const int w = static_cast<int>(picture.columns());
    const int h = static_cast<int>(picture.rows());
    std::vector<unsigned char> rgb(3 * static_cast<std::size_t>(w) * h);
    picture.write(0, 0, w, h, "RGB", Magick::CharPixel, rgb.data());
    std::vector<_pixel> out(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = &rgb[3 * (static_cast<std::size_t>(y) * w + x)];
            out[static_cast<std::size_t>(h - 1 - y) * w + x] = rgb_of(p);
        }
    return out;
}

struct Difference {
    double mean = 0;
    int most = 0;
};

Difference difference(const Picture& got, const std::vector<_pixel>& expected, int cols, int rows) {
    Difference d;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const _pixel a = got.at(r, c);
            const _pixel b = expected[static_cast<std::size_t>(r) * cols + c];
            for (const int delta : {a.r - b.r, a.g - b.g, a.b - b.b}) {
                d.mean += std::abs(delta);
                d.most = std::max(d.most, std::abs(delta));
            }
        }
    d.mean /= 3.0 * cols * rows;
    return d;
}

class ImagingReducedRead : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST_P(ImagingReducedRead, PhotographLoadsAtTheWorkingSizeCloseToTheWholeZoom) {
    const std::string ext = GetParam();
    const std::string path = write_scene("camera." + ext, ext == "jpg" ? "JPEG" : "BMP3");
    Picture arr(720, 960);
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
    ASSERT_EQ(LoadGeneralImage(arr.rows(), path.c_str(), &cols, &rows, &hdr), 1);
    EXPECT_EQ(cols, 720);
    EXPECT_EQ(rows, 540);
    // The header keeps the picture's own size, also when it came through the work file.
    EXPECT_EQ(hdr.width, stored_cols);
    EXPECT_EQ(hdr.height, stored_rows);
    const Difference d = difference(arr, whole_zoomed(path, 720, 960), cols, rows);
    EXPECT_LE(d.mean, 1.5);
    EXPECT_LE(d.most, 8);

    int probedCols = 0;
    int probedRows = 0;
    EXPECT_EQ(image_available(path.c_str(), &probedCols, &probedRows), 1);
    EXPECT_EQ(probedCols, stored_cols);
    EXPECT_EQ(probedRows, stored_rows);

    // Zoomed to an exact size, the picture is padded from its delivered 400 x 300.
    Picture exact(400, 320);
    ASSERT_EQ(fget_set_pixels(exact.rows(), path.c_str(), 400, 320, 0), 1);
    const Difference e = difference(exact, whole_zoomed(path, 400, 320), 400, 300);
    EXPECT_LE(e.mean, 1.5);
    EXPECT_LE(e.most, 8);
    for (int r = 300; r < 320; ++r)
        ASSERT_TRUE(same_rgb(exact.at(r, 17), exact.at(299, 17)));
}

INSTANTIATE_TEST_SUITE_P(Formats, ImagingReducedRead, ::testing::Values("jpg", "bmp"));

// The work file holds the picture already shrunk, not the camera-sized one.
TEST(ImagingReducedRead, TheWorkFileHoldsTheDeliveredSize) {
    const std::string path = write_scene("work.jpg", "JPEG");
    Picture arr(720, 960);
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
    ASSERT_EQ(LoadGeneralImage(arr.rows(), path.c_str(), &cols, &rows, &hdr), 1);
    int workCols = 0;
    int workRows = 0;
    ASSERT_EQ(image_available(work_path_of("zeledittmpx.bmp").c_str(), &workCols, &workRows), 1);
    EXPECT_EQ(workCols, 720);
    EXPECT_EQ(workRows, 540);
}

// A BMP stored top line first (negative height) reads the same as one stored bottom line first.
TEST(ImagingReducedRead, TopDownBmpKeepsItsOrientation) {
    const std::string bottomUp = write_scene("up.bmp", "BMP3");
    std::string bytes = read_bytes(bottomUp);
    const std::size_t offset = 54;
    const std::size_t stride = (3 * stored_cols + 3) / 4 * 4;
    std::string flipped = bytes.substr(0, offset);
    for (int r = stored_rows - 1; r >= 0; --r)
        flipped += bytes.substr(offset + static_cast<std::size_t>(r) * stride, stride);
    const std::int32_t height = -stored_rows;
    for (int i = 0; i < 4; ++i)
        flipped[22 + i] = static_cast<char>((static_cast<std::uint32_t>(height) >> (8 * i)) & 0xff);
    const std::string topDown = work_file("down.bmp");
    write_bytes(topDown, flipped);

    Picture a(720, 960);
    Picture b(720, 960);
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
    ASSERT_EQ(LoadGeneralImage(a.rows(), bottomUp.c_str(), &cols, &rows, &hdr), 1);
    ASSERT_EQ(LoadGeneralImage(b.rows(), topDown.c_str(), &cols, &rows, &hdr), 1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            ASSERT_TRUE(same_rgb(a.at(r, c), b.at(r, c))) << r << ", " << c;
}

// A JPEG no larger than twice the size it is wanted at is decoded whole, never enlarged by the
// decoder only to be zoomed back down: at the working size it is delivered exactly as stored,
// and zoomed up to a larger exact size it matches the zoom of the whole picture.
TEST(ImagingReducedRead, SmallJpegIsDecodedAtItsStoredSize) {
    const std::string path = write_scene("small.jpg", "JPEG", 600, 450);
    Picture arr(720, 960);
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
    ASSERT_EQ(LoadGeneralImage(arr.rows(), path.c_str(), &cols, &rows, &hdr), 1);
    ASSERT_EQ(cols, 600);
    ASSERT_EQ(rows, 450);
    EXPECT_EQ(difference(arr, whole_zoomed(path, 600, 450), cols, rows).most, 0);

    Picture larger(800, 600);
    ASSERT_EQ(fget_set_pixels(larger.rows(), path.c_str(), 800, 600, 0), 1);
    EXPECT_EQ(difference(larger, whole_zoomed(path, 800, 600), 800, 600).most, 0);
}
