#include "builder_fixture.h"
#include "file/bw_buffer.h"
#include "file/face_file_io.h"
#include "file/zel1_text.h"
#include "file/zel2_text.h"
#include "file/zel_cipher.h"

#include <zel/testing/file_size_limit.h>
#include <zel/testing/processes.h>
#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zel::engine {
namespace {

std::string read_all(const std::string& path) {
    std::string text;
    EXPECT_EQ(read_face_file(path, text), 0) << path;
    return text;
}

// What a caller can see of the current face, to tell whether a load changed it.
std::string snapshot() {
    const _zel_face& f = current_face();
    std::string s = std::to_string(f.nSex) + "/" + std::to_string(f.colSize) + "x" +
                    std::to_string(f.rowSize) + "/" + std::to_string(f.nExpression);
    for (const _zel_object& p : f.parts)
        s += std::string("|") + p.name + ":" + std::to_string(p.IsLoaded) + ":" +
             std::to_string(p.lx) + ":" + std::to_string(p.ly) + ":" + std::to_string(p.Scale);
    for (int r = 0; r < 960; ++r)
        s.append(reinterpret_cast<const char*>(f.parts[kSlotFaceEdge].bitmap[r]), 720);
    const FaceObject& o = face_object();
    s += std::to_string(o.sex) + ":" + std::to_string(o.colSize) + ":" + std::to_string(o.bRead);
    return s;
}

// The colour canvas, to tell whether a load painted over it.
std::string canvas() {
    std::string pixels;
    for (int r = 0; r < 960; ++r)
        pixels.append(reinterpret_cast<const char*>(current_face().clrImage[r]), 720 * 4);
    return pixels;
}

class FileLoadSaveTest : public testing::EngineTest {
protected:
    void SetUp() override {
        testing::EngineTest::SetUp();
        templates.add(1, "RING", {"###", "#.#", "###"}, 1, 1);
        testing::add_builder_templates(templates, 1);
        bw = pbm_allocarray(720, 960);
        clr = ppm_allocarray(720, 960);
        // A small face of our own: two parts and a face edge along row 3.
        _zel_face& f = face();
        f.nSex = 2;
        place(kSlotLeftEye, "RING", 10, 10);
        place(kSlotMouth, "RING", 20, 22, 1.05);
        f.parts[kSlotMouth].color = _pixel{10, 20, 30, 0};
        f.parts[kSlotLeftEye].aux2 = 99;
        f.parts[kSlotFaceEdge].IsLoaded = 1;
        for (int c = 0; c < 40; ++c)
            f.parts[kSlotFaceEdge].bitmap[3][c] = 0;
    }
    void TearDown() override {
        pbm_freearray(bw, 960);
        ppm_freearray(clr, 960);
    }
    std::string path(const std::string& name) { return zel::testing::work_dir() + "/" + name; }
    int load(const std::string& file, int* kind = nullptr) {
        std::vector<char> name(file.begin(), file.end());
        name.push_back('\0');
        int dummy = 0;
        return face_loadzel2a(name.data(), bw, clr, &w, &h, kind ? kind : &dummy);
    }
    int save(const std::string& file) {
        std::vector<char> name(file.begin(), file.end());
        name.push_back('\0');
        return face_savezel2(name.data());
    }
    std::string plain_text() {
        std::string text;
        EXPECT_EQ(face_text_zel2(face(), text), 0);
        return text;
    }

