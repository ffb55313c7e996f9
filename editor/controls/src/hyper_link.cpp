// The hyperlink: subclassing, colours and fonts, fitting to the text, hover, the click through
// the desktop's opener and its error box.

#include "zel/controls/hyper_link.h"

#include <cstdint>

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_MOUSEMOVE()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {
// How far below the link the hover end repaints, so that the underline is wiped as well.
constexpr int kUnderlineMargin = 10;
} // namespace

CHyperLink::CHyperLink() = default;

CHyperLink::~CHyperLink() {
    if (m_ownsCursor && m_cursor != nullptr) {
        ::DestroyCursor(m_cursor);
    }
}

void CHyperLink::Repaint() {
    if (GetSafeHwnd() != nullptr) {
        Invalidate();
    }
}

// ---- subclassing -------------------------------------------------------------------------

void CHyperLink::PreSubclassWindow() {
    // Clicks are reported only by a static with SS_NOTIFY.
    ModifyStyle(0, SS_NOTIFY);

    CString text;
    GetWindowText(text);
    if (m_target.IsEmpty()) {
        m_target = text;
    }
    if (text.IsEmpty()) {
        SetWindowText(m_target);
    }

    CFont* font = GetFont();
    if (font == nullptr) {
        font = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    }
    if (font == nullptr) {
        font = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT)));
    }
    LOGFONT lf{};
    if (font != nullptr) {
        font->GetLogFont(&lf);
    }
    m_plainFont.DeleteObject();
    m_underlineFont.DeleteObject();
    m_plainFont.CreateFontIndirect(&lf);
    lf.lfUnderline = TRUE;
    m_underlineFont.CreateFontIndirect(&lf);

    PositionWindow();
    SetDefaultCursor();
    SetFont(m_underline == kUnderlineAlways ? &m_underlineFont : &m_plainFont, FALSE);

    m_tooltip.Create(this);
    CRect client;
    GetClientRect(&client);
    m_tooltip.AddTool(this, m_target, &client, kToolId);

    CStatic::PreSubclassWindow();
}

BOOL CHyperLink::DestroyWindow() {
    KillTimer(kHoverTimer);
    return CStatic::DestroyWindow();
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg) {
    if (m_tooltip.GetSafeHwnd() != nullptr) {
        m_tooltip.RelayEvent(msg);
    }
    return CStatic::PreTranslateMessage(msg);
}

// ---- settings ----------------------------------------------------------------------------

void CHyperLink::SetURL(const CString& target) {
    m_target = target;
    if (GetSafeHwnd() != nullptr) {
        PositionWindow();
        if (m_tooltip.GetSafeHwnd() != nullptr) {
            m_tooltip.UpdateTipText(m_target, this, kToolId);
        }
    }
}

void CHyperLink::SetLinkColors(COLORREF link, COLORREF visited, COLORREF hover) {
    m_linkColor = link;
    m_visitedColor = visited;
    m_hoverColor = hover == kHighlightColor ? ::GetSysColor(COLOR_HIGHLIGHT) : hover;
    Repaint();
}

void CHyperLink::MarkVisited(BOOL visited) {
    m_visited = visited;
    Repaint();
}

void CHyperLink::SetHandCursor(HCURSOR cursor) {
    // The link's own copy handed back stays the link's to free.
    if (cursor != nullptr && cursor == m_cursor) {
        return;
    }
    if (m_ownsCursor && m_cursor != nullptr) {
        ::DestroyCursor(m_cursor);
    }
    m_ownsCursor = false;
    m_cursor = cursor;
    if (m_cursor == nullptr) {
        SetDefaultCursor();
    }
}

// The desktop's pointing hand: a copy of the stock cursor, kept for the link's life.
void CHyperLink::SetDefaultCursor() {
    if (m_cursor != nullptr) {
        return;
    }
    HCURSOR hand = ::LoadCursor(nullptr, IDC_HAND);
    if (hand != nullptr) {
        m_cursor = ::CopyIcon(hand);
        m_ownsCursor = m_cursor != nullptr;
    }
}

void CHyperLink::SetUnderline(int mode) {
    if (mode == m_underline) {
        return;
    }
    if (GetSafeHwnd() != nullptr) {
        SetFont(mode == kUnderlineAlways ? &m_underlineFont : &m_plainFont, TRUE);
        Invalidate();
    }
    m_underline = mode;
}

void CHyperLink::SetFitToText(BOOL fit) {
    m_fitToText = fit;
    if (GetSafeHwnd() != nullptr) {
        PositionWindow();
    }
}

