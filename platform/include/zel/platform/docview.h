#pragma once
// The application framework: one application object, a single-document template that makes
// the frame, the document and the view, command routing (view, document, frame, application)
// with update handlers deciding enabling, printing and print preview, the profile with its
// recent-file list, and the command line.

#include "zel/platform/commdlg.h"
#include "zel/platform/dialog.h"
#include "zel/platform/menu.h"

#include <memory>
#include <string>
#include <vector>

class CDocument;
class CView;

// What a help request asks for.
constexpr UINT HELP_CONTEXT = 0x0001, HELP_FINDER = 0x000B;
class CFrameWnd;
class CDocTemplate;

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;
    void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = WORD(page); }
    void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = WORD(page); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }
    CPrintDialog* m_pPD;
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CRect m_rectDraw;
};

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR path);
    virtual BOOL OnSaveDocument(LPCTSTR path);
    virtual void DeleteContents();
    virtual void OnCloseDocument();
    // Asked before the document is closed or replaced; FALSE keeps it open.
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual void SetTitle(LPCTSTR title);
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR path, BOOL addToRecent = TRUE);
    virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }
    virtual BOOL IsModified() { return m_bModified; }
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
};

// What a frame needs to make its view.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Shows the print dialog (or, for a preview, prepares without it); FALSE when cancelled.
    BOOL DoPreparePrinting(CPrintInfo* info);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra) override;
    void PostNcDestroy() override;

    // The standard print commands (bound with ON_COMMAND by a view that wants them).
    void OnFilePrint();
    void OnFilePrintPreview();

    CDocument* m_pDocument = nullptr;
    // Views and frames made by a document template delete themselves with their window.
    BOOL m_bAutoDelete = TRUE;

protected:
    void OnPaint();
    int OnCreate(LPCREATESTRUCT cs);
    DECLARE_MESSAGE_MAP()

private:
    // Renders page `page` of `info` with the job's printer context into a page bitmap that the
    // caller deletes.
    HBITMAP RenderPage(CDC& dc, CPrintInfo& info, int page);
};

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;
    // Creates the frame from resource `id` (menu, accelerators, title string).
    virtual BOOL LoadFrame(UINT id, DWORD style = WS_OVERLAPPEDWINDOW, CWnd* parent = nullptr,
                           void* context = nullptr);
    CView* GetActiveView() const { return m_pViewActive; }
    CDocument* GetActiveDocument();
    virtual void RecalcLayout(BOOL notify = TRUE);
    void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    // Enables and checks the menu items of `popup` through the update handlers.
    void UpdateMenuItems(CMenu* popup);
    // The application's help (CWinApp::WinHelp), for frames that bind the help commands.
    void OnHelpFinder();
    HACCEL m_hAccelTable = nullptr;
    BOOL m_bAutoDelete = TRUE;

protected:
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnDropFiles(HDROP drop);
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive = nullptr;
    CMenu m_menu;
    UINT m_nIDResource = 0;
    friend class CSingleDocTemplate;
};

class CDocTemplate : public CCmdTarget {
public:
    CDocTemplate(UINT id, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    virtual CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) = 0;
    virtual CDocument* GetDocument() const = 0;
    // One of the seven "\n"-separated fields of the template string (0 window title, ...).
    BOOL GetDocString(CString& text, int index) const;
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
    ~CSingleDocTemplate() override;
    // Without a path: a new document (the frame, document and view are made the first time).
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;
    CDocument* GetDocument() const override { return m_pOnlyDoc; }

private:
    CDocument* m_pOnlyDoc = nullptr;
};

class CCommandLineInfo {
public:
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        FileNothing
    } m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    BOOL m_bShowSplash = TRUE;
};

// The most recently used files, kept in the profile section "Recent File List" as File1...
class CRecentFileList {
public:
    CRecentFileList(int size);
    void Add(LPCTSTR path);
    int GetSize() const { return m_size; }
    const std::vector<CString>& Files() const { return m_files; }
    void ReadList();
    void WriteList() const;

private:
    int m_size;
    std::vector<CString> m_files;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    // Enables and disables commands for items without a visible menu (buttons of the frame).
    virtual BOOL OnIdle(long count);

    void Enable3dControls() {}
    void SetRegistryKey(LPCTSTR) {}
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    void AddDocTemplate(CDocTemplate* tmpl);
    CDocTemplate* GetFirstDocTemplate() const;
    // Opening through the desktop's shell is not registered: the program never claims a file
    // type. Kept so start-up reads like its description.
    void EnableShellOpen() {}
    void RegisterShellFileTypes(BOOL = FALSE) {}
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    virtual CDocument* OpenDocumentFile(LPCTSTR path);
    virtual void AddToRecentFileList(LPCTSTR path);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);

    // The printer the application prints on (the print set-up dialog changes it).
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pd);
    zel::platform::PrinterSettings& PrinterSettings() { return m_printer; }

    // Standard commands. Exit is bound here; an application binds New, Open and Print Setup
    // in its own map (ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)) when it wants them.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();

    // Help: the program's manual (m_pszHelpFilePath, an HTML page) opened with the desktop's
    // opener, whatever the command asks for. Bound by the frames that want it (ID_HELP_FINDER,
    // ID_DEFAULT_HELP) through CFrameWnd::OnHelpFinder.
    virtual void WinHelp(UINT_PTR data, UINT command = HELP_CONTEXT);
    LPCTSTR m_pszHelpFilePath = nullptr;

    BOOL OnCmdMsg(UINT id, int code, void* extra) override;

    CWnd* m_pMainWnd = nullptr;
    LPCTSTR m_pszAppName;
    LPCTSTR m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOW;
    HINSTANCE m_hInstance = nullptr;
    std::vector<std::string> m_args;

protected:
    DECLARE_MESSAGE_MAP()

    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    zel::platform::PrinterSettings m_printer;
    DEVMODE m_devMode;
    CString m_appName;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
// The program's entry: makes the Qt application, runs InitInstance, then the message loop.
int AfxWinMain(int argc, char** argv);
