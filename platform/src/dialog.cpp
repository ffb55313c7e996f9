// Dialogs from templates in code, the modal loop, dialog keys and data exchange.

#include "hook_slots.h"
#include "modal_focus.h"
#include "window_record.h"

#include "zel/platform/dialog.h"
#include "zel/platform/docview.h"
#include "zel/platform/hooks.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QEventLoop>
#include <QLineEdit>

#include <cstring>

using namespace zel::platform::detail;

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ZEL_MSG_ENTRY(WM_INITDIALOG, *result = self->OnInitDialog())
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_WM_CLOSE()
END_MESSAGE_MAP()

DialogItemTemplate PushButton(const char* text, int id, int x, int y, int cx, int cy, DWORD style) {
    return {"BUTTON", id, text, x, y, cx, cy, BS_PUSHBUTTON | style};
}
DialogItemTemplate DefPushButton(const char* text, int id, int x, int y, int cx, int cy,
                                 DWORD style) {
    return {"BUTTON", id, text, x, y, cx, cy, BS_DEFPUSHBUTTON | style};
}
DialogItemTemplate LText(const char* text, int id, int x, int y, int cx, int cy, DWORD style) {
    return {"STATIC", id, text, x, y, cx, cy, SS_LEFT | style};
}
DialogItemTemplate EditText(int id, int x, int y, int cx, int cy, DWORD style) {
    return {"EDIT", id, "", x, y, cx, cy, style};
}
DialogItemTemplate Control(const char* text, int id, const char* className, DWORD style, int x,
                           int y, int cx, int cy, DWORD exStyle) {
    return {className, id, text, x, y, cx, cy, style, exStyle};
}

CDialog::CDialog() = default;
CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
CDialog::CDialog(LPCTSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_pParentWnd(parent) {
    if (IS_INTRESOURCE(templateName)) {
        m_nIDTemplate = UINT(reinterpret_cast<std::uintptr_t>(templateName));
    }
}

void CDialog::MapDialogRect(LPRECT rect) const {
    if (rect == nullptr) {
        return;
    }
    rect->left = MulDiv(rect->left, kDialogBaseUnitX, 4);
    rect->right = MulDiv(rect->right, kDialogBaseUnitX, 4);
    rect->top = MulDiv(rect->top, kDialogBaseUnitY, 8);
    rect->bottom = MulDiv(rect->bottom, kDialogBaseUnitY, 8);
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate& tmpl, CWnd* parent, bool modal) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    m_modal = modal;
    m_ended = FALSE;
    m_result = 0;
    CRect client(0, 0, tmpl.cx, tmpl.cy);
    MapDialogRect(&client);
    if (parent == nullptr) {
        parent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    }
    WindowRecord* owner =
        parent != nullptr ? live_window(parent->GetTopLevelParent()->m_hWnd) : nullptr;
    const DWORD style = tmpl.style & ~(WS_VISIBLE | WS_CHILD);
    WindowRecord* r =
        create_window(WindowKind::Dialog, style, 0, QString::fromStdString(tmpl.caption),
                      QRect(0, 0, client.Width(), client.Height()), owner, 0);
    // Caption and borders add to the client size; the dialog opens centred on the screen.
    r->setFixedSize(client.Width(), client.Height());
    r->object = this;
    m_hWnd = r;
    LOGFONT lf{};
    lf.lfHeight = -MulDiv(tmpl.pointSize, 96, 72);
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, tmpl.fontName.c_str(), LF_FACESIZE - 1);
    ::DeleteObject(m_font);
    m_font = ::CreateFontIndirect(&lf);
    r->font = m_font;
    CRect frame;
    GetWindowRect(&frame);
    SetWindowPos(nullptr, (GetSystemMetrics(SM_CXSCREEN) - frame.Width()) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - frame.Height()) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    for (const DialogItemTemplate& item : tmpl.items) {
        CRect rc(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(&rc);
        WindowRecord* c =
            create_window(kind_of_class(item.className.c_str()), item.style | WS_CHILD | WS_VISIBLE,
                          item.exStyle, QString::fromStdString(item.text),
                          QRect(rc.left, rc.top, rc.Width(), rc.Height()), r, item.id);
        c->font = m_font;
        if (c->edit != nullptr) {
            c->edit->setFont(window_font(c));
        }
        if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && c->kind == WindowKind::Button &&
            m_defId == 0) {
            m_defId = UINT(item.id);
        }
        c->show();
    }
    QPointer<WindowRecord> guard(r);
    const LRESULT focusDefault = SendMessage(WM_INITDIALOG, 0, 0);
    if (guard.isNull() || r->dead) {
        return FALSE;
    }
    if (focusDefault != 0) {
        if (CWnd* first = GetNextDlgTabItem(nullptr)) {
            first->SetFocus();
        }
    }
    return TRUE;
}

BOOL CDialog::CreateIndirect(const DialogTemplate& tmpl, CWnd* parent) {
    if (!CreateFromTemplate(tmpl, parent, false)) {
        return FALSE;
    }
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    const DialogTemplate* tmpl = zel::platform::find_dialog(templateId);
    return tmpl != nullptr && CreateIndirect(*tmpl, parent);
}

