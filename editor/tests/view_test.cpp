// Loading pictures and face files, the panels and the buttons.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/common/data_folder.h>
#include <zel/common/work_folder.h>
#include <zel/testing/file_size_limit.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace zel::editor::test {
namespace {

using ViewTest = EditorTest;
namespace fs = std::filesystem;

int dark_pixels(EditorTest& t, const CRect& area) {
    int dark = 0;
    for (int y = area.top; y < area.bottom; y += 2) {
        for (int x = area.left; x < area.right; x += 2) {
            const COLORREF c = t.Pixel(x, y);
            dark += GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64 ? 1 : 0;
        }
    }
    return dark;
}

TEST(FitIntoPanel, WidePicturesFillTheWidthTallOnesTheHeightFromTheTopLeft) {
    const CRect panel(10, 20, 110, 220); // 100 x 200
    EXPECT_EQ(CTesselView::FitIntoPanel(panel, 400, 100), CRect(10, 20, 110, 45));
    EXPECT_EQ(CTesselView::FitIntoPanel(panel, 100, 400), CRect(10, 20, 60, 220));
    // A height of 0 counts as ratio 1.
    EXPECT_EQ(CTesselView::FitIntoPanel(panel, 50, 0), CRect(10, 20, 110, 120));
}

TEST_F(ViewTest, EachStarterFaceLoadsOntoGreyPaperInTheFacePanel) {
    ASSERT_TRUE(Start());
    for (const char* name : {"man", "woman", "child", "man-glasses"}) {
        SCOPED_TRACE(name);
        LoadStarterFace(name);
        ASSERT_EQ(Doc()->m_facePresent, 1);
        EXPECT_TRUE(m_boxes.empty());
        EXPECT_EQ(m_fileDialogs.back().initialName, "*.zel");
        EXPECT_EQ(m_fileDialogs.back().filters[0].first, "ZEL Files (*.zel)");
        const CTesselDoc& doc = *Doc();
        EXPECT_EQ(doc.m_composedShown, 0);
        EXPECT_EQ(doc.m_faceChanged, 0);
        EXPECT_TRUE(const_cast<CTesselDoc&>(doc).IsModified());
        EXPECT_GE(doc.m_faceKind, 1);
        EXPECT_EQ(View()->m_faceKind, doc.m_faceKind);
        // The colour face keeps no pure white pixel.
        bool white = false;
        for (int r = 0; r < doc.m_colorHeight && !white; ++r) {
            for (int c = 0; c < doc.m_colorWidth; ++c) {
                const _pixel& p = doc.m_colorFace[r][c];
                white = white || (p.r == 255 && p.g == 255 && p.b == 255);
            }
        }
        EXPECT_FALSE(white);
        Repaint();
        const CRect fitted = CTesselView::FitIntoPanel(
            CTesselView::kFacePanel, doc.m_faceRect.Width(), doc.m_faceRect.Height());
        EXPECT_EQ(fitted.TopLeft(), CTesselView::kFacePanel.TopLeft());
        EXPECT_EQ(Pixel(fitted.left + 1, fitted.top + 1), RGB(192, 192, 192));
        EXPECT_GT(dark_pixels(*this, fitted), 50);
        // Nothing is drawn outside the panel.
        EXPECT_EQ(dark_pixels(
                      *this, CRect(fitted.right + 2, fitted.top, fitted.right + 12, fitted.bottom)),
                  0);
        Doc()->SetModifiedFlag(FALSE);
    }
}

TEST_F(ViewTest, ButtonsFollowTheFaceAndTheComposedPicture) {
    ASSERT_TRUE(Start());
    CTesselView& v = *View();
    EXPECT_FALSE(v.m_btnEditFace.IsWindowEnabled());
    EXPECT_FALSE(v.m_btnMakeFace.IsWindowEnabled());
    EXPECT_FALSE(v.m_btnSave.IsWindowEnabled());
    EXPECT_FALSE(v.m_btnPrint.IsWindowEnabled());
    EXPECT_TRUE(v.m_btnLoadCaricature.IsWindowEnabled());
    EXPECT_TRUE(v.m_btnExit.IsWindowEnabled());

    LoadStarterFace("man");
    for (CShadeButton* b : {&v.m_btnEditFace, &v.m_btnMakeFace, &v.m_btnChangeFace, &v.m_btnAddBody,
                            &v.m_btnAddBkgd}) {
        EXPECT_TRUE(b->IsWindowEnabled());
    }
    EXPECT_FALSE(v.m_btnSave.IsWindowEnabled());
    EXPECT_FALSE(v.m_btnPrint.IsWindowEnabled());
    EXPECT_TRUE(CommandEnabled(ID_MAKE_FACE));
    EXPECT_TRUE(CommandEnabled(ID_SAVE_FACE_FILE));
    EXPECT_FALSE(CommandEnabled(ID_FILE_SAVE));

    AddBodyThroughTheRoad();
    EXPECT_TRUE(v.m_btnSave.IsWindowEnabled());
    EXPECT_TRUE(v.m_btnPrint.IsWindowEnabled());
    EXPECT_TRUE(CommandEnabled(ID_FILE_SAVE));

    // A composed file that cannot be read back disables Save and Print again.
    AnswerDialog([&v](CDialog& dialog) {
        Press(dialog, dlgAddBkgd::IDC_MOUNTAINS_NEXT);
        std::ofstream(v.m_composedPath, std::ios::trunc) << "not a picture";
        Press(dialog, dlgAddBkgd::IDC_DONE);
    });
    Command(ID_ADD_BKGD);
    EXPECT_EQ(Doc()->m_composedShown, 0);
    Repaint();
    EXPECT_FALSE(v.m_btnSave.IsWindowEnabled());
    EXPECT_FALSE(v.m_btnPrint.IsWindowEnabled());
    EXPECT_FALSE(CommandEnabled(ID_FILE_SAVE));
}

TEST_F(ViewTest, AClickOnMakeFaceArrivesAsItsCommand) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    const std::string head = View()->m_headPath;
    std::remove(head.c_str());
    View()->m_btnMakeFace.SendMessage(BM_CLICK);
    // The road wrote the head work file and handed the dialog its paths.
    EXPECT_EQ(View()->m_dlgSelect.m_headPath, head);
    EXPECT_EQ(View()->m_dlgSelect.m_backupPath, zel::work_path("zel_tmp.bmp"));
    EXPECT_TRUE(std::ifstream(head).good());
}

