// Saving the face file and the composed picture, and the names handed to the libraries.

#include "editor_test_support.h"
#include "resource_ids.h"
#include "save_names.h"

#include <zel/common/work_folder.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zel::editor::test {
namespace {

namespace fs = std::filesystem;
using SaveTest = EditorTest;

TEST(SaveNames, TheChosenNameEndsInTheExtensionTheLibrariesCut) {
    EXPECT_EQ(face_file_name("/a/john.smith.zel"), "/a/john.smith.zel");
    EXPECT_EQ(face_file_name("/a/john.smith"), "/a/john.smith.zel");
    EXPECT_EQ(face_file_name("/home/u/v1.2/face"), "/home/u/v1.2/face.zel");
    EXPECT_EQ(face_file_name("/a/.hidden"), "/a/.hidden.zel");
    EXPECT_EQ(face_file_name("/a/JOHN.ZEL"), "/a/JOHN.ZEL");
    EXPECT_EQ(face_file_name("/a/john.Zel"), "/a/john.Zel");
    EXPECT_TRUE(names_face_file("/a/john.smith.zel"));
    EXPECT_TRUE(names_face_file("/a/JOHN.ZEL"));
    EXPECT_FALSE(names_face_file("/a/john"));
    EXPECT_FALSE(names_face_file("/a/.zel"));
    EXPECT_FALSE(names_face_file("/a/john.bmp"));

    const PictureName own = picture_file_name("/a/x.bmp", "BMP");
    EXPECT_EQ(own.name, "/a/x.bmp");
    EXPECT_EQ(own.extension, "bmp");
    const PictureName upper = picture_file_name("/a/x.BMP", "BMP");
    EXPECT_EQ(upper.name, "/a/x.BMP");
    EXPECT_EQ(upper.extension, "BMP");
    const PictureName jpeg = picture_file_name("/a/x.jpeg", "JPG");
    EXPECT_EQ(jpeg.name, "/a/x.jpeg");
    EXPECT_EQ(jpeg.extension, "jpeg");
    const PictureName other = picture_file_name("/home/u/v1.2/face", "TGA");
    EXPECT_EQ(other.name, "/home/u/v1.2/face.tga");
    EXPECT_EQ(other.extension, "tga");
    const PictureName mismatch = picture_file_name("/a/x.psd", "BMP");
    EXPECT_EQ(mismatch.name, "/a/x.psd.bmp");

    EXPECT_EQ(save_format(1), "ZEL");
    EXPECT_EQ(save_format(2), "BMP");
    EXPECT_EQ(save_format(5), "TGA");
    EXPECT_EQ(save_format(6), "");
}

TEST_F(SaveTest, SaveAsFaceFileWritesExactlyTheChosenFileAndReadsBack) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    Doc()->m_faceChanged = 1;
    const fs::path folder = fs::path(zel::work_folder()) / "v1.2";
    fs::create_directories(folder);
    AnswerFileDialog((folder / "john.smith").string(), 1);
    Command(ID_CMD_SAVE);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(fs::exists(folder / "john.smith.zel"));
    EXPECT_FALSE(fs::exists(folder / "john.zel"));
    EXPECT_FALSE(fs::exists(fs::path(zel::work_folder()) / "v1.zel"));
    EXPECT_EQ(Doc()->m_faceChanged, 0);
    const auto& filters = m_fileDialogs.back().filters;
    ASSERT_EQ(filters.size(), 5u);
    EXPECT_EQ(filters[2].first, "JPEG (*.JPG;*.JPEG)");
    EXPECT_EQ(filters[2].second, "*.jpg;*.jpeg");

