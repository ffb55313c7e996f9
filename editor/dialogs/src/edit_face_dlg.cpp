// Edit Face: its template, the run's set-up and tear-down, the tool buttons, zoom, undo, Done
// and Cancel. The mouse and the stamps are in edit_face_mouse.cpp, the shown window of the
// picture and the scroll bars in edit_face_view.cpp.

#include "zel/dialogs/edit_face_dlg.h"

#include "zel/dialogs/editing_ids.h"

#include "zel/dialogs/pen_choice_dlg.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

// The text tool's first font: 12 points.
constexpr int kStartTenthsOfPoint = 120;
// The buttons' pictures are keyed by this colour; no picture of the second state exists, so
// both states show the first.
constexpr COLORREF kPictureKey = 40;
constexpr int kNoPicture = 40;
// Every shade of the dialog: granularity 8, highlight 10, no colouring.
constexpr BYTE kGranularity = 8, kHighlight = 10;
constexpr BYTE kPaper = 192; // grey of the paper, also the filling of the view's rows

void register_template() {
    static const bool once = [] {
        // The pen cursor points with its tip; the eraser's centre is its picture's centre.
        zel::platform::register_cursor_hotspot(zel::dialogs::IDC_PEN_CURSOR, 3, 28);
        const DWORD frame = SS_ETCHEDFRAME;
        zel::platform::register_dialog(
            CEditFaceDlg::IDD,
            DialogTemplate{"",
                           0,
                           0,
                           390,
                           295,
                           WS_POPUP,
                           "MS Sans Serif",
                           8,
                           {
                               DefPushButton("", CEditFaceDlg::kDone, 305, 248, 32, 27),
                               PushButton("", CEditFaceDlg::kCancel, 339, 248, 32, 27),
                               Control("", -1, "STATIC", SS_BLACKFRAME, 18, 22, 167, 202),
                               Control("", -1, "STATIC", SS_BLACKFRAME, 22, 25, 159, 195),
                               Control("", -1, "STATIC", frame, 5, 4, 380, 286),
                               PushButton("Erase", CEditFaceDlg::kErase, 275, 71, 49, 26),
                               PushButton("Pen", CEditFaceDlg::kPen, 275, 113, 49, 26),
                               // The text tool joins the other tools; Undo stands apart below them.
                               PushButton("Text", CEditFaceDlg::kText, 275, 155, 49, 26),
                               PushButton("Undo", CEditFaceDlg::kUndo, 275, 203, 49, 26),
                               Control("", CEditFaceDlg::kVerticalBar, "SCROLLBAR", SBS_VERT, 185,
                                       21, 12, 203),
                               Control("", CEditFaceDlg::kHorizontalBar, "SCROLLBAR", SBS_HORZ, 18,
                                       224, 167, 11),
                               PushButton("", CEditFaceDlg::kZoomOut, 104, 243, 35, 29),
                               PushButton("", CEditFaceDlg::kZoomIn, 58, 243, 35, 29),
                               Control("", -1, "STATIC", frame, 238, 43, 122, 2),
                           }});
        return true;
    }();
    (void)once;
}

void set_picture(CIconButton& button, int picture, LPCTSTR tip) {
    button.SetStateBitmaps(picture, kPictureKey, kNoPicture, 0);
    button.SetTooltip(tip, TRUE);
    button.SetTransparent(FALSE);
}

} // namespace

BEGIN_MESSAGE_MAP(CEditFaceDlg, CSkinDialog)
ON_WM_DRAWITEM()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_PAINT()
ON_WM_ACTIVATE()
ON_WM_CANCELMODE()
ON_BN_CLICKED(kDone, OnDone)
ON_BN_CLICKED(kZoomIn, OnZoomIn)
ON_BN_CLICKED(kZoomOut, OnZoomOut)
ON_BN_CLICKED(kUndo, OnUndo)
ON_BN_CLICKED(kPen, OnPenTool)
ON_COMMAND(kPointer, OnPointer)
ON_BN_CLICKED(kErase, OnErase)
ON_BN_CLICKED(kText, OnTextTool)
ON_BN_CLICKED(kCancel, OnCancel)
END_MESSAGE_MAP()

CEditFaceDlg::CEditFaceDlg(CWnd* parent) : CSkinDialog(IDD, parent) {
    register_template();
    // The text tool starts at height 12 as a font dialog shows heights: 12 points (16 pixels).
    // Taken as 12 pixels, the dialog opened at 7 points and the letters were too small to read
    // on a 720 x 960 face.
    CFont start;
    start.CreatePointFont(kStartTenthsOfPoint, "Arial");
    start.GetLogFont(&m_font);
}

CEditFaceDlg::~CEditFaceDlg() {
    ReleaseCursor();
    FreePictures();
    ::DestroyCursor(m_eraseCursor);
    ::DestroyCursor(m_penCursor);
}

