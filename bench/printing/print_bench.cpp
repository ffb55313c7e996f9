// Speed of printing: the page with the face, the composed picture and the footer, printed
// through the program's print command into an A4 PDF file at 300 dots per inch (goal: at most
// 400 ms).

#include "main_frame.h"
#include "resource_ids.h"
#include "tessel_app.h"
#include "tessel_view.h"

#include <zel/composition.h>
#include <zel/platform/testing.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

void set_scene() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::mkdir(ZEL_BENCH_WORK_DIR, 0700);
    ::setenv("ZEL_WORKDIR", ZEL_BENCH_WORK_DIR, 1);
    ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 1);
    zel::platform::test::ensure_app();
    zel::platform::set_message_box_hook(
        [](const zel::platform::MessageBoxRequest&) { return IDOK; });
}

void BM_PrintPageToPdf(benchmark::State& state) {
    set_scene();
    CTesselApp app;
    app.m_args.emplace_back("zel-editor");
    if (!app.InitInstance()) {
        state.SkipWithError("the program did not start");
        return;
    }
    zel::platform::set_file_dialog_hook([](const zel::platform::FileDialogRequest&) {
        zel::platform::FileDialogAnswer a;
        a.ok = true;
        a.path = std::string(ZEL_DATA_BUILD_DIR) + "/faces/man.zel";
        return a;
    });
    CWnd* frame = app.m_pMainWnd;
    frame->SendMessage(WM_COMMAND, zel::editor::ID_LOAD_CARICATURE, 0);
    auto* view = static_cast<CTesselView*>(static_cast<CMainFrame*>(frame)->GetActiveView());
    // The face on body 1, shown as the composed picture.
    clear_zeledit2();
    if (!view->WriteHeadFile()) {
        state.SkipWithError("no head file");
        return;
    }
    zel2_set_head(" ", view->m_headPath.c_str(), "bmp", 1);
    if (zel2_select_body_save(0, 1, view->m_composedPath.c_str(), 1) == 0 ||
        !view->ShowComposedFile(CTesselView::kComposedPanel)) {
        state.SkipWithError("no composed picture");
        return;
    }
    zel::platform::set_print_dialog_hook([](const zel::platform::PrintDialogRequest&) {
        zel::platform::PrintDialogAnswer a;
        a.ok = true;
        a.settings.outputFile = std::string(ZEL_BENCH_WORK_DIR) + "/page.pdf";
        a.settings.dotsPerInch = 300;
        return a;
    });
    for (auto _ : state) {
        frame->SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    }
    view->GetDocument()->SetModifiedFlag(FALSE);
    zel::platform::reset_hooks();
}
BENCHMARK(BM_PrintPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
