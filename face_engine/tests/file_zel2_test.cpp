#include "face_state.h"
#include "file/zel2_text.h"
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

// A part model apart from the engine's, with a face edge of its own.
struct SampleFace {
    SampleFace(int cols = 720, int rows = 960) : edge(720, 960, 1) {
        face_record_init(&face);
        face.colSize = cols;
        face.rowSize = rows;
        face.parts[kSlotFaceEdge].bitmap = edge.row_table();
    }
    std::string text() const {
        std::string out;
        EXPECT_EQ(face_text_zel2(face, out), 0);
        return out;
    }
    _zel_face face{};
    BwBuffer edge;
};

int parse(const std::string& text, _zel_face& face, BwBuffer& edge) {
    face_record_init(&face);
    return face_parse_zel2_text(text, face, edge);
}

TEST(FileZel2, AnInitialFaceGivesTheKnownFirstLines) {
    SampleFace sample;
    const std::vector<std::string> lines = lines_of(sample.text());
    ASSERT_GE(lines.size(), 22u);
    EXPECT_EQ(lines[0], "2:0:0:6:720:960:");
    EXPECT_EQ(lines[1], "50:0:");
    EXPECT_EQ(lines[2], "EYE222:1:");
    EXPECT_EQ(lines[3], "4:0:0:0:0:0:0:1:6:0:0:0:0:0:0:0:");
    EXPECT_EQ(lines[16], "FACE_BKGND:1:");
    EXPECT_EQ(lines[17], "1:0:0:0:0:0:0:1:6:0:0:0:192:192:192:0:");
    EXPECT_EQ(lines[20], "720:960:1:");
    EXPECT_EQ(lines[21], "691200:");
}

TEST(FileZel2, BackedUpNamesFollowTheFlagAndEmptyNamesReadBack) {
    SampleFace sample;
    EXPECT_EQ(lines_of(sample.text())[1], "50:0:");
    sample.face.bBackedUp = 1;
    EXPECT_EQ(lines_of(sample.text())[1], "50:1:" + std::string(6, ':')) << "six empty names";
    _zel_face back{};
    BwBuffer edge;
    std::strcpy(back.backupNames[3], "junk");
    ASSERT_EQ(parse(sample.text(), back, edge), 0);
    EXPECT_EQ(back.bBackedUp, 1);
    for (const auto& name : back.backupNames)
        EXPECT_STREQ(name, "");
}

TEST(FileZel2, ARecordReadsBackWordForWord) {
    SampleFace sample(300, 400);
    _zel_face& f = sample.face;
    f.nSex = 2;
    f.nExpression = 52;
    f.bBackedUp = 1;
    std::strcpy(f.backupNames[0], "EYE213");
    std::strcpy(f.backupNames[5], "MOUTH12");
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        _zel_object& p = f.parts[slot];
        p.IsLoaded = slot % 2;
        p.lx = 10 * slot - 7;
        p.ly = 300 + slot;
        p.aux1 = -slot;
        p.aux2 = 1000 + slot;
        p.aux4 = 77;
        p.Gender = 2;
        p.Scale = 0.5 + 0.125 * slot; // exact in six digits
        p.color = _pixel{static_cast<unsigned char>(slot), 200, 255, 9};
    }
    for (int r = 0; r < 400; ++r)
        for (int c = 0; c < 300; ++c)
            sample.edge.row_table()[r][c] = (r * 7 + c * 3) % 11 < 3 ? 0 : 1;

    _zel_face back{};
    BwBuffer edge;
    ASSERT_EQ(parse(sample.text(), back, edge), 0);
    EXPECT_EQ(back.nSex, 2);
    EXPECT_EQ(back.colSize, 300);
    EXPECT_EQ(back.rowSize, 400);
    EXPECT_EQ(back.nExpression, 52);
    EXPECT_STREQ(back.backupNames[0], "EYE213");
    EXPECT_STREQ(back.backupNames[5], "MOUTH12");
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        const _zel_object& a = f.parts[slot];
        const _zel_object& b = back.parts[slot];
        EXPECT_STREQ(a.name, b.name);
        EXPECT_EQ(a.nOid, b.nOid);
        EXPECT_EQ(a.IsLoaded, b.IsLoaded);
        EXPECT_EQ(a.lx, b.lx);
        EXPECT_EQ(a.ly, b.ly);
        EXPECT_EQ(a.aux1, b.aux1);
        EXPECT_EQ(a.aux2, b.aux2);
        EXPECT_EQ(a.aux4, b.aux4);
        EXPECT_EQ(a.Gender, b.Gender);
        EXPECT_DOUBLE_EQ(a.Scale, b.Scale);
        EXPECT_EQ(std::memcmp(&a.color, &b.color, 4), 0);
    }
    EXPECT_EQ(back.parts[kSlotFaceEdge].bmCols, 300);
    EXPECT_EQ(back.parts[kSlotFaceEdge].bmRows, 400);
    for (int r = 0; r < 400; ++r)
        ASSERT_EQ(std::memcmp(edge.row_table()[r], sample.edge.row_table()[r], 300), 0) << r;
}