BOOL CEditFaceDlg::Create(CWnd* parent) {
    return CSkinDialog::Create(IDD, parent);
}

void CEditFaceDlg::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, kText, m_text);
    DDX_Control(dx, kCancel, m_cancel);
    DDX_Control(dx, kDone, m_done);
    DDX_Control(dx, kErase, m_erase);
    DDX_Control(dx, kPen, m_pen);
    DDX_Control(dx, kHorizontalBar, m_horizontalBar);
    DDX_Control(dx, kVerticalBar, m_verticalBar);
    DDX_Control(dx, kZoomOut, m_zoomOut);
    DDX_Control(dx, kZoomIn, m_zoomIn);
    DDX_Control(dx, kUndo, m_undo);
}

BOOL CEditFaceDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    SetBitmap(zel::dialogs::IDB_EDIT_FACE_SKIN, kNoTransparentColor);
    // The cursor follows the tool (OnMouseMove), not the window's class.
    SetClassLongPtr(m_hWnd, GCLP_HCURSOR, 0);

    FreePictures();
    if (m_width > 0 && m_height > 0) {
        CClientDC screen(this);
        m_workDC.CreateCompatibleDC(&screen);
        m_undoDC.CreateCompatibleDC(&screen);
        m_workBitmap.CreateCompatibleBitmap(&screen, m_width, m_height);
        m_undoBitmap.CreateCompatibleBitmap(&screen, m_width, m_height);
        m_workOld = m_workDC.SelectObject(&m_workBitmap);
        m_undoOld = m_undoDC.SelectObject(&m_undoBitmap);
        m_workDC.SetStretchBltMode(COLORONCOLOR);
        m_undoDC.SetStretchBltMode(COLORONCOLOR);
        if (m_faceBits != nullptr && m_faceInfo != nullptr) {
            for (CDC* dc : {&m_workDC, &m_undoDC}) {
                dc->SetDIBitsToDevice(0, 0, DWORD(m_width), DWORD(m_height), 0, 0, 0,
                                      UINT(m_height), m_faceBits, m_faceInfo, DIB_RGB_COLORS);
            }
        }
        m_pictures = true;
    }
    m_changed = 0;
    m_strokes = 0;
    m_undoStrokes = 0;
    m_pressed = FALSE;
    m_strokeOpen = false;
    m_source.SetRect(0, 0, m_width, m_height);

    set_picture(m_zoomIn, zel::dialogs::IDB_ZOOM_IN, "Zoom in");
    set_picture(m_zoomOut, zel::dialogs::IDB_ZOOM_OUT, "Zoom out");
    set_picture(m_done, zel::dialogs::IDB_DONE, "Done");
    set_picture(m_cancel, zel::dialogs::IDB_CANCEL, "Cancel");
    LoadPen();
    SelectTool(kModeErase);
    m_undo.SetShade(CShadeButton::kHardBump, kGranularity, kHighlight, 0, 0);
    return TRUE;
}

BOOL CEditFaceDlg::DestroyWindow() {
    ReleaseCursor();
    FreePictures();
    return CSkinDialog::DestroyWindow();
}

void CEditFaceDlg::FreePictures() {
    if (!m_pictures) {
        return;
    }
    m_workDC.SelectObject(m_workOld);
    m_undoDC.SelectObject(m_undoOld);
    m_workBitmap.DeleteObject();
    m_undoBitmap.DeleteObject();
    m_workDC.DeleteDC();
    m_undoDC.DeleteDC();
    m_workOld = m_undoOld = nullptr;
    m_pictures = false;
}

void CEditFaceDlg::OnBackgroundDrawn(CDC* offscreen) {
    for (CIconButton* b : std::initializer_list<CIconButton*>{
             &m_erase, &m_pen, &m_text, &m_undo, &m_zoomIn, &m_zoomOut, &m_done, &m_cancel}) {
        b->CaptureBackground(offscreen);
    }
}

void CEditFaceDlg::SelectTool(int mode) {
    m_mode = mode;
    const std::pair<CShadeButton*, int> tools[] = {
        {&m_erase, kModeErase}, {&m_pen, kModePen}, {&m_text, kModeText}};
    for (const auto& [button, toolMode] : tools) {
        if (button->m_hWnd == nullptr) {
            continue;
        }
        const bool chosen = toolMode == mode;
        button->SetShade(chosen ? CShadeButton::kSoftBump : CShadeButton::kHardBump, kGranularity,
                         kHighlight, 0, 0);
        if (chosen) {
            button->SetIcons(zel::dialogs::IDI_TOOL_CHOSEN, 0);
        } else {
            button->SetIcons(HICON(nullptr), HICON(nullptr));
        }
    }
    EndStroke();
}

void CEditFaceDlg::OnErase() {
    SelectTool(kModeErase);
}

