// Printing through the program: the page printed into a PDF file and read back as pixels, the
// page drawn without a composed picture or without a face, the print commands and their
// enabling, the preview, and the page-layout command with its dialog.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/common/work_folder.h>

#include <functional>

namespace zel::editor::test {
namespace {

using namespace zel::platform;
using zel::platform::test::mouse_move;
using zel::platform::test::mouse_press;
using zel::platform::test::mouse_release;
using zel::platform::test::rasterise_pdf;
using zel::platform::test::RasterPage;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPaper = RGB(192, 192, 192);

// A4 upright at 300 dots per inch: 2480 x 3508 pixels. With the first margins the face's
// rectangle runs from 10% of the width over 49% of the picture rectangle's width, the
// composed picture's 1% of the width (24 pixels) further right; both from 10% to 90% of the
// height; the footer's line starts at 95%.
const CRect kFaceRect(248, 350, 1220, 3157);
const CRect kComposedRect(1244, 350, 2216, 3157);
constexpr int kFooterTop = 3332;

using PixelAt = std::function<COLORREF(int x, int y)>;

// What a picture drawn into `area` looks like: the share of its pixels that are paper grey
// or ink black, and the average of each colour component.
struct AreaLook {
    double faceLike = 0;
    double red = 0, green = 0, blue = 0;
};

AreaLook look(const PixelAt& pixel, const CRect& area) {
    AreaLook a;
    int n = 0, faceLike = 0;
    for (int y = area.top; y < area.bottom; y += 3) {
        for (int x = area.left; x < area.right; x += 3) {
            const COLORREF c = pixel(x, y);
            faceLike += c == kPaper || c == RGB(0, 0, 0);
            a.red += GetRValue(c);
            a.green += GetGValue(c);
            a.blue += GetBValue(c);
            ++n;
        }
    }
    a.faceLike = double(faceLike) / n;
    a.red /= n;
    a.green /= n;
    a.blue /= n;
    return a;
}

bool all_white(const PixelAt& pixel, const CRect& area, int step = 4) {
    for (int y = area.top; y < area.bottom; y += step) {
        for (int x = area.left; x < area.right; x += step) {
            if (pixel(x, y) != kWhite) {
                return false;
            }
        }
    }
    return true;
}

int inked(const PixelAt& pixel, const CRect& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; x += 2) {
            n += pixel(x, y) != kWhite;
        }
    }
    return n;
}

// `r` shrunk by `d` on every side, away from edges that resampling may soften.
CRect inside(CRect r, int d = 3) {
    r.DeflateRect(d, d);
    return r;
}

class PrintTest : public EditorTest {
protected:
    PrinterSettings A4() const {
        PrinterSettings s;
        s.outputFile = zel::work_path("page.pdf");
        s.dotsPerInch = 300;
        return s;
    }

    // Prints through `command` with the print dialog answering a PDF file; the page's pixels.
    RasterPage PrintToPdf(UINT command = ID_FILE_PRINT) {
        const PrinterSettings settings = A4();
        set_print_dialog_hook([&](const PrintDialogRequest& r) {
            ++m_printDialogs;
            EXPECT_EQ(r.maxPage, 1);
            PrintDialogAnswer a;
            a.ok = true;
            a.settings = settings;
            return a;
        });
        Command(command);
        return rasterise_pdf(settings.outputFile, 300);
    }

    // The view draws its page on a printer context of the A4 settings, as printing does.
    void DrawPage(const std::function<void(const PixelAt&, int width, int height)>& check) {
        CPrintDialog printer(FALSE);
        printer.m_settings = A4();
        CDC dc;
        ASSERT_TRUE(dc.Attach(printer.CreatePrinterDC()));
        ASSERT_TRUE(dc.IsPrinting());
        View()->OnDraw(&dc);
        check([&](int x, int y) { return dc.GetPixel(x, y); }, dc.GetDeviceCaps(HORZRES),
              dc.GetDeviceCaps(VERTRES));
        dc.DeleteDC();
    }

