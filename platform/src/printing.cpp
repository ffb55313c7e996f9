// The print path: pages are drawn by the view's OnPrint into page pictures at the printer's
// resolution, never coarser than kMinimumPrintDpi (the same drawing code as on screen), then
// handed to the print output hook (printer or PDF) or to the print preview hook.

#include "dc_state.h"

#include "zel/platform/docview.h"
#include "zel/platform/hooks.h"

#include <algorithm>
#include <cmath>

namespace zel::platform::detail {
PrintOutputHook& print_output_hook();
PrintPreviewHook& print_preview_hook();
} // namespace zel::platform::detail

using namespace zel::platform::detail;
using zel::platform::PrinterSettings;
using zel::platform::PrintJob;

namespace {

int page_dpi(const PrinterSettings& s) {
    return std::max(s.dotsPerInch, zel::platform::kMinimumPrintDpi);
}

int mm_to_pixels(double mm, int dpi) {
    return int(std::lround(std::max(mm, 0.0) / 25.4 * dpi));
}

// The paper around the printable area, in pixels.
QMargins paper_margins(const PrinterSettings& s) {
    const int dpi = page_dpi(s);
    return {mm_to_pixels(s.marginLeftMm, dpi), mm_to_pixels(s.marginTopMm, dpi),
            mm_to_pixels(s.marginRightMm, dpi), mm_to_pixels(s.marginBottomMm, dpi)};
}

// The printable area: the paper in the printed orientation without its margins.
QSize page_pixels(const PrinterSettings& s) {
    double w = s.pageWidthMm, h = s.pageHeightMm;
    if ((s.orientation == 2) != (w > h)) {
        std::swap(w, h);
    }
    const int dpi = page_dpi(s);
    const QMargins m = paper_margins(s);
    return {std::max(mm_to_pixels(w, dpi) - m.left() - m.right(), 1),
            std::max(mm_to_pixels(h, dpi) - m.top() - m.bottom(), 1)};
}

// A printer context drawing on a white page picture of the settings' size.
DcState* new_printer_dc(const PrinterSettings& s) {
    auto* state = new DcState(DcState::Target::Printer);
    const QSize size = page_pixels(s);
    state->ownBitmap = new_bitmap(size.width(), size.height(), false);
    state->ownBitmap->image.fill(Qt::white);
    state->select(state->bitmap, state->ownBitmap);
    state->printing = true;
    state->dpi = page_dpi(s);
    state->paperMargins = paper_margins(s);
    return state;
}

// Hands the drawn page out; its context is deleted next.
HBITMAP take_page(DcState* s) {
    auto* b = new BitmapObject;
    std::swap(b->image, s->ownBitmap->image);
    return b;
}

} // namespace

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE)) {
    m_pPD->m_pd.nMinPage = 1;
    m_pPD->m_pd.nMaxPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() {
    delete m_pPD;
}

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
    if (info == nullptr) {
        return FALSE;
    }
    if (info->m_bPreview || info->m_bDirect) {
        info->m_pPD->GetDefaults();
        info->m_pPD->m_pd.nFromPage = WORD(info->GetMinPage());
        info->m_pPD->m_pd.nToPage = WORD(info->GetMaxPage());
        return TRUE;
    }
    return info->m_pPD->DoModal() == IDOK;
}

HBITMAP CView::RenderPage(CPrintInfo& info, const PrinterSettings& settings, int page) {
    DcState* s = new_printer_dc(settings);
    HBITMAP result = nullptr;
    {
        CDC dc;
        dc.Attach(s);
        info.m_nCurPage = UINT(page);
        info.m_rectDraw = CRect(0, 0, s->ownBitmap->image.width(), s->ownBitmap->image.height());
        OnPrepareDC(&dc, &info);
        OnPrint(&dc, &info);
        result = take_page(s);
        dc.Detach();
    }
    delete s;
    return result;
}

