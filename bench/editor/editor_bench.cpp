// Speed of the editor program, offscreen: start-up to the first painted main window (goal
// 300 ms), loading a starter face through the Load Caricature command to the repainted face
// panel (goal 50 ms), a full repaint of the main window (goal 5 ms) and the page with the face
// and the composed picture printed through the print command into an A4 PDF file at 300 dpi
// (goal 400 ms).

#include "main_frame.h"
#include "resource_ids.h"
#include "tessel_app.h"
#include "tessel_view.h"

#include <zel/composition.h>
#include <zel/platform/hooks.h>
#include <zel/platform/testing.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace zel::platform;

void prepare() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 0);
    std::filesystem::create_directories(ZEL_BENCH_WORK_DIR);
    std::filesystem::permissions(ZEL_BENCH_WORK_DIR, std::filesystem::perms::owner_all);
    ::setenv("ZEL_WORKDIR", ZEL_BENCH_WORK_DIR, 1);
    test::ensure_app();
    // Nothing waits for a person.
    set_message_box_hook([](const MessageBoxRequest&) { return IDOK; });
    set_file_dialog_hook([](const FileDialogRequest&) {
        return FileDialogAnswer{true, std::string(ZEL_DATA_BUILD_DIR) + "/faces/man.zel", 1};
    });
}

struct Program {
    std::unique_ptr<CTesselApp> app = std::make_unique<CTesselApp>();
    Program() {
        app->m_args = {"zel-editor"};
        app->InitInstance();
    }
    ~Program() {
        if (CTesselView* v = view()) {
            v->GetDocument()->SetModifiedFlag(FALSE);
        }
        app.reset();
    }
    CTesselView* view() const {
        auto* frame = static_cast<CFrameWnd*>(app->m_pMainWnd);
        return frame != nullptr ? static_cast<CTesselView*>(frame->GetActiveView()) : nullptr;
    }
};

void BM_StartUpToFirstPaint(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        auto program = std::make_unique<Program>();
        program->view()->UpdateWindow();
        benchmark::DoNotOptimize(program->view());
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_LoadStarterFace(benchmark::State& state) {
    prepare();
    Program program;
    CWnd* frame = program.app->m_pMainWnd;
    for (auto _ : state) {
        frame->SendMessage(WM_COMMAND, zel::editor::ID_LOAD_CARICATURE, 0);
        program.view()->UpdateWindow();
        state.PauseTiming();
        if (program.view()->GetDocument()->m_facePresent == 0) {
            state.SkipWithError("the starter face did not load");
            break;
        }
        program.view()->GetDocument()->SetModifiedFlag(FALSE);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadStarterFace)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State& state) {
    prepare();
    Program program;
    program.app->m_pMainWnd->SendMessage(WM_COMMAND, zel::editor::ID_LOAD_CARICATURE, 0);
    CTesselView* view = program.view();
    if (view->GetDocument()->m_facePresent == 0) {
        state.SkipWithError("the starter face did not load");
    }
    for (auto _ : state) {
        view->Invalidate(FALSE);
        view->UpdateWindow();
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_PrintPageToPdf(benchmark::State& state) {
    prepare();
    Program program;
    CWnd* frame = program.app->m_pMainWnd;
    frame->SendMessage(WM_COMMAND, zel::editor::ID_LOAD_CARICATURE, 0);
    CTesselView* view = program.view();
    // The face on body 1, shown as the composed picture.
    clear_zeledit2();
    if (!view->WriteHeadFile()) {
        state.SkipWithError("the starter face did not load");
        return;
    }
    zel2_set_head(" ", view->m_headPath.c_str(), "bmp", 1);
    if (zel2_select_body_save(0, 1, view->m_composedPath.c_str(), 1) == 0 ||
        !view->ShowComposedFile(CTesselView::kComposedPanel)) {
        state.SkipWithError("no composed picture");
        return;
    }
    set_print_dialog_hook([](const PrintDialogRequest&) {
        PrintDialogAnswer a;
        a.ok = true;
        a.settings.outputFile = std::string(ZEL_BENCH_WORK_DIR) + "/page.pdf";
        a.settings.dotsPerInch = 300;
        return a;
    });
    for (auto _ : state) {
        frame->SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    }
}
BENCHMARK(BM_PrintPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