TEST_F(ViewTest, APhotoShowsInItsPanelUntilTheNextRepaint) {
    ASSERT_TRUE(Start());
    const std::string photo = zel::work_path("photo.bmp");
    ASSERT_TRUE(write_photo(photo, 300, 200, _pixel{30, 140, 90, 0}));
    AnswerFileDialog(photo);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Doc()->m_photoLoaded, 1);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Load image file from " + photo + ": col=300, row=200");
    EXPECT_EQ(m_boxes[0].caption, "Load image");
    EXPECT_EQ(Doc()->GetTitle(), "Caricature");
    EXPECT_EQ(Pixel(165, 84), RGB(30, 140, 90));
    Repaint();
    EXPECT_NE(Pixel(165, 84), RGB(30, 140, 90));
    EXPECT_TRUE(CommandEnabled(ID_REFRESH_BUTTONS));
}

// The face kind goes with the face: a cancelled photo dialog keeps it, so Add Body still starts
// on the bodies of the face's kind; a photo loaded sets it to 1.
TEST_F(ViewTest, TheFaceKindChangesOnlyWhenAPhotoIsLoaded) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    const int woman = Doc()->m_faceKind;
    ASSERT_NE(woman, 1);
    Doc()->SetModifiedFlag(FALSE);
    CancelFileDialog();
    Command(ID_FILE_OPEN);
    EXPECT_EQ(View()->m_faceKind, woman);
    AnswerDialog({});
    Command(ID_ADD_BODY);
    EXPECT_EQ(View()->m_dlgAddBody.m_faceKind, woman);

    // A file that is no picture is no photo either.
    const std::string bad = zel::work_path("bad.bmp");
    std::ofstream(bad) << "not a bitmap";
    AnswerFileDialog(bad);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(View()->m_faceKind, woman);

    const std::string photo = zel::work_path("photo.bmp");
    ASSERT_TRUE(write_photo(photo, 60, 80, _pixel{30, 140, 90, 0}));
    AnswerFileDialog(photo);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Doc()->m_photoLoaded, 1);
    EXPECT_EQ(View()->m_faceKind, 1);
}

