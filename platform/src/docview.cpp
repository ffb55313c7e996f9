// Documents, views, frames, the single-document template, the application object, the profile
// and the recent-file list.

#include "window_record.h"

#include "zel/platform/docview.h"
#include "zel/platform/hooks.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QApplication>
#include <QThread>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {
CWinApp* g_app = nullptr;
}

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

CWinApp* AfxGetApp() {
    return g_app;
}
CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}
LPCTSTR AfxGetAppName() {
    return g_app != nullptr && g_app->m_pszAppName != nullptr ? g_app->m_pszAppName : "";
}

// ---- document -----------------------------------------------------------------------------

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* v : m_views) {
        v->m_pDocument = nullptr;
    }
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR) {
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

// The framework knows no document's contents, so it has nothing it could write: a document that
// is saved answers this itself. Claiming success here would let a close drop the changes.
BOOL CDocument::OnSaveDocument(LPCTSTR) {
    return FALSE;
}

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument() {
    for (CView* v : std::vector<CView*>(m_views)) {
        if (CWnd* frame = v->GetTopLevelParent()) {
            frame->DestroyWindow();
        }
    }
}

BOOL CDocument::SaveModified() {
    if (!IsModified()) {
        return TRUE;
    }
    CString prompt;
    prompt.Format("Save changes to %s?", m_strTitle.GetString());
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return OnSaveDocument(m_strPathName);
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd*) {
    return SaveModified();
}

void CDocument::SetTitle(LPCTSTR title) {
    m_strTitle = title;
    for (CView* v : m_views) {
        CWnd* frame = v->GetTopLevelParent();
        CString app;
        if (m_pDocTemplate != nullptr) {
            m_pDocTemplate->GetDocString(app, CDocTemplate::windowTitle);
        }
        if (frame != nullptr) {
            frame->SetWindowText(m_strTitle.IsEmpty() ? app : m_strTitle + " - " + app);
        }
    }
}

void CDocument::SetPathName(LPCTSTR path, BOOL addToRecent) {
    m_strPathName = path;
    const int slash = m_strPathName.ReverseFind('/');
    SetTitle(m_strPathName.Mid(slash + 1));
    if (addToRecent && g_app != nullptr) {
        g_app->AddToRecentFileList(path);
    }
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
    for (CView* v : m_views) {
        if (v != sender) {
            v->OnUpdate(sender, hint, hintObject);
        }
    }
}

void CDocument::AddView(CView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
        view->m_pDocument = this;
    }
}

void CDocument::RemoveView(CView* view) {
    std::erase(m_views, view);
    if (view->m_pDocument == this) {
        view->m_pDocument = nullptr;
    }
}

// ---- view ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_PAINT()
ON_WM_CREATE()
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() {
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT cs) {
    if (cs != nullptr && cs->lpCreateParams != nullptr) {
        auto* ctx = static_cast<CCreateContext*>(cs->lpCreateParams);
        if (ctx->m_pCurrentDoc != nullptr) {
            ctx->m_pCurrentDoc->AddView(this);
        }
    }
    return 0;
}

