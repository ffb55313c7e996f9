// The print path: the view's drawing on a printer page, printed into a PDF file through the
// print dialog and output hooks, and the print preview.

#include "zel/platform/testing.h"

#include "zel/common/work_folder.h"
#include "zel/testing/file_size_limit.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QImage>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace zel::platform::test;
using namespace zel::platform;

namespace {

// The page as the editor lays it out, at any resolution: a picture rectangle between 10% and
// 49% of the width, a one-pixel line and a patch of small squares of two colours above it, and
// a footer line at 95% of the height.
class PageView : public CView {
public:
    static constexpr COLORREF kPicture = RGB(255, 0, 0);
    static constexpr COLORREF kSquareA = RGB(200, 100, 50), kSquareB = RGB(40, 160, 220);
    int printed = 0;
    int fontHeight = 0;
    int width = 0, physicalWidth = 0, offsetX = 0, offsetY = 0;
    BOOL wasPrinting = FALSE;
    void OnDraw(CDC* dc) override {
        wasPrinting = dc->IsPrinting();
        const int w = dc->GetDeviceCaps(HORZRES), h = dc->GetDeviceCaps(VERTRES);
        width = w;
        physicalWidth = dc->GetDeviceCaps(PHYSICALWIDTH);
        offsetX = dc->GetDeviceCaps(PHYSICALOFFSETX);
        offsetY = dc->GetDeviceCaps(PHYSICALOFFSETY);
        dc->FillSolidRect(int(w * 0.1), int(h * 0.1), int(w * 0.39), int(h * 0.8), kPicture);
        dc->FillSolidRect(int(w * 0.1), int(h * 0.05), int(w * 0.8), 1, RGB(0, 0, 0));
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                dc->FillSolidRect(int(w * 0.1) + x, int(h * 0.07) + y, 1, 1,
                                  (x / 4 + y / 4) % 2 == 0 ? kSquareA : kSquareB);
            }
        }
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
    void OnBeginPrinting(CDC* dc, CPrintInfo*) override { beginWidth = dc->GetDeviceCaps(HORZRES); }
    void OnEndPrinting(CDC* dc, CPrintInfo*) override { endHeight = dc->GetDeviceCaps(VERTRES); }
    int beginWidth = 0, endHeight = 0;
};

class PlatformPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_app();
        view.m_bAutoDelete = FALSE;
    }
    // Acts on the next modal window once it shows, as a person would. The watch ends with the
    // test, so a window that never showed cannot leave it acting on a later test's window.
    void when_modal_shows(std::function<void(QWidget*)> act) {
        auto* timer = new QTimer(&watches);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                timer->stop();
                timer->deleteLater();
                act(w);
            }
        });
        timer->start(20);
    }
    // Message boxes are answered OK and kept in boxes, for the test to read.
    void keep_boxes() {
        set_message_box_hook([this](const MessageBoxRequest& r) {
            boxes.push_back(r);
            return IDOK;
        });
    }
    std::vector<MessageBoxRequest> boxes;
    HookReset reset;
    PageView view;
    QObject watches;
};

PrintDialogAnswer pdf_answer(const std::string& path, int dotsPerInch = kMinimumPrintDpi) {
    PrintDialogAnswer a;
    a.ok = true;
    a.settings.outputFile = path;
    a.settings.dotsPerInch = dotsPerInch;
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
    // A coarser resolution than the printed minimum is raised to it.
    set_print_dialog_hook(
        [&](const PrintDialogRequest&) { return pdf_answer(zel::work_path("unused.pdf"), 72); });
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
        page.fill(Qt::black);
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
    // A4 at 300 dots per inch.
    ASSERT_EQ(page.width(), 2480);
    ASSERT_EQ(page.height(), 3508);
    EXPECT_EQ(page.pixel(301, 406) & 0xFFFFFF, 0xFF0000u);   // inside the picture rectangle
    EXPECT_EQ(page.pixel(28, 28) & 0xFFFFFF, 0xFFFFFFu);     // margin stays white
    EXPECT_EQ(page.pixel(1456, 1750) & 0xFFFFFF, 0xFFFFFFu); // right of the 49% column
    EXPECT_EQ(view.fontHeight, 63);                          // 15 points at 300 dpi
    // Before and after the pages the printer context measures the same page.
    EXPECT_EQ(view.beginWidth, 2480);
    EXPECT_EQ(view.endHeight, 3508);
}