TEST_F(ViewTest, ALargePhotoIsDrawnFromItsShrunkCopyWithAHeaderOfThatSize) {
    ASSERT_TRUE(Start());
    const std::string photo = zel::work_path("large.bmp");
    ASSERT_TRUE(write_photo(photo, 1500, 1000, _pixel{200, 120, 40, 0}));
    AnswerFileDialog(photo);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Doc()->m_photoLoaded, 1);
    EXPECT_EQ(Doc()->m_photoCols, 720);
    EXPECT_EQ(Doc()->m_photoRows, 480);
    EXPECT_EQ(Doc()->m_photoInfo.biWidth, 720);
    EXPECT_EQ(Doc()->m_photoInfo.biHeight, 480);
    EXPECT_EQ(Doc()->m_photoInfo.biBitCount, 24);
    EXPECT_EQ(Doc()->m_photoBits.size(), std::size_t(720 * 3 * 480));
    // Fitted across the panel's whole width.
    EXPECT_EQ(Pixel(CTesselView::kPhotoPanel.right - 2, CTesselView::kPhotoPanel.top + 10),
              RGB(200, 120, 40));
}

// What a load that fails must leave as it was: the face, the photo and the composed picture,
// with their screen copies and flags.
struct Shown {
    explicit Shown(const CTesselDoc& doc)
        : facePresent(doc.m_facePresent), photoLoaded(doc.m_photoLoaded),
          composedShown(doc.m_composedShown), faceChanged(doc.m_faceChanged),
          faceKind(doc.m_faceKind), faceBits(doc.m_faceBits), photoBits(doc.m_photoBits),
          composedBits(doc.m_composedBits),
          colour(pixels_of(doc.m_colorFace, doc.m_colorWidth, doc.m_colorHeight)),
          photo(pixels_of(doc.m_photo, doc.m_photoCols, doc.m_photoRows)) {}
    void ExpectSame(const Shown& o) const {
        EXPECT_EQ(facePresent, o.facePresent);
        EXPECT_EQ(photoLoaded, o.photoLoaded);
        EXPECT_EQ(composedShown, o.composedShown);
        EXPECT_EQ(faceChanged, o.faceChanged);
        EXPECT_EQ(faceKind, o.faceKind);
        EXPECT_TRUE(faceBits == o.faceBits) << "the face screen copy";
        EXPECT_TRUE(photoBits == o.photoBits) << "the photo screen copy";
        EXPECT_TRUE(composedBits == o.composedBits) << "the composed screen copy";
        EXPECT_TRUE(same(colour, o.colour)) << "the colour face";
        EXPECT_TRUE(same(photo, o.photo)) << "the photo";
    }
    int facePresent, photoLoaded, composedShown, faceChanged, faceKind;
    std::vector<unsigned char> faceBits, photoBits, composedBits;
    std::vector<_pixel> colour, photo;
};

// A face edited and composed.
void ShowEditedFace(EditorTest& t) {
    t.LoadStarterFace("woman");
    t.AddBodyThroughTheRoad();
    ASSERT_EQ(t.Doc()->m_composedShown, 1);
    t.Doc()->m_faceChanged = 1;
    t.Doc()->SetModifiedFlag(FALSE);
    t.m_boxes.clear();
}

TEST_F(ViewTest, AnUnreadablePhotoLeavesTheFaceAndThePhotoAsTheyWereAndSaysSo) {
    ASSERT_TRUE(Start());
    ShowEditedFace(*this);
    Shown before(*Doc());
    const std::string bad = zel::work_path("bad.bmp");
    std::ofstream(bad) << "not a bitmap";
    AnswerFileDialog(bad);
    Command(ID_FILE_OPEN);
    Shown(*Doc()).ExpectSame(before);
    ASSERT_GE(m_boxes.size(), 2u);
    // The sizes of a failed read are 0, not whatever was in memory.
    EXPECT_EQ(m_boxes[m_boxes.size() - 2].text, "Load image file from " + bad + ": col=0, row=0");
    EXPECT_EQ(m_boxes.back().text, "The specified document's format is invalid or not supported!");
    EXPECT_EQ(m_boxes.back().caption, "Open File");
    EXPECT_TRUE(View()->m_btnEditFace.IsWindowEnabled());

    const std::string photo = zel::work_path("photo.bmp");
    ASSERT_TRUE(write_photo(photo, 300, 200, _pixel{30, 140, 90, 0}));
    AnswerFileDialog(photo);
    Command(ID_FILE_OPEN);
    ASSERT_EQ(Doc()->m_photoLoaded, 1);
    before = Shown(*Doc());
    AnswerFileDialog(bad);
    Command(ID_FILE_OPEN);
    Shown(*Doc()).ExpectSame(before);
}