void CEditFaceDlg::OnPenTool() {
    CPenChoiceDlg choice(this);
    choice.m_choice = m_penChoice;
    if (choice.DoModal() != IDCANCEL && choice.m_choice >= 1 &&
        choice.m_choice <= CPenChoiceDlg::kPens) {
        m_penChoice = choice.m_choice;
        LoadPen();
    }
    SelectTool(kModePen);
}

void CEditFaceDlg::OnTextTool() {
    // Until a font is chosen the kept description is the first one: 12-point "Arial".
    LOGFONT start = m_font;
    CFontDialog fonts(&start, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT, nullptr, this);
    if (fonts.DoModal() != IDCANCEL) {
        fonts.GetCurrentFont(&m_font);
        m_fontChosen = TRUE;
    }
    SelectTool(kModeText);
}

void CEditFaceDlg::OnPointer() {
    SelectTool(kModePointer);
}

void CEditFaceDlg::LoadPen() {
    m_penBitmap.DeleteObject();
    m_penBitmap.LoadBitmap(MAKEINTRESOURCE(zel::dialogs::IDB_FIRST_PEN + 2 * (m_penChoice - 1)));
}

void CEditFaceDlg::OnZoomIn() {
    EndStroke();
    if (m_source.Width() <= 25 || m_source.Height() <= 25) {
        return;
    }
    m_source.DeflateRect(m_source.Width() / 10, m_source.Height() / 10);
    Repaint();
}

void CEditFaceDlg::OnZoomOut() {
    EndStroke();
    const int sw = m_source.Width(), sh = m_source.Height();
    if (sw < 50 || sh < 50) {
        m_source.InflateRect(sw / 2, sh / 2);
    } else {
        m_source.InflateRect(sw / 10, sh / 10);
    }
    m_source.OffsetRect(m_source.left < 0 ? -m_source.left : 0,
                        m_source.top < 0 ? -m_source.top : 0);
    m_source.IntersectRect(m_source, CRect(0, 0, m_width, m_height));
    if (m_source.Width() >= m_width || m_source.Height() >= m_height) {
        m_source.SetRect(0, 0, m_width, m_height);
    }
    Repaint();
}

void CEditFaceDlg::OnUndo() {
    EndStroke();
    if (!m_changed) {
        return;
    }
    if (m_pictures) {
        m_workDC.BitBlt(0, 0, m_width, m_height, &m_undoDC, 0, 0, SRCCOPY);
    }
    if (m_strokes != m_undoStrokes) {
        if (--m_strokes == 0) {
            m_changed = 0;
        }
    }
    Repaint();
    m_undoStrokes = m_strokes;
}

void CEditFaceDlg::OnDone() {
    EndStroke();
    if (m_pictures && m_faceBits != nullptr) {
        // Read as an 8-bit picture, with room for the whole colour table it comes with.
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } table{};
        table.header.biWidth = m_width;
        table.header.biHeight = m_height;
        table.header.biPlanes = 1;
        table.header.biBitCount = 8;
        table.header.biCompression = BI_RGB;
        const int indexStride = (m_width + 3) / 4 * 4;
        const int stride = (m_width * 3 + 3) / 4 * 4;
        std::vector<BYTE> indexes(std::size_t(indexStride) * std::size_t(m_height));
        ::GetDIBits(m_workDC.m_hDC, m_workBitmap, 0, UINT(m_height), indexes.data(),
                    reinterpret_cast<BITMAPINFO*>(&table), DIB_RGB_COLORS);
        std::vector<BYTE> edited(std::size_t(stride) * std::size_t(m_height));
        for (int y = 0; y < m_height; ++y) {
            const BYTE* in = indexes.data() + std::size_t(y) * std::size_t(indexStride);
            BYTE* out = edited.data() + std::size_t(y) * std::size_t(stride);
            for (int x = 0; x < m_width; ++x) {
                const RGBQUAD& c = table.colors[in[x]];
                *out++ = c.rgbBlue;
                *out++ = c.rgbGreen;
                *out++ = c.rgbRed;
            }
            for (int pad = m_width * 3; pad < stride; ++pad) {
                *out++ = kPaper;
            }
        }
        // Presses that left every pixel as it was (a text pop-up cancelled, an erase on bare
        // paper) are no change: the view would otherwise take the same drawing back as a new
        // face edge, erase the parts from it and ask for the face to be saved.
        if (std::equal(edited.begin(), edited.end(), m_faceBits)) {
            m_changed = 0;
        }
        std::copy(edited.begin(), edited.end(), m_faceBits);
    }
    EndDialog(1);
}

void CEditFaceDlg::OnCancel() {
    EndStroke();
    if (m_changed) {
        if (m_pictures) {
            m_workDC.BitBlt(0, 0, m_width, m_height, &m_undoDC, 0, 0, SRCCOPY);
        }
        m_changed = 0;
        Repaint();
    }
    EndDialog(IDCANCEL);
}
