#include "file/zel1_sections.h"
#include "file/zel1_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace zel::engine {
namespace {

Zel1Content sample_content() {
    Zel1Content c;
    c.header = Zel1Header{1, 0, 1, 2, 600, 800};
    c.box = FaceBox{300, 297, 120, 480, 35, 560, 361, 526};
    c.landmarks.eyes[0] = {250, 300, 200, 302, 225, 290, 225, 310};
    c.landmarks.eyes[1] = {350, 300, 400, 302, 375, 290, 375, 310};
    c.landmarks.brows[1] = {370, 260, 370, 268};
    c.landmarks.nose = {300, 380, 280, 385, 320, 385};
    c.landmarks.mouth = {260, 450, 340, 450, 300, 440, 300, 462};
    c.landmarks.nose_color = _pixel{10, 20, 30, 0};
    c.landmarks.mouth_color = _pixel{200, 100, 50, 0};
    c.landmarks.face_color = _pixel{1, 2, 3, 0};
    c.measures = FaceMeasures{0.45, 0.2, 0.3, 0.25, 0.4, 2, 1, 3, 2, 1, 3, 2};
    c.drawing.reset(600, 800, 1);
    for (int r = 100; r < 700; ++r)
        c.drawing.row_table()[r][120 + r % 5] = 0;
    return c;
}

std::string text_of(Zel1Content& c) {
    std::string out;
    EXPECT_EQ(face_text_zel1(c.header, c.box, c.landmarks, c.measures, c.drawing.row_table(),
                             c.drawing.cols(), c.drawing.rows(), out),
              0);
    return out;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

TEST(FileZel1, TheTextHasItsHeaderMarkersAndSections) {
    Zel1Content c = sample_content();
    const std::vector<std::string> lines = lines_of(text_of(c));
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0], "1:0:1:2:600:800:");
    EXPECT_EQ(lines[1], "1:120:480:35:560:300:297:361:526:");
    EXPECT_EQ(lines[2], "0:0:0:0:0:0:10:20:30:200:100:50:0:0:0:0:0:0:1:2:3:")
        << "brow, eye, nose, mouth, background, edge, face";
    EXPECT_EQ(lines[4], "370:260:370:268:");
    EXPECT_EQ(lines[9], "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:3:2:");
    EXPECT_EQ(lines[10], "600:800:1:");
}

TEST(FileZel1, AFaceReadsBackValueForValue) {
    Zel1Content c = sample_content();
    Zel1Content back;
    ASSERT_EQ(face_parse_zel1_text(text_of(c), back), 0);
    EXPECT_EQ(std::memcmp(&back.header, &c.header, sizeof c.header), 0);
    EXPECT_EQ(back.box.minx, 120);
    EXPECT_EQ(back.box.height, 526);
    EXPECT_EQ(back.box.centery, 297);
    EXPECT_EQ(std::memcmp(back.landmarks.eyes, c.landmarks.eyes, sizeof c.landmarks.eyes), 0);
    EXPECT_EQ(std::memcmp(back.landmarks.brows, c.landmarks.brows, sizeof c.landmarks.brows), 0);
    EXPECT_EQ(std::memcmp(&back.landmarks.nose, &c.landmarks.nose, sizeof c.landmarks.nose), 0);
    EXPECT_EQ(std::memcmp(&back.landmarks.mouth, &c.landmarks.mouth, sizeof c.landmarks.mouth), 0);
    EXPECT_EQ(back.landmarks.nose_color.r, 10);
    EXPECT_EQ(back.landmarks.mouth_color.r, 200) << "nose and mouth colours keep their places";
    EXPECT_EQ(back.landmarks.face_color.b, 3);
    EXPECT_EQ(std::memcmp(&back.measures, &c.measures, sizeof c.measures), 0);
    EXPECT_EQ(std::memcmp(back.drawing.pixels(), c.drawing.pixels(), 600 * 800), 0);
}

TEST(FileZel1, SectionLinesNeedEveryValueAndIgnoreExtraOnes) {
    FaceBox box;
    TextReader seven("1:1:2:3:4:5:6:7:\n");
    EXPECT_EQ(outline_read(box, seven), -11);
    TextReader nine("1:120:480:35:560:300:297:361:526:99:\n");
    EXPECT_EQ(outline_read(box, nine), 0);
    EXPECT_EQ(box.height, 526);
    TextReader noColon("7:120:480:35:560:300:297:361:526\n");
    EXPECT_EQ(outline_read(box, noColon), 0) << "the marker is not checked; the last ':' may go";

    FaceLandmarks::Brow brow{};
    TextReader empty("\n");
    EXPECT_EQ(brow_read(empty, brow), -11);
    TextReader atEnd("");
    EXPECT_EQ(outline_read(box, atEnd), -10);

    FaceLandmarks::Eye eye{};
    TextReader firstHalf("1:2:3:4:\n");
    EXPECT_EQ(eye_read(firstHalf, eye, kHalfFirst), 0);
    EXPECT_EQ(eye.out_y, 4);
    TextReader secondHalf("5:6:7:8:\n");
    EXPECT_EQ(eye_read(secondHalf, eye, kHalfSecond), 0);
    EXPECT_EQ(eye.top_x, 5);
    EXPECT_EQ(eye.bottom_y, 8);

    std::string out;
    EXPECT_EQ(colour_write(out, 8, _pixel{}), -11);
    EXPECT_EQ(colour_write(out, 7, _pixel{1, 2, 3, 4}), 0);
    EXPECT_EQ(out, "1:2:3:\n");
}