TEST_F(ViewTest, AFaceFileThatCannotBeLoadedLeavesTheFaceAsItWas) {
    ASSERT_TRUE(Start());
    ShowEditedFace(*this);
    const Shown before(*Doc());
    const std::string bad = zel::work_path("bad.zel");
    std::ofstream(bad) << "not a face";
    AnswerFileDialog(bad);
    Command(ID_CMD_LOAD_CARICATURE);
    Shown(*Doc()).ExpectSame(before);
    ASSERT_FALSE(m_boxes.empty());
    EXPECT_EQ(m_boxes.back().text, "The document's format is invalid or not supported!");
    EXPECT_EQ(m_boxes.back().caption, "Load caricature from a ZEL file");
    EXPECT_EQ(m_boxes.back().owner, View()->m_hWnd);
    EXPECT_TRUE(View()->m_btnEditFace.IsWindowEnabled());
    EXPECT_TRUE(View()->m_btnSave.IsWindowEnabled());
    Repaint();
}

TEST_F(ViewTest, AFaceFileThatCannotBeLoadedIntoAnEmptyDocumentLeavesItEmpty) {
    ASSERT_TRUE(Start());
    const std::string bad = zel::work_path("bad.zel");
    std::ofstream(bad) << "not a face";
    AnswerFileDialog(bad);
    Command(ID_CMD_LOAD_CARICATURE);
    EXPECT_EQ(Doc()->m_facePresent, 0);
    EXPECT_TRUE(Doc()->m_faceBits.empty());
    EXPECT_FALSE(View()->m_btnEditFace.IsWindowEnabled());
    // Painting without a face touches nothing that is not there.
    Repaint();
}

// A face file cut short, chosen while a face and a composed picture are shown: the panels go
// on showing them, as a repaint of the whole view does.
TEST_F(ViewTest, AFailedFaceFileLoadKeepsThePanelsOnTheScreen) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    ASSERT_EQ(Doc()->m_composedShown, 1);
    Doc()->SetModifiedFlag(FALSE);
    Repaint();
    ASSERT_GT(dark_pixels(*this, CTesselView::kFacePanel), 50);
    const auto panels = [this] {
        std::vector<COLORREF> shown;
        for (const CRect& panel : {CTesselView::kFacePanel, CTesselView::kComposedPanel}) {
            for (int y = panel.top; y < panel.bottom; y += 3) {
                for (int x = panel.left; x < panel.right; x += 3) {
                    shown.push_back(Pixel(x, y));
                }
            }
        }
        return shown;
    };
    const std::vector<COLORREF> withFace = panels();

    std::ifstream in(starter_face("man"), std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = zel::work_path("cut.zel");
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
    // The view paints while the file dialog is open, as it does under a person's dialog.
    zel::platform::set_file_dialog_hook([&](const zel::platform::FileDialogRequest&) {
        View()->UpdateWindow();
        zel::platform::FileDialogAnswer a;
        a.ok = true;
        a.path = cut;
        return a;
    });
    Command(ID_LOAD_CARICATURE);
    ASSERT_EQ(Doc()->m_facePresent, 1);
    View()->UpdateWindow();
    EXPECT_TRUE(panels() == withFace) << "the face and picture are no longer shown";
    Repaint();
    EXPECT_TRUE(panels() == withFace) << "the panels differ from a repaint of the view";
}

