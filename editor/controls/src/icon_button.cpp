// The icon button's messages and behaviour: subclassing, hover tracking, tooltips, clicks
// (check box, drop-down menu, address), sounds, colours and the transparent background.

#include "zel/controls/icon_button.h"

#include "bounded_copy.h"

BEGIN_MESSAGE_MAP(CIconButton, CButton)
ON_WM_SETCURSOR()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_SYSCOLORCHANGE()
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
ON_WM_ACTIVATE()
ON_WM_ENABLE()
ON_WM_CANCELMODE()
ON_WM_GETDLGCODE()
ON_WM_CTLCOLOR_REFLECT()
ON_WM_MENUCHAR()
ON_WM_MEASUREITEM()
ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(BM_SETCHECK, OnSetCheck)
ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

namespace {
constexpr UINT kTypeBits = 0x1F;
constexpr UINT kCheckBoxBit = 0x2;
constexpr int kTooltipWidth = 400;
constexpr UINT kToolId = 1;
constexpr UINT kDropDownFlags =
    TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD;
} // namespace

CIconButton::CIconButton() {
    ResetColors(FALSE);
    SetPressedShift(0, FALSE);
    SetLinkTarget(nullptr);
    ReleaseImages(FALSE);
}

CIconButton::~CIconButton() {
    DropBackground();
    ReleaseImages(TRUE);
    if (m_cursor != nullptr) {
        ::DestroyCursor(m_cursor);
    }
    if (m_menu.m_hMenu != nullptr) {
        m_menu.DestroyMenu();
    }
}

void CIconButton::Repaint(BOOL repaint) {
    if (repaint && GetSafeHwnd() != nullptr) {
        Invalidate();
    }
}

// ---- subclassing and styles ---------------------------------------------------------------

void CIconButton::PreSubclassWindow() {
    const DWORD style = GetStyle();
    m_buttonType = style & kTypeBits;
    if (style & kCheckBoxBit) {
        m_checkBox = TRUE;
    }
    if (m_buttonType == BS_DEFPUSHBUTTON) {
        m_defaultButton = TRUE;
        m_buttonType = BS_PUSHBUTTON;
    }
    ModifyStyle(kTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

LRESULT CIconButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    const UINT type = UINT(wParam) & kTypeBits;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        m_defaultButton = type == BS_DEFPUSHBUTTON;
    }
    // Whatever style is asked for, the button stays owner-drawn.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~WPARAM(0x14)) | BS_OWNERDRAW, lParam);
}

UINT CIconButton::OnGetDlgCode() {
    const UINT code = CButton::OnGetDlgCode();
    return code | (m_defaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH CIconButton::CtlColor(CDC*, UINT) {
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CIconButton::PreTranslateMessage(MSG* msg) {
    CreateTooltip();
    m_tooltip.RelayEvent(msg);
    // A double click acts as two clicks.
    if (msg->message == WM_LBUTTONDBLCLK) {
        msg->message = WM_LBUTTONDOWN;
    }
    return CButton::PreTranslateMessage(msg);
}

// ---- hover --------------------------------------------------------------------------------

void CIconButton::OnMouseMove(UINT flags, CPoint point) {
    CButton::OnMouseMove(flags, point);
    ClientToScreen(&point);
    CWnd* under = WindowFromPoint(point);
    if ((flags & MK_LBUTTON) && !m_hover) {
        return;
    }
    if (!m_flat) {
        return;
    }
    CWnd* active = m_trackWhenInactive ? this : GetActiveWindow();
    if (under != nullptr && under->m_hWnd == m_hWnd && active != nullptr) {
        if (!m_hover) {
            m_hover = TRUE;
            Invalidate();
            if (m_sounds[0].sound != nullptr) {
                ::PlaySound(m_sounds[0].sound, m_sounds[0].module, m_sounds[0].flags);
            }
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = m_hWnd;
            ::TrackMouseEvent(&track);
        }
    } else {
        EndHover();
    }
}

void CIconButton::EndHover() {
    if (m_flat && m_hover) {
        m_hover = FALSE;
        Invalidate();
    }
}

LRESULT CIconButton::OnMouseLeave(WPARAM, LPARAM) {
    EndHover();
    return 0;
}

void CIconButton::OnKillFocus(CWnd* newWnd) {
    CButton::OnKillFocus(newWnd);
    EndHover();
}

void CIconButton::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    CButton::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE) {
        EndHover();
    }
}

void CIconButton::OnEnable(BOOL enable) {
    CButton::OnEnable(enable);
    if (!enable) {
        if (CWnd* parent = GetParent()) {
            if (CWnd* next = parent->GetNextDlgTabItem(this)) {
                next->SetFocus();
            } else {
                parent->SetFocus();
            }
        }
        EndHover();
    }
}

void CIconButton::OnCancelMode() {
    CButton::OnCancelMode();
    EndHover();
}

BOOL CIconButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (m_cursor != nullptr) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return CButton::OnSetCursor(wnd, hitTest, message);
}

