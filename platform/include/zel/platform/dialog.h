#pragma once
// Dialogs built from templates defined in code: each control is a class ("BUTTON", "STATIC",
// "EDIT", "SCROLLBAR"), an identifier, a text, a rectangle in dialog units and a style. Dialog
// units convert to pixels with fixed base units (6 x 13 pixels for 4 x 8 units), so layouts do
// not depend on the fonts installed.
//
// DoModal runs a modal loop until EndDialog; before the loop, the modal-dialog hook (hooks.h)
// may answer the dialog, which is how tests drive dialogs.

#include "zel/platform/controls.h"

#include <string>
#include <vector>

// Dialog base units: pixels per 4 horizontal and per 8 vertical dialog units.
constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;

struct DialogItemTemplate {
    std::string className; // "BUTTON", "STATIC", "EDIT", "SCROLLBAR"
    int id = -1;
    std::string text;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    DWORD style = 0;                  // WS_CHILD | WS_VISIBLE are added
    DWORD exStyle = 0;
};

struct DialogTemplate {
    std::string caption;
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    std::string fontName = "MS Sans Serif";
    int pointSize = 8;
    std::vector<DialogItemTemplate> items;
};

// Short forms for template items, in the order a resource script lists them.
DialogItemTemplate PushButton(const char* text, int id, int x, int y, int cx, int cy,
                              DWORD style = WS_TABSTOP);
DialogItemTemplate DefPushButton(const char* text, int id, int x, int y, int cx, int cy,
                                 DWORD style = WS_TABSTOP);
DialogItemTemplate LText(const char* text, int id, int x, int y, int cx, int cy, DWORD style = 0);
DialogItemTemplate EditText(int id, int x, int y, int cx, int cy,
                            DWORD style = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
DialogItemTemplate Control(const char* text, int id, const char* className, DWORD style, int x,
                           int y, int cx, int cy, DWORD exStyle = 0);

class CDataExchange {
public:
    CDataExchange(CWnd* dlg, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlg) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCTSTR templateName, CWnd* parent = nullptr);

    // Runs the dialog modally; returns the value given to EndDialog, or -1 when the template is
    // missing or the window cannot be made.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; FALSE when the template is missing.
    using CWnd::Create;
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& tmpl, CWnd* parent = nullptr);
    void EndDialog(int result);
    BOOL IsModal() const { return m_modal; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Dialog units to pixels.
    void MapDialogRect(LPRECT rect) const;

    UINT m_nIDHelp = 0;
    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL CreateFromTemplate(const DialogTemplate& tmpl, CWnd* parent, bool modal);
    BOOL OnCmdMsg(UINT id, int code, void* extra) override;
    BOOL m_modal = FALSE;
    int m_result = 0;
    BOOL m_ended = FALSE;
    UINT m_defId = 0;
    HFONT m_font = nullptr;
    void* m_loop = nullptr;
    void OnClose();
    DECLARE_MESSAGE_MAP()
};

// Data exchange between dialog controls and members.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
// The index of the checked radio button of the group that starts with `id` (-1 for none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
