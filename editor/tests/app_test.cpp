// Start-up, the main window, the command table and the command line.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/common/work_folder.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zel::editor::test {
namespace {

using AppTest = EditorTest;

// A ZEL_WORKDIR that cannot serve is told at start-up, on standard error and in a box, and no
// other folder takes its place: the editing commands stay disabled.
TEST_F(AppTest, ANamedWorkFolderThatCannotServeIsReportedAtStartUp) {
    const std::string own = std::getenv("ZEL_WORKDIR");
    const std::string file = zel::work_path("not-a-folder");
    std::ofstream(file) << "x";
    ::setenv("ZEL_WORKDIR", file.c_str(), 1);
    ::testing::internal::CaptureStderr();
    const BOOL started = Start();
    const std::string told = ::testing::internal::GetCapturedStderr();
    const std::string problem = zel::work_folder_problem();
    ::setenv("ZEL_WORKDIR", own.c_str(), 1);
    ASSERT_TRUE(started);
    const std::string expected = "The work folder ZEL_WORKDIR names, " + file +
                                 ", cannot serve as a private folder: it is not a folder. The "
                                 "editing commands stay disabled.";
    EXPECT_EQ(problem + " The editing commands stay disabled.", expected);
    EXPECT_NE(told.find("zel-editor: " + expected + "\n"), std::string::npos) << told;
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, expected);
    EXPECT_EQ(m_boxes[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
    EXPECT_TRUE(View()->m_headPath.empty());
    LoadStarterFace("man");
    EXPECT_FALSE(CommandEnabled(ID_MAKE_FACE));
}

TEST_F(AppTest, AUsableWorkFolderIsNotMentionedAtStartUp) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(AppTest, StartsWithAnEmptyDocumentInAFixedWindowAtATenthOfTheScreen) {
    ASSERT_TRUE(Start());
    CRect window;
    Frame()->GetWindowRect(&window);
    CClientDC screen(nullptr);
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
    EXPECT_EQ(window.left, int(screen.GetDeviceCaps(HORZRES) * 0.1));
    EXPECT_EQ(window.top, int(screen.GetDeviceCaps(VERTRES) * 0.1));
    EXPECT_EQ(window.Width(), 720);
    EXPECT_EQ(window.Height(), 530);
    const DWORD style = Frame()->GetStyle();
    EXPECT_EQ(style & WS_THICKFRAME, 0u);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0u);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
    CString title;
    Frame()->GetWindowText(title);
    EXPECT_EQ(title, "Untitled - ZEL Editor");
    EXPECT_EQ(Doc()->m_facePresent, 0);
    EXPECT_EQ(Doc()->m_photoLoaded, 0);
    EXPECT_EQ(Doc()->m_composedShown, 0);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(View()->m_faceKind, 1);
    EXPECT_EQ(View()->m_headPath, zel::work_path("zel_head.bmp"));
    EXPECT_EQ(View()->m_composedPath, zel::work_path("zel_all.bmp"));
    EXPECT_EQ(View()->m_backupPath, zel::work_path("zel_tmp.bmp"));
    EXPECT_FLOAT_EQ(View()->m_leftMargin, 0.1f);
    EXPECT_FLOAT_EQ(View()->m_bottomMargin, 0.9f);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(AppTest, MenuAndCommandStatesWithoutAFace) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(CommandEnabled(ID_LOAD_CARICATURE));
    EXPECT_TRUE(CommandEnabled(ID_FILE_OPEN));
    EXPECT_TRUE(CommandEnabled(ID_APP_EXIT));
    EXPECT_TRUE(CommandEnabled(ID_FILE_NEW));
    EXPECT_FALSE(CommandEnabled(ID_FILE_SAVE));
    EXPECT_FALSE(CommandEnabled(ID_SAVE_FACE_FILE));
    for (UINT id : {ID_EDIT_FACE, ID_MAKE_FACE, ID_CHANGE_FACE, ID_ADD_BODY, ID_ADD_BKGD}) {
        EXPECT_FALSE(CommandEnabled(id)) << id;
    }
    EXPECT_FALSE(CommandEnabled(ID_REFRESH_BUTTONS));
    // No handler: the editing keys' commands stay disabled.
    EXPECT_FALSE(CommandEnabled(ID_EDIT_COPY));
}

TEST_F(AppTest, CtrlOOpensThePhotoDialogAndEditingKeysDoNothing) {
    ASSERT_TRUE(Start());
    zel::platform::test::key(*View(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(m_fileDialogs.size(), 1u);
    EXPECT_EQ(m_fileDialogs[0].initialName, "*.bmp");
    ASSERT_EQ(m_fileDialogs[0].filters.size(), 1u);
    EXPECT_EQ(m_fileDialogs[0].filters[0].first, "Windows Bitmap");
    for (int k : {Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z}) {
        zel::platform::test::key(*View(), k, Qt::ControlModifier);
    }
    EXPECT_EQ(m_fileDialogs.size(), 1u);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Doc()->m_facePresent, 0);
}

TEST_F(AppTest, HelpCommandsAndF1OpenTheManual) {
    ASSERT_TRUE(Start());
    Command(ID_HELP_FINDER);
    Command(ID_DEFAULT_HELP);
    View()->SetFocus();
    zel::platform::test::key(*View(), Qt::Key_F1);
    ASSERT_EQ(m_opened.size(), 3u);
    for (const auto& target : m_opened) {
        EXPECT_EQ(target, CTesselApp::ManualPath());
    }
}

TEST_F(AppTest, ExitClosesAFreshProgramWithoutAQuestion) {
    ASSERT_TRUE(Start());
    Command(ID_APP_EXIT);
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(AppTest, AFileThatCannotBeOpenedEndsStartUpWithoutAWindow) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Start({"/nonexistent/face.zel"}));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("cannot open /nonexistent/face.zel"), std::string::npos) << err;
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
}

// A pipe nobody writes to does not hold the start-up: a helper opens its writing end after a
// while only to free a start-up that waits for one, and tells that it had to.
TEST_F(AppTest, APipeOnTheCommandLineDoesNotHoldTheStartUp) {
    const std::string pipe = zel::work_path("named.zel");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::atomic<bool> started{false};
    std::atomic<bool> freed{false};
    std::thread helper([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!started && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        // Opens only while a reader waits on the other end.
        if (const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
            freed = !started;
            ::close(fd);
        }
    });
    const BOOL ok = Start({pipe});
    started = true;
    helper.join();
    EXPECT_TRUE(ok);
    EXPECT_FALSE(freed);
    ::unlink(pipe.c_str());
}

TEST_F(AppTest, AFileOnTheCommandLineOrDroppedLeavesTheDocumentAsItIs) {
    const std::string photo = zel::work_path("named.bmp");
    std::ofstream(photo) << "x";
    ASSERT_TRUE(Start({photo}));
    EXPECT_EQ(Doc()->m_photoLoaded, 0);
    EXPECT_FALSE(Doc()->IsModified());
    LoadStarterFace("man");
    ASSERT_EQ(Doc()->m_facePresent, 1);
    Doc()->m_faceChanged = 1;
    const CString title = Doc()->GetTitle();
    m_app->OpenDocumentFile(photo.c_str());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->m_faceChanged, 1);
    EXPECT_EQ(Doc()->m_facePresent, 1);
    EXPECT_EQ(Doc()->GetTitle(), title);
    EXPECT_TRUE(m_boxes.empty());
}

} // namespace
} // namespace zel::editor::test