    CRect FaceDest(const CRect& rect) const {
        const BITMAPINFOHEADER& h = Doc()->m_faceInfo.info.bmiHeader;
        return CTesselView::FitIntoPanel(rect, h.biWidth, h.biHeight);
    }
    CRect ComposedDest(const CRect& rect) const {
        return CTesselView::FitIntoPanel(rect, Doc()->m_composedWidth, Doc()->m_composedHeight);
    }

    // The average colour of the composed picture itself.
    AreaLook ComposedLook() const {
        AreaLook a;
        const CTesselDoc* d = Doc();
        for (int r = 0; r < d->m_composedHeight; ++r) {
            for (int c = 0; c < d->m_composedWidth; ++c) {
                a.red += d->m_composed[r][c].r;
                a.green += d->m_composed[r][c].g;
                a.blue += d->m_composed[r][c].b;
            }
        }
        const double n = double(d->m_composedWidth) * d->m_composedHeight;
        a.red /= n;
        a.green /= n;
        a.blue /= n;
        return a;
    }

    void StartWithComposedPicture() {
        ASSERT_TRUE(Start());
        LoadStarterFace("man");
        AddBodyThroughTheRoad();
        ASSERT_EQ(Doc()->m_composedShown, 1);
    }

    int m_printDialogs = 0;
};

TEST_F(PrintTest, PdfPageHoldsTheFaceTheComposedPictureAndTheFooter) {
    StartWithComposedPicture();
    const RasterPage page = PrintToPdf();
    ASSERT_EQ(m_printDialogs, 1);
    ASSERT_NEAR(page.width, 2480, 1);
    ASSERT_NEAR(page.height, 3508, 1);
    const PixelAt pixel = [&](int x, int y) { return page.pixel(x, y); };
    // The face drawing: fitted into the left 49%, from the rectangle's top-left corner.
    const CRect face = FaceDest(kFaceRect);
    EXPECT_EQ(face.TopLeft(), kFaceRect.TopLeft());
    EXPECT_TRUE(face.right == kFaceRect.right || face.bottom == kFaceRect.bottom);
    EXPECT_GT(look(pixel, inside(face)).faceLike, 0.97);
    EXPECT_EQ(pixel(face.left + 4, face.top + 4), kPaper);
    EXPECT_TRUE(all_white(pixel, CRect(0, 0, 2480, kFaceRect.top - 3)));
    EXPECT_TRUE(all_white(pixel, CRect(0, 0, kFaceRect.left - 3, kFooterTop - 3)));
    // The gap of 1% of the width between the two rectangles.
    EXPECT_TRUE(all_white(pixel, CRect(kFaceRect.right + 3, kFaceRect.top, kComposedRect.left - 3,
                                       kFaceRect.bottom)));
    // The composed picture with its own colours, from the second rectangle's corner.
    const CRect composed = ComposedDest(kComposedRect);
    EXPECT_EQ(composed.TopLeft(), kComposedRect.TopLeft());
    const AreaLook printed = look(pixel, inside(composed));
    const AreaLook own = ComposedLook();
    EXPECT_NEAR(printed.red, own.red, 4);
    EXPECT_NEAR(printed.green, own.green, 4);
    EXPECT_NEAR(printed.blue, own.blue, 4);
    EXPECT_TRUE(all_white(pixel, CRect(composed.right + 3, 0, 2480, kFooterTop - 3)));
    EXPECT_TRUE(all_white(
        pixel, CRect(0, std::max(face.bottom, composed.bottom) + 3, 2480, kFooterTop - 3)));
    // The footer: one line of 15-point letters from the left edge at 95% of the height.
    EXPECT_GT(inked(pixel, CRect(0, kFooterTop, 1200, kFooterTop + 70)), 2000);
    EXPECT_TRUE(all_white(pixel, CRect(0, kFooterTop + 75, 2480, 3500), 2));
}

