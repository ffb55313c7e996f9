// Fixed answers and hooks: system colours, the classic desktop, random numbers, folders,
// message boxes, the desktop opener, sounds, common dialogs and resources.

#include "zel/platform/testing.h"

#include "zel/common/work_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QTimer>

#include <cstring>
#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace zel::platform::test;
using namespace zel::platform;

namespace {

class PlatformSystemTest : public ::testing::Test {
protected:
    void SetUp() override { ensure_app(); }
    HookReset reset;
};

TEST_F(PlatformSystemTest, ClassicColoursAndMetrics) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);

    // The menu font of the classic desktop, ready for CreateFontIndirect.
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(metrics.cbSize, sizeof metrics);
    EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, -11);
    EXPECT_EQ(metrics.lfMenuFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
    CFont menuFont;
    EXPECT_TRUE(menuFont.CreateFontIndirect(&metrics.lfMenuFont));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, nullptr, 0));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &metrics, 0));
}

TEST_F(PlatformSystemTest, ClassicDesktopOfTheXpKind) {
    OSVERSIONINFO info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    EXPECT_EQ(GetVersion() & 0x80000000u, 0u);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0,
                           KEY_READ, &key),
              ERROR_SUCCESS);
    char value[260] = {};
    DWORD size = sizeof value;
    ASSERT_EQ(
        RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
        ERROR_SUCCESS);
    const std::string v(value);
    EXPECT_EQ(v.substr(v.size() - std::strlen("Windows Classic.theme")), "Windows Classic.theme");
    RegCloseKey(key);
    EXPECT_NE(RegOpenKeyEx(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(PlatformSystemTest, RandomNumbersFollowTheClassicGenerator) {
    zel::platform::srand(1);
    EXPECT_EQ(zel::platform::rand(), 41);
    EXPECT_EQ(zel::platform::rand(), 18467);
    EXPECT_EQ(zel::platform::rand(), 6334);
    int lo = 32767, hi = 0;
    for (int i = 0; i < 100000; ++i) {
        const int r = zel::platform::rand();
        lo = std::min(lo, r);
        hi = std::max(hi, r);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 32767);
}

TEST_F(PlatformSystemTest, MessageBoxesGoThroughTheHook) {
    MessageBoxRequest seen;
    set_message_box_hook([&](const MessageBoxRequest& r) {
        seen = r;
        return IDNO;
    });
    EXPECT_EQ(MessageBox(nullptr, "Save Caricature", "Caricature Not Saved",
                         MB_YESNOCANCEL | MB_ICONQUESTION),
              IDNO);
    EXPECT_EQ(seen.text, "Save Caricature");
    EXPECT_EQ(seen.caption, "Caricature Not Saved");
    EXPECT_EQ(seen.type, MB_YESNOCANCEL | MB_ICONQUESTION);
    CWinApp app("ZEL Editor");
    AfxMessageBox("Out of memory!", MB_ICONEXCLAMATION);
    EXPECT_EQ(seen.caption, "ZEL Editor");
}

TEST_F(PlatformSystemTest, OpenerAndSounds) {
    std::string opened;
    set_shell_open_hook([&](const std::string& verb, const std::string& target) {
        opened = verb + " " + target;
        return SE_ERR_NOASSOC;
    });
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecute(
                  nullptr, "open", "http://example.invalid", nullptr, nullptr, SW_SHOW)),
              SE_ERR_NOASSOC);
    EXPECT_EQ(opened, "open http://example.invalid");
    SHELLEXECUTEINFO info;
    info.lpVerb = "open";
    info.lpFile = "x";
    EXPECT_FALSE(ShellExecuteEx(&info));
    // The desktop opener refuses a file that does not exist.
    set_shell_open_hook({});
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(ShellExecute(nullptr, "open",
                                                           zel::work_path("missing.htm").c_str(),
                                                           nullptr, nullptr, SW_SHOW)),
              SE_ERR_FNF);
    auto open = [](const std::string& path) {
        return reinterpret_cast<std::intptr_t>(
            ShellExecute(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
    };
    EXPECT_EQ(open(zel::work_path("no-such-folder/missing.htm")), SE_ERR_PNF);
    const std::string locked = zel::work_path("locked.htm");
    { std::ofstream(locked) << "<html></html>"; }
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (geteuid() != 0) { // the superuser reads every file
        EXPECT_EQ(open(locked), SE_ERR_ACCESSDENIED);
    }

    clear_recorded_sounds();
    int played = 0;
    set_sound_hook([&](const SoundRequest&) { ++played; });
    PlaySound("click.wav", nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    PlaySound(MAKEINTRESOURCE(12), AfxGetResourceHandle(), SND_RESOURCE | SND_NOWAIT);
    MessageBeep(MB_ICONEXCLAMATION);
    ASSERT_EQ(recorded_sounds().size(), 3u);
    EXPECT_EQ(recorded_sounds()[0].name, "click.wav");
    EXPECT_EQ(recorded_sounds()[1].name, "#12");
    EXPECT_EQ(recorded_sounds()[2].name, "beep:48");
    EXPECT_EQ(played, 3);
}

TEST_F(PlatformSystemTest, FileDialogSplitsTheFilterAndReportsTheChosenOne) {
    FileDialogRequest seen;
    set_file_dialog_hook([&](const FileDialogRequest& r) {
        seen = r;
        return FileDialogAnswer{true, "/x/face.jpg", 3};
    });
    CFileDialog dlg(FALSE, nullptr, "", OFN_HIDEREADONLY,
                    "Save Face in ZEL Format (*.zel)|*.zel|Bitmap Files (*.bmp)|*.bmp|JPEG "
                    "(*.JPG;*.JPEG)|*.jpg;*.jpeg|"
                    "PSD (*.PSD)|*.psd|TGA (*.TGA)|*.tga||");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(seen.open);
    ASSERT_EQ(seen.filters.size(), 5u);
    EXPECT_EQ(seen.filters[2].first, "JPEG (*.JPG;*.JPEG)");
    EXPECT_EQ(seen.filters[2].second, "*.jpg;*.jpeg");
    EXPECT_EQ(dlg.m_ofn.nFilterIndex, 3u);
    EXPECT_EQ(dlg.GetPathName(), "/x/face.jpg");
    EXPECT_EQ(dlg.GetFileExt(), "jpg");
    // A single description without patterns is kept as it is.
    CFileDialog one(TRUE, nullptr, "*.bmp", OFN_HIDEREADONLY, "Windows Bitmap");
    set_file_dialog_hook([&](const FileDialogRequest& r) {
        seen = r;
        return FileDialogAnswer{};
    });
    EXPECT_EQ(one.DoModal(), IDCANCEL);
    ASSERT_EQ(seen.filters.size(), 1u);
    EXPECT_EQ(seen.filters[0].first, "Windows Bitmap");
    EXPECT_EQ(seen.initialName, "*.bmp");
}

// The real dialog shows each filter once: a description that already names its patterns in
// brackets does not get them a second time; one without patterns gets the name field's
// wildcard.
TEST_F(PlatformSystemTest, FileDialogShowsEachFiltersPatternsOnce) {
    QStringList shown;
    QObject scope; // the watch ends with the test
    auto* watch = new QTimer(&scope);
    QObject::connect(watch, &QTimer::timeout, [&shown, watch] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            watch->stop();
            shown = dialog->nameFilters();
            dialog->reject();
        }
    });
    watch->start(20);
    CFileDialog zel(TRUE, nullptr, "*.zel", OFN_HIDEREADONLY, "ZEL Files (*.zel)||");
    EXPECT_EQ(zel.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, QStringList{"ZEL Files (*.zel)"});

    shown.clear();
    watch->start(20);
    CFileDialog save(FALSE, nullptr, "", OFN_HIDEREADONLY,
                     "Save Face in ZEL Format (*.zel)|*.zel|JPEG (*.JPG;*.JPEG)|*.jpg;*.jpeg|"
                     "Windows Bitmap||");
    EXPECT_EQ(save.DoModal(), IDCANCEL);
    EXPECT_EQ(shown, (QStringList{"Save Face in ZEL Format (*.zel)", "JPEG (*.jpg *.jpeg)",
                                  "Windows Bitmap (*)"}));
}