TEST(FileZel2, FlagsReadAsZeroOrOneAndColoursKeepTheirLowByte) {
    SampleFace sample;
    sample.face.parts[0].IsLoaded = 5;
    sample.face.parts[0].Scale = 1.05;
    std::vector<std::string> lines = lines_of(sample.text());
    EXPECT_EQ(lines[2], "EYE222:1.05:");
    EXPECT_EQ(lines[3], "4:5:0:0:0:0:0:1:6:0:0:0:0:0:0:0:");
    lines[3] = "4:5:0:0:0:0:7:1:6:0:0:0:300:0:-1:0:";
    _zel_face back{};
    BwBuffer edge;
    ASSERT_EQ(parse(join(lines), back, edge), 0);
    EXPECT_EQ(back.parts[0].IsLoaded, 1);
    EXPECT_EQ(back.parts[0].aux3, 1);
    EXPECT_EQ(back.parts[0].color.r, 44);
    EXPECT_EQ(back.parts[0].color.b, 255);
    EXPECT_EQ(back.parts[0].Scale, 1.05);
}

// Each case changes one line of a good text.
class FileZel2Refusal : public ::testing::TestWithParam<LineDamage> {};

TEST_P(FileZel2Refusal, RefusesWithTheCodeAndNothingElse) {
    SampleFace sample;
    std::vector<std::string> lines = lines_of(sample.text());
    lines[GetParam().line] = GetParam().text;
    _zel_face back{};
    BwBuffer edge;
    EXPECT_EQ(parse(join(lines), back, edge), GetParam().expected);
}

const std::string k20 = "ABCDEFGHIJKLMNOPQRST";

INSTANTIATE_TEST_SUITE_P(
    Damages, FileZel2Refusal,
    ::testing::Values(
        LineDamage{0, "2:1:0:6:720:960:", -11, "second value not 0"},
        LineDamage{0, "3:0:0:6:720:960:", -11, "not version 2"},
        LineDamage{0, "2:0:0:6:", -21, "header ends after the sex"},
        LineDamage{0, "2:0:0:6:0:960:", -11, "zero width"},
        LineDamage{0, "2:0:0:6:721:960:", -11, "wider than the canvas"},
        LineDamage{0, "2:0:0:6:720:961:", -11, "higher than the canvas"},
        LineDamage{0, "2:0:0:6:720:-960:", -11, "negative height"},
        LineDamage{0, "2:0:0:6:720:9999999999:", -11, "height overflows"},
        LineDamage{0, "2:0:0:6:700:960:", -11, "header size not the block's"},
        LineDamage{1, "", -11, "expression missing"},
        LineDamage{1, "50:1:" + k20 + ":::::", -11, "backup name too long"},
        LineDamage{2, k20 + ":1:", -11, "part name too long"},
        LineDamage{2, "EYE222:inf:", -11, "scale infinite"},
        LineDamage{2, "EYE222:nan:", -11, "scale not a number"},
        LineDamage{2, "EYE222:-1:", -11, "negative scale"},
        LineDamage{2, "EYE222:0:", -11, "zero scale"},
        LineDamage{2, "EYE222:1e999:", -11, "scale past the double range"},
        LineDamage{3, "4:0:0:0:0:0:0:1:6:0:0:0:0:0:0:", -11, "fifteen numbers"},
        LineDamage{3, "5:0:0:0:0:0:0:1:6:0:0:0:0:0:0:0:", -11, "right eye id in left slot"},
        LineDamage{3, "4:0:3000000000:0:0:0:0:1:6:0:0:0:0:0:0:0:", -11, "anchor overflows"},
        LineDamage{3, "4:0:0:0:0:0:0:1:6:0:0:9999:0:0:0:0:", -11, "bitmap wider than canvas"},
        LineDamage{3, "4:0:0:0:0:0:0:1:6:0:0:-1:0:0:0:0:", -11, "negative bitmap size"},
        LineDamage{3, "4:0:0:0:0:0:0:1:6:0:0:0:0:0:0:99999999999:", -11, "spare overflows"},
        LineDamage{15, "1:0:0:0:0:0:0:1:6:0:0:0:0:0:0:0:", -11, "background id at face edge"},
        LineDamage{20, "720:960:2:", -11, "first value 2"},
        LineDamage{20, "720:959:1:", -11, "block size not the face's"},
        LineDamage{21, "691199:", -11, "runs stop short"},
        LineDamage{2, "EYE222:1:" + std::string(250, '0') + "1:", -11, "line past 254"}));