// A good face file whose load fails for the work folder (full, or gone) is not called invalid:
// the work folder is reported, as the program reports its other work files.
TEST_F(ViewTest, ALoadThatTheWorkFolderCannotTakeReportsTheWorkFolder) {
    ASSERT_TRUE(Start());
    // A work folder with room for no more than a few bytes of any file.
    {
        const zel::testing::FileSizeLimit full(64);
        ASSERT_TRUE(full.set());
        LoadStarterFace("man");
    }
    EXPECT_EQ(Doc()->m_facePresent, 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text,
              "The face file cannot be read into the work folder " + zel::work_folder() + ".");
    EXPECT_EQ(m_boxes[0].caption, "Work file");
    EXPECT_EQ(m_boxes[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
    EXPECT_FALSE(fs::exists(zel::work_path("zel_load_check.zel")));

    // The work folder gone: the person named one that cannot serve.
    const std::string own = std::getenv("ZEL_WORKDIR");
    const std::string file = zel::work_path("not-a-folder");
    std::ofstream(file) << "x";
    ::setenv("ZEL_WORKDIR", file.c_str(), 1);
    LoadStarterFace("man");
    ::setenv("ZEL_WORKDIR", own.c_str(), 1);
    EXPECT_EQ(Doc()->m_facePresent, 0);
    ASSERT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(m_boxes[1].text, "The face file cannot be read without a work folder. The work "
                               "folder ZEL_WORKDIR names, " +
                                   file +
                                   ", cannot serve as a private folder: it is not a folder.");
    EXPECT_EQ(m_boxes[1].caption, "Work file");

    // The same file loads once the work folder takes it.
    LoadStarterFace("man");
    EXPECT_EQ(Doc()->m_facePresent, 1);
    EXPECT_EQ(m_boxes.size(), 2u);
}

// A file larger than any face file is refused by the engine for its size. Whether the work
// folder would take it is no question then: it is not copied there (nor held in memory) to
// find out, and it is called invalid like any other file that is no face.
TEST_F(ViewTest, AFileTooLargeForAFaceFileIsCalledInvalidWithoutACopyInTheWorkFolder) {
    ASSERT_TRUE(Start());
    const fs::path folder = fs::path(zel::work_folder()) / "large";
    fs::create_directories(folder);
    const fs::path huge = folder / "huge.zel";
    std::ofstream(huge) << "2:";
    fs::resize_file(huge, 64u << 20);
    AnswerFileDialog(huge.string());
    {
        // Room for a face file in the work folder, not for a copy of this one.
        const zel::testing::FileSizeLimit roomForAFace(16u << 20);
        ASSERT_TRUE(roomForAFace.set());
        Command(ID_LOAD_CARICATURE);
    }
    EXPECT_EQ(Doc()->m_facePresent, 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "The document's format is invalid or not supported!");
    EXPECT_EQ(m_boxes[0].caption, "Load caricature from a ZEL file");
    fs::remove_all(folder);
}

TEST_F(ViewTest, ANameWithoutTheFaceFileExtensionIsNotReadAsAnotherFile) {
    ASSERT_TRUE(Start());
    std::string name = starter_face("man");
    name.resize(name.size() - 4); // ".../man": the engine would read ".../man.zel"
    AnswerFileDialog(name);
    Command(ID_LOAD_CARICATURE);
    EXPECT_EQ(Doc()->m_facePresent, 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "The document's format is invalid or not supported!");
}

TEST_F(ViewTest, LoadCaricatureOpensInTheStarterFacesThenInTheLastFolderUsed) {
    ASSERT_TRUE(Start());
    CancelFileDialog();
    Command(ID_LOAD_CARICATURE);
    ASSERT_EQ(m_fileDialogs.size(), 1u);
    EXPECT_EQ(m_fileDialogs[0].initialDir, zel::data_path("faces"));
    const std::string copy = zel::work_path("mine.zel");
    std::ifstream in(starter_face("woman"), std::ios::binary);
    std::ofstream(copy, std::ios::binary) << in.rdbuf();
    AnswerFileDialog(copy);
    Command(ID_LOAD_CARICATURE);
    ASSERT_EQ(Doc()->m_facePresent, 1);
    CancelFileDialog();
    Command(ID_LOAD_CARICATURE);
    EXPECT_EQ(m_fileDialogs.back().initialDir, zel::work_folder());
}

TEST_F(ViewTest, PaintingBeforeAnythingExistsDrawsOnlyTheBackground) {
    ASSERT_TRUE(Start());
    // A stale size without screen bits must not be drawn from.
    Doc()->m_facePresent = 1;
    Doc()->m_faceRect.SetRect(0, 0, 500, 700);
    Doc()->m_composedShown = 1;
    Doc()->m_composedWidth = 600;
    Doc()->m_composedHeight = 800;
    Repaint();
    EXPECT_EQ(Pixel(CTesselView::kFacePanel.left + 3, CTesselView::kFacePanel.top + 3),
              RGB(192, 192, 192));
    Doc()->m_facePresent = 0;
    Doc()->m_composedShown = 0;
}

} // namespace
} // namespace zel::editor::test
