// The font and print dialogs through their hooks: what each asks, what an answer or a refusal
// leaves in the dialog object and the application, and the printer context made from the
// answer.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zel::platform;
using namespace zel::platform::test;

namespace {

class PrintingApp : public CWinApp {
public:
    PrintingApp() : CWinApp("Common") {}
};

struct PlatformCommonDialogTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    }
    void TearDown() override { owner.DestroyWindow(); }
    CWnd owner;
    HookReset hooks;
};

TEST_F(PlatformCommonDialogTest, TheFontDialogAsksWithTheGivenFontAndKeepsTheAnswer) {
    LOGFONT start{};
    start.lfHeight = -16;
    std::strcpy(start.lfFaceName, "Arial");
    FontDialogRequest asked;
    int calls = 0;
    set_font_dialog_hook([&](const FontDialogRequest& r) {
        asked = r;
        ++calls;
        FontDialogAnswer a;
        a.ok = true;
        a.font = r.initial;
        a.font.lfHeight = -24;
        a.font.lfWeight = FW_BOLD;
        std::strcpy(a.font.lfFaceName, "Liberation Serif");
        a.color = RGB(10, 20, 30);
        return a;
    });
    CFontDialog dialog(&start, CF_EFFECTS | CF_SCREENFONTS, nullptr, &owner);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(asked.owner, owner.m_hWnd);
    EXPECT_TRUE(asked.hasInitial);
    EXPECT_STREQ(asked.initial.lfFaceName, "Arial");
    EXPECT_EQ(asked.initial.lfHeight, -16);
    LOGFONT chosen{};
    dialog.GetCurrentFont(&chosen);
    EXPECT_EQ(chosen.lfHeight, -24);
    EXPECT_EQ(chosen.lfWeight, FW_BOLD);
    EXPECT_EQ(dialog.GetFaceName(), "Liberation Serif");
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(std::string(start.lfFaceName), "Arial"); // the caller's font is its own

    // Refused: the font stays as it was; without a font to start from none is offered.
    set_font_dialog_hook([&](const FontDialogRequest& r) {
        asked = r;
        return FontDialogAnswer{};
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    dialog.GetCurrentFont(&chosen);
    EXPECT_EQ(chosen.lfHeight, -24);
    CFontDialog plain;
    EXPECT_EQ(plain.DoModal(), IDCANCEL);
    EXPECT_FALSE(asked.hasInitial);
    EXPECT_EQ(asked.owner, nullptr);
}

TEST_F(PlatformCommonDialogTest, ThePrintDialogAsksWithTheApplicationsPrinterAndKeepsTheAnswer) {
    PrintingApp app;
    app.PrinterSettings().printerName = "Office";
    app.PrinterSettings().orientation = DMORIENT_LANDSCAPE;
    PrintDialogRequest asked;
    set_print_dialog_hook([&](const PrintDialogRequest& r) {
        asked = r;
        PrintDialogAnswer a;
        a.ok = true;
        a.settings = r.current;
        a.settings.printerName.clear();
        a.settings.outputFile = "never-written.pdf";
        a.settings.orientation = DMORIENT_PORTRAIT;
        a.settings.dotsPerInch = 150;
        a.fromPage = 2;
        a.toPage = 3;
        return a;
    });
    CPrintDialog dialog(FALSE, PD_ALLPAGES, &owner);
    dialog.m_pd.nMinPage = 1;
    dialog.m_pd.nMaxPage = 4;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(asked.owner, owner.m_hWnd);
    EXPECT_FALSE(asked.setupOnly);
    EXPECT_EQ(asked.current.printerName, "Office");
    EXPECT_EQ(asked.current.orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(asked.minPage, 1);
    EXPECT_EQ(asked.maxPage, 4);
    EXPECT_EQ(dialog.GetFromPage(), 2);
    EXPECT_EQ(dialog.GetToPage(), 3);
    EXPECT_EQ(dialog.GetDevMode()->dmOrientation, DMORIENT_PORTRAIT);
    // The answer becomes the application's printer.
    EXPECT_EQ(app.PrinterSettings().outputFile, "never-written.pdf");
    EXPECT_EQ(app.PrinterSettings().orientation, DMORIENT_PORTRAIT);

    // A printer context of the answer: the A4 page, upright, at no fewer than 300 dots an inch.
    CDC printer;
    ASSERT_TRUE(printer.Attach(dialog.CreatePrinterDC()));
    EXPECT_TRUE(printer.IsPrinting());
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSX), kMinimumPrintDpi);
    EXPECT_EQ(printer.GetDeviceCaps(HORZRES), 2480); // 210 mm
    EXPECT_EQ(printer.GetDeviceCaps(VERTRES), 3508); // 297 mm
    EXPECT_EQ(printer.GetPixel(100, 100), RGB(255, 255, 255));
    printer.FillSolidRect(100, 100, 1, 1, RGB(0, 0, 0));
    EXPECT_EQ(printer.GetPixel(100, 100), RGB(0, 0, 0));
    EXPECT_TRUE(printer.DeleteDC());

    // Print set-up asks for settings only; a refusal leaves the application's printer alone.
    set_print_dialog_hook([&](const PrintDialogRequest& r) {
        asked = r;
        return PrintDialogAnswer{};
    });
    CPrintDialog setup(TRUE);
    EXPECT_EQ(setup.DoModal(), IDCANCEL);
    EXPECT_TRUE(asked.setupOnly);
    EXPECT_EQ(asked.current.outputFile, "never-written.pdf");
    EXPECT_EQ(app.PrinterSettings().orientation, DMORIENT_PORTRAIT);
}

} // namespace