    unsigned char** bw = nullptr;
    _pixel** clr = nullptr;
    int w = 0;
    int h = 0;
};

TEST_F(FileLoadSaveTest, TheCipherIsItsOwnInverseAndRunsTheKeyRound) {
    ASSERT_EQ(write_whole_file(path("a.zel"), "hello"), 0);
    ASSERT_EQ(zel_cipher_copy(path("a.zel"), path("b.zel"), "wplk"), 0);
    const std::string coded = read_all(path("b.zel"));
    ASSERT_EQ(coded.size(), 5u);
    const char key[] = "wplkw";
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(static_cast<unsigned char>(coded[i]),
                  static_cast<unsigned char>(~("hello"[i] ^ key[i])))
            << i;
    ASSERT_EQ(zel_cipher_copy(path("b.zel"), path("c.zel"), "wplk"), 0);
    EXPECT_EQ(read_all(path("c.zel")), "hello");

    EXPECT_EQ(zel_is_enciphered(path("a.zel")), 1);
    EXPECT_EQ(zel_is_enciphered(path("b.zel")), 1);
    ASSERT_EQ(write_whole_file(path("p1.zel"), "1:0:"), 0);
    ASSERT_EQ(write_whole_file(path("p2.zel"), "2:0:"), 0);
    ASSERT_EQ(write_whole_file(path("empty.zel"), ""), 0);
    EXPECT_EQ(zel_is_enciphered(path("p1.zel")), 0);
    EXPECT_EQ(zel_is_enciphered(path("p2.zel")), 0);
    EXPECT_EQ(zel_is_enciphered(path("empty.zel")), 1);
    EXPECT_EQ(zel_is_enciphered(path("missing.zel")), -11);
}

TEST_F(FileLoadSaveTest, ASavedFaceLoadsBackRecordForRecord) {
    ASSERT_EQ(face_compose_bw(bw, &w, &h), 1);
    BwBuffer shown;
    shown.copy_from(bw, 40, 30, false);
    const std::string before = snapshot();

    std::string target = path("smile.zel");
    std::vector<char> name(target.begin(), target.end());
    name.push_back('\0');
    ASSERT_EQ(face_savezel2(name.data()), 1);
    EXPECT_STREQ(name.data(), path("smile").c_str()) << "the caller's string loses its extension";
    const std::string stored = read_all(target);
    ASSERT_FALSE(stored.empty());
    EXPECT_GE(static_cast<unsigned char>(stored[0]), 128);
    EXPECT_EQ(read_all(path("zelprord1s.zel")), plain_text()) << "the save work file";

    face_record_init(&face());
    int kind = 0;
    ASSERT_EQ(load(target, &kind), 1);
    EXPECT_EQ(kind, 2);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(face().parts[kSlotLeftEye].aux2, 99);
    EXPECT_EQ(face().parts[kSlotMouth].color.g, 20);
    EXPECT_DOUBLE_EQ(face().parts[kSlotMouth].Scale, 1.05);
    for (int r = 0; r < 30; ++r)
        ASSERT_EQ(std::memcmp(bw[r], shown.row_table()[r], 40), 0) << r;
    EXPECT_EQ(clr[0][0].r, 192) << "the colour face, bottom row first";
    EXPECT_EQ(read_all(path("zelprord1r.zel")), " ") << "the load work file is wiped";
}

// A folder whose name holds a dot keeps the face file: it is not cut short at that dot (which
// wrote "<work>/my.zel" over whatever was there and lost the file name).
TEST_F(FileLoadSaveTest, AFolderWithADotInItsNameKeepsTheFaceFile) {
    const std::string folder = path("my.faces");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_EQ(write_whole_file(path("my.zel"), "other"), 0);
    ASSERT_EQ(save(folder + "/smile"), 1);
    EXPECT_EQ(read_all(path("my.zel")), "other");
    face_record_init(&face());
    ASSERT_EQ(load(folder + "/smile"), 1);
    EXPECT_STREQ(face().parts[kSlotLeftEye].name, "RING");
}

// A face file named with its extension in capitals, as another system or a person wrote it, is
// the file written and read, not a file of that name in lower case beside it.
TEST_F(FileLoadSaveTest, TheFaceFileExtensionCountsInAnyCase) {
    ASSERT_EQ(write_whole_file(path("loud.zel"), "other"), 0);
    ASSERT_EQ(save(path("loud.ZEL")), 1);
    EXPECT_EQ(read_all(path("loud.zel")), "other");
    const std::string stored = read_all(path("loud.ZEL"));
    ASSERT_FALSE(stored.empty());
    EXPECT_GE(static_cast<unsigned char>(stored[0]), 128);
    face_record_init(&face());
    ASSERT_EQ(load(path("loud.ZEL")), 1);
    EXPECT_STREQ(face().parts[kSlotLeftEye].name, "RING");

    std::filesystem::rename(path("loud.ZEL"), path("Mixed.Zel"));
    face_record_init(&face());
    ASSERT_EQ(load(path("Mixed.Zel")), 1);
    EXPECT_STREQ(face().parts[kSlotLeftEye].name, "RING");
    // Another extension is still replaced by the face file's own.
    ASSERT_EQ(save(path("other.bmp")), 1);
    EXPECT_TRUE(std::filesystem::exists(path("other.zel")));
    EXPECT_FALSE(std::filesystem::exists(path("other.bmp")));
}

TEST_F(FileLoadSaveTest, APlainFileWithCrLfLineEndsLoads) {
    std::string text = plain_text();
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_EQ(write_whole_file(path("dos.zel"), crlf), 0);
    face_record_init(&face());
    EXPECT_EQ(load(path("dos.zel")), 1);
    EXPECT_STREQ(face().parts[kSlotLeftEye].name, "RING");
}

TEST_F(FileLoadSaveTest, TheFallbackKeyLoadsAndSavesUseTheDefaultKey) {
    ASSERT_EQ(write_whole_file(path("plain.zel"), plain_text()), 0);
    ASSERT_EQ(zic_encypt(path("plain.zel").c_str(), path("old.zel").c_str(), "zrbo", 4), 0);
    face_record_init(&face());
    ASSERT_EQ(load(path("old.zel")), 1);
    EXPECT_STREQ(face_object().key, "wplk");
    EXPECT_EQ(face().nSex, 2);

    ASSERT_EQ(save(path("new.zel")), 1);
    ASSERT_EQ(zic_decypt(path("new.zel").c_str(), path("check.zel").c_str(), "wplk", 4), 0);
    EXPECT_EQ(read_all(path("check.zel")), plain_text());
}

TEST_F(FileLoadSaveTest, FilesThatAreNoFaceLeaveTheFaceAsItWas) {
    const std::string before = snapshot();
    ASSERT_EQ(write_whole_file(path("noise.zel"), "x\x81\x92 no face here"), 0);
    EXPECT_EQ(load(path("noise.zel")), 0);
    ASSERT_EQ(write_whole_file(path("three.zel"), "3:0:0:6:720:960:\n"), 0);
    EXPECT_EQ(load(path("three.zel")), 0);
    ASSERT_EQ(write_whole_file(path("twelve.zel"), "12:0:0:6:720:960:\n"), 0);
    EXPECT_EQ(load(path("twelve.zel")), 0) << "plain, but neither version";
    int kind = 0;
    EXPECT_EQ(load(path("missing.zel"), &kind), 0);
    EXPECT_EQ(kind, 2) << "the sex code the face already had";
    EXPECT_EQ(snapshot(), before);
}

// A name that leads to no regular file (a device behind a link, a pipe) is no face file: it is
// refused unread, rather than copied into the load work file until the disk is full or waited
// on for a writer that never comes.
TEST_F(FileLoadSaveTest, ANameThatIsNoRegularFileIsRefusedUnread) {
    const std::string before = snapshot();
    ASSERT_EQ(write_whole_file(path("zelprord1r.zel"), "earlier"), 0);
    ASSERT_EQ(::symlink("/dev/zero", path("endless.zel").c_str()), 0);
    {
        const zel::testing::FileSizeLimit full(1 << 20);
        ASSERT_TRUE(full.set());
        EXPECT_EQ(load(path("endless.zel")), 0);
    }
    ASSERT_EQ(file_size(path("zelprord1r.zel")), 7) << "the device was copied into the work file";
    ASSERT_EQ(::mkfifo(path("pipe.zel").c_str(), 0600), 0);
    EXPECT_EQ(load(path("pipe.zel")), 0);
    EXPECT_EQ(snapshot(), before);
}

// The plain version-1 reader takes the name as it stands: a pipe there would hold it in its
// open, waiting for a writer, and the editor with it. It runs in a child with an alarm so that
// a read that waits ends the case instead of the test run.
TEST_F(FileLoadSaveTest, AVersionOneNameThatIsAPipeIsRefusedUnread) {
    ASSERT_EQ(::mkfifo(path("pipe1.zel").c_str(), 0600), 0);
    const std::string answer = zel::testing::in_child([&]() -> std::string {
        ::alarm(5);
        char name[300];
        std::snprintf(name, sizeof name, "%s", path("pipe1").c_str());
        const std::string before = snapshot();
        if (GetZELCartoon(name, bw, &w, &h) != 0)
            return "the pipe was taken for a face file";
        return snapshot() == before ? "" : "the face changed";
    });
    EXPECT_EQ(answer, "");
}

TEST_F(FileLoadSaveTest, ARefusedFileChangesNothingAndKeepsItsTextInTheWorkFile) {
    const std::string before = snapshot();
    std::string text = plain_text();
    const std::size_t eye = text.find("\n4:");
    ASSERT_NE(eye, std::string::npos);
    text[eye + 1] = '5'; // the right eye's identifier in the left eye's slot
    ASSERT_EQ(write_whole_file(path("bad.zel"), text), 0);
    EXPECT_EQ(load(path("bad.zel")), 0);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(read_all(path("zelprord1r.zel")), text);
}

TEST_F(FileLoadSaveTest, AFaceNamingATemplateTheLibraryLacksLeavesTheFaceAsItWas) {
    ASSERT_EQ(face_compose_bw(bw, &w, &h), 1);
    const std::string before = snapshot();
    const std::string painted = canvas();
    std::string text = plain_text();
    const std::size_t mouth = text.find("RING:1.05:");
    ASSERT_NE(mouth, std::string::npos);
    text.replace(mouth, 4, "GONE");
    ASSERT_EQ(write_whole_file(path("gone.zel"), text), 0);
    EXPECT_EQ(load(path("gone.zel")), 0) << "the face reads, but cannot be drawn";
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(canvas(), painted);
    EXPECT_EQ(face().bDrawn, 1);
}

TEST_F(FileLoadSaveTest, AFaceNoFileCouldCarryIsNotSaved) {
    ASSERT_EQ(save(path("kept.zel")), 1);
    const std::string previous = read_all(path("kept.zel"));
    std::strcpy(face().parts[kSlotNose].name, "NOSE:2");
    EXPECT_EQ(save(path("kept.zel")), 0) << "a name with the field separator";
    std::memcpy(face().parts[kSlotNose].name, "ABCDEFGHIJKLMNOPQRST", 20);
    EXPECT_EQ(save(path("kept.zel")), 0) << "a name that fills its field without a NUL";
    std::strcpy(face().parts[kSlotNose].name, "NOSE2");
    face().parts[kSlotNose].nOid = 7;
    EXPECT_EQ(save(path("kept.zel")), 0) << "the mouth's identifier in the nose's slot";
    EXPECT_EQ(read_all(path("kept.zel")), previous);
}

TEST_F(FileLoadSaveTest, AVersionOneHeaderLackingWordsKeepsTheFaceObjects) {
    FaceObject& object = face_object();
    object.face_set_image(1, 100, 150);
    object.Encyption = 1;
    const FaceBox box = testing::standard_box();
    const FaceMeasures measures = testing::sample_measures();
    BwBuffer edge(100, 150, 1);
    std::string text;
    ASSERT_EQ(face_text_zel1(Zel1Header{1, 0, 0, 1, 100, 150}, box, object.landmarks, measures,
                             edge.row_table(), 100, 150, text),
              0);
    text.replace(0, text.find('\n'), "1:0:");
    ASSERT_EQ(write_whole_file(path("short.zel"), text), 0);
    ASSERT_EQ(load(path("short.zel")), 1);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 150);
    EXPECT_EQ(object.sex, 1);
    EXPECT_EQ(object.Encyption, 1) << "no flag on the line: the word stays";
}

