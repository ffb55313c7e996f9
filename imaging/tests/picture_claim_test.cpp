// Headers held against the file's length before anything is decoded: a file that claims more
// pixel data than it holds is refused, one that holds what it claims is left to the decoder.

#include "picture_header.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using zel::imaging::picture_claim;

namespace {

void le(std::string& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void be(std::string& out, unsigned value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::string bmp(int cols, int rows, int bits, int compression, const std::string& data) {
    const int palette = bits <= 8 ? 4 << bits : 0;
    std::string out = "BM";
    le(out, static_cast<unsigned>(54 + palette + data.size()), 4);
    le(out, 0, 4);
    le(out, static_cast<unsigned>(54 + palette), 4);
    le(out, 40, 4);
    le(out, static_cast<unsigned>(cols), 4);
    le(out, static_cast<unsigned>(rows), 4);
    le(out, 1, 2);
    le(out, static_cast<unsigned>(bits), 2);
    le(out, static_cast<unsigned>(compression), 4);
    out.append(20, '\0');
    return out + std::string(static_cast<std::size_t>(palette), '\0') + data;
}

std::string tga(int type, int cols, int rows, int bits, const std::string& data) {
    std::string out;
    out.push_back(0);
    out.push_back(0);
    out.push_back(static_cast<char>(type));
    out.append(9, '\0');
    le(out, static_cast<unsigned>(cols), 2);
    le(out, static_cast<unsigned>(rows), 2);
    out.push_back(static_cast<char>(bits));
    out.push_back(0);
    return out + data;
}

std::string psd(int cols, int rows, int compression, const std::string& data,
                unsigned resources = 0, const std::string& layers = {}) {
    std::string out = "8BPS";
    be(out, 1, 2);
    out.append(6, '\0');
    be(out, 3, 2); // channels
    be(out, static_cast<unsigned>(rows), 4);
    be(out, static_cast<unsigned>(cols), 4);
    be(out, 8, 2);
    be(out, 3, 2); // RGB
    be(out, 0, 4); // colour mode data
    be(out, resources, 4);
    be(out, static_cast<unsigned>(layers.size()), 4);
    out += layers;
    be(out, static_cast<unsigned>(compression), 2);
    return out + data;
}

std::string file(const std::string& name) {
    std::ifstream in(std::string(ZEL_IMAGING_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(ImagingPictureClaim, UncompressedBmpMustHoldItsRows) {
    // 10 x 4 at 24 bits: rows of 32 bytes (30 padded to a word).
    const auto whole = picture_claim("BMP", bmp(10, 4, 24, 0, std::string(4 * 32, 'x')));
    EXPECT_TRUE(whole.fits);
    EXPECT_EQ(whole.cols, 10);
    EXPECT_EQ(whole.rows, 4);
    EXPECT_TRUE(picture_claim("BMP", bmp(10, -4, 24, 0, std::string(4 * 32, 'x'))).fits);
    const auto cut = picture_claim("BMP", bmp(6000, 4000, 24, 0, std::string(2000, 'x')));
    EXPECT_FALSE(cut.fits);
    EXPECT_EQ(cut.cols, 6000); // the size is known even so
}

TEST(ImagingPictureClaim, RunLengthBmpMustReachItsEndOrLastRow) {
    const std::string endOfPicture("\x04\x07\x00\x01", 4);
    EXPECT_TRUE(picture_claim("BMP", bmp(4000, 4000, 8, 1, endOfPicture)).fits);
    // Two rows, each a run and an end of line.
    const std::string twoRows("\x04\x07\x00\x00\x04\x07\x00\x00", 8);
    EXPECT_TRUE(picture_claim("BMP", bmp(4, 2, 8, 1, twoRows)).fits);
    // Runs that end with the file, long before the picture does.
    std::string runs;
    for (int i = 0; i < 100; ++i)
        runs += "\xff\x05";
    EXPECT_FALSE(picture_claim("BMP", bmp(4000, 4000, 8, 1, runs)).fits);
    // A literal run that claims more bytes than follow.
    EXPECT_FALSE(picture_claim("BMP", bmp(40, 40, 8, 1, std::string("\x00\xf0\x01\x02", 4))).fits);
}

TEST(ImagingPictureClaim, TgaMustHoldItsPixelsRawOrInRuns) {
    EXPECT_TRUE(picture_claim("TGA", tga(2, 4, 3, 24, std::string(36, 'x'))).fits);
    EXPECT_FALSE(picture_claim("TGA", tga(2, 4, 3, 24, std::string(35, 'x'))).fits);
    // 12 pixels in one run packet of 12 (0x80 | 11) with one pixel value.
    EXPECT_TRUE(picture_claim("TGA", tga(10, 4, 3, 24, std::string("\x8b\x01\x02\x03", 4))).fits);
    EXPECT_FALSE(
        picture_claim("TGA", tga(10, 4000, 4000, 24, std::string("\xff\x10\x20\x30", 4))).fits);
    // A raw packet of 3 pixels whose values are cut short.
    EXPECT_FALSE(picture_claim("TGA", tga(10, 3, 1, 24, std::string("\x02\x01\x02\x03", 4))).fits);
}

TEST(ImagingPictureClaim, PsdMustHoldItsSectionsAndItsPicture) {
    // 4 x 2, three 8-bit channels: 24 raw bytes.
    EXPECT_TRUE(picture_claim("PSD", psd(4, 2, 0, std::string(24, 'x'))).fits);
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 0, std::string(23, 'x'))).fits);
    EXPECT_FALSE(picture_claim("PSD", psd(6000, 4000, 0, std::string(2000, 'x'))).fits);
    // Run-length: a table of six row lengths, then the rows.
    std::string table;
    for (int i = 0; i < 6; ++i)
        be(table, 2, 2);
    EXPECT_TRUE(picture_claim("PSD", psd(4, 2, 1, table + std::string(12, '\x7f'))).fits);
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 1, table + std::string(11, '\x7f'))).fits);
    // A resource section longer than the file, and a compression no decoder knows.
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 0, std::string(24, 'x'), 1000)).fits);
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 7, std::string(24, 'x'))).fits);
}

