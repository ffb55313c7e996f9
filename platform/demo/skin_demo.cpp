// Opens a skinned-looking dialog with owner-drawn buttons on a real display, for a person (or a
// screenshot) to look at. Runs until closed, or for the number of seconds given.

#include "zel/platform/platform.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>

namespace {

constexpr UINT kTemplate = 500;

// An owner-drawn button with a bevelled gradient face, a round icon and a caption.
class SkinButton : public CButton {
public:
    COLORREF tint = RGB(70, 110, 190);
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        CDC* dc = CDC::FromHandle(dis->hDC);
        CRect rc(dis->rcItem);
        const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            const int k = 60 - (y - rc.top) * 80 / std::max(1, rc.Height());
            auto ch = [&](int c) { return std::clamp(c + (pressed ? -k : k), 0, 255); };
            dc->FillSolidRect(rc.left, y, rc.Width(), 1,
                              RGB(ch(GetRValue(tint)), ch(GetGValue(tint)), ch(GetBValue(tint))));
        }
        dc->Draw3dRect(&rc, pressed ? RGB(40, 40, 40) : RGB(255, 255, 255),
                       pressed ? RGB(255, 255, 255) : RGB(30, 30, 60));
        CBrush dot(RGB(255, 220, 90));
        CBrush* oldBrush = dc->SelectObject(&dot);
        CPen pen(PS_SOLID, 1, RGB(120, 80, 0));
        CPen* oldPen = dc->SelectObject(&pen);
        const int d = rc.Height() / 2;
        dc->Ellipse(rc.left + 8, rc.top + d / 2, rc.left + 8 + d, rc.top + d / 2 + d);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
        CString caption;
        GetWindowText(caption);
        CRect text = rc;
        text.left += d + 12;
        if (pressed) {
            text.OffsetRect(1, 1);
        }
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(255, 255, 255));
        dc->DrawText(caption, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (dis->itemState & ODS_FOCUS) {
            CRect f = rc;
            f.DeflateRect(3, 3);
            dc->DrawFocusRect(&f);
        }
    }

protected:
    void PreSubclassWindow() override {
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
        CButton::PreSubclassWindow();
    }
};

// A frameless dialog whose background is a tiled skin picture drawn off screen and copied in
// one transfer, with a shaped (rounded) window region.
class SkinDialog : public CDialog {
public:
    SkinDialog() : CDialog(kTemplate) {}

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDOK, m_done);
        DDX_Control(dx, IDCANCEL, m_cancel);
        DDX_Control(dx, 1001, m_next);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_cancel.tint = RGB(170, 60, 60);
        m_next.tint = RGB(60, 140, 80);
        // The skin tile: a small picture made in memory.
        CWindowDC screen(nullptr);
        CDC mem;
        mem.CreateCompatibleDC(&screen);
        m_tile.CreateCompatibleBitmap(&screen, 40, 40);
        CBitmap* old = mem.SelectObject(&m_tile);
        mem.FillSolidRect(0, 0, 40, 40, RGB(52, 78, 120));
        for (int i = 0; i < 40; i += 4) {
            mem.FillSolidRect(i, 0, 2, 40, RGB(60, 88, 134));
        }
        mem.FillSolidRect(0, 38, 40, 2, RGB(40, 60, 96));
        mem.SelectObject(old);
        CRect rc;
        GetClientRect(&rc);
        CRgn shape;
        shape.CreateRectRgn(0, 0, rc.Width(), rc.Height());
        CRgn corner;
        for (int y = 0; y < 6; ++y) {
            const int cut = 6 - y;
            corner.DeleteObject();
            corner.CreateRectRgn(0, y, cut, y + 1);
            shape.CombineRgn(&shape, &corner, RGN_DIFF);
            corner.DeleteObject();
            corner.CreateRectRgn(rc.Width() - cut, y, rc.Width(), y + 1);
            shape.CombineRgn(&shape, &corner, RGN_DIFF);
        }
        SetWindowRgn(HRGN(shape.Detach()), FALSE);
        return TRUE;
    }
    BOOL OnEraseBkgnd(CDC* dc) {
        CRect rc;
        GetClientRect(&rc);
        CDC off, tile;
        off.CreateCompatibleDC(dc);
        tile.CreateCompatibleDC(dc);
        CBitmap canvas;
        canvas.CreateCompatibleBitmap(dc, rc.Width(), rc.Height());
        CBitmap* oldCanvas = off.SelectObject(&canvas);
        CBitmap* oldTile = tile.SelectObject(&m_tile);
        for (int y = 0; y < rc.Height(); y += 40) {
            for (int x = 0; x < rc.Width(); x += 40) {
                off.BitBlt(x, y, 40, 40, &tile, 0, 0, SRCCOPY);
            }
        }
        CRect title(0, 0, rc.Width(), 30);
        off.FillSolidRect(&title, RGB(28, 40, 70));
        off.SetBkMode(TRANSPARENT);
        off.SetTextColor(RGB(240, 230, 200));
        title.left += 12;
        off.DrawText("Make Face", &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        CRect preview(20, 44, 200, 260);
        off.FillSolidRect(&preview, RGB(192, 192, 192));
        off.Draw3dRect(&preview, RGB(20, 20, 20), RGB(230, 230, 230));
        dc->BitBlt(0, 0, rc.Width(), rc.Height(), &off, 0, 0, SRCCOPY);
        off.SelectObject(oldCanvas);
        tile.SelectObject(oldTile);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_tile;
    SkinButton m_done, m_cancel, m_next;
};

BEGIN_MESSAGE_MAP(SkinDialog, CDialog)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zel::platform::register_dialog(
        kTemplate,
        DialogTemplate{
            "Make Face",
            0,
            0,
            260,
            190,
            WS_POPUP,
            "MS Sans Serif",
            8,
            {Control("Next", 1001, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 150, 40, 90, 26),
             Control("Done", IDOK, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 150, 110, 90, 26),
             Control("Cancel", IDCANCEL, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 150, 145, 90, 26)}});
    if (argc > 1) {
        QTimer::singleShot(std::atoi(argv[1]) * 1000, [] { QApplication::exit(0); });
        QTimer::singleShot(std::atoi(argv[1]) * 1000, [] {
            if (CWnd* w = CWnd::GetActiveWindow()) {
                w->SendMessage(WM_COMMAND, IDCANCEL, 0);
            }
        });
    }
    SkinDialog dlg;
    return dlg.DoModal() == -1 ? 1 : 0;
}