TEST_F(PlatformSystemTest, ColourDialogKeepsCustomColoursAndCancelKeepsTheColour) {
    static COLORREF custom[16] = {};
    set_color_dialog_hook([](const ColorDialogRequest& r) {
        ColorDialogAnswer a;
        std::memcpy(a.custom, r.custom, sizeof a.custom);
        a.custom[0] = RGB(1, 2, 3);
        a.ok = r.initial == 0;
        a.color = RGB(200, 100, 50);
        return a;
    });
    CColorDialog dlg(0, CC_FULLOPEN);
    dlg.m_cc.lpCustColors = custom;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), RGB(200, 100, 50));
    EXPECT_EQ(custom[0], RGB(1, 2, 3));
    CColorDialog cancelled(RGB(9, 9, 9));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetColor(), RGB(9, 9, 9));
}

TEST_F(PlatformSystemTest, ResourcesByNumber) {
    register_strings({{57344, "ZEL Editor"}});
    CString s;
    EXPECT_TRUE(s.LoadString(57344));
    EXPECT_EQ(s, "ZEL Editor");
    EXPECT_FALSE(s.LoadString(1));
    // Cut to a buffer that ends inside a letter, the letter is left out whole.
    register_strings({{57345, "Caf\xC3\xA9s"}});
    char cut[5];
    EXPECT_EQ(LoadString(AfxGetResourceHandle(), 57345, cut, sizeof cut), 3);
    EXPECT_STREQ(cut, "Caf");

    const std::string png = zel::work_path("311.png");
    QImage img(7, 5, QImage::Format_RGB32);
    img.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(img.save(QString::fromStdString(png)));
    register_image_file(IMAGE_BITMAP, 311, png);
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(311));
    BITMAP bm;
    bmp.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 5);
    EXPECT_EQ(LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(312), IMAGE_BITMAP, 0, 0, 0),
              nullptr);

    register_image_file(IMAGE_ICON, 332, png);
    HICON icon = static_cast<HICON>(
        LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(332), IMAGE_ICON, 16, 16, 0));
    ICONINFO ii;
    ASSERT_TRUE(GetIconInfo(icon, &ii));
    EXPECT_EQ(ii.xHotspot, 8u);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    DestroyIcon(icon);
    EXPECT_NE(LoadCursor(nullptr, IDC_SIZEWE), nullptr);

    // Without a module a number that is no stock cursor is one of the program's own.
    register_image_file(IMAGE_CURSOR, 4001, png);
    HCURSOR own = LoadCursor(nullptr, MAKEINTRESOURCE(4001));
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(4002)), nullptr);
}