TEST(FileZel2, AFaceMovedAndScaledFarByTheEditorReadsBack) {
    // The move steps hold an anchor in the int range and the scale steps have no bound: what
    // the editor can make, a file must carry.
    SampleFace sample;
    _zel_object& eye = sample.face.parts[kSlotLeftEye];
    eye.lx = 2147483647;
    eye.ly = -2147483647 - 1;
    eye.Scale = std::pow(1.05, 200);
    sample.face.parts[kSlotNose].Scale = std::pow(0.95, 300);
    _zel_face back{};
    BwBuffer edge;
    ASSERT_EQ(parse(sample.text(), back, edge), 0);
    EXPECT_EQ(back.parts[kSlotLeftEye].lx, 2147483647);
    EXPECT_EQ(back.parts[kSlotLeftEye].ly, -2147483647 - 1);
    EXPECT_NEAR(back.parts[kSlotLeftEye].Scale / eye.Scale, 1.0, 1e-5);
    EXPECT_NEAR(back.parts[kSlotNose].Scale / sample.face.parts[kSlotNose].Scale, 1.0, 1e-5);
}

TEST(FileZel2, APartFailingHalfwayKeepsWhatItRead) {
    SampleFace sample;
    std::vector<std::string> lines = lines_of(sample.text());
    lines[2] = "NOSE9:2:";
    lines[3] = "4:0:0:0:0:0:0:1:6:0:0:0:0:0:0:";
    const std::string text = join(lines);
    TextReader reader(text);
    std::string_view line;
    text_read_line(reader, line);
    text_read_line(reader, line);
    _zel_object part{};
    EXPECT_EQ(zel_read_part(reader, part, 4), -21);
    EXPECT_STREQ(part.name, "NOSE9");
    EXPECT_EQ(part.Scale, 2.0);
}

TEST(FileZel2, AFaceNoReaderTakesBackIsNotWrittenAtAll) {
    const auto refused = [](const SampleFace& sample) {
        std::string out;
        return face_text_zel2(sample.face, out) == -21 && out.empty();
    };
    SampleFace noEdge;
    noEdge.face.parts[kSlotFaceEdge].bitmap = nullptr;
    EXPECT_TRUE(refused(noEdge));

    for (const char* name : {"EYE:2", "EYE\n2"}) {
        SampleFace sample;
        std::strcpy(sample.face.parts[kSlotMouth].name, name);
        EXPECT_TRUE(refused(sample)) << name;
    }
    SampleFace carriageReturn;
    std::strcpy(carriageReturn.face.parts[kSlotMouth].name, "EYE\r");
    _zel_face back{};
    BwBuffer edge;
    ASSERT_EQ(parse(carriageReturn.text(), back, edge), 0) << "a CR inside a line is no line end";
    EXPECT_STREQ(back.parts[kSlotMouth].name, "EYE\r");

    SampleFace unterminated;
    std::memcpy(unterminated.face.parts[kSlotNose].name, "ABCDEFGHIJKLMNOPQRST", 20);
    EXPECT_TRUE(refused(unterminated));

    SampleFace backup;
    std::strcpy(backup.face.backupNames[2], "BROW:1");
    EXPECT_FALSE(refused(backup)) << "backed-up names are not written while the flag is 0";
    backup.face.bBackedUp = 1;
    EXPECT_TRUE(refused(backup));
}

TEST(FileZel2, TheProbeReadsTheFirstValue) {
    EXPECT_EQ(zel_probe_version_text("2:0:0:6:720:960:\n"), 2);
    EXPECT_EQ(zel_probe_version_text("1:0:1:1:720:960:\n"), 1);
    EXPECT_EQ(zel_probe_version_text("3:0:\n"), 0);
    EXPECT_EQ(zel_probe_version_text("12:0:\n"), 0);
    EXPECT_EQ(zel_probe_version_text(""), 0);
    EXPECT_EQ(zel_probe_version("no-such-face-file"), 0);
}

} // namespace
} // namespace zel::engine
