// The print path: the view's drawing on a printer page, printed into a PDF file through the
// print dialog and output hooks, and the print preview.

#include "zel/platform/testing.h"

#include "zel/common/work_folder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <fstream>
#include <iterator>
#include <string>

using namespace zel::platform::test;
using namespace zel::platform;

namespace {

class PageView : public CView {
public:
    int printed = 0;
    int fontHeight = 0;
    BOOL wasPrinting = FALSE;
    void OnDraw(CDC* dc) override {
        wasPrinting = dc->IsPrinting();
        const int w = dc->GetDeviceCaps(HORZRES), h = dc->GetDeviceCaps(VERTRES);
        // The picture rectangle between 10% and 49% of the width, as the editor lays it out.
        dc->FillSolidRect(int(w * 0.1), int(h * 0.1), int(w * 0.39), int(h * 0.8), RGB(255, 0, 0));
        CFont font;
        font.CreatePointFont(150, "Times New Roman", dc);
        LOGFONT lf;
        font.GetLogFont(&lf);
        fontHeight = -lf.lfHeight;
        CFont* old = dc->SelectObject(&font);
        dc->TextOut(0, int(h * 0.95), "Footer");
        dc->SelectObject(old);
        ++printed;
    }
    BOOL OnPreparePrinting(CPrintInfo* info) override {
        info->SetMaxPage(1);
        return DoPreparePrinting(info);
    }
};

class PlatformPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_app();
        view.m_bAutoDelete = FALSE;
    }
    HookReset reset;
    PageView view;
};

PrintDialogAnswer pdf_answer(const std::string& path) {
    PrintDialogAnswer a;
    a.ok = true;
    a.settings.outputFile = path;
    a.settings.dotsPerInch = 72;
    return a;
}

TEST_F(PlatformPrintTest, PagePrintedToPdfThroughThePrintPath) {
    const std::string pdf = zel::work_path("page.pdf");
    int asked = 0;
    set_print_dialog_hook([&](const PrintDialogRequest& r) {
        ++asked;
        EXPECT_FALSE(r.setupOnly);
        EXPECT_EQ(r.maxPage, 1);
        return pdf_answer(pdf);
    });
    view.OnFilePrint();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(view.printed, 1);
    EXPECT_TRUE(view.wasPrinting);
    std::ifstream in(pdf, std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(data.rfind("%PDF-", 0), 0u);
    std::size_t pages = 0;
    for (std::size_t p = data.find("/Type /Page\n"); p != std::string::npos;
         p = data.find("/Type /Page\n", p + 1)) {
        ++pages;
    }
    EXPECT_EQ(pages, 1u);
    EXPECT_NE(data.find("/Subtype /Image"), std::string::npos);
}

TEST_F(PlatformPrintTest, PrintedPageHoldsTheViewsDrawingAtPrinterResolution) {
    set_print_dialog_hook(
        [&](const PrintDialogRequest&) { return pdf_answer(zel::work_path("unused.pdf")); });
    QImage page;
    set_print_output_hook([&](const PrintJob& job) {
        EXPECT_EQ(job.firstPage, 1);
        EXPECT_EQ(job.lastPage, 1);
        HBITMAP bmp = job.renderPage(1);
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        HGDIOBJ old = mem.SelectObject(bmp);
        BITMAP bm;
        GetObject(bmp, sizeof bm, &bm);
        page = QImage(bm.bmWidth, bm.bmHeight, QImage::Format_RGB32);
        for (int y = 0; y < bm.bmHeight; y += 7) {
            for (int x = 0; x < bm.bmWidth; x += 7) {
                const COLORREF c = mem.GetPixel(x, y);
                page.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
            }
        }
        mem.SelectObject(old);
        DeleteObject(bmp);
        return true;
    });
    view.OnFilePrint();
    // A4 at 72 dots per inch.
    ASSERT_EQ(page.width(), 595);
    ASSERT_EQ(page.height(), 842);
    EXPECT_EQ(page.pixel(70, 91) & 0xFFFFFF, 0xFF0000u);   // inside the picture rectangle
    EXPECT_EQ(page.pixel(7, 7) & 0xFFFFFF, 0xFFFFFFu);     // margin stays white
    EXPECT_EQ(page.pixel(350, 420) & 0xFFFFFF, 0xFFFFFFu); // right of the 49% column
    EXPECT_EQ(view.fontHeight, 15);                        // 15 points at 72 dpi
}

TEST_F(PlatformPrintTest, CancelledPrintDialogPrintsNothing) {
    set_print_dialog_hook([](const PrintDialogRequest&) { return PrintDialogAnswer{}; });
    bool output = false;
    set_print_output_hook([&](const PrintJob&) { return output = true; });
    view.OnFilePrint();
    EXPECT_FALSE(output);
    EXPECT_EQ(view.printed, 0);
}

TEST_F(PlatformPrintTest, PreviewRendersPagesAndCanPrint) {
    int previewed = 0;
    set_print_preview_hook([&](const PrintJob& job) {
        HBITMAP page = job.renderPage(job.firstPage);
        EXPECT_NE(page, nullptr);
        DeleteObject(page);
        ++previewed;
        return true; // the person pressed Print
    });
    bool printed = false;
    set_print_dialog_hook(
        [](const PrintDialogRequest&) { return pdf_answer(zel::work_path("p.pdf")); });
    set_print_output_hook([&](const PrintJob&) { return printed = true; });
    view.OnFilePrintPreview();
    EXPECT_EQ(previewed, 1);
    EXPECT_TRUE(printed);
    EXPECT_EQ(view.printed, 1); // the output hook here renders nothing
}

TEST_F(PlatformPrintTest, PrinterSetupChangesTheApplicationsOrientation) {
    CWinApp app("Print");
    set_print_dialog_hook([](const PrintDialogRequest& r) {
        EXPECT_TRUE(r.setupOnly);
        PrintDialogAnswer a;
        a.ok = true;
        a.settings = r.current;
        a.settings.orientation = DMORIENT_LANDSCAPE;
        return a;
    });
    app.OnFilePrintSetup();
    CPrintDialog dlg(TRUE);
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&dlg.m_pd));
    EXPECT_EQ(dlg.GetDevMode()->dmOrientation, DMORIENT_LANDSCAPE);
}

} // namespace
