#include "picture_fixtures.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace zel::imaging::test;
namespace fs = std::filesystem;

namespace {

struct Loaded {
    int result = 0;
    int cols = 0;
    int rows = 0;
    _BmpHeader hdr{};
};

Loaded load(const Picture& into, const std::string& path) {
    Loaded out;
    out.result = LoadGeneralImage(into.rows(), path.c_str(), &out.cols, &out.rows, &out.hdr);
    return out;
}

void expect_same_pixels(const Picture& a, const Picture& b, int cols, int rows) {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            ASSERT_TRUE(same_rgb(a.at(r, c), b.at(r, c))) << "row " << r << " col " << c;
}

} // namespace

TEST(ImagingPictureFiles, BmpRoundTripKeepsEveryPixelAndReportsTheHeader) {
    Picture picture(37, 23);
    fill_pattern(picture);
    const std::string path = save(picture, "round.bmp", "bmp");
    EXPECT_EQ(read_bytes(path).substr(0, 2), "BM"); // a real BMP, not raw samples
    Picture back(720, 960);
    const Loaded got = load(back, path);
    ASSERT_EQ(got.result, 1);
    EXPECT_EQ(got.cols, 37);
    EXPECT_EQ(got.rows, 23);
    EXPECT_EQ(got.hdr.type, 19778);
    EXPECT_EQ(got.hdr.width, 37);
    EXPECT_EQ(got.hdr.height, 23);
    EXPECT_EQ(got.hdr.info_size, 40u);
    EXPECT_EQ(got.hdr.bit_count, 32);
    EXPECT_EQ(got.hdr.compression, 0u);
    expect_same_pixels(picture, back, 37, 23);
}

TEST(ImagingPictureFiles, OtherFormatsLoadThroughTheWorkFolderNotTheCurrentFolder) {
    Picture picture(40, 30);
    fill_pattern(picture);
    const fs::path elsewhere = work_file("cwd");
    fs::create_directory(elsewhere);
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere);
    for (const std::string ext : {"Tga", "PSD", "JPG", "jpeg"}) {
        SCOPED_TRACE(ext);
        const std::string path = save(picture, "photo." + ext, ext);
        Picture back(720, 960);
        const Loaded got = load(back, path);
        ASSERT_EQ(got.result, 1);
        EXPECT_EQ(got.cols, 40);
        EXPECT_EQ(got.rows, 30);
        if (ext == "Tga" || ext == "PSD")
            expect_same_pixels(picture, back, 40, 30);
    }
    fs::current_path(before);
    EXPECT_TRUE(fs::exists(work_file("zeledittmpx.bmp")));
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

TEST(ImagingPictureFiles, UnlistedFormatsAndNamesWithoutExtensionAreRefused) {
    Picture picture(8, 8);
    EXPECT_EQ(save_pixels(picture.rows(), 8, 8, work_file("x.gif").c_str(), "gif"), 0);
    EXPECT_FALSE(fs::exists(work_file("x.gif")));
    const std::string bmp = save(picture, "plain.bmp", "bmp");
    fs::copy_file(bmp, work_file("picture.gif"));
    fs::copy_file(bmp, work_file("noext"));
    Picture back(720, 960);
    EXPECT_EQ(load(back, work_file("picture.gif")).result, 0);
    EXPECT_EQ(load(back, work_file("noext")).result, 0);
}

