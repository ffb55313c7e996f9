// The editing exports and their _save forms.

#include "test_templates.h"

#include <zel/common/work_folder.h>

#include <cmath>
#include <cstring>
#include <filesystem>

namespace zel::engine::testing {
namespace {

class FaceEditTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        templates.add(1, "DOT", {"#"}, 0, 0);
        place(kSlotMouth, "DOT", 100, 100);
    }
};

TEST_F(FaceEditTest, MovesMultiplyThePositionAndTruncate) {
    struct Case {
        int step;
        int start;
        int expected;
    };
    for (const Case& c : {Case{1, 100, 97}, Case{2, 100, 103}, Case{1, 480, 465}, Case{2, 480, 494},
                          Case{2, 33, 34}, Case{2, 0, 1}, Case{1, 33, 32}, Case{1, 0, 0}}) {
        part(kSlotMouth).ly = c.start;
        EXPECT_EQ(face_move(7, c.step), 0);
        EXPECT_EQ(part(kSlotMouth).ly, c.expected) << c.start;
    }
    part(kSlotMouth).lx = 480;
    EXPECT_EQ(face_move(7, 3), 0);
    EXPECT_EQ(part(kSlotMouth).lx, 465);
    EXPECT_EQ(face_move(7, 4), 0);
    EXPECT_EQ(part(kSlotMouth).lx, 478);
    // A part moved up to the edge comes back down step by step.
    part(kSlotMouth).lx = 2;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(face_move(7, 3), 0);
    EXPECT_EQ(part(kSlotMouth).lx, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(face_move(7, 4), 0);
    EXPECT_EQ(part(kSlotMouth).lx, 3);
    part(kSlotMouth).lx = 478;
    EXPECT_EQ(face_move(7, 5), kBadStep);
    EXPECT_EQ(part(kSlotMouth).lx, 478);
}

TEST_F(FaceEditTest, ScaleStepsCompoundWithoutTruncation) {
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(face_scale(7, 1), 0);
    }
    EXPECT_DOUBLE_EQ(part(kSlotMouth).Scale, std::pow(1.05, 10));
    EXPECT_EQ(face_scale(7, 2), 0);
    EXPECT_DOUBLE_EQ(part(kSlotMouth).Scale, std::pow(1.05, 10) * 0.95);
    EXPECT_EQ(face_scale(7, 3), kBadStep);
}

TEST_F(FaceEditTest, EditsOfAbsentOrUnknownPartsAreRefusedAsNotLoaded) {
    const _pixel grey{63, 63, 63, 0};
    for (int id : {6, 8, -1, 20}) { // nose and glasses not loaded; 8 and -1 name no part
        EXPECT_EQ(face_change(id, "NOSE1"), kNotLoaded);
        EXPECT_EQ(face_move(id, 1), kNotLoaded);
        EXPECT_EQ(face_scale(id, 1), kNotLoaded);
        EXPECT_EQ(face_color(id, grey), kNotLoaded);
        EXPECT_EQ(face_display(id, 32), kNotLoaded);
        EXPECT_EQ(face_gender(id, 2), kNotLoaded);
        EXPECT_EQ(face_move_save(id, 1, "x.bmp"), kNotLoaded);
        EXPECT_EQ(face_scale_save(id, 1, "x.bmp"), kNotLoaded);
        EXPECT_EQ(face_color_save(id, grey, "x.bmp"), kNotLoaded);
        EXPECT_EQ(face_display_save(id, 31, "x.bmp"), kNotLoaded);
    }
    EXPECT_STREQ(part(kSlotNose).name, "NOSE2");
    EXPECT_EQ(part(kSlotNose).Display, 1);
}

TEST_F(FaceEditTest, ColourIsStoredAsItsComplementAndTheSpareByteAsGiven) {
    EXPECT_EQ(face_color(7, _pixel{63, 63, 63, 5}), 0);
    const _pixel stored = part(kSlotMouth).color;
    EXPECT_EQ(stored.r, 192);
    EXPECT_EQ(stored.g, 192);
    EXPECT_EQ(stored.b, 192);
    EXPECT_EQ(stored.spare, 5);
    EXPECT_EQ(face_display(7, 32), 0);
    EXPECT_EQ(face_display(7, 33), 0); // any other mode changes nothing
    EXPECT_EQ(part(kSlotMouth).Display, 0);
}

TEST_F(FaceEditTest, NamesThatDoNotFitTheFieldAreRefused) {
    const std::string fits(19, 'A');
    const std::string tooLong(20, 'B');
    EXPECT_EQ(face_change(7, tooLong.c_str()), kFail);
    EXPECT_STREQ(part(kSlotMouth).name, "DOT");
    EXPECT_EQ(face_change(7, nullptr), kFail);
    // No face file can hold these, so the face could not be saved afterwards.
    EXPECT_EQ(face_change(7, "MOUTH:22"), kFail);
    EXPECT_EQ(face_change(7, "MOUTH\n22"), kFail);
    EXPECT_STREQ(part(kSlotMouth).name, "DOT");
    EXPECT_EQ(face_change(7, fits.c_str()), 0);
    EXPECT_EQ(std::string(part(kSlotMouth).name), fits);
    // The _save form redraws and writes all the same, with the name unchanged.
    const std::string file = zel::work_path("head.bmp");
    EXPECT_EQ(face_change_save(7, tooLong.c_str(), file.c_str()), 0);
    EXPECT_EQ(std::string(part(kSlotMouth).name), fits);
    EXPECT_TRUE(std::filesystem::exists(file));
}