    Doc()->SetModifiedFlag(FALSE);
    AnswerFileDialog((folder / "john.smith.zel").string());
    Command(ID_LOAD_CARICATURE);
    EXPECT_EQ(Doc()->m_facePresent, 1);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(SaveTest, SaveFaceFileCommandReadsTheScreenCopyBackAndSaves) {
    ASSERT_TRUE(Start());
    LoadStarterFace("child");
    Doc()->m_faceChanged = 1;
    const std::string chosen = zel::work_path("kid");
    AnswerFileDialog(chosen);
    Command(ID_SAVE_FACE_FILE);
    EXPECT_EQ(m_fileDialogs.back().initialName, "*.zel");
    EXPECT_EQ(m_fileDialogs.back().filters[0].first, "ZEL File (*.zel)");
    EXPECT_TRUE(fs::exists(chosen + ".zel"));
    EXPECT_EQ(Doc()->m_faceChanged, 0);

    Doc()->m_faceChanged = 1;
    AnswerFileDialog("/nonexistent-folder/kid.zel");
    Command(ID_SAVE_FACE_FILE);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Cannot be saved in ZEL format!");
    EXPECT_EQ(m_boxes[0].caption, "Save in ZEL");
    EXPECT_EQ(m_boxes[0].type, UINT(MB_OK));
    EXPECT_EQ(Doc()->m_faceChanged, 1);
}

// A face file named with its extension in capitals is written and read under that name.
TEST_F(SaveTest, AFaceFileNamedInCapitalsIsSavedAndLoadedAsNamed) {
    ASSERT_TRUE(Start());
    LoadStarterFace("child");
    const int child = Doc()->m_faceKind;
    Doc()->m_faceChanged = 1;
    const std::string chosen = zel::work_path("KID.ZEL");
    AnswerFileDialog(chosen);
    Command(ID_SAVE_FACE_FILE);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(fs::exists(chosen));
    EXPECT_FALSE(fs::exists(chosen + ".zel"));
    EXPECT_FALSE(fs::exists(zel::work_path("KID.zel")));
    EXPECT_EQ(Doc()->m_faceChanged, 0);

    Doc()->SetModifiedFlag(FALSE);
    LoadStarterFace("man");
    ASSERT_NE(Doc()->m_faceKind, child);
    Doc()->SetModifiedFlag(FALSE);
    AnswerFileDialog(chosen);
    Command(ID_LOAD_CARICATURE);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Doc()->m_facePresent, 1);
    EXPECT_EQ(Doc()->m_faceKind, child);
}

TEST_F(SaveTest, TheComposedPictureSavesInEachFormatAndReadsBack) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    AddBodyThroughTheRoad();
    ASSERT_EQ(Doc()->m_composedShown, 1);
    const int width = Doc()->m_composedWidth;
    const int height = Doc()->m_composedHeight;
    struct Case {
        int index;
        std::string chosen;
        std::string written;
    };
    const std::string dir = zel::work_folder();
    const Case cases[] = {
        {2, dir + "/x.bmp", dir + "/x.bmp"},           {2, dir + "/y.BMP", dir + "/y.BMP"},
        {3, dir + "/a.b.jpeg", dir + "/a.b.jpeg"},     {3, dir + "/pic", dir + "/pic.jpg"},
        {4, dir + "/layers.psd", dir + "/layers.psd"}, {5, dir + "/t", dir + "/t.tga"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        Doc()->m_composedChanged = 1;
        AnswerFileDialog(c.chosen, c.index);
        Command(ID_FILE_SAVE);
        EXPECT_TRUE(m_boxes.empty());
        EXPECT_EQ(Doc()->m_composedChanged, 0);
        ASSERT_TRUE(fs::exists(c.written));
        _pixel** back = ppm_allocarray(720, 960);
        int cols = 0;
        int rows = 0;
        _BmpHeader header{};
        EXPECT_EQ(LoadGeneralImage(back, c.written.c_str(), &cols, &rows, &header), 1);
        EXPECT_EQ(cols, width);
        EXPECT_EQ(rows, height);
        ppm_freearray(back, 960);
    }
    EXPECT_FALSE(fs::exists(dir + "/a.jpg"));
    EXPECT_FALSE(fs::exists(dir + "/x.BMP"));
}