// ---- colours ------------------------------------------------------------------------------

void CIconButton::OnSysColorChange() {
    CButton::OnSysColorChange();
    DropBackground();
    ResetColors(TRUE);
}

DWORD CIconButton::ResetColors(BOOL repaint) {
    for (BYTE i = kBackHover; i <= kTextFocus; ++i) {
        m_colors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    }
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::SetStateColor(BYTE index, COLORREF color, BOOL repaint) {
    if (index > kTextFocus) {
        return kButtonBadColorIndex;
    }
    m_colors[index] = color;
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::GetStateColor(BYTE index, COLORREF* color) const {
    if (index > kTextFocus) {
        return kButtonBadColorIndex;
    }
    if (color != nullptr) {
        *color = m_colors[index];
    }
    return kButtonOk;
}

DWORD CIconButton::ShiftColor(BYTE index, SHORT offset, BOOL repaint) {
    if (index > kTextFocus) {
        return kButtonBadColorIndex;
    }
    if (offset < -255 || offset > 255) {
        return kButtonBadOffset;
    }
    const COLORREF c = m_colors[index];
    const int channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    // One shift for all three channels keeps the hue: the largest that no channel overruns.
    int shift = offset;
    for (int ch : channels) {
        if (offset > 0) {
            shift = std::min(shift, ch + offset > 255 ? 255 - ch : offset);
        } else {
            shift = std::max(shift, ch + offset < 0 ? -ch : offset);
        }
    }
    m_colors[index] = RGB(channels[0] + shift, channels[1] + shift, channels[2] + shift);
    Repaint(repaint);
    return kButtonOk;
}

COLORREF CIconButton::DarkenColor(COLORREF color, double factor) {
    if (!(factor > 0.0 && factor <= 1.0)) {
        return color;
    }
    auto darker = [factor](BYTE c) { return int(c - factor * c); };
    return RGB(darker(GetRValue(color)), darker(GetGValue(color)), darker(GetBValue(color)));
}

// ---- look setters -------------------------------------------------------------------------

DWORD CIconButton::SetFlatLook(BOOL flat, BOOL repaint) {
    m_flat = flat;
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::SetImageAlignment(BYTE alignment, BOOL repaint) {
    if (alignment > kImageAsIs) {
        return kButtonBadAlignment;
    }
    m_alignment = alignment;
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::SetPressedShift(BYTE style, BOOL repaint) {
    switch (style) {
    case 0:
        m_pressedShift = CPoint(1, 1);
        break;
    case 1:
        m_pressedShift = CPoint(0, 2);
        break;
    default:
        return kButtonBadPressedStyle;
    }
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::SetBorderDrawn(BOOL drawn, BOOL repaint) {
    m_drawBorder = drawn;
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::SetFlatFocusDrawn(BOOL drawn, BOOL repaint) {
    m_drawFlatFocus = drawn;
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::SetTrackWhenInactive(BOOL track) {
    m_trackWhenInactive = track;
    return kButtonOk;
}

DWORD CIconButton::SetButtonCursor(int cursorId, BOOL repaint) {
    if (m_cursor != nullptr) {
        ::DestroyCursor(m_cursor);
        m_cursor = nullptr;
    }
    if (cursorId != 0) {
        m_cursor = static_cast<HCURSOR>(::LoadImage(AfxGetInstanceHandle(),
                                                    MAKEINTRESOURCE(UINT(cursorId)), IMAGE_CURSOR,
                                                    0, 0, LR_DEFAULTCOLOR));
        if (m_cursor == nullptr) {
            return kButtonNoResource;
        }
    }
    Repaint(repaint);
    return kButtonOk;
}

DWORD CIconButton::FitToImage() {
    DWORD width = 0, height = 0;
    if (m_icons[0].icon != nullptr) {
        width = m_icons[0].width;
        height = m_icons[0].height;
    } else if (m_bitmaps[0].bitmap != nullptr) {
        width = m_bitmaps[0].width;
        height = m_bitmaps[0].height;
    } else {
        return 0;
    }
    m_imageOrigin = CPoint(0, 0);
    return SetWindowPos(nullptr, 0, 0, int(width), int(height),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

// ---- check box ----------------------------------------------------------------------------

DWORD CIconButton::SetCheckState(int state, BOOL repaint) {
    if (m_checkBox) {
        m_checkState = state != 0 ? 1 : 0;
        Repaint(repaint);
    }
    return kButtonOk;
}

LRESULT CIconButton::OnSetCheck(WPARAM wParam, LPARAM) {
    SetCheckState(wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0, TRUE);
    return 0;
}

LRESULT CIconButton::OnGetCheck(WPARAM, LPARAM) {
    return m_checkState;
}

// ---- tooltip ------------------------------------------------------------------------------

void CIconButton::CreateTooltip() {
    if (m_tooltip.m_hWnd == nullptr && GetSafeHwnd() != nullptr) {
        m_tooltip.Create(this, m_tooltipStyle);
        m_tooltip.Activate(FALSE);
        m_tooltip.SetMaxTipWidth(kTooltipWidth);
    }
}

void CIconButton::SetTooltip(LPCTSTR text, BOOL activate) {
    if (text == nullptr) {
        return;
    }
    CreateTooltip();
    if (m_tooltip.m_hWnd == nullptr) {
        return;
    }
    if (m_tooltip.GetToolCount() == 0) {
        CRect client;
        GetClientRect(&client);
        m_tooltip.AddTool(this, text, &client, kToolId);
    }
    m_tooltip.UpdateTipText(text, this, kToolId);
    m_tooltip.Activate(activate);
}

void CIconButton::SetTooltipFromResource(UINT stringId, BOOL activate) {
    CString text;
    if (text.LoadString(stringId) && !text.IsEmpty()) {
        SetTooltip(text, activate);
    }
}

void CIconButton::ActivateTooltip(BOOL activate) {
    if (m_tooltip.GetToolCount() != 0) {
        m_tooltip.Activate(activate);
    }
}

DWORD CIconButton::UseBalloonTooltip() {
    m_tooltipStyle |= TTS_BALLOON;
    return kButtonOk;
}

// ---- clicks -------------------------------------------------------------------------------

DWORD CIconButton::SetLinkTarget(LPCTSTR url) {
    m_url[0] = 0;
    if (url != nullptr) {
        zel::controls::bounded_copy(m_url, sizeof m_url, url);
    }
    return kButtonOk;
}

DWORD CIconButton::SetMenuNotify(CWnd* wnd, UINT message, LPARAM lParam) {
    m_menuNotify.wnd = wnd != nullptr ? wnd->m_hWnd : nullptr;
    m_menuNotify.message = message;
    m_menuNotify.lParam = lParam;
    return kButtonOk;
}

DWORD CIconButton::SetButtonSound(LPCTSTR sound, HMODULE module, BOOL onClick, BOOL asynchronous) {
    SoundRecord& record = m_sounds[onClick ? 1 : 0];
    if (sound == nullptr) {
        record = SoundRecord{};
        return kButtonOk;
    }
    // Names are kept in the record: the caller's text may be gone by the time it plays. A
    // resource number travels as it is.
    if (IS_INTRESOURCE(sound)) {
        record.name[0] = 0;
        record.sound = sound;
    } else {
        zel::controls::bounded_copy(record.name, sizeof record.name, sound);
        record.sound = record.name;
    }
    // A number is never a file name, with or without a module: read as one, it would be
    // taken for the address of a text.
    const bool file = module == nullptr && !IS_INTRESOURCE(sound);
    record.flags = (file ? SND_FILENAME : SND_RESOURCE) | SND_NOWAIT | SND_NODEFAULT;
    record.module = module;
    if (asynchronous) {
        record.flags |= SND_ASYNC;
    }
    return kButtonOk;
}

DWORD CIconButton::SetDropDownMenu(UINT menuId, CWnd* owner, UINT menuDrawMode, UINT toolbarId,
                                   int iconWidth, int iconHeight, COLORREF toolbarBackground,
                                   BOOL repaint) {
    if (m_menu.m_hMenu != nullptr) {
        m_menu.DestroyMenu();
        m_menuOwner = nullptr;
        m_menuShown = FALSE;
    }
    if (menuId != 0) {
        IcoMenu::SetMenuDrawMode(menuDrawMode);
        if (!m_menu.LoadMenu(menuId)) {
            return kButtonNoResource;
        }
        if (toolbarId != 0) {
            m_menu.SetToolbarBackground(toolbarBackground);
            m_menu.SetImageSize(iconWidth, iconHeight);
            if (!m_menu.LoadToolbar(toolbarId)) {
                m_menu.DestroyMenu();
                return kButtonNoResource;
            }
        }
        m_menuOwner = owner != nullptr ? owner->m_hWnd : nullptr;
    }
    Repaint(repaint);
    return kButtonOk;
}

BOOL CIconButton::OnClicked() {
    SetFocus();
    if (m_sounds[1].sound != nullptr) {
        ::PlaySound(m_sounds[1].sound, m_sounds[1].module, m_sounds[1].flags);
    }
    if (m_checkBox) {
        m_checkState = m_checkState != 0 ? 0 : 1;
        Invalidate();
        return FALSE;
    }
    if (m_menu.m_hMenu != nullptr) {
        CRect window;
        GetWindowRect(&window);
        m_menuShown = TRUE;
        Invalidate();
        // A menu without a pop-up has nothing to show.
        if (CMenu* popup = m_menu.GetSubMenu(0)) {
            if (m_menuNotify.wnd != nullptr) {
                ::SendMessage(m_menuNotify.wnd, m_menuNotify.message,
                              reinterpret_cast<WPARAM>(popup->m_hMenu), m_menuNotify.lParam);
            }
            const UINT command =
                UINT(popup->TrackPopupMenu(kDropDownFlags, window.left, window.bottom, this));
            m_menuShown = FALSE;
            Invalidate();
            if (command != 0 && m_menuOwner != nullptr) {
                ::PostMessage(m_menuOwner, WM_COMMAND, MAKEWPARAM(WORD(command), 0), 0);
            }
        } else {
            m_menuShown = FALSE;
            Invalidate();
        }
    } else if (m_url[0] != 0) {
        SHELLEXECUTEINFO info;
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.hwnd = m_hWnd;
        info.lpVerb = "open";
        info.lpFile = m_url;
        info.nShow = SW_SHOWMAXIMIZED;
        ::ShellExecuteEx(&info);
    }
    return FALSE;
}

// ---- menus --------------------------------------------------------------------------------

LRESULT CIconButton::OnMenuChar(UINT ch, UINT flags, CMenu* menu) {
    if (menu != nullptr && menu->IsKindOf(RUNTIME_CLASS(IcoMenu))) {
        return IcoMenu::FindKeyboardShortcut(ch, flags, menu);
    }
    return CButton::OnMenuChar(ch, flags, menu);
}

void CIconButton::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis) {
    if (mis != nullptr && mis->CtlType == ODT_MENU && m_menu.m_hMenu != nullptr &&
        IcoMenu::IsMenu(&m_menu)) {
        m_menu.MeasureItem(mis);
        return;
    }
    CButton::OnMeasureItem(id, mis);
}

// ---- transparency -------------------------------------------------------------------------

void CIconButton::DropBackground() {
    if (m_backgroundDC.m_hDC != nullptr && m_previousBitmap != nullptr) {
        m_backgroundDC.SelectObject(m_previousBitmap);
    }
    m_previousBitmap = nullptr;
    m_backgroundBitmap.DeleteObject();
    m_backgroundDC.DeleteDC();
}

void CIconButton::SetTransparent(BOOL repaint) {
    m_transparent = TRUE;
    DropBackground();
    Repaint(repaint);
}

DWORD CIconButton::CaptureBackground(CDC* dc) {
    if (!m_transparent || dc == nullptr || GetSafeHwnd() == nullptr) {
        return kButtonBadOffset;
    }
    DropBackground();
    CRect client, window;
    GetClientRect(&client);
    GetWindowRect(&window);
    if (CWnd* parent = GetParent()) {
        parent->ScreenToClient(&window);
    }
    m_backgroundDC.CreateCompatibleDC(dc);
    m_backgroundBitmap.CreateCompatibleBitmap(dc, client.Width(), client.Height());
    m_previousBitmap = m_backgroundDC.SelectObject(&m_backgroundBitmap);
    m_backgroundDC.BitBlt(0, 0, client.Width(), client.Height(), dc, window.left, window.top,
                          SRCCOPY);
    return kButtonOk;
}

void CIconButton::PaintParentBackground(CDC* dc) {
    CRect client, window;
    GetClientRect(&client);
    GetWindowRect(&window);
    CWnd* parent = GetParent();
    if (parent != nullptr) {
        parent->ScreenToClient(&window);
    }
    if (m_backgroundDC.m_hDC == nullptr && parent != nullptr) {
        CClientDC parentDC(parent);
        m_backgroundDC.CreateCompatibleDC(&parentDC);
        m_backgroundBitmap.CreateCompatibleBitmap(&parentDC, client.Width(), client.Height());
        m_previousBitmap = m_backgroundDC.SelectObject(&m_backgroundBitmap);
        m_backgroundDC.BitBlt(0, 0, client.Width(), client.Height(), &parentDC, window.left,
                              window.top, SRCCOPY);
    }
    if (m_backgroundDC.m_hDC != nullptr) {
        dc->BitBlt(0, 0, client.Width(), client.Height(), &m_backgroundDC, 0, 0, SRCCOPY);
    }
}