// The content decides the decoder, as long as it is one of the listed raster formats; PNG is
// not read, whatever the file is called.
TEST(ImagingPictureFiles, ContentDecidesAmongListedFormatsAndPngIsNotRead) {
    Picture picture(40, 30);
    fill_pattern(picture);
    const std::string bmp = save(picture, "real.bmp", "bmp");
    fs::copy_file(bmp, work_file("named.jpg"));
    Picture back(720, 960);
    int cols = 0, rows = 0;
    ASSERT_EQ(fget_pixels(back.rows(), &cols, &rows, work_file("named.jpg").c_str(), 720, 960), 1);
    EXPECT_EQ(cols, 40);
    expect_same_pixels(picture, back, 40, 30);

    const std::string png = work_file("drawing.png");
    Magick::Image(bmp).write("PNG:" + png);
    ASSERT_EQ(read_bytes(png).substr(1, 3), "PNG");
    fs::copy_file(png, work_file("drawing.bmp"));
    zel::MessageHandler previous =
        zel::set_message_handler([](const char*, const char*, zel::MessageIcon) {});
    for (const std::string& path : {png, work_file("drawing.bmp")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(fget_pixels(back.rows(), &cols, &rows, path.c_str(), 720, 960), 0);
        EXPECT_EQ(image_available(path.c_str(), &cols, &rows), 0);
    }
    zel::set_message_handler(previous);
}

// A photo renamed to .bmp that is another listed format (a JPEG, say) loads as what it is, and
// its header tells its own size, not numbers made of its other bytes.
TEST(ImagingPictureFiles, AJpegNamedBmpLoadsWithItsOwnSizeInTheHeader) {
    Picture picture(40, 30);
    fill_pattern(picture);
    const std::string jpeg = save(picture, "photo.jpg", "jpg");
    fs::copy_file(jpeg, work_file("photo_named.bmp"));
    Picture back(720, 960);
    const Loaded got = load(back, work_file("photo_named.bmp"));
    ASSERT_EQ(got.result, 1);
    EXPECT_EQ(got.cols, 40);
    EXPECT_EQ(got.rows, 30);
    EXPECT_EQ(got.hdr.width, 40);
    EXPECT_EQ(got.hdr.height, 30);
}

// A photo stored in printing inks (a CMYK JPEG from a print workflow, a CMYK PSD) is read in its
// own colours by every reader, not with its ink amounts taken for red, green and blue.
TEST(ImagingPictureFiles, ACmykPhotoIsReadInItsOwnColours) {
    const _pixel colour = rgb(200, 120, 60);
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 60 * 40; ++i)
        bytes.insert(bytes.end(), {colour.r, colour.g, colour.b});
    for (const std::string magick : {"JPEG", "PSD"}) {
        SCOPED_TRACE(magick);
        Magick::Image picture(60, 40, "RGB", Magick::CharPixel, bytes.data());
        picture.colorSpace(Magick::CMYKColorspace);
        picture.quality(95);
        const std::string path =
            work_file("cmyk." + (magick == "JPEG" ? std::string("jpg") : "psd"));
        picture.write(magick + ":" + path);
        ASSERT_EQ(Magick::Image(path).colorSpace(), Magick::CMYKColorspace);

        const auto near = [&](_pixel p) {
            return std::abs(p.r - colour.r) <= 8 && std::abs(p.g - colour.g) <= 8 &&
                   std::abs(p.b - colour.b) <= 8;
        };
        Picture back(720, 960);
        int cols = 0, rows = 0;
        ASSERT_EQ(fget_pixels(back.rows(), &cols, &rows, path.c_str(), 720, 960), 1);
        EXPECT_TRUE(near(back.at(20, 30)));
        ASSERT_EQ(load(back, path).result, 1);
        EXPECT_TRUE(near(back.at(20, 30)));
        ASSERT_EQ(fget_set_pixels(back.rows(), path.c_str(), 30, 20, 0), 1);
        EXPECT_TRUE(near(back.at(10, 15)));
    }
}

// Photographs often carry metadata that Magick finds damaged; their pixels are sound.
TEST(ImagingPictureFiles, AJpegWithDamagedMetadataIsRead) {
    Picture picture(40, 30);
    fill_pattern(picture);
    const std::string jpeg = read_bytes(save(picture, "plain.jpg", "jpg"));
    // An XMP packet whose XML is cut short, right after the start-of-image marker.
    const std::string xmp =
        std::string("http://ns.adobe.com/xap/1.0/") + '\0' + "<x:xmpmeta xmlns:x='adobe:ns:meta/'";
    const std::size_t length = xmp.size() + 2;
    const std::string segment = std::string("\xFF\xE1") + static_cast<char>(length >> 8) +
                                static_cast<char>(length & 0xFF) + xmp;
    const std::string path = work_file("metadata.jpg");
    write_bytes(path, jpeg.substr(0, 2) + segment + jpeg.substr(2));
    Picture back(720, 960);
    int cols = 0, rows = 0;
    ASSERT_EQ(fget_pixels(back.rows(), &cols, &rows, path.c_str(), 720, 960), 1);
    EXPECT_EQ(cols, 40);
    EXPECT_EQ(rows, 30);
    EXPECT_EQ(image_available(path.c_str(), &cols, &rows), 1);
}