TEST_F(PlatformSystemTest, AClientContextWithoutAWindowIsTheScreen) {
    CClientDC screen(nullptr);
    EXPECT_EQ(screen.GetDeviceCaps(HORZRES), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(screen.GetDeviceCaps(VERTRES), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(screen.GetDeviceCaps(HORZRES), 0);
}

TEST_F(PlatformSystemTest, FileDialogsCarryTheFolderToOpenIn) {
    FileDialogRequest seen;
    set_file_dialog_hook([&](const FileDialogRequest& r) {
        seen = r;
        return FileDialogAnswer{};
    });
    CFileDialog plain(TRUE, nullptr, "*.zel", OFN_HIDEREADONLY, "ZEL Files (*.zel)||");
    plain.DoModal();
    EXPECT_TRUE(seen.initialDir.empty());
    CFileDialog placed(TRUE, nullptr, "*.zel", OFN_HIDEREADONLY, "ZEL Files (*.zel)||");
    placed.m_ofn.lpstrInitialDir = "/opt/faces";
    placed.DoModal();
    EXPECT_EQ(seen.initialDir, "/opt/faces");
}

TEST_F(PlatformSystemTest, StockHandCursorCanBeCopiedAndShown) {
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_HAND), hand);
    EXPECT_NE(hand, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_FALSE(DestroyCursor(hand)); // stock cursors stay
    HCURSOR copy = CopyIcon(hand);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, hand);
    SetCursor(copy);
    EXPECT_EQ(GetCursor(), copy);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(DestroyCursor(copy));
}

TEST_F(PlatformSystemTest, ResourceLibraryThatIsMissingReportsWhy) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryEx(zel::work_path("none.rcc").c_str(), nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), 2u);
    EXPECT_EQ(LoadLibraryEx(zel::work_path("no/such/dir.rcc").c_str(), nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), 3u);
}

TEST_F(PlatformSystemTest, StringFormatting) {
    CString s;
    s.Format("Load image file from %s: col=%d, row=%d", "/a.bmp", 720, 960);
    EXPECT_EQ(s, "Load image file from /a.bmp: col=720, row=960");
    CString long_;
    long_.Format("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(long_.GetLength(), 5000);
    EXPECT_EQ(CString("Hello").Mid(1, 3), "ell");
    EXPECT_EQ(CString("a.b.c").ReverseFind('.'), 3);
}

} // namespace