void CView::OnPaint() {
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}
void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate(TRUE);
}
void CView::OnPrepareDC(CDC*, CPrintInfo*) {}
BOOL CView::OnPreparePrinting(CPrintInfo* info) {
    return DoPreparePrinting(info);
}
void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* dc, CPrintInfo*) {
    OnDraw(dc);
}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra) {
    if (CWnd::OnCmdMsg(id, code, extra)) {
        return TRUE;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(id, code, extra);
}

void CView::PostNcDestroy() {
    if (m_bAutoDelete) {
        delete this;
    }
}

// ---- frame --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_INITMENUPOPUP()
ON_WM_DROPFILES()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT id, DWORD style, CWnd* parent, void* context) {
    m_nIDResource = id;
    CString title;
    title.LoadString(id);
    const int nl = title.Find('\n');
    if (nl >= 0) {
        title = title.Left(nl);
    }
    CRect rect(100, 100, 100 + 640, 100 + 480);
    if (!CreateEx(0, nullptr, title, style, rect, parent, 0, context)) {
        return FALSE;
    }
    if (m_menu.LoadMenu(id)) {
        SetMenu(&m_menu);
    }
    m_hAccelTable = LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    auto* ctx = static_cast<CCreateContext*>(context);
    if (ctx != nullptr && ctx->m_pNewViewClass != nullptr) {
        auto* view = static_cast<CView*>(ctx->m_pNewViewClass->CreateObject());
        CRect client;
        GetClientRect(&client);
        if (view == nullptr || !view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this,
                                             AFX_IDW_PANE_FIRST, ctx)) {
            delete view;
            return FALSE;
        }
        m_pViewActive = view;
    }
    return TRUE;
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL) {
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) {
        CRect client;
        GetClientRect(&client);
        m_pViewActive->MoveWindow(&client);
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
    if (m_pViewActive != nullptr) {
        m_pViewActive->OnInitialUpdate();
    }
    if (doc != nullptr) {
        doc->SetTitle(doc->GetTitle());
    }
    if (makeVisible) {
        ShowWindow(SW_SHOW);
        // Shown, the frame takes the keyboard focus: a window manager would give it, and
        // without one nothing would, so that its menu keys waited for a click.
        SetForegroundWindow();
        UpdateWindow();
    }
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    return m_hAccelTable != nullptr && TranslateAccelerator(m_hWnd, m_hAccelTable, msg) != 0;
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra) {
    // View (then its document), the frame, then the application.
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(id, code, extra)) {
        return TRUE;
    }
    if (CWnd::OnCmdMsg(id, code, extra)) {
        return TRUE;
    }
    return g_app != nullptr && g_app->OnCmdMsg(id, code, extra);
}

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc != nullptr && !doc->CanCloseFrame(this)) {
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL) {
    UpdateMenuItems(popup);
}

// A dropped file is opened as the document, as if chosen in the open dialog.
void CFrameWnd::OnDropFiles(HDROP drop) {
    char path[4096];
    if (DragQueryFile(drop, 0, path, sizeof path) > 0 && g_app != nullptr) {
        SetForegroundWindow();
        g_app->OpenDocumentFile(path);
    }
    DragFinish(drop);
}

void CFrameWnd::UpdateMenuItems(CMenu* popup) {
    if (popup == nullptr) {
        return;
    }
    const UINT count = popup->GetMenuItemCount();
    for (UINT i = 0; i < count; ++i) {
        const UINT id = popup->GetMenuItemID(int(i));
        if (id == 0 || id == UINT(-1)) {
            continue;
        }
        CCmdUI ui;
        ui.m_nID = id;
        ui.m_nIndex = i;
        ui.m_pMenu = popup;
        ui.DoUpdate(this, TRUE);
    }
}

void CFrameWnd::OnHelpFinder() {
    if (g_app != nullptr) {
        g_app->WinHelp(0, HELP_FINDER);
    }
}

void CFrameWnd::PostNcDestroy() {
    if (g_app != nullptr && g_app->m_pMainWnd == this) {
        g_app->m_pMainWnd = nullptr;
        // exit, not quit: quit first asks every top-level window to close, and a hidden one
        // that keeps itself open would keep the program running without a window. Only a
        // running loop is told: exit outside one would make every later loop end at once.
        if (QThread::currentThread()->loopLevel() > 0) {
            QCoreApplication::exit(0);
        }
    }
    if (m_bAutoDelete) {
        delete this;
    }
}

// ---- templates ----------------------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT id, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(id), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {
}

BOOL CDocTemplate::GetDocString(CString& text, int index) const {
    CString all;
    all.LoadString(m_nIDResource);
    int start = 0;
    for (int i = 0; i < index; ++i) {
        const int nl = all.Find('\n', start);
        if (nl < 0) {
            text.Empty();
            return FALSE;
        }
        start = nl + 1;
    }
    const int end = all.Find('\n', start);
    text = end < 0 ? all.Mid(start) : all.Mid(start, end - start);
    return !text.IsEmpty();
}

