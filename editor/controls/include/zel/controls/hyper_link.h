#pragma once
// A static text of a dialog turned into a clickable link: link colours (visited, hovered),
// underlined always, never or while the mouse is over it, a hand cursor and a tooltip with the
// target, sized to its text, and on a click the target opened with the desktop's opener. A
// failure beeps and explains the opener's result in a message box.

#include "zel/platform/platform.h"

class CHyperLink : public CStatic {
public:
    // Underline modes.
    static constexpr int kUnderlineAlways = 1;
    static constexpr int kUnderlineNever = 0;
    static constexpr int kUnderlineHover = -1;
    static constexpr UINT_PTR kHoverTimer = 100;
    static constexpr UINT kHoverTimerMs = 100;
    static constexpr UINT_PTR kToolId = 1;
    // SetLinkColors: take the system highlight colour.
    static constexpr COLORREF kHighlightColor = COLORREF(-1);

    CHyperLink();
    ~CHyperLink() override;

    void SetURL(const CString& target);
    CString GetTarget() const { return m_target; }

    void SetLinkColors(COLORREF link, COLORREF visited, COLORREF hover);
    COLORREF GetNormalColor() const { return m_linkColor; }
    COLORREF GetVisitedColor() const { return m_visitedColor; }
    COLORREF GetHoverColor() const { return m_hoverColor; }

    void MarkVisited(BOOL visited = TRUE);
    BOOL IsVisited() const { return m_visited; }

    // Null loads the default hand cursor.
    void SetHandCursor(HCURSOR cursor);
    HCURSOR GetHandCursor() const { return m_cursor; }

    void SetUnderline(int mode);
    int GetUnderlineMode() const { return m_underline; }

    void SetFitToText(BOOL fit);
    BOOL GetFitToText() const { return m_fitToText; }

    // The mouse is over the link (set by moving over it, cleared by the hover timer or a click).
    BOOL IsOver() const { return m_over; }

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;

    void OnClicked();
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* dc);

    DECLARE_MESSAGE_MAP()

private:
    void PositionWindow();
    void SetDefaultCursor();
    // The text of the error box for the opener's result `result`.
    static CString ErrorText(int result);
    void ReportError(int result);
    void Repaint();

    COLORREF m_linkColor = RGB(0, 0, 238);
    COLORREF m_visitedColor = RGB(85, 26, 139);
    COLORREF m_hoverColor = RGB(255, 0, 0);
    BOOL m_over = FALSE;
    BOOL m_visited = FALSE;
    int m_underline = kUnderlineHover;
    BOOL m_fitToText = TRUE;
    CString m_target;
    CFont m_underlineFont;
    CFont m_plainFont;
    HCURSOR m_cursor = nullptr;
    bool m_ownsCursor = false; // the default cursor is a copy this link releases
    CToolTipCtrl m_tooltip;
};