// ---- fitting to the text -----------------------------------------------------------------

void CHyperLink::PositionWindow() {
    if (GetSafeHwnd() == nullptr || !m_fitToText) {
        return;
    }
    CWnd* parent = GetParent();
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    if (parent != nullptr) {
        parent->ScreenToClient(&window);
        parent->ScreenToClient(&client);
    }

    // Measured with the underlined font, which is never narrower than the plain one.
    CString text;
    GetWindowText(text);
    CSize extent;
    {
        CClientDC dc(this);
        CFont* old = dc.SelectObject(&m_underlineFont);
        extent = dc.GetTextExtent(text);
        dc.SelectObject(old);
    }
    extent.cx += window.Width() - client.Width();
    extent.cy += window.Height() - client.Height();

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        window.DeflateRect(0, (window.Height() - extent.cy) / 2);
    } else {
        window.bottom = window.top + extent.cy;
    }
    const DWORD align = style & SS_TYPEMASK;
    if (align == SS_CENTER) {
        window.DeflateRect((window.Width() - extent.cx) / 2, 0);
    } else if (align == SS_RIGHT) {
        window.left = window.right - extent.cx;
    } else {
        window.right = window.left + extent.cx;
    }
    SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER);
}

// ---- messages ----------------------------------------------------------------------------

HBRUSH CHyperLink::CtlColor(CDC* dc, UINT) {
    if (m_over) {
        dc->SetTextColor(m_hoverColor);
    } else {
        dc->SetTextColor(m_visited ? m_visitedColor : m_linkColor);
    }
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point) {
    if (!m_over) {
        m_over = TRUE;
        if (m_underline == kUnderlineHover) {
            SetFont(&m_underlineFont, FALSE);
        }
        Invalidate();
        SetTimer(kHoverTimer, kHoverTimerMs, nullptr);
    }
    CStatic::OnMouseMove(flags, point);
}

// The hover ends when the timer finds the mouse outside: the control gets no message once the
// mouse has left it.
void CHyperLink::OnTimer(UINT_PTR id) {
    POINT point{};
    if (const MSG* msg = GetCurrentMessage()) {
        point = msg->pt;
    } else {
        ::GetCursorPos(&point);
    }
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        m_over = FALSE;
        KillTimer(kHoverTimer);
        if (m_underline != kUnderlineAlways) {
            SetFont(&m_plainFont, FALSE);
        }
        client.bottom += kUnderlineMargin;
        InvalidateRect(&client, TRUE);
    }
    CStatic::OnTimer(id);
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_cursor == nullptr) {
        return FALSE;
    }
    ::SetCursor(m_cursor);
    return TRUE;
}

// The link stands on its dialog's own ground: the dialog erases the link's area as it erases
// its own (a fill of the classic face colour showed as a grey block on a painted ground).
BOOL CHyperLink::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    CWnd* parent = GetParent();
    if (parent != nullptr) {
        CRect place;
        GetWindowRect(&place);
        parent->ScreenToClient(&place);
        const CPoint origin = dc->OffsetViewportOrg(-place.left, -place.top);
        const BOOL erased = BOOL(parent->SendMessage(WM_ERASEBKGND, WPARAM(dc->m_hDC), 0));
        dc->SetViewportOrg(origin.x, origin.y);
        if (erased) {
            return TRUE;
        }
    }
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

// ---- the click ---------------------------------------------------------------------------

void CHyperLink::OnClicked() {
    m_over = FALSE;
    const auto result = static_cast<int>(reinterpret_cast<std::intptr_t>(
        ::ShellExecute(nullptr, "open", m_target, nullptr, nullptr, SW_SHOW)));
    if (result > 32) {
        MarkVisited(TRUE);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ReportError(result);
}

CString CHyperLink::ErrorText(int result) {
    switch (result) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case SE_ERR_FNF:
        return "The specified file was not found.";
    case SE_ERR_PNF:
        return "The specified path was not found.";
    case SE_ERR_ACCESSDENIED:
        return "The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE:
        return "A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE:
        return "The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL:
        return "The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return "The DDE transaction could not\nbe completed because other DDE "
               "transactions\nwere being processed.";
    case SE_ERR_NOASSOC:
        return "There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND:
        return "The specified dynamic-link library was not found.";
    default: {
        CString text;
        text.Format("Unknown Error (%d) occurred.", result);
        return text;
    }
    }
}

void CHyperLink::ReportError(int result) {
    const CString message = CString("Unable to open hyperlink:\n\n") + ErrorText(result);
    AfxMessageBox(message, MB_ICONEXCLAMATION);
}