// A palette picture copied to PSD reads back: Magick writes one in indexed mode that it then
// cannot read, so the copy is written with its colours whole.
TEST(ImagingPictureFiles, APalettePictureCopiedToPsdReadsBack) {
    Magick::Image palette(Magick::Geometry(20, 10), Magick::Color("red"));
    palette.fillColor(Magick::Color("blue"));
    palette.draw(Magick::DrawableRectangle(5, 2, 10, 8));
    palette.type(Magick::PaletteType);
    const std::string source = work_file("palette.bmp");
    palette.write("BMP3:" + source);
    const std::string copy = work_file("palette-copy.psd");
    ASSERT_EQ(imagefile_copy(copy.c_str(), source.c_str()), 1);
    int cols = 0, rows = 0;
    ASSERT_EQ(image_available(copy.c_str(), &cols, &rows), 1);
    EXPECT_EQ(cols, 20);
    Picture original(720, 960);
    Picture back(720, 960);
    ASSERT_EQ(fget_pixels(original.rows(), &cols, &rows, source.c_str(), 720, 960), 1);
    ASSERT_EQ(fget_pixels(back.rows(), &cols, &rows, copy.c_str(), 720, 960), 1);
    expect_same_pixels(original, back, 20, 10);
}

// A picture read from fewer than 8 bits a sample (this one from a TGA whose palette entries
// take 9 bits) copied to TGA reads back at its size.
TEST(ImagingPictureFiles, AShallowPictureCopiedToTgaReadsBack) {
    const std::string found =
        read_bytes(std::string(ZEL_IMAGING_TEST_DATA) + "/findings/tga-shallow-copied-to-tga");
    const std::string source = work_file("shallow.tga");
    write_bytes(source, found.substr(2));
    int cols = 0, rows = 0;
    ASSERT_EQ(image_available(source.c_str(), &cols, &rows), 1);
    ASSERT_EQ(cols, 4);
    ASSERT_EQ(rows, 9);
    const std::string copy = work_file("shallow-copy.tga");
    ASSERT_EQ(imagefile_copy(copy.c_str(), source.c_str()), 1);
    ASSERT_EQ(image_available(copy.c_str(), &cols, &rows), 1);
    EXPECT_EQ(cols, 4);
    EXPECT_EQ(rows, 9);
    Picture original(720, 960);
    Picture back(720, 960);
    ASSERT_EQ(fget_pixels(original.rows(), &cols, &rows, source.c_str(), 720, 960), 1);
    ASSERT_EQ(fget_pixels(back.rows(), &cols, &rows, copy.c_str(), 720, 960), 1);
    expect_same_pixels(original, back, 4, 9);
}

// The library keeps the pixel memory of one picture size between saves; each file must still
// hold its own picture, also after an encoder has found a picture grey.
TEST(ImagingPictureFiles, SavesOfOneSizeEachWriteTheirOwnPicture) {
    Picture grey(40, 30);
    Picture colour(40, 30);
    set_imgcolor(grey.rows(), 40, 30, rgb(90, 90, 90));
    fill_pattern(colour);
    for (const std::string ext : {"tga", "psd", "bmp"}) {
        SCOPED_TRACE(ext);
        const std::string first = save(grey, "grey." + ext, ext);
        const std::string second = save(colour, "colour." + ext, ext);
        Picture back(720, 960);
        ASSERT_EQ(load(back, second).result, 1);
        expect_same_pixels(colour, back, 40, 30);
        ASSERT_EQ(load(back, first).result, 1);
        expect_same_pixels(grey, back, 40, 30);
    }
}