TEST_F(PlatformPrintTest, PdfPageIsSharpAndLosslessWhenRasterised) {
    const std::string pdf = zel::work_path("sharp.pdf");
    set_print_dialog_hook([&](const PrintDialogRequest&) { return pdf_answer(pdf); });
    view.OnFilePrint();
    const RasterPage page = rasterise_pdf(pdf, 300);
    // A4 at 300 dots per inch, give or take the rounding of the file's page size in points.
    ASSERT_NEAR(page.width, 2480, 1);
    ASSERT_NEAR(page.height, 3508, 1);
    // The picture rectangle: (248, 350) to (1215, 3156).
    EXPECT_EQ(page.pixel(260, 360), PageView::kPicture);
    EXPECT_EQ(page.pixel(1200, 3140), PageView::kPicture);
    EXPECT_EQ(page.pixel(236, 360), RGB(255, 255, 255));
    EXPECT_EQ(page.pixel(1228, 3140), RGB(255, 255, 255));
    EXPECT_EQ(page.pixel(1200, 3170), RGB(255, 255, 255));
    // A line one page pixel thick stays thin and black.
    int dark = 0;
    for (int y = 165; y < 185; ++y) {
        dark += page.pixel(1000, y) == RGB(0, 0, 0);
    }
    EXPECT_GE(dark, 1);
    EXPECT_LE(dark, 2);
    // Squares of four pixels keep their exact colours inside: nothing blurs them on the way into
    // the file.
    int exact = 0;
    for (int y = 246; y < 286; y += 4) {
        for (int x = 248; x < 288; x += 4) {
            const COLORREF want =
                ((x - 248) / 4 + (y - 246) / 4) % 2 == 0 ? PageView::kSquareA : PageView::kSquareB;
            exact += page.pixel(x + 1, y + 1) == want && page.pixel(x + 2, y + 2) == want;
        }
    }
    EXPECT_EQ(exact, 100);
    // The footer's letters at 95% of the height, near the left edge, and nothing below them.
    int footer = 0;
    for (int y = 3333; y < 3400; ++y) {
        for (int x = 0; x < 300; ++x) {
            footer += page.pixel(x, y) != RGB(255, 255, 255);
        }
    }
    EXPECT_GT(footer, 500);
    for (int x = 0; x < 2480; x += 5) {
        EXPECT_EQ(page.pixel(x, 3480), RGB(255, 255, 255)) << x;
    }
}