TEST_F(PrintTest, PageWithoutComposedPictureHoldsTheFaceAndTheFooterOnly) {
    StartWithComposedPicture();
    // A face file loaded after the composition leaves no composed picture shown; the old
    // composed rows stay in the document.
    LoadStarterFace("woman");
    ASSERT_EQ(Doc()->m_composedShown, 0);
    EXPECT_FALSE(CommandEnabled(ID_FILE_PRINT));
    DrawPage([&](const PixelAt& pixel, int width, int height) {
        ASSERT_EQ(width, 2480);
        ASSERT_EQ(height, 3508);
        EXPECT_GT(look(pixel, FaceDest(kFaceRect)).faceLike, 0.99);
        EXPECT_TRUE(all_white(pixel, CRect(kFaceRect.right, 0, 2480, kFooterTop)));
        EXPECT_GT(inked(pixel, CRect(0, kFooterTop, 1200, kFooterTop + 70)), 2000);
    });
}

TEST_F(PrintTest, PageBeforeAnyFaceHoldsTheFooterOnly) {
    ASSERT_TRUE(Start());
    DrawPage([&](const PixelAt& pixel, int, int) {
        EXPECT_TRUE(all_white(pixel, CRect(0, 0, 2480, kFooterTop)));
        EXPECT_GT(inked(pixel, CRect(0, kFooterTop, 1200, kFooterTop + 70)), 2000);
    });
}

TEST_F(PrintTest, PrintCommandsNeedAComposedPicture) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    for (UINT id :
         {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP}) {
        EXPECT_FALSE(CommandEnabled(id)) << id;
    }
    // A disabled command is not carried out, from the menu or from Ctrl+P.
    bool asked = false;
    set_print_dialog_hook(
        [&](const PrintDialogRequest&) { return asked = true, PrintDialogAnswer{}; });
    Command(ID_FILE_PRINT);
    zel::platform::test::key(*Frame(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(asked);
    AddBodyThroughTheRoad();
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP,
                    ID_PAGE_SETUP}) {
        EXPECT_TRUE(CommandEnabled(id)) << id;
    }
    zel::platform::test::key(*Frame(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(asked);
}

TEST_F(PrintTest, PrintButtonAndDirectPrintReachThePrinter) {
    StartWithComposedPicture();
    int outputs = 0;
    set_print_output_hook([&](const PrintJob& job) {
        ++outputs;
        EXPECT_EQ(job.firstPage, 1);
        EXPECT_EQ(job.lastPage, 1);
        return true;
    });
    // The Print button's click arrives as its command and asks with the print dialog.
    set_print_dialog_hook([&](const PrintDialogRequest&) {
        ++m_printDialogs;
        PrintDialogAnswer a;
        a.ok = true;
        a.settings = A4();
        return a;
    });
    View()->m_btnPrint.SendMessage(BM_CLICK);
    EXPECT_EQ(m_printDialogs, 1);
    EXPECT_EQ(outputs, 1);
    // Printing directly uses the application's printer without asking.
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(m_printDialogs, 1);
    EXPECT_EQ(outputs, 2);
}

TEST_F(PrintTest, PreviewShowsOnePage) {
    StartWithComposedPicture();
    int first = 0, last = 0;
    bool rendered = false;
    set_print_preview_hook([&](const PrintJob& job) {
        first = job.firstPage;
        last = job.lastPage;
        HBITMAP page = job.renderPage(1);
        rendered = page != nullptr;
        DeleteObject(page);
        return false; // closed without printing
    });
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, 1);
    EXPECT_TRUE(rendered);
    EXPECT_EQ(m_printDialogs, 0);
}