TEST_F(FileLoadSaveTest, FilesOverEightMegabytesAreRefused) {
    std::string text = plain_text();
    text.resize(8u * 1024u * 1024u + 1u, '\n');
    ASSERT_EQ(write_whole_file(path("huge.zel"), text), 0);
    const std::string before = snapshot();
    EXPECT_EQ(load(path("huge.zel")), 0);
    EXPECT_EQ(snapshot(), before);
    std::string read;
    EXPECT_EQ(read_face_file(path("huge.zel"), read), -11);
    EXPECT_TRUE(read.empty());
}

TEST_F(FileLoadSaveTest, AFailedSaveNeverDestroysThePreviousFile) {
    ASSERT_EQ(save(path("keep.zel")), 1);
    const std::string previous = read_all(path("keep.zel"));

    // A disk that fills up halfway through the enciphered copy.
    std::string big(200000, 'a');
    ASSERT_EQ(write_whole_file(path("big.zel"), big), 0);
    int result = 0;
    {
        const zel::testing::FileSizeLimit full(100000);
        ASSERT_TRUE(full.set());
        result = zel_encipher_replace(path("big.zel"), path("keep.zel"), "wplk");
    }
    EXPECT_EQ(result, -11);
    EXPECT_EQ(read_all(path("keep.zel")), previous);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::string sibling =
            path(".keep.zel.part-") + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        EXPECT_EQ(file_size(sibling), -1) << sibling;
    }

    EXPECT_EQ(save(path("no-such-folder/face.zel")), 0);
}

