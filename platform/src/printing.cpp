// The print path: pages are drawn by the view's OnPrint into page pictures at the printer's
// resolution, never coarser than kMinimumPrintDpi but for paper too large for a page picture
// at that (the same drawing code as on screen), then handed to the print output hook (printer or
// PDF) or to the print preview hook.

#include "dc_state.h"
#include "hook_slots.h"
#include "modal_focus.h"

#include "zel/platform/docview.h"
#include "zel/platform/hooks.h"
#include "zel/platform/system.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <sys/mman.h>

using namespace zel::platform::detail;
using zel::platform::PrinterSettings;
using zel::platform::PrintJob;

namespace {

// The most pixels a page picture may hold: 256 MB, twice what A4 at 600 dots per inch takes. A
// poster or a roll of paper at the printer's resolution would ask for many gigabytes, and
// the memory for its page picture either is refused (a blank page, printed as a success) or is
// taken from the whole system.
constexpr double kMaximumPagePixels = 64.0 * 1024 * 1024;

// The resolution pages are drawn at: the printer's, at least the sharp minimum, but coarser
// where the paper is too large for a page picture of it.
int page_dpi(const PrinterSettings& s) {
    const int wanted = std::max(s.dotsPerInch, zel::platform::kMinimumPrintDpi);
    const double squareInches =
        std::max(s.pageWidthMm, 0.0) / 25.4 * std::max(s.pageHeightMm, 0.0) / 25.4;
    if (!(squareInches > 0) || double(wanted) * wanted * squareInches <= kMaximumPagePixels) {
        return wanted;
    }
    return std::max(1, int(std::sqrt(kMaximumPagePixels / squareInches)));
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

// The printable area: the paper in the printed orientation without its margins. It is empty
// for paper without a size, or margins that cover it.
QSize printable_pixels(const PrinterSettings& s) {
    double w = s.pageWidthMm, h = s.pageHeightMm;
    if ((s.orientation == 2) != (w > h)) {
        std::swap(w, h);
    }
    const int dpi = page_dpi(s);
    const QMargins m = paper_margins(s);
    return {mm_to_pixels(w, dpi) - m.left() - m.right(),
            mm_to_pixels(h, dpi) - m.top() - m.bottom()};
}

// The page picture's size: the printable area, at least one pixel.
QSize page_pixels(const PrinterSettings& s) {
    return printable_pixels(s).expandedTo(QSize(1, 1));
}

// A page picture is large (35 MB for A4 at 300 dpi). Its memory is asked for in huge pages
// where the system offers them: touching it the first time then takes a fraction of the time
// that small pages take, which is most of the time printing takes.
QImage new_page_picture(QSize size) {
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const std::size_t bytes = std::size_t(size.width()) * 4 * std::size_t(size.height());
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* memory = std::aligned_alloc(kHugePage, rounded);
    if (memory == nullptr) {
        return QImage(size, QImage::Format_RGB32);
    }
    ::madvise(memory, rounded, MADV_HUGEPAGE);
    return QImage(
        static_cast<uchar*>(memory), size.width(), size.height(), size.width() * 4,
        QImage::Format_RGB32, [](void* m) { std::free(m); }, memory);
}

// Gives the context a white page picture, made anew when the last one was handed out.
void blank_page(DcState* s) {
    QImage& page = s->ownBitmap->image;
    if (page.size() != s->printerPage) {
        page = new_page_picture(s->printerPage);
    }
    page.fill(Qt::white);
}

// A printer context for the settings' page; its page picture is made by blank_page. One
// context serves a whole print job, so that a page picture is made once per printed page.
DcState* new_printer_dc(const PrinterSettings& s) {
    auto* state = new DcState(DcState::Target::Printer);
    state->printerPage = page_pixels(s);
    state->ownBitmap = new BitmapObject;
    state->select(state->bitmap, state->ownBitmap);
    state->printing = true;
    state->dpi = page_dpi(s);
    state->paperMargins = paper_margins(s);
    return state;
}

// Hands the drawn page out, without copying it.
HBITMAP take_page(DcState* s) {
    auto* b = new BitmapObject;
    std::swap(b->image, s->ownBitmap->image);
    return b;
}

// A printer context for one print job, attached to a CDC for the view's calls.
class JobDc {
public:
    explicit JobDc(const PrinterSettings& settings) : m_state(new_printer_dc(settings)) {
        m_dc.Attach(m_state);
    }
    ~JobDc() {
        m_dc.Detach();
        delete m_state;
    }
    JobDc(const JobDc&) = delete;
    JobDc& operator=(const JobDc&) = delete;
    CDC& dc() { return m_dc; }

private:
    DcState* m_state;
    CDC m_dc;
};

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

HBITMAP CView::RenderPage(CDC& dc, CPrintInfo& info, int page) {
    DcState* s = live_dc(dc.m_hDC);
    if (s == nullptr) {
        return nullptr;
    }
    blank_page(s);
    info.m_nCurPage = UINT(page);
    info.m_rectDraw = CRect(0, 0, s->printerPage.width(), s->printerPage.height());
    OnPrepareDC(&dc, &info);
    OnPrint(&dc, &info);
    return take_page(s);
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
    if (printable_pixels(settings).isEmpty()) {
        // The pages would come out blank: the drawing would have no room on them.
        AfxMessageBox("Failed to start print job.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    JobDc printer(settings);
    OnBeginPrinting(&printer.dc(), &info);
    PrintJob job;
    job.title = m_pDocument != nullptr ? m_pDocument->GetTitle().str() : std::string();
    job.settings = settings;
    job.firstPage = int(std::max(info.GetMinPage(), UINT(info.GetFromPage())));
    job.lastPage =
        int(std::min(info.GetMaxPage(), UINT(std::max(info.GetToPage(), info.GetFromPage()))));
    if (job.lastPage < job.firstPage || job.lastPage == 0xFFFF) {
        job.lastPage = job.firstPage;
    }
    job.renderPage = [this, &printer, &info](int page) {
        return RenderPage(printer.dc(), info, page);
    };
    if (!print_output_hook()(job)) {
        // The printer refused the job, or the PDF file cannot be written.
        AfxMessageBox("Failed to start print job.", MB_OK | MB_ICONEXCLAMATION);
    }
    OnEndPrinting(&printer.dc(), &info);
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
    bool print = false;
    {
        JobDc printer(settings);
        PrintJob job;
        job.title = m_pDocument != nullptr ? m_pDocument->GetTitle().str() : std::string();
        job.settings = settings;
        job.firstPage = int(info.GetMinPage());
        job.lastPage = info.GetMaxPage() == 0xFFFF ? job.firstPage : int(info.GetMaxPage());
        job.renderPage = [this, &printer, &info](int page) {
            return RenderPage(printer.dc(), info, page);
        };
        const FocusReturn focus(m_hWnd);
        print = print_preview_hook()(job);
    }
    if (app != nullptr) {
        app->WriteProfileInt("Settings", "PreviewPages", int(info.m_nNumPreviewPages));
    }
    if (print) {
        OnFilePrint();
    }
}

HDC CPrintDialog::CreatePrinterDC() {
    DcState* s = new_printer_dc(m_settings);
    blank_page(s);
    m_pd.hDC = s;
    return s;
}
