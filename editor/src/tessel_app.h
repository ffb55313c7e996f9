#pragma once
// The application object: start-up, the document template and the standard commands.

#include <zel/platform/platform.h>

#include <string>

class CTesselApp : public CWinApp {
public:
    CTesselApp();
    BOOL InitInstance() override;
    // The document has no file: a file named on the command line or dropped on the window
    // leaves the document as it is (only the very first call makes the frame, document and
    // view, as a new document). A null path is the New command.
    CDocument* OpenDocumentFile(LPCTSTR path) override;

    // The manual the help commands open.
    static std::string ManualPath();

protected:
    void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    std::string m_manualPath;
};

namespace zel::editor {
// Installs a message box owned by the main window as the libraries' message handler.
void install_library_message_box();
} // namespace zel::editor