// A dot in a folder's name is no extension: the picture stays in its folder under its own name.
TEST(ImagingPictureFiles, APictureSavedInAFolderWithADotStaysThere) {
    const fs::path folder = work_file("my.pictures");
    fs::create_directories(folder);
    Picture picture(6, 5);
    fill_pattern(picture);
    const std::string name = (folder / "smile").string();
    ASSERT_EQ(save_pixels(picture.rows(), 6, 5, name.c_str(), "bmp"), 1);
    EXPECT_TRUE(fs::exists(name + ".bmp"));
    EXPECT_FALSE(fs::exists(work_file("my.bmp")));
}

TEST(ImagingPictureFiles, LargePicturesAreShrunkKeepingTheirAspect) {
    Picture wide(1440, 960);
    Picture tall(600, 2000);
    Picture back(720, 960);
    EXPECT_EQ(load(back, save(wide, "wide.bmp", "bmp")).cols, 720);
    EXPECT_EQ(load(back, work_file("wide.bmp")).rows, 480);
    const Loaded got = load(back, save(tall, "tall.bmp", "bmp"));
    EXPECT_EQ(got.cols, 288);
    EXPECT_EQ(got.rows, 960);
    EXPECT_EQ(got.hdr.height, 2000); // the header keeps the stored size
}

TEST(ImagingExactSize, ZoomsThenRepeatsTheTopLineAndRightEdge) {
    Picture picture(300, 400);
    fill_pattern(picture);
    const std::string path = save(picture, "p.bmp", "bmp");
    Picture out(120, 240);
    ASSERT_EQ(fget_set_pixels(out.rows(), path.c_str(), 120, 240, 0), 1);
    for (int r = 160; r < 240; ++r)
        ASSERT_TRUE(same_rgb(out.at(r, 50), out.at(159, 50)));
    Picture wide(240, 120);
    ASSERT_EQ(fget_set_pixels(wide.rows(), path.c_str(), 240, 120, 0), 1);
    for (int c = 89; c < 240; ++c)
        ASSERT_TRUE(same_rgb(wide.at(60, c), wide.at(60, 89)));
}

TEST(ImagingExactSize, RotationPaintsOpenedCornersInThePictureColour) {
    Picture picture(100, 100);
    set_imgcolor(picture.rows(), 100, 100, rgb(0, 0, 200));
    for (int r = 30; r < 70; ++r)
        for (int c = 30; c < 70; ++c)
            picture.at(r, c) = rgb(120, 60, 30);
    const std::string path = save(picture, "rot.bmp", "bmp");
    Picture out(200, 200);
    ASSERT_EQ(fget_set_pixels(out.rows(), path.c_str(), 200, 200, 45), 1);
    EXPECT_TRUE(fs::exists(work_file("tmp_rtt.bmp")));
    EXPECT_TRUE(same_rgb(out.at(0, 0), rgb(0, 0, 200)));
    EXPECT_TRUE(same_rgb(out.at(199, 199), rgb(0, 0, 200)));
    EXPECT_TRUE(same_rgb(out.at(100, 100), rgb(120, 60, 30)));
}

