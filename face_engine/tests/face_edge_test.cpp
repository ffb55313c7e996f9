#include "file/bw_buffer.h"
#include "test_templates.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zel::engine {
namespace {

class FaceEdgeTest : public testing::EngineTest {
protected:
    void SetUp() override {
        testing::EngineTest::SetUp();
        templates.add(1, "RING", {"###", "#.#", "###"}, 1, 1);
        templates.add(6, "GLASSES_STD", {"#.#"}, 1, 0);
    }
    unsigned char** edge() { return face().parts[kSlotFaceEdge].bitmap; }
};

TEST_F(FaceEdgeTest, TheDrawingTurnsRightSideUp) {
    BwBuffer drawing(3, 2, 1);
    drawing.row_table()[0][0] = 0; // bottom row, left
    drawing.row_table()[1][2] = 0; // top row, right
    ASSERT_EQ(set_face_edge_inDLL(drawing.row_table(), 3, 2), 1);
    EXPECT_EQ(edge()[0][2], 0);
    EXPECT_EQ(edge()[1][0], 0);
    EXPECT_EQ(edge()[0][0], 1);
    EXPECT_EQ(edge()[1][2], 1);
}

TEST_F(FaceEdgeTest, EveryLoadedPartIsErasedEvenWhereItCoversTheFaceEdge) {
    place(kSlotLeftEye, "RING", 10, 10);
    place(kSlotMouth, "RING", 20, 20);
    face().parts[kSlotMouth].Display = 0; // hidden but loaded: erased all the same
    place(kSlotNose, "RING", 30, 5);
    face().parts[kSlotNose].IsLoaded = 0; // not loaded: its ink is the face edge's
    place(kSlotGlasses, "GLASSES_STD", 5, 25);
    face().parts[kSlotGlasses].Gender = 6;

    // The drawing as the editor hands it back (bottom row first): parts and a face edge along
    // row 9 (top-first), which the eye's top row covers too.
    BwBuffer top(40, 30, 1);
    for (int c = 0; c < 40; ++c)
        top.row_table()[9][c] = 0;
    for (const auto& [x, y] : {std::pair{10, 10}, std::pair{20, 20}, std::pair{30, 5}})
        for (int r = -1; r <= 1; ++r)
            for (int c = -1; c <= 1; ++c)
                if (r != 0 || c != 0)
                    top.row_table()[y + r][x + c] = 0;
    top.row_table()[25][4] = 0;
    top.row_table()[25][6] = 0;
    BwBuffer drawing;
    drawing.copy_from(top.row_table(), 40, 30, /*flip=*/true);

    ASSERT_EQ(set_face_edge_inDLL(drawing.row_table(), 40, 30), 1);
    const std::vector<std::string> art = testing::as_art(edge(), 40, 30);
    EXPECT_EQ(art[9].substr(8, 5), "#...#") << "the eye's top row took the edge under it";
    EXPECT_EQ(art[10].substr(8, 5), ".....");
    EXPECT_EQ(art[20].substr(18, 5), ".....") << "hidden mouth erased";
    EXPECT_EQ(art[5].substr(28, 5), ".#.#.") << "unloaded nose kept";
    EXPECT_EQ(art[25].substr(3, 5), ".....") << "glasses erased under set 6";
    EXPECT_EQ(art[9].substr(20, 10), "##########");
}

TEST_F(FaceEdgeTest, RefusesWhatDoesNotFit) {
    BwBuffer drawing(721, 961, 1);
    EXPECT_EQ(set_face_edge_inDLL(nullptr, 40, 30), 0);
    EXPECT_EQ(set_face_edge_inDLL(drawing.row_table(), 0, 30), 0);
    EXPECT_EQ(set_face_edge_inDLL(drawing.row_table(), 40, -1), 0);
    EXPECT_EQ(set_face_edge_inDLL(drawing.row_table(), 721, 30), 0);
    EXPECT_EQ(set_face_edge_inDLL(drawing.row_table(), 40, 961), 0);
}

TEST_F(FaceEdgeTest, AMissingTemplateFailsAndKeepsTheFaceEdge) {
    place(kSlotLeftEye, "RING", 5, 5);
    place(kSlotNose, "NO_SUCH_NOSE", 20, 10);
    place(kSlotMouth, "RING", 20, 20);
    BwBuffer drawing(40, 30, 0);
    EXPECT_EQ(set_face_edge_inDLL(drawing.row_table(), 40, 30), 0);
    // The mouth after the failing nose would stay in the face edge and be drawn twice.
    for (int r = 0; r < kCanvasRows; ++r)
        ASSERT_EQ(std::memchr(edge()[r], 0, kCanvasCols), nullptr) << "row " << r;
    _zel_object part = face().parts[kSlotLeftEye];
    part.IsLoaded = 0;
    EXPECT_EQ(part_edge_erase(part, edge(), 40, 30, 0, 1), 0) << "not loaded: nothing read";
}

} // namespace
} // namespace zel::engine