CSingleDocTemplate::~CSingleDocTemplate() {
    delete m_pOnlyDoc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    bool first = false;
    if (m_pOnlyDoc == nullptr) {
        auto* doc = static_cast<CDocument*>(m_pDocClass->CreateObject());
        if (doc == nullptr) {
            return nullptr;
        }
        doc->m_pDocTemplate = this;
        m_pOnlyDoc = doc;
        auto* frame = static_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
        CCreateContext ctx{m_pViewClass, doc};
        if (frame == nullptr ||
            !frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW, nullptr, &ctx)) {
            delete frame;
            return nullptr;
        }
        if (g_app != nullptr && g_app->m_pMainWnd == nullptr) {
            g_app->m_pMainWnd = frame;
        }
        first = true;
    } else if (!m_pOnlyDoc->SaveModified()) {
        return nullptr;
    }
    CDocument* doc = m_pOnlyDoc;
    if (path == nullptr) {
        CString name;
        GetDocString(name, docName);
        if (!doc->OnNewDocument()) {
            return nullptr;
        }
        doc->SetTitle(name.IsEmpty() ? "Untitled" : name.GetString());
    } else {
        if (!doc->OnOpenDocument(path)) {
            return nullptr;
        }
        doc->SetPathName(path);
    }
    if (first) {
        for (CView* v : doc->GetViews()) {
            if (auto* frame = dynamic_cast<CFrameWnd*>(v->GetTopLevelParent())) {
                frame->InitialUpdateFrame(doc, makeVisible);
            }
        }
    } else {
        doc->UpdateAllViews(nullptr);
    }
    return doc;
}

// ---- recent files -------------------------------------------------------------------------

CRecentFileList::CRecentFileList(int size) : m_size(size > 0 ? size : 0) {}

void CRecentFileList::Add(LPCTSTR path) {
    if (path == nullptr || *path == 0 || m_size == 0) {
        return;
    }
    const CString p(path);
    std::erase(m_files, p);
    m_files.insert(m_files.begin(), p);
    if (int(m_files.size()) > m_size) {
        m_files.resize(std::size_t(m_size));
    }
}

void CRecentFileList::ReadList() {
    m_files.clear();
    for (int i = 1; i <= m_size; ++i) {
        std::string value;
        if (zel::platform::profile_store().read("Recent File List", "File" + std::to_string(i),
                                                value) &&
            !value.empty()) {
            m_files.emplace_back(value);
        }
    }
}

void CRecentFileList::WriteList() const {
    auto& store = zel::platform::profile_store();
    for (int i = 1; i <= m_size; ++i) {
        const std::string entry = "File" + std::to_string(i);
        if (std::size_t(i) <= m_files.size()) {
            store.write("Recent File List", entry, m_files[std::size_t(i) - 1].str());
        } else {
            store.remove("Recent File List", entry);
        }
    }
}

// ---- application --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR appName) : m_pszAppName(appName) {
    g_app = this;
    m_appName = appName;
}