// A printer that cannot reach the paper's edges gets pages of its printable area, put on the
// paper inside those edges.
TEST_F(PlatformPrintTest, PagesFillThePrintableAreaInsideThePrintersMargins) {
    const std::string pdf = zel::work_path("margins.pdf");
    set_print_dialog_hook([&](const PrintDialogRequest&) {
        PrintDialogAnswer a = pdf_answer(pdf);
        a.settings.marginLeftMm = a.settings.marginRightMm = 5;
        a.settings.marginTopMm = a.settings.marginBottomMm = 10;
        return a;
    });
    view.OnFilePrint();
    // 5 mm are 59 pixels at 300 dots per inch, 10 mm 118.
    EXPECT_EQ(view.width, 2480 - 2 * 59);
    EXPECT_EQ(view.physicalWidth, 2480);
    EXPECT_EQ(view.offsetX, 59);
    EXPECT_EQ(view.offsetY, 118);
    const RasterPage page = rasterise_pdf(pdf, 300);
    ASSERT_NEAR(page.width, 2480, 1);
    // The picture rectangle starts at 10% of the printable width, inside the left margin.
    const int left = 59 + int(2362 * 0.1), top = 118 + int(3272 * 0.1);
    EXPECT_EQ(page.pixel(left + 3, top + 3), PageView::kPicture);
    EXPECT_EQ(page.pixel(left - 3, top + 3), RGB(255, 255, 255));
    EXPECT_EQ(page.pixel(left + 3, top - 3), RGB(255, 255, 255));
    // The footer's letters start at the printable area's left edge.
    int footer = 0;
    for (int y = 118 + int(3272 * 0.95); y < 118 + int(3272 * 0.95) + 60; ++y) {
        for (int x = 0; x < 59 - 2; ++x) {
            footer += page.pixel(x, y) != RGB(255, 255, 255);
        }
    }
    EXPECT_EQ(footer, 0);
}

TEST_F(PlatformPrintTest, UnwritablePdfFileIsReported) {
    set_print_dialog_hook([](const PrintDialogRequest&) {
        return pdf_answer(zel::work_path("no-such-folder/page.pdf"));
    });
    keep_boxes();
    view.OnFilePrint();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed to start print job.");
}

// Paper without a size (a printer that names none), or margins that cover the paper, leave
// the drawing no room: printing is reported as failed, not done as a blank page.
TEST_F(PlatformPrintTest, PaperWithoutRoomToPrintOnIsReported) {
    const std::string pdf = zel::work_path("no-room.pdf");
    std::vector<PrinterSettings> papers(2);
    papers[0].pageWidthMm = 0;
    papers[0].pageHeightMm = 0;
    papers[1].marginLeftMm = 120;
    papers[1].marginRightMm = 120;
    keep_boxes();
    for (const PrinterSettings& paper : papers) {
        std::remove(pdf.c_str());
        set_print_dialog_hook([&](const PrintDialogRequest&) {
            PrintDialogAnswer a = pdf_answer(pdf);
            a.settings.pageWidthMm = paper.pageWidthMm;
            a.settings.pageHeightMm = paper.pageHeightMm;
            a.settings.marginLeftMm = paper.marginLeftMm;
            a.settings.marginRightMm = paper.marginRightMm;
            return a;
        });
        boxes.clear();
        view.OnFilePrint();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Failed to start print job.");
        EXPECT_EQ(view.printed, 0);
        EXPECT_FALSE(std::ifstream(pdf).good());
    }
}

// Paper of a hundred metres a side at 300 dots per inch would take terabytes: its page is drawn
// coarser, on a page picture that memory can hold, instead of on none (a blank page, printed as
// a success).
TEST_F(PlatformPrintTest, PaperTooLargeForAPagePictureIsDrawnCoarser) {
    set_print_dialog_hook([](const PrintDialogRequest&) {
        PrintDialogAnswer a = pdf_answer(zel::work_path("unused.pdf"));
        a.settings.pageWidthMm = a.settings.pageHeightMm = 100000;
        return a;
    });
    int width = 0, height = 0;
    COLORREF inPicture = CLR_INVALID;
    set_print_output_hook([&](const PrintJob& job) {
        HBITMAP bmp = job.renderPage(1);
        BITMAP bm{};
        GetObject(bmp, sizeof bm, &bm);
        width = bm.bmWidth;
        height = bm.bmHeight;
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        HGDIOBJ old = mem.SelectObject(bmp);
        inPicture = mem.GetPixel(width / 4, height / 2);
        mem.SelectObject(old);
        DeleteObject(bmp);
        return true;
    });
    keep_boxes();
    view.OnFilePrint();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(view.printed, 1);
    EXPECT_GT(width, 1000);
    EXPECT_EQ(width, height);
    EXPECT_LE(double(width) * height, 64.0 * 1024 * 1024);
    EXPECT_EQ(view.width, width);
    EXPECT_EQ(inPicture, PageView::kPicture);
}

