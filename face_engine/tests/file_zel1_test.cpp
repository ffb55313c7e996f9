#include "file/zel1_sections.h"
#include "file/zel1_text.h"
#include "file_text_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace zel::engine {
namespace {

using testing::join;
using testing::LineDamage;
using testing::lines_of;

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

TEST(FileZel1, AFailingSectionLineKeepsWhatItParsed) {
    FaceMeasures m;
    TextReader measures("3:0.5:0.25:nan:0.1:0.2:1:1:1:1:1:1:1:\n");
    EXPECT_EQ(measures_read(m, measures), -11);
    EXPECT_EQ(m.eye_height, 0.5);
    EXPECT_EQ(m.eye_space, 0.25);
    EXPECT_TRUE(std::isnan(m.eye_nose)) << "the refused value is kept as well";
    EXPECT_EQ(m.nose_mouth, 0.0);

    FaceLandmarks marks;
    TextReader colours("1:2:3:4:56\n"); // the eye colour's green uses up the line
    EXPECT_EQ(colours_read(marks, colours), -11);
    EXPECT_EQ(marks.brow_color.b, 3);
    EXPECT_EQ(marks.eye_color.r, 4);
    EXPECT_EQ(marks.eye_color.g, 0) << "a colour value whose check failed is not kept";
}

class FileZel1Refusal : public ::testing::TestWithParam<LineDamage> {};

TEST_P(FileZel1Refusal, RefusesTheFile) {
    Zel1Content c = sample_content();
    std::vector<std::string> lines = lines_of(text_of(c));
    lines[GetParam().line] = GetParam().text;
    Zel1Content back;
    EXPECT_EQ(face_parse_zel1_text(join(lines), back), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, FileZel1Refusal,
    ::testing::Values(
        LineDamage{0, "2:0:1:2:600:800:", -11, "not version 1"},
        LineDamage{0, "1:1:1:2:600:800:", -11, "Reserved not 0"},
        LineDamage{0, "1:0:1:2:0:800:", -11, "zero width"},
        LineDamage{0, "1:0:1:2:721:800:", -11, "wider than the canvas"},
        LineDamage{0, "1:0:1:2:600:961:", -11, "higher than the canvas"},
        LineDamage{0, "1:0:1:2:600:", -11, "no height and none to keep"},
        LineDamage{0, "1:0:1:99999999999:600:800:", -11, "sex overflows its field"},
        LineDamage{1, "1:120:480:35:560:300:297:361:", -11, "seven box values"},
        LineDamage{1, "1:120:700:35:560:410:297:581:526:", -11, "box past the right edge"},
        LineDamage{1, "1:-5:480:35:560:237:297:486:526:", -11, "box past the left edge"},
        LineDamage{1, "1:120:480:35:560:300:297:9999:526:", -11, "width not its sides'"},
        LineDamage{1, "1:480:120:35:560:300:297:-359:526:", -11, "sides the wrong way round"},
        LineDamage{1, "1:120:480:35:560:600:297:361:526:", -11, "centre outside the box"},
        LineDamage{2, "0:0:0:", -11, "colour line cut short"},
        LineDamage{5, "", -11, "empty eye line"},
        LineDamage{9, "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:3:", -11, "a code missing"},
        LineDamage{9, "3:0.45:0.2:0.3:0.25:0.4:0:1:3:2:1:3:2:", -11, "code 0"},
        LineDamage{9, "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:13:2:", -11, "code 13 (two digits)"},
        LineDamage{9, "3:0.45:0.2:0.3:0.25:0.4:2:1:3:2:1:3:-2:", -11, "negative code"},
        LineDamage{9, "3:nan:0.2:0.3:0.25:0.4:2:1:3:2:1:3:2:", -11, "measure not a number"},
        LineDamage{9, "3:0.45:inf:0.3:0.25:0.4:2:1:3:2:1:3:2:", -11, "measure infinite"},
        LineDamage{9, "3:0.45:0.2:1e9:0.25:0.4:2:1:3:2:1:3:2:", -11, "measure out of range"},
        LineDamage{10, "600:799:1:", -11, "block size not the header's"},
        LineDamage{10, "600:800:5:", -11, "first value 5"},
        LineDamage{10, "600:", -11, "block size line cut short"},
        LineDamage{4, "370:260:370:268:" + std::string(240, ' '), -11, "line past 254"}));

TEST(FileZel1, AWriterWithoutADrawingRefuses) {
    Zel1Content c = sample_content();
    std::string out;
    EXPECT_EQ(face_text_zel1(c.header, c.box, c.landmarks, c.measures, nullptr, 600, 800, out),
              -21);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace zel::engine