CWinApp::~CWinApp() {
    if (m_pMainWnd != nullptr && IsWindow(m_pMainWnd->m_hWnd)) {
        m_pMainWnd->DestroyWindow();
    }
    m_templates.clear();
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    if (m_pMainWnd != nullptr) {
        QApplication::exec();
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    if (m_pRecentFileList) {
        m_pRecentFileList->WriteList();
    }
    return 0;
}

BOOL CWinApp::OnIdle(long) {
    return FALSE;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    m_pRecentFileList = std::make_unique<CRecentFileList>(int(maxRecentFiles));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddDocTemplate(CDocTemplate* tmpl) {
    m_templates.emplace_back(tmpl);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const {
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

namespace {
// A switch is "-name" or one of the framework's own "/name" switches; anything else (an
// absolute path above all) is a file name.
bool is_switch(const std::string& a) {
    if (a.size() > 1 && a[0] == '-') {
        return true;
    }
    static const char* const switches[] = {
        "/p", "/pt", "/dde", "/automation", "/embedding", "/unregister", "/unregserver"};
    std::string lower = a;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return std::find(std::begin(switches), std::end(switches), lower) != std::end(switches);
}
} // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    bool print = false;
    for (std::size_t i = 1; i < m_args.size(); ++i) {
        const std::string& a = m_args[i];
        if (a == "/p" || a == "-p") {
            print = true;
        } else if (!a.empty() && !is_switch(a) && info.m_strFileName.IsEmpty()) {
            info.m_strFileName = a;
        }
    }
    if (!info.m_strFileName.IsEmpty()) {
        info.m_nShellCommand = print ? CCommandLineInfo::FilePrint : CCommandLineInfo::FileOpen;
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        if (OpenDocumentFile(info.m_strFileName) == nullptr) {
            return FALSE;
        }
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
        return FALSE; // printing from the command line ends the program
    default:
        return TRUE;
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path) {
    CDocTemplate* t = GetFirstDocTemplate();
    return t != nullptr ? t->OpenDocumentFile(path) : nullptr;
}

void CWinApp::AddToRecentFileList(LPCTSTR path) {
    if (m_pRecentFileList) {
        m_pRecentFileList->Add(path);
        m_pRecentFileList->WriteList();
    }
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    std::string value;
    if (section == nullptr || entry == nullptr ||
        !zel::platform::profile_store().read(section, entry, value)) {
        return UINT(defaultValue);
    }
    // Only a whole number that fits an int, as WriteProfileInt writes them, counts (with blanks
    // around it, as a hand-edited profile may have); anything else gives the default rather
    // than the digits before the junk, or a number too large cut to an unrelated one.
    const auto first = value.find_first_not_of(" \t");
    const auto last = value.find_last_not_of(" \t");
    if (first == std::string::npos) {
        return UINT(defaultValue);
    }
    const char* begin = value.data() + first;
    const char* end = value.data() + last + 1;
    int v = 0;
    const auto [stop, error] = std::from_chars(begin, end, v);
    return error == std::errc() && stop == end ? UINT(v) : UINT(defaultValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    if (section == nullptr || entry == nullptr) {
        return FALSE;
    }
    zel::platform::profile_store().write(section, entry, std::to_string(value));
    return TRUE;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pd) {
    if (pd == nullptr) {
        return FALSE;
    }
    m_devMode.dmOrientation = short(m_printer.orientation);
    pd->hDevMode = &m_devMode;
    return TRUE;
}

void CWinApp::OnFileNew() {
    OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString filter, ext;
    if (CDocTemplate* t = GetFirstDocTemplate()) {
        t->GetDocString(filter, CDocTemplate::filterName);
        t->GetDocString(ext, CDocTemplate::filterExt);
    }
    CString filters =
        filter.IsEmpty() ? CString("All Files (*.*)|*.*||") : filter + "|*" + ext + "||";
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filters,
                    m_pMainWnd);
    if (dlg.DoModal() == IDOK) {
        OpenDocumentFile(dlg.GetPathName());
    }
}

void CWinApp::OnFilePrintSetup() {
    CPrintDialog dlg(TRUE);
    dlg.DoModal();
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr) {
        m_pMainWnd->SendMessage(WM_CLOSE);
    }
}

// The manual is one page: every help request opens it.
void CWinApp::WinHelp(UINT_PTR, UINT) {
    CWnd* owner = m_pMainWnd;
    if (m_pszHelpFilePath == nullptr || *m_pszHelpFilePath == 0) {
        return;
    }
    const auto code =
        reinterpret_cast<INT_PTR>(ShellExecute(owner != nullptr ? owner->m_hWnd : nullptr, "open",
                                               m_pszHelpFilePath, nullptr, nullptr, SW_SHOWNORMAL));
    if (code <= 32) {
        CString text;
        text.Format("Cannot open the help file %s.", m_pszHelpFilePath);
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    }
}

BOOL CWinApp::OnCmdMsg(UINT id, int code, void* extra) {
    return CCmdTarget::OnCmdMsg(id, code, extra);
}

int AfxWinMain(int argc, char** argv) {
    static int s_argc = argc;
    CWinApp* app = AfxGetApp();
    if (QCoreApplication::instance() == nullptr) {
        new QApplication(s_argc, argv);
    }
    if (app == nullptr) {
        return 1;
    }
    for (int i = 0; i < argc; ++i) {
        app->m_args.emplace_back(argv[i]);
    }
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        return app->ExitInstance() != 0 ? app->ExitInstance() : 1;
    }
    return app->Run();
}