TEST(ImagingPictureClaim, PsdLayerListMustHoldTheLayersItCounts) {
    const std::string pixels(24, 'x');
    // A list of 70 bytes: its count, then room for two records of 34 bytes.
    const auto layers = [](unsigned listLength, unsigned count, std::size_t padding) {
        std::string out;
        be(out, listLength, 4);
        be(out, count, 2);
        return out + std::string(padding, '\0');
    };
    EXPECT_TRUE(picture_claim("PSD", psd(4, 2, 0, pixels, 0, layers(70, 2, 68))).fits);
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 0, pixels, 0, layers(70, 3, 68))).fits);
    // A negative count (the first layer's transparency is the merged picture's) by its size.
    EXPECT_TRUE(picture_claim("PSD", psd(4, 2, 0, pixels, 0, layers(70, 0xfffe, 68))).fits);
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 0, pixels, 0, layers(70, 0x8000, 68))).fits);
    // A list longer than the section around it.
    EXPECT_FALSE(picture_claim("PSD", psd(4, 2, 0, pixels, 0, layers(71, 2, 68))).fits);
    // An empty list: the section holds only masks or further data, left to the decoder.
    EXPECT_TRUE(picture_claim("PSD", psd(4, 2, 0, pixels, 0, layers(0, 0, 8))).fits);
    // The fuzzer's file: 16384 layers claimed in a section of 743 bytes.
    const std::string found = file("findings/psd-layer-count-beyond-its-list");
    EXPECT_FALSE(picture_claim("PSD", found.substr(2)).fits);
}