TEST_F(FaceEditTest, GlassesStylesAlwaysLoadTheGlasses) {
    const std::pair<int, const char*> cases[] = {
        {41, "GLASSES_RND"}, {42, "GLASSES_REC"}, {7, "GLASSES_STD"}};
    for (const auto& [style, name] : cases) {
        part(kSlotGlasses).IsLoaded = 0;
        part(kSlotGlasses).Display = 0;
        EXPECT_EQ(face_glasses(style), 0);
        EXPECT_STREQ(part(kSlotGlasses).name, name);
        EXPECT_EQ(part(kSlotGlasses).IsLoaded, 1);
        EXPECT_EQ(part(kSlotGlasses).Display, 0);
    }
}

TEST_F(FaceEditTest, ExpressionsBackUpTheNamesOnceAndNeutralRestoresThem) {
    std::strcpy(part(kSlotLeftBrow).name, "BROW3");
    std::strcpy(part(kSlotRightBrow).name, "BROW3");
    EXPECT_EQ(face_expression(52), 0);
    EXPECT_STREQ(part(kSlotLeftBrow).name, "BROW_SAD");
    EXPECT_STREQ(part(kSlotRightBrow).name, "BROW_SAD");
    EXPECT_STREQ(part(kSlotMouth).name, "MOUTH_SAD");
    EXPECT_EQ(face().bBackedUp, 1);
    EXPECT_STREQ(face().backupNames[2], "BROW3");
    EXPECT_STREQ(face().backupNames[5], "DOT");

    std::strcpy(part(kSlotMouth).name, "CHANGED");
    EXPECT_EQ(face_expression(52), 0); // the same code again does nothing
    EXPECT_STREQ(part(kSlotMouth).name, "CHANGED");

    EXPECT_EQ(face_expression(51), 0);
    EXPECT_STREQ(part(kSlotMouth).name, "MOUTH_HPY");
    EXPECT_EQ(face_expression(53), 0);
    EXPECT_STREQ(part(kSlotLeftBrow).name, "BROW_ANGRY");
    EXPECT_STREQ(face().backupNames[5], "DOT"); // still the names of before the first one
    EXPECT_EQ(face_expression(55), 0);
    EXPECT_STREQ(part(kSlotMouth).name, "MOUTH_ANGRY");

    EXPECT_EQ(face_expression(50), 0);
    EXPECT_STREQ(part(kSlotLeftBrow).name, "BROW3");
    EXPECT_STREQ(part(kSlotMouth).name, "DOT");
    EXPECT_STREQ(part(kSlotLeftEye).name, "EYE222");
    EXPECT_EQ(part(kSlotMouth).lx, 100); // names only

    // A face that holds an expression but no backup keeps its names.
    face().nExpression = 52;
    face().bBackedUp = 0;
    std::memset(face().backupNames, 0, sizeof face().backupNames);
    EXPECT_EQ(face_expression(50), 0);
    EXPECT_STREQ(part(kSlotMouth).name, "DOT");
    EXPECT_STREQ(part(kSlotLeftBrow).name, "BROW3");
}

TEST_F(FaceEditTest, SaveFormsWriteTheHeadPictureEvenForABadStep) {
    const std::string file = zel::work_path("head.bmp");
    EXPECT_EQ(face_move_save(7, 9, file.c_str()), 0);
    EXPECT_EQ(part(kSlotMouth).ly, 100);
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(face().bDrawn, 1);

    EXPECT_EQ(face_move_save(7, 1, file.c_str()), 0);
    EXPECT_EQ(part(kSlotMouth).ly, 97);
    EXPECT_EQ(face_scale_save(7, 1, file.c_str()), 0);
    EXPECT_DOUBLE_EQ(part(kSlotMouth).Scale, 1.05);
    // A missing template is not reported by the save forms.
    EXPECT_EQ(face_gender_save(7, 4, file.c_str()), 0);
    EXPECT_EQ(face_expression_save(53, file.c_str()), 0);
    EXPECT_EQ(face_glasses_save(41, file.c_str()), 0);
}

TEST_F(FaceEditTest, EditingTheCallersOwnRecord) {
    _zel_object mine{};
    mine.lx = 200;
    mine.Scale = 2.0;
    EXPECT_EQ(face_editing(&mine, 1, 3), 0);
    EXPECT_EQ(mine.lx, 194);
    EXPECT_EQ(face_editing(&mine, 3, 2), 0);
    EXPECT_DOUBLE_EQ(mine.Scale, 1.9);
    EXPECT_EQ(face_editing(&mine, 3, 7), kBadStep);
    EXPECT_EQ(face_editing(&mine, 2, 7), 0); // unknown action: nothing
    EXPECT_EQ(face_editing(nullptr, 1, 1), kFail);
    EXPECT_EQ(part(kSlotMouth).lx, 100);
}

} // namespace
} // namespace zel::engine::testing