TEST_F(PlatformPrintTest, PdfFileTheDiskCannotTakeIsReportedAndTheOldFileKept) {
    const std::string pdf = zel::work_path("full-disk.pdf");
    const std::string old = "the file printed before";
    std::ofstream(pdf, std::ios::binary) << old;
    set_print_dialog_hook([&](const PrintDialogRequest&) { return pdf_answer(pdf); });
    keep_boxes();
    {
        const zel::testing::FileSizeLimit full(1000);
        ASSERT_TRUE(full.set());
        view.OnFilePrint();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed to start print job.");
    std::ifstream in(pdf, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
              old);
    // With room on the disk the same print replaces it.
    boxes.clear();
    view.OnFilePrint();
    EXPECT_TRUE(boxes.empty());
    std::ifstream again(pdf, std::ios::binary);
    std::string head(5, '\0');
    again.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
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

// The real dialogs, with nobody's printer: the print dialog offers the PDF file and hands it
// back with the resolution that pages are drawn at.
TEST_F(PlatformPrintTest, PrintDialogHandsBackThePdfFile) {
    CWinApp app("Print");
    const std::string pdf = zel::work_path("chosen.pdf");
    app.PrinterSettings().outputFile = pdf;
    app.PrinterSettings().dotsPerInch = 72;
    QString title;
    when_modal_shows([&](QWidget* w) {
        title = w->windowTitle();
        auto* box = w->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        box->button(QDialogButtonBox::Ok)->click();
    });
    CPrintDialog dlg(FALSE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NE(title, "Print Setup");
    EXPECT_EQ(dlg.m_settings.outputFile, pdf);
    EXPECT_EQ(dlg.m_settings.printerName, "");
    EXPECT_EQ(dlg.m_settings.dotsPerInch, 300);
    EXPECT_EQ(app.PrinterSettings().outputFile, pdf);
}

TEST_F(PlatformPrintTest, PrintSetupDialogAsksForSettingsOnly) {
    CWinApp app("Print");
    app.PrinterSettings().outputFile = zel::work_path("setup.pdf");
    QString title, ok;
    when_modal_shows([&](QWidget* w) {
        title = w->windowTitle();
        auto* box = w->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        ok = box->button(QDialogButtonBox::Ok)->text();
        box->button(QDialogButtonBox::Cancel)->click();
    });
    app.OnFilePrintSetup();
    EXPECT_EQ(title, "Print Setup");
    EXPECT_EQ(ok, "OK");
}

// The preview's Print button hands over to the framework's print command: one print dialog and
// one printed copy, not a second one printed by the preview itself.
TEST_F(PlatformPrintTest, PreviewPrintButtonPrintsOnce) {
    int asked = 0, output = 0;
    set_print_dialog_hook([&](const PrintDialogRequest&) {
        ++asked;
        return pdf_answer(zel::work_path("preview.pdf"));
    });
    set_print_output_hook([&](const PrintJob&) { return ++output != 0; });
    when_modal_shows([](QWidget* w) {
        auto* print = w->findChild<QPushButton*>("print");
        ASSERT_NE(print, nullptr);
        print->click();
    });
    view.OnFilePrintPreview();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(output, 1);
    EXPECT_GE(view.printed, 1); // the preview drew the page
}

TEST_F(PlatformPrintTest, ClosedPreviewPrintsNothing) {
    int asked = 0;
    set_print_dialog_hook([&](const PrintDialogRequest&) {
        ++asked;
        return pdf_answer(zel::work_path("closed.pdf"));
    });
    when_modal_shows([](QWidget* w) { w->findChild<QPushButton*>("close")->click(); });
    view.OnFilePrintPreview();
    EXPECT_EQ(asked, 0);
}

} // namespace
