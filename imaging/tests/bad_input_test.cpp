// Broken, hostile and missing files: every reader gives its failure result, without a crash
// or a leak (these run under AddressSanitizer in CI).

#include "picture_fixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace zel::imaging::test;
namespace fs = std::filesystem;

namespace {

void quiet(const char*, const char*, zel::MessageIcon) {}

class ImagingBadInput : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { m_previous = zel::set_message_handler(&quiet); }
    void TearDown() override { zel::set_message_handler(m_previous); }

    // Makes the broken file named by the parameter; returns its path.
    static std::string make(const std::string& kind) {
        Picture good(64, 48);
        fill_pattern(good);
        if (kind == "missing-folder.bmp")
            return work_file("no/such/folder/x.bmp");
        if (kind == "folder.bmp") {
            fs::create_directory(work_file(kind));
            return work_file(kind);
        }
        const std::string path = work_file(kind);
        if (kind == "empty.bmp")
            write_bytes(path, "");
        else if (kind == "text.bmp")
            write_bytes(path, "This is not a picture.\n");
        else if (kind == "huge.bmp")
            write_bytes(path, bmp_header_bytes(100000, 100000) + std::string(4096, '\x7f'));
        else if (kind == "svg.bmp")
            // Decoded as SVG, this would draw the good picture it names into the result.
            write_bytes(path, "<svg xmlns='http://www.w3.org/2000/svg' "
                              "xmlns:xlink='http://www.w3.org/1999/xlink' width='64' height='48'>"
                              "<image width='64' height='48' xlink:href='" +
                                  save(good, "good.bmp", "bmp") + "'/></svg>");
        else if (kind == "negative.bmp")
            write_bytes(path, bmp_header_bytes(-5, 0) + std::string(64, '\0'));
        else if (kind == "slow.tga" || kind == "slow.png" || kind == "slow-png.bmp")
            // The files that kept the readers busy for seconds, under their names and one
            // that hides the PNG.
            write_bytes(path, read_bytes(std::string(ZEL_IMAGING_TEST_DATA) +
                                         (kind == "slow.tga" ? "/tiny-claims-large.tga"
                                                             : "/crafted-chunk.png")));
        else if (kind == "claims.bmp")
            // 6000 x 4000 pixels of 24 bits claimed, 2000 bytes held.
            write_bytes(path, bmp_header_bytes(6000, 4000) + std::string(2000, '\x40'));
        else {
            // A truncated copy of a good file of the same format.
            const std::string ext = fs::path(kind).extension().string().substr(1);
            const std::string full = read_bytes(save(good, "good." + ext, ext));
            write_bytes(path, full.substr(0, full.size() / 3));
        }
        return path;
    }

    zel::MessageHandler m_previous = nullptr;
};

} // namespace