TEST_F(PrintTest, PageLayoutSitsBeforePrintSetupInTheFileMenu) {
    ASSERT_TRUE(Start());
    CMenu* file = Frame()->GetMenu()->GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    int layout = -1, setup = -1;
    for (UINT i = 0; i < file->GetMenuItemCount(); ++i) {
        if (file->GetMenuItemID(int(i)) == ID_PAGE_SETUP) {
            layout = int(i);
        }
        if (file->GetMenuItemID(int(i)) == ID_FILE_PRINT_SETUP) {
            setup = int(i);
        }
    }
    ASSERT_GE(layout, 0);
    EXPECT_EQ(setup, layout + 1);
    CString text;
    file->GetMenuString(UINT(layout), text, MF_BYPOSITION);
    EXPECT_EQ(text, "Page Layout...");
}

TEST_F(PrintTest, PageLayoutTakesTheMarginsAndTheOrientationAndCancelKeepsThem) {
    ASSERT_TRUE(Start());
    m_app->PrinterSettings().orientation = DMORIENT_LANDSCAPE;
    View()->m_leftMargin = 0.2f;
    int landscape = -1;
    float left = 0;
    set_modal_dialog_hook([&](CDialog& d) {
        auto& layout = static_cast<CPageLayoutDlg&>(d);
        landscape = layout.m_landscape;
        left = layout.m_left;
        layout.m_left = 0.3f;
        layout.m_bottom = 0.5f;
        d.EndDialog(IDCANCEL);
    });
    Command(ID_PAGE_SETUP);
    EXPECT_EQ(landscape, 1);
    EXPECT_FLOAT_EQ(left, 0.2f);
    EXPECT_FLOAT_EQ(View()->m_leftMargin, 0.2f);
    EXPECT_FLOAT_EQ(View()->m_bottomMargin, 0.9f);
    m_app->PrinterSettings().orientation = DMORIENT_PORTRAIT;
    set_modal_dialog_hook([&](CDialog& d) {
        auto& layout = static_cast<CPageLayoutDlg&>(d);
        landscape = layout.m_landscape;
        layout.m_left = 0.3f;
        layout.m_bottom = 0.5f;
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    Command(ID_PAGE_SETUP);
    EXPECT_EQ(landscape, 0);
    EXPECT_FLOAT_EQ(View()->m_leftMargin, 0.3f);
    EXPECT_FLOAT_EQ(View()->m_bottomMargin, 0.5f);
}

// A person drags the picture rectangle's left side past its right side and presses OK: the
// next print puts the pictures between the two, the right way round.
TEST_F(PrintTest, DraggedLayoutShowsInTheNextPrint) {
    StartWithComposedPicture();
    set_modal_dialog_hook([&](CDialog& d) {
        auto& layout = static_cast<CPageLayoutDlg&>(d);
        d.UpdateWindow();
        const CRect page = layout.PageRect();
        const CRect start = layout.m_rect;
        const int y = start.CenterPoint().y;
        mouse_press(d, CPoint(start.left, y));
        // To the middle of the page, past the right side at 90%.
        mouse_move(d, CPoint(page.left + page.Width() / 2, y), true);
        mouse_move(d, CPoint(page.right - 1, y), true);
        mouse_release(d, CPoint(page.right - 1, y));
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    Command(ID_PAGE_SETUP);
    CTesselView* v = View();
    EXPECT_FLOAT_EQ(v->m_leftMargin, 0.9f);
    EXPECT_GT(v->m_rightMargin, 0.98f);
    EXPECT_LE(v->m_rightMargin, 1.0f);
    const RasterPage page = PrintToPdf();
    const PixelAt pixel = [&](int x, int y) { return page.pixel(x, y); };
    const int left = int(2480 * v->m_leftMargin);
    const int right =
        int(2480 * v->m_leftMargin + (2480 * v->m_rightMargin - 2480 * v->m_leftMargin) * 0.49);
    const CRect face = FaceDest(CRect(left, 350, right, 3157));
    EXPECT_GT(face.Width(), 20);
    EXPECT_GT(look(pixel, inside(face)).faceLike, 0.9);
    EXPECT_TRUE(all_white(pixel, CRect(0, 0, left - 3, kFooterTop - 3)));
}

} // namespace
} // namespace zel::editor::test