TEST(ImagingProbe, SizeBackgroundCopyAndSharedPicture) {
    Picture picture(60, 50);
    set_imgcolor(picture.rows(), 60, 50, rgb(0, 0, 255));
    picture.at(25, 30) = rgb(1, 2, 3);
    const std::string path = save(picture, "probe.bmp", "bmp");
    int cols = -1, rows = -1;
    EXPECT_EQ(image_available(path.c_str(), &cols, &rows), 1);
    EXPECT_EQ(cols, 60);
    EXPECT_EQ(rows, 50);

    _pixel bg{};
    EXPECT_EQ(image_get_bkgnd_color(path.c_str(), &bg), 1);
    EXPECT_TRUE(same_rgb(bg, rgb(0, 0, 255)));
    Picture thin(4, 100);
    EXPECT_EQ(image_get_bkgnd_color(save(thin, "thin.bmp", "bmp").c_str(), &bg), 0);

    const std::string copy = work_file("copy.tga");
    EXPECT_EQ(imagefile_copy(copy.c_str(), path.c_str()), 1);
    EXPECT_EQ(image_available(copy.c_str(), &cols, &rows), 1);
    EXPECT_EQ(cols, 60);

    EXPECT_EQ(Mimage_read(path.c_str()), 1);
    EXPECT_EQ(Mimage_save(work_file("shared").c_str(), copy.c_str()), 1);
    EXPECT_EQ(read_bytes(work_file("shared.bmp")).substr(0, 2), "BM");
}

// A copy or save goes only to the listed picture formats: another extension would pick any of
// Magick's encoders, some of which write other files beside the target or hand the picture to
// outside programs (printers, players), and most of which write no picture the system reads.
TEST(ImagingProbe, CopiesAndSavesGoOnlyToListedFormats) {
    Picture picture(12, 9);
    fill_pattern(picture);
    const std::string source = save(picture, "listed-source.bmp", "bmp");
    const fs::path folder = work_file("unlisted");
    fs::create_directories(folder);
    for (const char* ext : {"txt", "html", "svg", "mvg", "png", "gif", "msl", "ps", "bmp2"}) {
        SCOPED_TRACE(ext);
        const std::string copy = (folder / (std::string("copy.") + ext)).string();
        EXPECT_EQ(imagefile_copy(copy.c_str(), source.c_str()), 0);
        const std::string saved = (folder / (std::string("saved.") + ext)).string();
        EXPECT_EQ(Mimage_save(saved.c_str(), source.c_str()), 0);
    }
    EXPECT_TRUE(fs::is_empty(folder));

    // Every listed extension in any case, and names Magick would read as a coder prefix, which
    // here are plain file names.
    for (const char* name : {"copy.bmp", "copy.JPG", "copy.jpeg", "copy.Psd", "copy.tga",
                             "msl:copy.bmp", "ephemeral:copy.tga"}) {
        SCOPED_TRACE(name);
        const std::string copy = (folder / name).string();
        int cols = 0, rows = 0;
        ASSERT_EQ(imagefile_copy(copy.c_str(), source.c_str()), 1);
        EXPECT_EQ(image_available(copy.c_str(), &cols, &rows), 1);
        EXPECT_EQ(cols, 12);
        const std::string saved = (folder / (std::string("saved-") + name)).string();
        ASSERT_EQ(Mimage_save(saved.c_str(), copy.c_str()), 1);
        EXPECT_EQ(image_available(saved.c_str(), &cols, &rows), 1);
        EXPECT_EQ(rows, 9);
    }
    // Without an extension a copy keeps the source's format and a save becomes a BMP.
    const std::string bare = (folder / "bare").string();
    ASSERT_EQ(imagefile_copy(bare.c_str(), (folder / "copy.Psd").c_str()), 1);
    EXPECT_EQ(read_bytes(bare).substr(0, 4), "8BPS");
    ASSERT_EQ(Mimage_save(bare.c_str(), (folder / "copy.tga").c_str()), 1);
    EXPECT_EQ(read_bytes(bare + ".bmp").substr(0, 2), "BM");
}

// Magick writes a format it has no encoder for in the picture's own format, as if it had.
TEST(ImagingProbe, AConversionToAFormatWithoutAnEncoderFailsAndWritesNothing) {
    Picture picture(8, 6);
    fill_pattern(picture);
    const std::string path = save(picture, "convert.psd", "psd");
    const std::string out = work_file("converted.bmp");
    EXPECT_EQ(imageFmtConvert(path.c_str(), out.c_str(), "NOSUCHFORMAT"), 0);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(imageFmtConvert(path.c_str(), out.c_str(), "BMP3"), 1);
    EXPECT_EQ(read_bytes(out).substr(0, 2), "BM");
}