TEST(ImagingPictureClaim, JpegSizeComesFromItsFrameHeader) {
    std::string jpeg("\xff\xd8", 2);
    jpeg += std::string("\xff\xe1\x00\x06", 4) + "Exif"; // an application segment first
    jpeg += std::string("\xff\xc2\x00\x11\x08", 5);      // progressive frame, 8 bits
    be(jpeg, 3000, 2);
    be(jpeg, 4000, 2);
    jpeg.append(10, '\0');
    const auto claim = picture_claim("JPEG", jpeg);
    EXPECT_TRUE(claim.fits);
    EXPECT_EQ(claim.cols, 4000);
    EXPECT_EQ(claim.rows, 3000);
    EXPECT_EQ(picture_claim("JPEG", std::string("\xff\xd8\xff\xda", 4)).cols, 0);
}

// A JPEG of 3000 x 4000 stored, with an EXIF segment of the given byte order whose first
// directory holds the camera's maker and then the orientation; the segment may be cut short by
// cut bytes.
std::string jpeg_with_orientation(bool bigEndian, unsigned orientation, int cut = 0) {
    const auto put = [bigEndian](std::string& out, unsigned value, int bytes) {
        bigEndian ? be(out, value, bytes) : le(out, value, bytes);
    };
    std::string tiff = bigEndian ? "MM" : "II";
    put(tiff, 42, 2);
    put(tiff, 8, 4);
    put(tiff, 2, 2);
    put(tiff, 0x010f, 2); // the camera's maker, before the orientation
    put(tiff, 2, 2);
    put(tiff, 4, 4);
    put(tiff, 0, 4);
    put(tiff, 0x0112, 2);
    put(tiff, 3, 2);
    put(tiff, 1, 4);
    put(tiff, orientation, 2);
    put(tiff, 0, 2);
    put(tiff, 0, 4);
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    std::string jpeg("\xff\xd8\xff\xe1", 4);
    be(jpeg, static_cast<unsigned>(payload.size() + 2 - static_cast<std::size_t>(cut)), 2);
    jpeg += payload.substr(0, payload.size() - static_cast<std::size_t>(cut));
    jpeg += std::string("\xff\xc0\x00\x11\x08", 5);
    be(jpeg, 4000, 2);
    be(jpeg, 3000, 2);
    jpeg.append(10, '\0');
    return jpeg;
}

// A photo taken with the camera held sideways is stored as the camera lay; its EXIF orientation
// (5 to 8) turns it a quarter for viewing, in either byte order. Only what lies inside the
// segment is read.
TEST(ImagingPictureClaim, JpegTurnedByItsExifOrientation) {
    for (const bool bigEndian : {false, true}) {
        for (unsigned orientation = 0; orientation <= 9; ++orientation) {
            const auto claim = picture_claim("JPEG", jpeg_with_orientation(bigEndian, orientation));
            EXPECT_EQ(claim.cols, 3000);
            EXPECT_EQ(claim.rows, 4000);
            EXPECT_EQ(claim.turned, orientation >= 5 && orientation <= 8)
                << bigEndian << " " << orientation;
        }
    }
    // The orientation's entry cut off by the segment's end (the frame that follows is no part
    // of it).
    EXPECT_FALSE(picture_claim("JPEG", jpeg_with_orientation(false, 6, 12)).turned);
    EXPECT_EQ(picture_claim("JPEG", jpeg_with_orientation(false, 6, 12)).cols, 3000);
}

// The file that kept every reader busy for half a second claims 4112 x 4112 pixels of two bytes
// in 151 bytes.
TEST(ImagingPictureClaim, TheSlowTgaIsRefusedByItsHeader) {
    const std::string slow = file("tiny-claims-large.tga");
    ASSERT_EQ(slow.size(), 151u);
    const auto claim = picture_claim("TGA", slow);
    EXPECT_FALSE(claim.fits);
    EXPECT_EQ(claim.cols, 4112);
}
