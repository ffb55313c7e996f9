// The common dialogs, each answered through its hook.

#include "zel/platform/commdlg.h"

#include "hook_slots.h"
#include "modal_focus.h"

#include "zel/platform/docview.h"

#include <cstring>

using namespace zel::platform;

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : m_open(openFileDialog), m_defaultExt(defaultExt), m_fileName(fileName), m_filter(filter),
      m_parent(parent) {
    m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
    FileDialogRequest r;
    r.open = m_open != FALSE;
    r.owner = m_parent != nullptr
                  ? m_parent->m_hWnd
                  : (AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->m_hWnd : nullptr);
    r.initialName = m_fileName.str();
    r.initialDir = m_ofn.lpstrInitialDir != nullptr ? m_ofn.lpstrInitialDir : "";
    r.defaultExt = m_defaultExt.str();
    r.flags = m_ofn.Flags;
    r.filterIndex = int(m_ofn.nFilterIndex);
    // "description|patterns|description|patterns||"; a description without patterns lists all.
    const std::string& f = m_filter.str();
    std::size_t pos = 0;
    while (pos < f.size()) {
        const std::size_t bar = f.find('|', pos);
        const std::string desc =
            f.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        if (desc.empty()) {
            break;
        }
        std::string patterns;
        pos = bar == std::string::npos ? f.size() : bar + 1;
        if (pos < f.size()) {
            const std::size_t bar2 = f.find('|', pos);
            patterns = f.substr(pos, bar2 == std::string::npos ? std::string::npos : bar2 - pos);
            pos = bar2 == std::string::npos ? f.size() : bar2 + 1;
        }
        r.filters.emplace_back(desc, patterns);
    }
    const FileDialogAnswer a = [&r] {
        const detail::FocusReturn focus(r.owner);
        return detail::file_dialog_hook()(r);
    }();
    if (!a.ok) {
        return IDCANCEL;
    }
    m_path = a.path;
    m_ofn.nFilterIndex = DWORD(a.filterIndex);
    if (!m_defaultExt.IsEmpty() && GetFileExt().IsEmpty()) {
        m_path += "." + m_defaultExt;
    }
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    const int slash = m_path.ReverseFind('/');
    return m_path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Mid(dot + 1) : CString();
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) {
    m_cc.rgbResult = initial;
    m_cc.Flags = flags;
    m_cc.hwndOwner = parent != nullptr ? parent->m_hWnd : nullptr;
    m_cc.lpCustColors = m_ownCustom;
}

INT_PTR CColorDialog::DoModal() {
    ColorDialogRequest r;
    r.owner = m_cc.hwndOwner;
    r.initial = m_cc.rgbResult;
    COLORREF* custom = m_cc.lpCustColors != nullptr ? m_cc.lpCustColors : m_ownCustom;
    std::memcpy(r.custom, custom, sizeof r.custom);
    const ColorDialogAnswer a = [&r] {
        const detail::FocusReturn focus(r.owner);
        return detail::color_dialog_hook()(r);
    }();
    std::memcpy(custom, a.custom, sizeof a.custom);
    if (!a.ok) {
        return IDCANCEL;
    }
    m_cc.rgbResult = a.color;
    return IDOK;
}

CFontDialog::CFontDialog(LOGFONT* initial, DWORD flags, CDC*, CWnd* parent) {
    m_cf.Flags = flags | (initial != nullptr ? CF_INITTOLOGFONTSTRUCT : 0);
    m_cf.hwndOwner = parent != nullptr ? parent->m_hWnd : nullptr;
    if (initial != nullptr) {
        m_lf = *initial;
    }
    m_cf.lpLogFont = &m_lf;
}

INT_PTR CFontDialog::DoModal() {
    FontDialogRequest r;
    r.owner = m_cf.hwndOwner;
    r.initial = m_lf;
    r.hasInitial = (m_cf.Flags & CF_INITTOLOGFONTSTRUCT) != 0;
    const FontDialogAnswer a = [&r] {
        const detail::FocusReturn focus(r.owner);
        return detail::font_dialog_hook()(r);
    }();
    if (!a.ok) {
        return IDCANCEL;
    }
    m_lf = a.font;
    m_cf.rgbColors = a.color;
    return IDOK;
}

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : m_setupOnly(printSetupOnly) {
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.hwndOwner = parent != nullptr ? parent->m_hWnd : nullptr;
    m_pd.hDevMode = &m_devMode;
}

BOOL CPrintDialog::GetDefaults() {
    if (CWinApp* app = AfxGetApp()) {
        m_settings = app->PrinterSettings();
    }
    m_devMode.dmOrientation = short(m_settings.orientation);
    std::strncpy(m_devMode.dmDeviceName, m_settings.printerName.c_str(),
                 sizeof m_devMode.dmDeviceName - 1);
    m_pd.hDevMode = &m_devMode;
    return TRUE;
}

INT_PTR CPrintDialog::DoModal() {
    GetDefaults();
    PrintDialogRequest r;
    r.owner = m_pd.hwndOwner;
    r.setupOnly = m_setupOnly != FALSE;
    r.current = m_settings;
    r.minPage = m_pd.nMinPage;
    r.maxPage = m_pd.nMaxPage;
    const PrintDialogAnswer a = [&r] {
        const detail::FocusReturn focus(r.owner);
        return detail::print_dialog_hook()(r);
    }();
    if (!a.ok) {
        return IDCANCEL;
    }
    m_settings = a.settings;
    m_devMode.dmOrientation = short(m_settings.orientation);
    m_pd.nFromPage = WORD(a.fromPage);
    m_pd.nToPage = WORD(a.toPage);
    if (CWinApp* app = AfxGetApp()) {
        app->PrinterSettings() = m_settings;
    }
    return IDOK;
}
