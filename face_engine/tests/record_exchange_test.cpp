// Whole-record copies between the editor and the engine, and the small utilities.

#include "test_templates.h"

#include <climits>
#include <cstring>

namespace zel::engine::testing {
namespace {

// An editor-side record that owns its own canvas and face-edge bitmap.
struct OwnedRecord {
    OwnedRecord() : face{} {
        face.clrImage = ppm_allocarray(kCanvasCols, kCanvasRows);
        face.parts[kSlotFaceEdge].bitmap = pbm_allocarray(kCanvasCols, kCanvasRows);
        pixel_array_fill_grey(face.clrImage, kCanvasCols, kCanvasRows, 7);
        bw_array_fill(face.parts[kSlotFaceEdge].bitmap, kCanvasCols, kCanvasRows, 1);
    }
    ~OwnedRecord() {
        ppm_freearray(face.clrImage, kCanvasRows);
        pbm_freearray(face.parts[kSlotFaceEdge].bitmap, kCanvasRows);
    }
    OwnedRecord(const OwnedRecord&) = delete;
    OwnedRecord& operator=(const OwnedRecord&) = delete;
    _zel_face face;
};

class RecordExchangeTest : public EngineTest {};

TEST_F(RecordExchangeTest, CopyIntoARecordWithoutArraysTakesScalarsAndNamesOnly) {
    place(kSlotNose, "NOSE3", 11, 12, 1.5);
    part(kSlotNose).aux2 = 77;
    face().nExpression = 52;
    face().bBackedUp = 1;
    std::strcpy(face().backupNames[4], "NOSE1");
    face().bDrawn = 1;

    _zel_face copy{};
    ASSERT_EQ(zel_face_copyFromDLL(&copy), 0);
    EXPECT_EQ(copy.nSex, 6);
    EXPECT_STREQ(copy.parts[kSlotNose].name, "NOSE3");
    EXPECT_EQ(copy.parts[kSlotNose].lx, 11);
    EXPECT_EQ(copy.parts[kSlotNose].aux2, 77);
    EXPECT_DOUBLE_EQ(copy.parts[kSlotNose].Scale, 1.5);
    EXPECT_EQ(copy.parts[kSlotGlasses].nOid, 20);
    EXPECT_EQ(copy.nExpression, 52);
    EXPECT_STREQ(copy.backupNames[4], "NOSE1");
    EXPECT_EQ(copy.colSize, 40);
    EXPECT_EQ(copy.bDrawn, 1);
    EXPECT_EQ(copy.clrImage, nullptr);
    EXPECT_EQ(copy.parts[kSlotFaceEdge].bitmap, nullptr);
    EXPECT_EQ(zel_face_copyFromDLL(nullptr), kFail);
    EXPECT_EQ(zel_face_copyToDLL(nullptr), kFail);
}

TEST_F(RecordExchangeTest, ArraysAreCopiedAsTheyStandIntoArraysThatExist) {
    OwnedRecord mine;
    mine.face.colSize = 3;
    mine.face.rowSize = 2;
    mine.face.clrImage[0][0] = _pixel{1, 2, 3, 4};
    mine.face.clrImage[2][0] = _pixel{9, 9, 9, 9}; // outside the 3 x 2 size
    _zel_object& edge = mine.face.parts[kSlotFaceEdge];
    edge.bmCols = 5;
    edge.bmRows = 1;
    edge.bitmap[0][4] = 0;
    edge.bitmap[1][0] = 0; // outside bmCols x bmRows

    _pixel** engineCanvas = face().clrImage;
    unsigned char** engineEdge = part(kSlotFaceEdge).bitmap;
    ASSERT_EQ(zel_face_copyToDLL(&mine.face), 0);
    EXPECT_EQ(face().clrImage, engineCanvas);
    EXPECT_EQ(part(kSlotFaceEdge).bitmap, engineEdge);
    const _pixel copied = face().clrImage[0][0];
    EXPECT_EQ(copied.spare, 4);
    EXPECT_EQ(copied.r, 1);
    EXPECT_EQ(face().clrImage[2][0].r, 192); // not copied
    EXPECT_EQ(engineEdge[0][4], 0);
    EXPECT_EQ(engineEdge[1][0], 1);
}

TEST_F(RecordExchangeTest, ExtentsPastTheWorkingSizeAreNeverCopied) {
    OwnedRecord mine;
    mine.face.colSize = 721;
    mine.face.rowSize = 960;
    mine.face.parts[kSlotFaceEdge].bmCols = 720;
    mine.face.parts[kSlotFaceEdge].bmRows = 961;
    bw_array_fill(mine.face.parts[kSlotFaceEdge].bitmap, kCanvasCols, kCanvasRows, 0);

    ASSERT_EQ(zel_face_copyToDLL(&mine.face), 0);
    EXPECT_EQ(face().clrImage[0][0].r, 192);
    EXPECT_EQ(part(kSlotFaceEdge).bitmap[0][0], 1);
    // The scalars arrived, and such a face is not drawn.
    EXPECT_EQ(face().colSize, 721);
    EXPECT_EQ(face_redraw(), kFail);
}

TEST_F(RecordExchangeTest, NamesWithoutTheirNulAreCutToTheField) {
    _zel_face mine{};
    ASSERT_EQ(zel_face_copyFromDLL(&mine), 0);
    std::memset(mine.parts[kSlotMouth].name, 'M', sizeof mine.parts[kSlotMouth].name);
    std::memset(mine.backupNames[0], 'E', sizeof mine.backupNames[0]);
    ASSERT_EQ(zel_face_copyToDLL(&mine), 0);
    EXPECT_EQ(std::string(part(kSlotMouth).name), std::string(19, 'M'));
    EXPECT_EQ(std::string(face().backupNames[0]), std::string(19, 'E'));
}

TEST_F(RecordExchangeTest, LoadedWordsByIdentifier) {
    EXPECT_EQ(zel_object_loaded(1), 0);
    EXPECT_EQ(zel_object_loaded(8), 0);
    part(kSlotGlasses).IsLoaded = 5;
    EXPECT_EQ(zel_object_loaded(20), 5);
}

TEST(SmallExports, BitmapHeaderFor24BitPictures) {
    _BmpHeader h{};
    init_bmpheader(&h, 1, 1);
    EXPECT_EQ(h.type, 19778);
    EXPECT_EQ(h.file_size, 62u);
    EXPECT_EQ(h.image_size, 4u);
    EXPECT_EQ(h.data_offset, 56u);
    EXPECT_EQ(h.info_size, 40u);
    EXPECT_EQ(h.bit_count, 24);
    EXPECT_EQ(h.planes, 1);
    init_bmpheader(&h, 4, 10);
    EXPECT_EQ(h.image_size, 120u);
    EXPECT_EQ(h.file_size, 178u);
    EXPECT_EQ(h.width, 4);
    EXPECT_EQ(h.height, 10);
    // The widest sizes give the size field's 32 bits of the product (6442450944 x INT_MAX),
    // without a signed overflow on the way.
    init_bmpheader(&h, INT_MAX, INT_MAX);
    EXPECT_EQ(h.image_size, 0x80000000u);
    EXPECT_EQ(h.file_size, 0x80000000u + 58);
}

TEST(SmallExports, ChannelShiftsAreInversesAndKeepTheSpareByte) {
    _pixel** arr = ppm_allocarray(2, 1);
    arr[0][0] = _pixel{1, 2, 3, 4};
    arr[0][1] = _pixel{250, 0, 128, 9};
    shift_clr_rgb2brg(arr, 2, 1);
    EXPECT_EQ(arr[0][0].r, 3);
    EXPECT_EQ(arr[0][0].g, 1);
    EXPECT_EQ(arr[0][0].b, 2);
    EXPECT_EQ(arr[0][0].spare, 4);
    shift_clr_brg2rgb(arr, 2, 1);
    EXPECT_EQ(std::memcmp(&arr[0][1], "\xfa\x00\x80\x09", 4), 0);
    EXPECT_EQ(arr[0][0].r, 1);
    shift_clr_rgb2brg(nullptr, 2, 1);
    pix_array_copy(nullptr, arr, 2, 1);
    ppm_freearray(arr, 1);
}

TEST(SmallExports, ExtensionCutter) {
    const std::pair<std::string, std::string> cases[] = {
        {".profile", ".profile"},
        {"a.b.zel", "a.b"},
        {"/home/me/my.faces/smile", "/home/me/my.faces/smile"},
        {"/home/me/my.faces/smile.zel", "/home/me/my.faces/smile"},
        {"/home/me/.faces", "/home/me/.faces"},
        {"noext", "noext"},
        {"C:\\faces\\smile.zel", "C:\\faces\\smile"},
    };
    for (const auto& [in, out] : cases) {
        std::string path = in;
        take_off_ext(path.data());
        EXPECT_EQ(std::string(path.c_str()), out) << in;
    }
    take_off_ext(nullptr);
}

} // namespace
} // namespace zel::engine::testing