// A face saved over the person's file keeps the file as the person had it: private stays
// private, a link stays a link to the file that gets the face.
TEST_F(FileLoadSaveTest, ASaveKeepsThePermissionBitsAndWritesThroughALink) {
    ASSERT_EQ(write_whole_file(path("private.zel"), "old"), 0);
    ::chmod(path("private.zel").c_str(), 0600);
    ASSERT_EQ(save(path("private.zel")), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path("private.zel").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    ASSERT_EQ(::symlink("private.zel", path("link.zel").c_str()), 0);
    face().parts[kSlotMouth].lx = 27;
    ASSERT_EQ(save(path("link.zel")), 1);
    ASSERT_EQ(::lstat(path("link.zel").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    face().parts[kSlotMouth].lx = 0;
    EXPECT_EQ(load(path("private.zel")), 1);
    EXPECT_EQ(face().parts[kSlotMouth].lx, 27);
}

// Root may write any file: the refusal of a file the user may not write is seen as an ordinary
// user, in a folder of that user's own.
TEST_F(FileLoadSaveTest, AFileTheUserMayNotWriteIsNotSavedOver) {
    const zel::testing::UnprivilegedFolder shared("zel-face-save");
    if (!shared.made())
        GTEST_SKIP() << "no unprivileged user \"nobody\" to run as";
    const std::string& dir = shared.path();
    const std::string file = dir + "/locked.zel";
    ASSERT_EQ(write_whole_file(file, "kept"), 0);
    ASSERT_EQ(::chown(file.c_str(), shared.uid(), shared.gid()), 0);
    ::chmod(file.c_str(), 0444);
    const std::string answer = zel::testing::in_child([&]() -> std::string {
        if (std::string dropped = zel::testing::become_unprivileged(); !dropped.empty())
            return dropped;
        // A work folder of that user's own, and a save that may be made.
        ::setenv("ZEL_WORKDIR", (dir + "/work").c_str(), 1);
        if (save(dir + "/fine.zel") != 1)
            return "no face could be saved at all";
        return save(file) == 0 ? "" : "the face was saved over a file the user may not write";
    });
    const std::string kept = read_all(file);
    if (answer.rfind("skip:", 0) == 0)
        GTEST_SKIP() << answer;
    EXPECT_EQ(answer, "");
    EXPECT_TRUE(kept == "kept") << "the locked file was replaced";
}

TEST_F(FileLoadSaveTest, AVersionOneFaceRoundTripsThroughItsMeasures) {
    // The face object as caricature generation leaves it: a 100 x 150 picture whose box is
    // the standard face, and a drawing of the face edge with the parts drawn in.
    FaceObject& object = face_object();
    const FaceBox box = testing::standard_box();
    const FaceMeasures measures = testing::sample_measures();
    object.face_set_image(1, 100, 150);
    object.face_set_outline(&box);
    object.face_set_measures(&measures);
    object.landmarks.nose.center_x = 49;
    object.landmarks.mouth_color = _pixel{1, 2, 3, 0};
    BwBuffer edge(100, 150, 1);
    for (int r = 20; r < 140; ++r)
        edge.row_table()[r][5] = edge.row_table()[r][94] = 0;
    BwBuffer withParts = edge;
    ASSERT_EQ(face_build_from_parts(withParts.row_table(), 100, 150, 1, &box, &measures, 0), 0);
    BwBuffer handedIn;
    handedIn.copy_from(withParts.row_table(), 100, 150, /*flip=*/true);

    char name[300];
    std::snprintf(name, sizeof name, "%s", path("generated").c_str());
    ASSERT_EQ(SaveCartoonInZEL(handedIn.row_table(), name), 1);
    const std::string stored = read_all(path("generated.zel"));
    EXPECT_GE(static_cast<unsigned char>(stored[0]), 128);
    Zel1Content written;
    ASSERT_EQ(face_parse_zel1_text(read_all(path("zelprord1s.zel")), written), 0);
    EXPECT_EQ(std::memcmp(written.drawing.pixels(), edge.pixels(), 100 * 150), 0)
        << "the file holds the face edge alone";

    face_record_init(&face());
    object.landmarks = FaceLandmarks{};
    ASSERT_EQ(load(path("generated.zel")), 1);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 150);
    EXPECT_EQ(object.bRead, 1);
    EXPECT_EQ(object.landmarks.nose.center_x, 49);
    EXPECT_EQ(object.landmarks.mouth_color.b, 3);
    EXPECT_EQ(face().nSex, 1);
    EXPECT_STREQ(face().parts[kSlotLeftEye].name, "EYE213");
    EXPECT_EQ(face().parts[kSlotRightEye].lx, 64);
    EXPECT_EQ(face().parts[kSlotGlasses].IsLoaded, 0);
    for (int r = 0; r < 150; ++r) {
        ASSERT_EQ(std::memcmp(face().parts[kSlotFaceEdge].bitmap[r], edge.row_table()[r], 100), 0)
            << r;
        ASSERT_EQ(std::memcmp(bw[r], handedIn.row_table()[r], 100), 0) << r;
    }
}

TEST_F(FileLoadSaveTest, AVersionOneFaceWhoseBuildFailsChangesNothing) {
    FaceObject& object = face_object();
    const FaceBox box = testing::standard_box();
    const FaceMeasures measures = testing::sample_measures();
    BwBuffer edge(100, 150, 1);
    std::string text;
    ASSERT_EQ(face_text_zel1(Zel1Header{1, 0, 1, 3, 100, 150}, box, object.landmarks, measures,
                             edge.row_table(), 100, 150, text),
              0);
    ASSERT_EQ(write_whole_file(path("set3.zel"), text), 0);
    const std::string before = snapshot();
    EXPECT_EQ(load(path("set3.zel")), 0) << "set 3 has no templates here";
    EXPECT_EQ(snapshot(), before);

    char name[300];
    std::snprintf(name, sizeof name, "%s", path("set3").c_str());
    EXPECT_EQ(GetZELCartoon(name, bw, &w, &h), 0);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(FileLoadSaveTest, AVersionOneFaceWhoseBoxLeavesThePictureIsNotSaved) {
    // Written, such a file would never load: its box is refused.
    FaceObject& object = face_object();
    const FaceBox box = testing::standard_box();
    const FaceMeasures measures = testing::sample_measures();
    object.face_set_image(1, 90, 150);
    object.face_set_outline(&box);
    object.face_set_measures(&measures);
    BwBuffer drawing(90, 150, 1);
    char name[300];
    std::snprintf(name, sizeof name, "%s", path("outside").c_str());
    EXPECT_EQ(SaveCartoonInZEL(drawing.row_table(), name), 0);
    EXPECT_EQ(file_size(path("outside.zel")), -1);
}

TEST_F(FileLoadSaveTest, SmallExportsRefuseMissingArguments) {
    char name[] = "x";
    EXPECT_EQ(face_loadzel2(nullptr, bw, clr, &w, &h), 0);
    EXPECT_EQ(face_loadzel2(name, nullptr, clr, &w, &h), 0);
    EXPECT_EQ(face_loadzel2(name, bw, nullptr, &w, &h), 0);
    EXPECT_EQ(face_readzel2(name, nullptr), 0);
    EXPECT_EQ(face_savezel2(nullptr), 0);
    EXPECT_EQ(SaveCartoonInZEL(bw, nullptr), 0);

    face_object().colSize = 0;
    char target[300];
    std::snprintf(target, sizeof target, "%s", path("nothing").c_str());
    EXPECT_EQ(SaveCartoonInZEL(bw, target), 0);
    EXPECT_EQ(file_size(path("nothing.zel")), -1);
}

TEST_F(FileLoadSaveTest, ReadingIntoTheEnginesCanvasHandsTheFaceOutThere) {
    ASSERT_EQ(write_whole_file(path("plain.zel"), plain_text()), 0);
    char name[300];
    std::snprintf(name, sizeof name, "%s", path("plain.zel").c_str());
    char second[] = "y";
    ASSERT_EQ(face_readzel2(name, second), 1);
    EXPECT_EQ(face().clrImage[26][10].r, 0) << "face edge row 3 from the top, bottom row first";
}

} // namespace
} // namespace zel::engine