void CView::OnFilePrint() {
    CPrintInfo info;
    const MSG* m = GetCurrentMessage();
    info.m_bDirect =
        m != nullptr && m->message == WM_COMMAND && LOWORD(m->wParam) == ID_FILE_PRINT_DIRECT;
    if (!OnPreparePrinting(&info)) {
        return;
    }
    const PrinterSettings settings = info.m_pPD->m_settings;
    {
        DcState* s = new_printer_dc(settings);
        CDC dc;
        dc.Attach(s);
        OnBeginPrinting(&dc, &info);
        dc.Detach();
        delete s;
    }
    PrintJob job;
    job.title = m_pDocument != nullptr ? m_pDocument->GetTitle().str() : std::string();
    job.settings = settings;
    job.firstPage = int(std::max(info.GetMinPage(), UINT(info.GetFromPage())));
    job.lastPage =
        int(std::min(info.GetMaxPage(), UINT(std::max(info.GetToPage(), info.GetFromPage()))));
    if (job.lastPage < job.firstPage || job.lastPage == 0xFFFF) {
        job.lastPage = job.firstPage;
    }
    job.renderPage = [this, &info, settings](int page) { return RenderPage(info, settings, page); };
    print_output_hook()(job);
    {
        DcState* s = new_printer_dc(settings);
        CDC dc;
        dc.Attach(s);
        OnEndPrinting(&dc, &info);
        dc.Detach();
        delete s;
    }
}

void CView::OnFilePrintPreview() {
    CPrintInfo info;
    info.m_bPreview = TRUE;
    CWinApp* app = AfxGetApp();
    info.m_nNumPreviewPages =
        app != nullptr ? app->GetProfileInt("Settings", "PreviewPages", 1) : 1;
    if (!OnPreparePrinting(&info)) {
        return;
    }
    const PrinterSettings settings = info.m_pPD->m_settings;
    PrintJob job;
    job.title = m_pDocument != nullptr ? m_pDocument->GetTitle().str() : std::string();
    job.settings = settings;
    job.firstPage = int(info.GetMinPage());
    job.lastPage = info.GetMaxPage() == 0xFFFF ? job.firstPage : int(info.GetMaxPage());
    job.renderPage = [this, &info, settings](int page) { return RenderPage(info, settings, page); };
    const bool print = print_preview_hook()(job);
    if (app != nullptr) {
        app->WriteProfileInt("Settings", "PreviewPages", int(info.m_nNumPreviewPages));
    }
    if (print) {
        OnFilePrint();
    }
}

HDC CPrintDialog::CreatePrinterDC() {
    DcState* s = new_printer_dc(m_settings);
    m_pd.hDC = s;
    return s;
}

int CDC::StartDoc(LPCTSTR name) {
    DcState* s = live_dc(m_hDC);
    if (s == nullptr || !s->printing) {
        return -1;
    }
    s->docStarted = true;
    s->docName = name != nullptr ? name : "";
    s->pages.clear();
    return 1;
}

int CDC::StartPage() {
    DcState* s = live_dc(m_hDC);
    if (s == nullptr || !s->docStarted || s->ownBitmap == nullptr) {
        return -1;
    }
    s->ownBitmap->image.fill(Qt::white);
    return 1;
}

int CDC::EndPage() {
    DcState* s = live_dc(m_hDC);
    if (s == nullptr || !s->docStarted || s->ownBitmap == nullptr) {
        return -1;
    }
    s->pages.push_back(s->ownBitmap->image.copy());
    return 1;
}

int CDC::EndDoc() {
    DcState* s = live_dc(m_hDC);
    if (s == nullptr || !s->docStarted) {
        return -1;
    }
    s->docStarted = false;
    if (s->pages.empty()) {
        return 1;
    }
    PrintJob job;
    job.title = s->docName;
    if (CWinApp* app = AfxGetApp()) {
        job.settings = app->PrinterSettings();
    }
    job.settings.dotsPerInch = s->dpi;
    job.firstPage = 1;
    job.lastPage = int(s->pages.size());
    std::vector<QImage> pages = std::move(s->pages);
    job.renderPage = [&pages](int page) -> HBITMAP {
        auto* b = new BitmapObject;
        b->image = pages[std::size_t(page - 1)];
        return b;
    };
    return print_output_hook()(job) ? 1 : -1;
}

int CDC::AbortDoc() {
    DcState* s = live_dc(m_hDC);
    if (s == nullptr) {
        return -1;
    }
    s->docStarted = false;
    s->pages.clear();
    return 1;
}
