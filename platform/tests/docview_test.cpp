// The application framework: command routing view, document, frame, application with update
// handlers, control identifiers as their low 16 bits, accelerators, menu enabling, closing and
// the recent-file list.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace zel::platform::test;

namespace {

constexpr UINT kViewCmd = 32771, kSharedCmd = 32772, kDocCmd = 32773, kFrameCmd = 32774,
               kAppCmd = 32775, kDisabledCmd = 32776, kNoHandlerCmd = 32777;
constexpr UINT kButtonId = 99015; // arrives as 33479
constexpr UINT kExitId = 99005;   // arrives as 33469

std::vector<std::string> g_route;

class RouteDoc : public CDocument {
    DECLARE_DYNCREATE(RouteDoc)
public:
    BOOL allowClose = TRUE;
    BOOL SaveModified() override {
        g_route.push_back("doc:may-close");
        return allowClose;
    }

protected:
    void OnShared() { g_route.push_back("doc:shared"); }
    void OnDoc() { g_route.push_back("doc:doc"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RouteDoc, CDocument)
BEGIN_MESSAGE_MAP(RouteDoc, CDocument)
ON_COMMAND(kSharedCmd, OnShared)
ON_COMMAND(kDocCmd, OnDoc)
END_MESSAGE_MAP()

class RouteView : public CView {
    DECLARE_DYNCREATE(RouteView)
public:
    CButton button;
    CButton exitButton;
    void OnDraw(CDC* dc) override {
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, RGB(0, 128, 128));
    }

protected:
    int OnCreate(LPCREATESTRUCT cs) {
        if (CView::OnCreate(cs) == -1) {
            return -1;
        }
        button.Create("Go", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(29, 15, 90, 55), this,
                      kButtonId);
        exitButton.Create("Exit", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(29, 415, 90, 455), this,
                          kExitId);
        return 0;
    }
    void OnViewCmd() { g_route.push_back("view:view"); }
    void OnShared() { g_route.push_back("view:shared"); }
    void OnDisabled() { g_route.push_back("view:disabled"); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnButton() { g_route.push_back("view:button"); }
    // Closing the main window destroys this view while its button is still handling the click.
    void OnExit() { AfxGetMainWnd()->SendMessage(WM_CLOSE); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RouteView, CView)
BEGIN_MESSAGE_MAP(RouteView, CView)
ON_WM_CREATE()
ON_COMMAND(kViewCmd, OnViewCmd)
ON_COMMAND(kSharedCmd, OnShared)
ON_COMMAND(kDisabledCmd, OnDisabled)
ON_UPDATE_COMMAND_UI(kDisabledCmd, OnUpdateDisabled)
ON_COMMAND(33479, OnButton)
ON_COMMAND(33469, OnExit)
END_MESSAGE_MAP()

class RouteFrame : public CFrameWnd {
    DECLARE_DYNCREATE(RouteFrame)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.style = LONG(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
        cs.cx = 720;
        cs.cy = 530;
        cs.x = 80;
        cs.y = 60;
        return CFrameWnd::PreCreateWindow(cs);
    }

protected:
    void OnFrame() { g_route.push_back("frame:frame"); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(RouteFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(RouteFrame, CFrameWnd)
ON_COMMAND(kFrameCmd, OnFrame)
END_MESSAGE_MAP()

class RouteApp : public CWinApp {
public:
    RouteApp() : CWinApp("Route") {}
    BOOL InitInstance() override {
        zel::platform::register_strings(
            {{128, "Route\n\nRoute\nRoute Files (*.bmp)\n.BMP\nRoute.Document\nRoute Document"}});
        zel::platform::register_menu(128, {{"&File",
                                            0,
                                            MF_POPUP,
                                            {{"View", kViewCmd, 0, {}},
                                             {"Disabled", kDisabledCmd, 0, {}},
                                             {"", 0, MF_SEPARATOR, {}},
                                             {"Nobody", kNoHandlerCmd, 0, {}},
                                             {"App", kAppCmd, 0, {}}}}});
        zel::platform::register_accelerators(128, {{FVIRTKEY | FCONTROL, 'R', WORD(kViewCmd)},
                                                   {FVIRTKEY | FCONTROL, 'D', WORD(kDisabledCmd)}});
        LoadStdProfileSettings(4);
        AddDocTemplate(new CSingleDocTemplate(128, RUNTIME_CLASS(RouteDoc),
                                              RUNTIME_CLASS(RouteFrame), RUNTIME_CLASS(RouteView)));
        CCommandLineInfo info;
        ParseCommandLine(info);
        return ProcessShellCommand(info);
    }

protected:
    void OnApp() { g_route.push_back("app:app"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RouteApp, CWinApp)
ON_COMMAND(kAppCmd, OnApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
END_MESSAGE_MAP()

class PlatformDocViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_app();
        zel::platform::set_profile_store(std::make_shared<zel::platform::MemoryProfileStore>());
        g_route.clear();
        ASSERT_TRUE(app.InitInstance());
        frame = dynamic_cast<RouteFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<RouteView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        doc = dynamic_cast<RouteDoc*>(view->GetDocument());
        ASSERT_NE(doc, nullptr);
    }
    void command(UINT id) { frame->SendMessage(WM_COMMAND, id, 0); }
    HookReset reset;
    RouteApp app;
    RouteFrame* frame = nullptr;
    RouteView* view = nullptr;
    RouteDoc* doc = nullptr;
};

TEST_F(PlatformDocViewTest, CommandsRouteThroughViewDocumentFrameApplication) {
    command(kViewCmd);
    command(kSharedCmd); // the view comes before the document
    command(kDocCmd);
    command(kFrameCmd);
    command(kAppCmd);
    command(kNoHandlerCmd);
    EXPECT_EQ(g_route, (std::vector<std::string>{"view:view", "view:shared", "doc:doc",
                                                 "frame:frame", "app:app"}));
}

TEST_F(PlatformDocViewTest, UpdateHandlerDisablesACommand) {
    command(kDisabledCmd);
    EXPECT_TRUE(g_route.empty());
    CMenu* file = frame->GetMenu()->GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    frame->UpdateMenuItems(file);
    EXPECT_TRUE(file->GetMenuState(kDisabledCmd, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(kNoHandlerCmd, MF_BYCOMMAND) & MF_GRAYED); // nobody handles it
    EXPECT_FALSE(file->GetMenuState(kViewCmd, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(file->GetMenuState(kAppCmd, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(PlatformDocViewTest, ButtonInTheViewArrivesAsLow16Bits) {
    EXPECT_EQ(view->button.GetDlgCtrlID(), int(kButtonId));
    view->button.SendMessage(BM_CLICK);
    EXPECT_EQ(g_route, (std::vector<std::string>{"view:button"}));
    // A real click does the same.
    g_route.clear();
    pump(50);
    CRect rc;
    view->button.GetClientRect(&rc);
    click(view->button, rc.CenterPoint());
    EXPECT_EQ(g_route, (std::vector<std::string>{"view:button"}));
}

TEST_F(PlatformDocViewTest, AcceleratorsReachTheRouteUnlessDisabled) {
    pump(50);
    key(*view, Qt::Key_R, Qt::ControlModifier);
    key(*view, Qt::Key_D, Qt::ControlModifier);
    key(*view, Qt::Key_R); // without Ctrl: no accelerator
    EXPECT_EQ(g_route, (std::vector<std::string>{"view:view"}));
}

TEST_F(PlatformDocViewTest, FrameHasTheAskedPlacementAndTheViewFillsTheClientArea) {
    CRect wr;
    frame->GetWindowRect(&wr);
    EXPECT_EQ(wr, CRect(80, 60, 800, 590));
    CRect client, vr;
    frame->GetClientRect(&client);
    view->GetClientRect(&vr);
    EXPECT_EQ(vr, client);
    EXPECT_EQ(client.Width(), 720 - 2 * GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(client.Height(), 530 - GetSystemMetrics(SM_CYCAPTION) -
                                   2 * GetSystemMetrics(SM_CYDLGFRAME) -
                                   GetSystemMetrics(SM_CYMENU));
    pump(100);
    CClientDC dc(view);
    EXPECT_EQ(dc.GetPixel(200, 200), RGB(0, 128, 128));
    EXPECT_EQ(frame->GetStyle() & WS_THICKFRAME, 0u);
}

TEST_F(PlatformDocViewTest, ClosingAsksTheDocument) {
    doc->allowClose = FALSE;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_route, (std::vector<std::string>{"doc:may-close"}));
    ASSERT_EQ(app.m_pMainWnd, frame);
    doc->allowClose = TRUE;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(PlatformDocViewTest, ExitButtonClosesTheMainWindowFromInsideTheView) {
    pump(50);
    CRect rc;
    view->exitButton.GetClientRect(&rc);
    click(view->exitButton, rc.CenterPoint());
    EXPECT_EQ(g_route, (std::vector<std::string>{"doc:may-close"}));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    pump(50); // the windows' widgets go away afterwards
}

TEST_F(PlatformDocViewTest, MenuBarAsksTheUpdateHandlersBeforeOpening) {
    auto* bar = reinterpret_cast<QWidget*>(frame->m_hWnd)->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "&File");
    QMenu* file = bar->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    const auto items = file->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[1]->isEnabled()); // its update handler disables it
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_FALSE(items[3]->isEnabled()); // nobody handles it
    items[4]->trigger();
    EXPECT_EQ(g_route, (std::vector<std::string>{"app:app"}));
    // Drawn again, the bar holds the pop-ups of its menu and no more.
    for (int i = 0; i < 3; ++i) {
        frame->DrawMenuBar();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar->findChildren<QMenu*>().size(), 1);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_NE(bar->actions()[0]->menu(), nullptr);
}

TEST_F(PlatformDocViewTest, DroppedFileOpensAsTheDocument) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/faces/smile.zel")});
    auto* w = reinterpret_cast<QWidget*>(frame->m_hWnd);
    frame->DragAcceptFiles(); // as the program does at start-up
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    EXPECT_EQ(doc->GetPathName(), "/faces/smile.zel");
    EXPECT_EQ(doc->GetTitle(), "smile.zel");
    EXPECT_EQ(app.GetRecentFileList()->Files().front(), "/faces/smile.zel");
}

TEST_F(PlatformDocViewTest, RecentFilesAndProfileLiveInTheProfileStore) {
    for (const char* f : {"/a.zel", "/b.zel", "/c.zel", "/d.zel", "/e.zel", "/b.zel"}) {
        app.AddToRecentFileList(f);
    }
    const auto& files = app.GetRecentFileList()->Files();
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0], "/b.zel");
    EXPECT_EQ(files[1], "/e.zel");
    EXPECT_EQ(files[3], "/c.zel");
    std::string first;
    EXPECT_TRUE(zel::platform::profile_store().read("Recent File List", "File1", first));
    EXPECT_EQ(first, "/b.zel");
    app.WriteProfileInt("Settings", "PreviewPages", 2);
    EXPECT_EQ(app.GetProfileInt("Settings", "PreviewPages", 1), 2u);
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", 7), 7u);
}

// A number read from the profile is one WriteProfileInt could have written; anything else, as a
// hand-edited or damaged profile may hold, gives the default.
TEST_F(PlatformDocViewTest, AProfileValueThatIsNoIntGivesTheDefault) {
    auto read = [this](const char* text) {
        zel::platform::profile_store().write("Settings", "PreviewPages", text);
        return app.GetProfileInt("Settings", "PreviewPages", 1);
    };
    EXPECT_EQ(read("2"), 2u);
    EXPECT_EQ(read(" 2 "), 2u);
    EXPECT_EQ(read("-3"), UINT(-3));
    EXPECT_EQ(read("2147483647"), 2147483647u);
    EXPECT_EQ(read("-2147483648"), 0x80000000u);
    EXPECT_EQ(read("2147483648"), 1u);
    EXPECT_EQ(read("4294967298"), 1u);
    EXPECT_EQ(read("99999999999999999999"), 1u);
    EXPECT_EQ(read("2 pages"), 1u);
    EXPECT_EQ(read("2.5"), 1u);
    EXPECT_EQ(read("two"), 1u);
    EXPECT_EQ(read(""), 1u);
}

// The user's profile, kept in a folder of the test's own: a file name comes back byte for byte,
// whether it is UTF-8 or not.
TEST_F(PlatformDocViewTest, TheUsersProfileKeepsFileNamesAsTheirBytes) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("zel-profile-" + std::to_string(getpid()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(folder.string()));
    zel::platform::set_profile_store(nullptr);
    const std::string latin1 = "/faces/caf\xe9.zel";
    const std::string utf8 = "/faces/caf\xc3\xa9.zel";
    app.AddToRecentFileList(latin1.c_str());
    app.AddToRecentFileList(utf8.c_str());
    app.LoadStdProfileSettings(4);
    const auto& files = app.GetRecentFileList()->Files();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    zel::platform::set_profile_store(std::make_shared<zel::platform::MemoryProfileStore>());
    fs::remove_all(folder);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].str(), utf8);
    EXPECT_EQ(files[1].str(), latin1);
}

TEST_F(PlatformDocViewTest, DocumentTitleAndStrings) {
    CString name;
    EXPECT_TRUE(doc->GetDocTemplate()->GetDocString(name, CDocTemplate::filterExt));
    EXPECT_EQ(name, ".BMP");
    doc->SetTitle("Caricature");
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Caricature - Route");
}

} // namespace

TEST_F(PlatformDocViewTest, ADocumentThatCannotSaveItselfStaysOpenWithItsChanges) {
    CDocument plain;
    plain.SetModifiedFlag(TRUE);
    int answer = IDYES;
    std::vector<std::string> prompts;
    zel::platform::set_message_box_hook([&](const zel::platform::MessageBoxRequest& r) {
        prompts.push_back(r.text);
        return answer;
    });
    // Yes asks for a save nothing can make: the close is refused and the changes kept.
    EXPECT_FALSE(plain.SaveModified());
    EXPECT_TRUE(plain.IsModified());
    EXPECT_FALSE(plain.OnSaveDocument("/tmp/never-written"));
    answer = IDCANCEL;
    EXPECT_FALSE(plain.SaveModified());
    answer = IDNO;
    EXPECT_TRUE(plain.SaveModified());
    EXPECT_EQ(prompts.size(), 3u);
    plain.SetModifiedFlag(FALSE);
    EXPECT_TRUE(plain.SaveModified());
    EXPECT_EQ(prompts.size(), 3u);
}

TEST_F(PlatformDocViewTest, ExitIsAStandardCommandOfTheApplication) {
    CCmdUI ui;
    ui.m_nID = ID_APP_EXIT;
    ui.DoUpdate(frame, TRUE);
    EXPECT_TRUE(ui.m_bEnabled);
    command(ID_APP_EXIT);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_route, (std::vector<std::string>{"doc:may-close"}));
}

TEST_F(PlatformDocViewTest, HelpOpensTheManualAndF1ReachesTheParentsHandler) {
    std::vector<std::string> opened;
    zel::platform::set_shell_open_hook([&](const std::string& verb, const std::string& target) {
        opened.push_back(verb + " " + target);
        return 33;
    });
    app.WinHelp(0, HELP_FINDER); // no manual named: nothing to open
    EXPECT_TRUE(opened.empty());
    const std::string manual = "/opt/route/manual.html";
    app.m_pszHelpFilePath = manual.c_str();
    frame->OnHelpFinder();
    EXPECT_EQ(opened, (std::vector<std::string>{"open " + manual}));

    // A manual that cannot be opened is reported, not ignored.
    std::vector<std::string> boxes;
    zel::platform::set_shell_open_hook([](const std::string&, const std::string&) { return 2; });
    zel::platform::set_message_box_hook([&](const zel::platform::MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return IDOK;
    });
    app.WinHelp(0, HELP_CONTEXT);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(manual), std::string::npos);
    app.m_pszHelpFilePath = nullptr;
}

TEST_F(PlatformDocViewTest, AbsolutePathsOnTheCommandLineAreFileNames) {
    app.m_args = {"route", "/home/u/face.zel", "/p"};
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.m_strFileName, "/home/u/face.zel");
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrint);
    app.m_args = {"route", "-x", "/Embedding"};
    CCommandLineInfo none;
    app.ParseCommandLine(none);
    EXPECT_TRUE(none.m_strFileName.IsEmpty());
    EXPECT_EQ(none.m_nShellCommand, CCommandLineInfo::FileNew);
}

namespace {
class HelpParent : public CWnd {
public:
    int requests = 0;
    int fromControl = 0;

protected:
    BOOL OnHelpInfo(HELPINFO* info) {
        ++requests;
        fromControl = info != nullptr ? info->iCtrlId : -1;
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HelpParent, CWnd)
ON_WM_HELPINFO()
END_MESSAGE_MAP()
} // namespace

TEST(PlatformHelpTest, F1OnAChildReachesTheFirstParentThatAnswersHelp) {
    HookReset reset;
    ensure_app();
    HelpParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "help", WS_POPUP | WS_CAPTION, CRect(0, 0, 300, 200),
                                nullptr, 0));
    CWnd middle;
    ASSERT_TRUE(
        middle.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 150), &parent, 7));
    CButton button;
    ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE, CRect(5, 5, 60, 30), &middle, 1234));
    button.SendMessage(WM_KEYDOWN, VK_F1, 1);
    EXPECT_EQ(parent.requests, 1);
    EXPECT_EQ(parent.fromControl, 1234);
    button.SendMessage(WM_KEYDOWN, VK_F6, 1);
    EXPECT_EQ(parent.requests, 1);
    button.DestroyWindow();
    middle.DestroyWindow();
    parent.DestroyWindow();
}

TEST_F(PlatformDocViewTest, TheLoopEndsWhenTheMainWindowCloses) {
    // A hidden top-level window that refuses to close must not keep the loop running.
    class Stubborn : public QWidget {
    protected:
        void closeEvent(QCloseEvent* e) override { e->ignore(); }
    } stubborn;
    stubborn.setAttribute(Qt::WA_DontShowOnScreen);
    stubborn.show();
    stubborn.hide();
    bool watchdog = false;
    // The timers go with the test: a watchdog left waiting would end the event loop of a later
    // test (a modal dialog, a pop-up menu) and write to this test's finished frame.
    QObject scope;
    QTimer::singleShot(0, &scope, [this] { command(ID_APP_EXIT); });
    QTimer::singleShot(3000, &scope, [&watchdog] {
        watchdog = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(watchdog);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}
