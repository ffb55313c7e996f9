// The document's may-close question and its buffers.

#include "editor_test_support.h"
#include "resource_ids.h"

namespace zel::editor::test {
namespace {

using DocTest = EditorTest;

TEST(NotSavedExplanation, ListsTheCommandsForEachChange) {
    EXPECT_EQ(CTesselDoc::NotSavedExplanation(1, 1),
              "Click Save button to save the created image, and/or\n"
              "Use 'Save Face in ZEL Format' from File menu to save the modified face "
              "caricature,\nthen click Exit button to exit.\n");
    EXPECT_EQ(CTesselDoc::NotSavedExplanation(1, 0),
              "Click Save button to save the created image, \nthen click Exit button to exit.\n");
    EXPECT_EQ(CTesselDoc::NotSavedExplanation(0, 1),
              "\nUse 'Save Face in ZEL Format' from File menu to save the modified face "
              "caricature,\nthen click Exit button to exit.\n");
}

TEST_F(DocTest, ALoadedFaceWithoutChangesClosesWithoutAQuestion) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    ASSERT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(Doc()->SaveModified());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(DocTest, YesExplainsAndStaysOpenNoClosesCancelStays) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    Doc()->m_faceChanged = 1;
    Doc()->m_composedChanged = 1;

    AnswerMessageBox(IDYES);
    EXPECT_FALSE(Doc()->SaveModified());
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[0].text, "Save Caricature");
    EXPECT_EQ(m_boxes[0].caption, "Caricature Not Saved");
    EXPECT_EQ(m_boxes[0].type, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(m_boxes[0].owner, Frame()->m_hWnd);
    EXPECT_EQ(m_boxes[1].caption, "Caricature Not Saved yet!");
    EXPECT_EQ(m_boxes[1].type, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_NE(m_boxes[1].text.find(" and/or\n"), std::string::npos);

    AnswerMessageBox(IDCANCEL);
    EXPECT_FALSE(Doc()->SaveModified());
    AnswerMessageBox(IDNO);
    EXPECT_TRUE(Doc()->SaveModified());

    // Closing the window asks the same question: Cancel keeps it.
    AnswerMessageBox(IDCANCEL);
    View()->OnExit();
    EXPECT_NE(m_app->m_pMainWnd, nullptr);
    AnswerMessageBox(IDNO);
    View()->OnExit();
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
}

TEST_F(DocTest, NewDocumentClearsSizesAndFlagsAndFreesScreenCopies) {
    ASSERT_TRUE(Start());
    LoadStarterFace("child");
    ASSERT_FALSE(Doc()->m_faceBits.empty());
    Doc()->SetModifiedFlag(FALSE);
    Command(ID_FILE_NEW);
    EXPECT_EQ(Doc()->m_facePresent, 0);
    EXPECT_TRUE(Doc()->m_faceBits.empty());
    EXPECT_TRUE(Doc()->m_composedBits.empty());
    EXPECT_TRUE(Doc()->m_faceRect.IsRectEmpty());
    EXPECT_EQ(Doc()->m_colorWidth, 0);
    EXPECT_EQ(Doc()->m_composedWidth, 0);
}

TEST_F(DocTest, FaceScreenCopyReadsBackIntoTheDrawing) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    CTesselDoc& doc = *Doc();
    const int width = doc.m_faceRect.Width();
    ASSERT_GT(width, 0);
    EXPECT_EQ(doc.m_faceInfo.info.bmiHeader.biBitCount, 24);
    EXPECT_EQ(doc.m_faceInfo.info.bmiHeader.biClrUsed, 2u);
    // Paint one pixel ink in the copy: the drawing follows, the pad bytes do not matter.
    const int rowBytes = (width * 3 + 3) & ~3;
    unsigned char* pixel = doc.m_faceBits.data() + 5 * rowBytes + 7 * 3;
    pixel[0] = pixel[1] = pixel[2] = 190;
    doc.ReadFaceScreen();
    EXPECT_EQ(doc.m_faceDrawing[5][7], 0);
    pixel[0] = 191;
    doc.ReadFaceScreen();
    EXPECT_EQ(doc.m_faceDrawing[5][7], 1);
}

} // namespace
} // namespace zel::editor::test