INT_PTR CDialog::DoModal() {
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    const FocusReturn focus(owner != nullptr ? owner->m_hWnd : nullptr);
    const DialogTemplate* tmpl = zel::platform::find_dialog(m_nIDTemplate);
    if (tmpl == nullptr || !CreateFromTemplate(*tmpl, m_pParentWnd, true)) {
        return -1;
    }
    WindowRecord* r = live_window(m_hWnd);
    if (r != nullptr && !m_ended) {
        r->setWindowModality(Qt::ApplicationModal);
        ShowWindow(SW_SHOW);
        if (zel::platform::detail::modal_hook()) {
            zel::platform::detail::modal_hook()(*this);
        }
    }
    if (WindowRecord* shown = live_window(m_hWnd); !m_ended && shown != nullptr) {
        QEventLoop loop;
        m_loop = &loop;
        // A dialog whose window goes without EndDialog (destroyed, or gone with its owner)
        // ends the loop as well, which would otherwise wait for a window nobody can answer.
        QObject::connect(shown, &QObject::destroyed, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
    }
    const int result = m_result;
    DestroyWindow();
    // The template's font dies with the dialog's windows.
    ::DeleteObject(m_font);
    m_font = nullptr;
    return result;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ended = TRUE;
    if (m_loop != nullptr) {
        static_cast<QEventLoop*>(m_loop)->quit();
    }
    if (WindowRecord* r = live_window(m_hWnd)) {
        r->hide();
        if (!m_modal) {
            DestroyWindow();
        }
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnClose() {
    SendMessage(WM_COMMAND, IDCANCEL, 0);
}

void CDialog::DoDataExchange(CDataExchange*) {}

// The exchanges of the layer never refuse a value, so the exchange always succeeds.
BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnCmdMsg(UINT id, int code, void* extra) {
    if (CWnd::OnCmdMsg(id, code, extra)) {
        return TRUE;
    }
    // Commands the dialog does not handle go on to the application.
    if ((code == CN_COMMAND || code == CN_UPDATE_COMMAND_UI) && extra == nullptr) {
        if (CWinApp* app = AfxGetApp(); app != nullptr && app->OnCmdMsg(id, code, extra)) {
            return TRUE;
        }
    }
    return FALSE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == DM_GETDEFID) {
        return m_defId != 0 ? MAKELONG(WORD(m_defId), WORD(DC_HASDEFID)) : 0;
    }
    if (message == DM_SETDEFID) {
        m_defId = UINT(wParam);
        return TRUE;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN || (msg->wParam != VK_RETURN && msg->wParam != VK_ESCAPE)) {
        return FALSE;
    }
    // Enter clicks the focused push button, else the default button; Escape means Cancel.
    if (msg->wParam == VK_ESCAPE) {
        CWnd* cancel = GetDlgItem(IDCANCEL);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(cancel != nullptr ? cancel->m_hWnd : nullptr));
        return TRUE;
    }
    WindowRecord* focus = live_window(GetFocus() != nullptr ? GetFocus()->m_hWnd : nullptr);
    if (focus != nullptr && focus->kind == WindowKind::Button &&
        ((focus->style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON ||
         (focus->style & BS_TYPEMASK) == BS_OWNERDRAW)) {
        focus->wnd()->SendMessage(BM_CLICK);
        return TRUE;
    }
    const UINT id = m_defId != 0 ? m_defId : UINT(IDOK);
    CWnd* item = GetDlgItem(int(id));
    if (item != nullptr && !item->IsWindowEnabled()) {
        return TRUE;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(item != nullptr ? item->m_hWnd : nullptr));
    return TRUE;
}

// ---- data exchange ------------------------------------------------------------------------

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd == nullptr && dx != nullptr && dx->m_pDlgWnd != nullptr) {
        control.SubclassDlgItem(UINT(id), dx->m_pDlgWnd);
    }
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    if (dx == nullptr || dx->m_pDlgWnd == nullptr) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        dx->m_pDlgWnd->GetDlgItemText(id, value);
    } else {
        dx->m_pDlgWnd->SetDlgItemText(id, value);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    if (dx == nullptr || dx->m_pDlgWnd == nullptr) {
        return;
    }
    CWnd* first = dx->m_pDlgWnd->GetDlgItem(id);
    WindowRecord* r = first != nullptr ? live_window(first->m_hWnd) : nullptr;
    if (r == nullptr || r->parentRecord() == nullptr) {
        return;
    }
    // The group runs from `id` to the next control with WS_GROUP.
    const auto siblings = r->parentRecord()->childRecords();
    auto it = std::find(siblings.begin(), siblings.end(), r);
    if (dx->m_bSaveAndValidate) {
        value = -1;
    }
    for (int index = 0; it != siblings.end(); ++it, ++index) {
        if (index > 0 && ((*it)->style & WS_GROUP)) {
            break;
        }
        if ((*it)->kind != WindowKind::Button) {
            continue;
        }
        if (dx->m_bSaveAndValidate) {
            if ((*it)->checked != 0) {
                value = index;
            }
        } else {
            (*it)->wnd()->SendMessage(BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}
