#pragma once
// The common dialogs: file open and save with filters, colour, font, print and print set-up.
// Each DoModal goes through its hook (hooks.h): real Qt dialogs for a person, scripted answers
// in tests.

#include "zel/platform/hooks.h"
#include "zel/platform/wnd.h"

constexpr DWORD OFN_READONLY = 1, OFN_OVERWRITEPROMPT = 2, OFN_HIDEREADONLY = 4,
                OFN_NOCHANGEDIR = 8, OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000,
                OFN_EXPLORER = 0x80000;

struct OPENFILENAME {
    DWORD Flags = 0;
    DWORD nFilterIndex = 1;
    LPCTSTR lpstrInitialDir = nullptr; // the folder the dialog opens in; null: the hook's choice
};

class CFileDialog {
public:
    // `filter` lists description and pattern pairs separated by '|', ending with "||".
    CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_path; }
    CString GetFileName() const;
    CString GetFileExt() const;
    OPENFILENAME m_ofn;

private:
    BOOL m_open;
    CString m_defaultExt, m_fileName, m_filter, m_path;
    CWnd* m_parent;
};

constexpr DWORD CC_RGBINIT = 1, CC_FULLOPEN = 2, CC_ANYCOLOR = 0x100;
struct CHOOSECOLOR {
    HWND hwndOwner = nullptr;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;
    DWORD Flags = 0;
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    CHOOSECOLOR m_cc;

private:
    COLORREF m_ownCustom[16] = {};
};

constexpr DWORD CF_SCREENFONTS = 1, CF_EFFECTS = 0x100, CF_INITTOLOGFONTSTRUCT = 0x40;
struct CHOOSEFONT {
    HWND hwndOwner = nullptr;
    LOGFONT* lpLogFont = nullptr;
    DWORD Flags = 0;
    COLORREF rgbColors = 0;
};

class CFontDialog {
public:
    explicit CFontDialog(LOGFONT* initial = nullptr, DWORD flags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* printer = nullptr, CWnd* parent = nullptr);
    virtual ~CFontDialog() = default;
    virtual INT_PTR DoModal();
    void GetCurrentFont(LOGFONT* lf) const { *lf = m_lf; }
    CString GetFaceName() const { return m_lf.lfFaceName; }
    COLORREF GetColor() const { return m_cf.rgbColors; }
    CHOOSEFONT m_cf;

private:
    LOGFONT m_lf{};
};

constexpr short DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2;
struct DEVMODE {
    char dmDeviceName[32] = {};
    short dmOrientation = DMORIENT_PORTRAIT;
    short dmPaperSize = 9; // A4
    short dmCopies = 1;
};
constexpr DWORD PD_ALLPAGES = 0, PD_SELECTION = 1, PD_PAGENUMS = 2, PD_NOSELECTION = 4,
                PD_NOPAGENUMS = 8, PD_PRINTSETUP = 0x40, PD_RETURNDC = 0x100,
                PD_RETURNDEFAULT = 0x400, PD_USEDEVMODECOPIES = 0x40000;
// The device mode travels by pointer; it belongs to the application's printer settings.
struct PRINTDLG {
    HWND hwndOwner = nullptr;
    DEVMODE* hDevMode = nullptr;
    HDC hDC = nullptr;
    DWORD Flags = 0;
    WORD nFromPage = 1, nToPage = 1, nMinPage = 1, nMaxPage = 1, nCopies = 1;
};

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS,
                          CWnd* parent = nullptr);
    virtual ~CPrintDialog() = default;
    virtual INT_PTR DoModal();
    // Fills the dialog from the application's current printer without showing it.
    BOOL GetDefaults();
    DEVMODE* GetDevMode() const { return m_pd.hDevMode; }
    HDC CreatePrinterDC();
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    PRINTDLG m_pd;
    zel::platform::PrinterSettings m_settings;

private:
    BOOL m_setupOnly;
    DEVMODE m_devMode;
};