TEST_F(SaveTest, AFailedSaveSaysSoAndChangesNoFlag) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    Doc()->m_composedChanged = 1;
    AnswerFileDialog("/nonexistent-folder/x.bmp", 2);
    Command(ID_FILE_SAVE);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "The specified document's format is invalid or not supported!");
    EXPECT_EQ(m_boxes[0].caption, "Save as");
    EXPECT_EQ(Doc()->m_composedChanged, 1);
}

// The file dialog asks before it hands back a file that exists; a name typed without its
// extension gets it added after the dialog, and the file of that name must be asked about too
// rather than replaced unasked.
TEST_F(SaveTest, ANameTypedWithoutItsExtensionAsksBeforeTheFileOfThatNameIsReplaced) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    AddBodyThroughTheRoad();
    const fs::path folder = fs::path(zel::work_folder()) / "asked";
    fs::create_directories(folder);
    const auto read = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    struct Case {
        UINT command;
        int index;
        const char* typed;
        const char* written;
        const char* caption;
    };
    const Case cases[] = {
        {ID_CMD_SAVE, 1, "john", "john.zel", "Save as"},
        {ID_SAVE_FACE_FILE, 1, "kid", "kid.zel", "Save in ZEL"},
        {ID_FILE_SAVE, 2, "pic", "pic.bmp", "Save as"},
        {ID_FILE_SAVE, 3, "photo", "photo.jpg", "Save as"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        const fs::path written = folder / c.written;
        std::ofstream(written) << "kept";
        Doc()->m_faceChanged = 1;
        Doc()->m_composedChanged = 1;
        m_boxes.clear();
        AnswerFileDialog((folder / c.typed).string(), c.index);
        AnswerMessageBox(IDNO);
        Command(c.command);
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].text, std::string(c.written) + " already exists.\nDo you want to "
                                                            "replace it?");
        EXPECT_EQ(m_boxes[0].caption, c.caption);
        EXPECT_EQ(m_boxes[0].type, UINT(MB_YESNO | MB_ICONWARNING));
        EXPECT_EQ(read(written), "kept");
        EXPECT_EQ(Doc()->m_faceChanged + Doc()->m_composedChanged, 2) << "nothing was saved";

        m_boxes.clear();
        AnswerFileDialog((folder / c.typed).string(), c.index);
        AnswerMessageBox(IDYES);
        Command(c.command);
        EXPECT_EQ(m_boxes.size(), 1u);
        EXPECT_NE(read(written), "kept");
        EXPECT_EQ(Doc()->m_faceChanged + Doc()->m_composedChanged, 1) << "one of them was saved";

        // The file chosen as it is was asked about by the dialog itself.
        m_boxes.clear();
        AnswerFileDialog(written.string(), c.index);
        Command(c.command);
        EXPECT_TRUE(m_boxes.empty());
    }
    fs::remove_all(folder);
}

TEST_F(SaveTest, SavingStartsAwayFromTheStarterFacesAndThenWhereTheUserSaved) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    ASSERT_EQ(Doc()->m_facePresent, 1);
    const char* home = std::getenv("HOME");
    const std::string expectedHome = home != nullptr ? home : "";
    Command(ID_CMD_SAVE);
    Command(ID_SAVE_FACE_FILE);
    ASSERT_GE(m_fileDialogs.size(), 3u);
    const auto saveAs = m_fileDialogs[m_fileDialogs.size() - 2];
    EXPECT_EQ(saveAs.initialDir, expectedHome);
    EXPECT_EQ(m_fileDialogs.back().initialDir, expectedHome);

    const fs::path folder = fs::path(zel::work_folder()) / "saved-faces";
    fs::create_directories(folder);
    AnswerFileDialog((folder / "mine").string(), 1);
    Command(ID_CMD_SAVE);
    Command(ID_SAVE_FACE_FILE);
    EXPECT_EQ(fs::path(m_fileDialogs.back().initialDir), folder);
    fs::remove_all(folder);
}

} // namespace
} // namespace zel::editor::test
