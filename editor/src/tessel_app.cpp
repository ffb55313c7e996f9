// Start-up of the program.

#include "tessel_app.h"

#include "main_frame.h"
#include "resource_ids.h"
#include "tessel_doc.h"
#include "tessel_view.h"

#include <zel/common/data_folder.h>
#include <zel/common/work_folder.h>
#include <zel/dialogs/about_dlg.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

using namespace zel::editor;

BEGIN_MESSAGE_MAP(CTesselApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CTesselApp::CTesselApp() : CWinApp("ZEL Editor") {}

std::string CTesselApp::ManualPath() {
    return zel::data_path("manual/index.html");
}

BOOL CTesselApp::InitInstance() {
    Enable3dControls();
    LoadStdProfileSettings(4);
    register_program_resources();
    m_manualPath = ManualPath();
    m_pszHelpFilePath = m_manualPath.c_str();

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTesselDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CTesselView)));
    // The desktop is never asked to hand this program a file type (the template's ".BMP"
    // would take over every bitmap): both calls leave the desktop as it is.
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!info.m_strFileName.IsEmpty()) {
        // Opened without waiting: a pipe nobody writes to would otherwise hold the start-up
        // before any window shows. The file itself is never read.
        const int fd = ::open(info.m_strFileName.str().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            std::cerr << "zel-editor: cannot open " << info.m_strFileName.str() << ": "
                      << std::strerror(errno) << '\n';
            return FALSE;
        }
        ::close(fd);
    }
    if (!ProcessShellCommand(info)) {
        return FALSE;
    }
    m_pMainWnd->DragAcceptFiles();
    m_pMainWnd->SetIcon(LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_APPLICATION_ICON)),
                        TRUE);
    install_library_message_box();
    // Which folder cannot serve and why, on the terminal as well as on the screen: a person
    // who set ZEL_WORKDIR learns that that folder is refused, and that no other took its place.
    if (const std::string problem = zel::work_folder_problem(); !problem.empty()) {
        const std::string text = problem + " The editing commands stay disabled.";
        std::cerr << "zel-editor: " << text << '\n';
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONSTOP);
    }
    return TRUE;
}

CDocument* CTesselApp::OpenDocumentFile(LPCTSTR path) {
    CDocTemplate* tmpl = GetFirstDocTemplate();
    if (tmpl == nullptr) {
        return nullptr;
    }
    if (CDocument* doc = tmpl->GetDocument(); doc != nullptr && path != nullptr) {
        return doc;
    }
    return tmpl->OpenDocumentFile(nullptr);
}

// The box lives for the command only; its link opens the manual the help commands open.
void CTesselApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal();
}