TEST(FileZel1, MeasuresKeepSixDigitsAndColoursTheirLowByte) {
    FaceMeasures m;
    m.eye_height = 0.1234567;
    std::string out = "3:";
    measures_write(m, out);
    EXPECT_EQ(out, "3:0.123457:0:0:0:0:1:1:1:1:1:1:1:\n");
    TextReader reader(out);
    FaceMeasures back;
    back.eye_space = 5;
    ASSERT_EQ(measures_read(back, reader), 0);
    EXPECT_EQ(back.eye_height, 0.123457);
    EXPECT_EQ(back.eye_space, 0.0);

    FaceLandmarks marks;
    marks.brow_color.spare = 9;
    TextReader colours("300:-1:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:\n");
    ASSERT_EQ(colours_read(marks, colours), 0);
    EXPECT_EQ(marks.brow_color.r, 44);
    EXPECT_EQ(marks.brow_color.g, 255);
    EXPECT_EQ(marks.brow_color.spare, 9);
}

struct Damage {
    int line;
    std::string text;
};

class FileZel1Refusal : public ::testing::TestWithParam<Damage> {};

TEST_P(FileZel1Refusal, RefusesTheFile) {
    Zel1Content c = sample_content();
    std::vector<std::string> lines = lines_of(text_of(c));
    lines[GetParam().line] = GetParam().text;
    Zel1Content back;
    EXPECT_EQ(face_parse_zel1_text(join(lines), back), -11);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, FileZel1Refusal,
    ::testing::Values(Damage{0, "2:0:1:2:600:800:"},                   // not version 1
                      Damage{0, "1:1:1:2:600:800:"},                   // Reserved not 0
                      Damage{0, "1:0:1:2:0:800:"},                     // zero width
                      Damage{0, "1:0:1:2:721:800:"},                   // wider than the canvas
                      Damage{0, "1:0:1:2:600:961:"},                   // higher than the canvas
                      Damage{0, "1:0:1:2:600:"},                       // no height
                      Damage{0, "1:0:1:99999999999:600:800:"},         // sex overflows its field
                      Damage{1, "1:120:480:35:560:300:297:361:"},      // seven box values
                      Damage{1, "1:120:700:35:560:410:297:581:526:"},  // box past the right edge
                      Damage{1, "1:-5:480:35:560:237:297:486:526:"},   // box past the left edge
                      Damage{1, "1:120:480:35:560:300:297:9999:526:"}, // width not its sides'
                      Damage{1, "1:480:120:35:560:300:297:-359:526:"}, // sides the wrong way round
                      Damage{1, "1:120:480:35:560:600:297:361:526:"},  // centre outside the box
                      Damage{2, "0:0:0:"},                             // colour line cut short
                      Damage{5, ""},                                   // empty eye line
                      Damage{9, "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:3:"},    // a code missing
                      Damage{9, "3:0.45:0.2:0.3:0.25:0.4:0:1:3:2:1:3:2:"},  // code 0
                      Damage{9, "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:13:2:"}, // code 13 (two digits)
                      Damage{9, "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:3:-2:"}, // negative code
                      Damage{9, "3:nan:0.2:0.3:0.25:0.4:2:1:3:2:1:3:2:"},   // measure not finite
                      Damage{9, "3:0.45:inf:0.3:0.25:0.4:2:1:3:2:1:3:2:"},
                      Damage{9, "3:0.45:0.2:1e9:0.25:0.4:2:1:3:2:1:3:2:"}, // measure out of range
                      Damage{10, "600:799:1:"}, // block size not the header's
                      Damage{10, "600:800:5:"}, // first value 5
                      Damage{10, "600:"},       // block size line cut short
                      Damage{4, "370:260:370:268:" + std::string(240, ' ')})); // line past 254

TEST(FileZel1, AWriterWithoutADrawingRefuses) {
    Zel1Content c = sample_content();
    std::string out;
    EXPECT_EQ(face_text_zel1(c.header, c.box, c.landmarks, c.measures, nullptr, 600, 800, out),
              -21);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace zel::engine