TEST_P(ImagingBadInput, EveryReaderFails) {
    const std::string path = make(GetParam());
    const char* p = path.c_str();
    Picture arr(720, 960);
    int cols = 0, rows = 0;
    _BmpHeader hdr{};
    EXPECT_EQ(LoadGeneralImage(arr.rows(), p, &cols, &rows, &hdr), 0);
    EXPECT_EQ(fget_pixels(arr.rows(), &cols, &rows, p, 720, 960), 0);
    EXPECT_EQ(fget_set_pixels(arr.rows(), p, 720, 960, 0), 0);
    EXPECT_EQ(fget_set_pixels(arr.rows(), p, 720, 960, 30), 0);
    _pixel bg{};
    EXPECT_EQ(image_get_bkgnd_color(p, &bg), 0);
    EXPECT_EQ(imagefile_copy(work_file("copy.bmp").c_str(), p), 0);
    EXPECT_EQ(imageFmtConvert(p, work_file("conv.bmp").c_str(), "BMP"), 0);
    EXPECT_EQ(image_available(p, &cols, &rows), 0);
    EXPECT_EQ(cols, 0);
    EXPECT_EQ(Mimage_read(p), 0);
    EXPECT_EQ(Mimage_save(work_file("m.bmp").c_str(), p), 0);
    const std::string name = fs::path(path).replace_extension().string();
    unsigned char maxval = 0;
    EXPECT_EQ(face_ppmin(name.c_str(), &cols, &rows, &maxval), nullptr);
    EXPECT_EQ(face_pbmin(name.c_str(), &cols, &rows), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Files, ImagingBadInput,
                         ::testing::Values("empty.bmp", "text.bmp", "svg.bmp", "huge.bmp",
                                           "negative.bmp", "folder.bmp", "missing-folder.bmp",
                                           "cut.bmp", "cut.jpg", "cut.tga", "cut.psd", "slow.tga",
                                           "slow.png", "slow-png.bmp", "claims.bmp"),
                         [](const auto& tested) {
                             std::string name = tested.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// A pipe named like a picture (typed into the open dialog, say) has no writer: a reader that
// opened it as a file would wait for one for as long as the editor runs.
TEST(ImagingPipe, EveryReaderRefusesAPipeWithoutWaitingForAWriter) {
    const zel::MessageHandler previous = zel::set_message_handler(&quiet);
    for (const std::string name : {"pipe.bmp", "pipe.jpg"}) {
        SCOPED_TRACE(name);
        const std::string path = work_file(name);
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        auto readers = std::async(std::launch::async, [&path] {
            const char* p = path.c_str();
            Picture arr(720, 960);
            int cols = 0, rows = 0;
            _BmpHeader hdr{};
            _pixel bg{};
            return LoadGeneralImage(arr.rows(), p, &cols, &rows, &hdr) +
                   fget_pixels(arr.rows(), &cols, &rows, p, 720, 960) +
                   image_available(p, &cols, &rows) + image_get_bkgnd_color(p, &bg) +
                   imagefile_copy(work_file("copy.bmp").c_str(), p) + Mimage_read(p);
        });
        // Half a minute is far beyond any refusal; past it a reader waits on the pipe, and is let
        // go by writers that come and leave, so that the test can end.
        const bool waited =
            readers.wait_for(std::chrono::seconds(30)) == std::future_status::timeout;
        while (readers.wait_for(std::chrono::milliseconds(10)) == std::future_status::timeout) {
            const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                ::close(writer);
        }
        EXPECT_FALSE(waited) << "a reader waited for a writer to the pipe";
        EXPECT_EQ(readers.get(), 0);
    }
    zel::set_message_handler(previous);
}

TEST(ImagingTinyPicture, OnePixelIsAPictureButTooSmallToLoad) {
    const std::string path = save(Picture(1, 1), "one.bmp", "bmp");
    Picture arr(720, 960);
    int cols = 0, rows = 0;
    _BmpHeader hdr{};
    EXPECT_EQ(LoadGeneralImage(arr.rows(), path.c_str(), &cols, &rows, &hdr), 0);
    EXPECT_EQ(image_available(path.c_str(), &cols, &rows), 1);
    EXPECT_EQ(cols, 1);
    _pixel bg{};
    EXPECT_EQ(image_get_bkgnd_color(path.c_str(), &bg), 0);
    unsigned char maxval = 0;
    EXPECT_EQ(face_ppmin(work_file("one").c_str(), &cols, &rows, &maxval), nullptr);
    EXPECT_EQ(fget_set_pixels(arr.rows(), path.c_str(), 720, 960, 30), 0);
}

TEST(ImagingBadArguments, NullPointersAndSizesAreRefused) {
    Picture arr(10, 10);
    int cols = 0, rows = 0;
    _BmpHeader hdr{};
    const std::string good = save(arr, "good.bmp", "bmp");
    EXPECT_EQ(LoadGeneralImage(arr.rows(), nullptr, &cols, &rows, &hdr), 0);
    EXPECT_EQ(LoadGeneralImage(nullptr, good.c_str(), &cols, &rows, &hdr), 0);
    EXPECT_EQ(LoadGeneralImage(arr.rows(), good.c_str(), nullptr, &rows, &hdr), 0);
    EXPECT_EQ(LoadGeneralImage(arr.rows(), good.c_str(), &cols, &rows, nullptr), 0);
    EXPECT_EQ(fget_set_pixels(nullptr, good.c_str(), 10, 10, 0), 0);
    EXPECT_EQ(image_available(nullptr, &cols, &rows), 0);
    EXPECT_EQ(image_available(good.c_str(), nullptr, nullptr), 0);
    EXPECT_EQ(image_get_bkgnd_color(good.c_str(), nullptr), 0);
    EXPECT_EQ(imagefile_copy(nullptr, good.c_str()), 0);
    EXPECT_EQ(imageFmtConvert(good.c_str(), nullptr, "BMP"), 0);
    EXPECT_EQ(Mimage_read(nullptr), 0);
    EXPECT_EQ(Mimage_save(nullptr, good.c_str()), 0);
    EXPECT_EQ(save_pixels(nullptr, 10, 10, good.c_str(), "bmp"), 0);
    EXPECT_EQ(save_pixels(arr.rows(), 0, 10, good.c_str(), "bmp"), 0);
    EXPECT_EQ(save_pixels(arr.rows(), 10, 10, nullptr, "bmp"), 0);
    EXPECT_EQ(save_pixels(arr.rows(), 10, 10, work_file("no/dir/x").c_str(), "bmp"), 0);
    EXPECT_EQ(face_ppmin(nullptr, &cols, &rows, nullptr), nullptr);
    EXPECT_EQ(face_ppmout(nullptr, arr.rows(), 10, 10, 255), -11);
    EXPECT_EQ(face_pbmout(work_file("b").c_str(), nullptr, 10, 10), -11);
    ppm_save_ascii(nullptr, 1, 1, work_file("dump").c_str());
    vyMessage(nullptr);
}

TEST(ImagingBadArguments, APictureLargerThanTheArrayIsRefused) {
    Picture big(800, 1000);
    const std::string path = save(big, "big.bmp", "bmp");
    _pixel bg{};
    EXPECT_EQ(image_get_bkgnd_color(path.c_str(), &bg), 0);
    // The rotation works in the library's own buffers: only the target size must fit.
    Picture small(50, 60);
    EXPECT_EQ(fget_set_pixels(small.rows(), path.c_str(), 50, 60, 10), 1);
}
