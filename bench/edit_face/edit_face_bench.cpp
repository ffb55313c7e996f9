// Speed of Edit Face: one pen or erase stamp of a drag, up to the repainted drawing area; and
// Done with a 720 x 960 drawing, through the view's road up to the repainted face panel.

#include "main_frame.h"
#include "resource_ids.h"
#include "tessel_app.h"
#include "tessel_view.h"

#include <zel/dialogs/edit_face_dlg.h>
#include <zel/dialogs/pen_choice_dlg.h>
#include <zel/dialogs/screen_copy.h>
#include <zel/platform/testing.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using zel::platform::test::pump;

void set_scene() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::mkdir(ZEL_BENCH_WORK_DIR, 0700);
    ::setenv("ZEL_WORKDIR", ZEL_BENCH_WORK_DIR, 1);
    ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 1);
    zel::platform::test::ensure_app();
    zel::platform::set_message_box_hook(
        [](const zel::platform::MessageBoxRequest&) { return IDOK; });
}

// The pen pop-up answers with `pen`.
void answer_pen(int pen) {
    zel::platform::set_modal_dialog_hook(
        [pen](CDialog& d) { d.SendMessage(WM_COMMAND, CPenChoiceDlg::kFirstPen + pen - 1, 0); });
}

LPARAM at(CPoint p) {
    return MAKELPARAM(WORD(p.x), WORD(p.y));
}

// Arg 0: the eraser; 1 to 6: that pen.
void BM_StampDuringDrag(benchmark::State& state) {
    set_scene();
    const int tool = int(state.range(0));
    std::vector<unsigned char> paper(720 * 960, 1);
    std::vector<unsigned char*> rows(960);
    for (int y = 0; y < 960; ++y) {
        rows[std::size_t(y)] = paper.data() + 720 * y;
    }
    std::vector<unsigned char> bits =
        zel::dialogs::screen_bits_from_drawing(rows.data(), 720, 960, 192);
    BITMAPINFO info{};
    info.bmiHeader = zel::dialogs::screen_info(720, 960);
    CEditFaceDlg dialog;
    dialog.m_width = 720;
    dialog.m_height = 960;
    dialog.m_faceBits = bits.data();
    dialog.m_faceInfo = &info;
    dialog.Create(nullptr);
    dialog.UpdateWindow();
    if (tool > 0) {
        answer_pen(tool);
        dialog.SendMessage(WM_COMMAND, CEditFaceDlg::kPen, 0);
    }
    const CRect area = dialog.GetDrawingArea();
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(area.CenterPoint()));
    int i = 0;
    for (auto _ : state) {
        const CPoint p(area.left + 10 + (i * 7) % (area.Width() - 20),
                       area.top + 10 + (i * 3) % (area.Height() - 20));
        ++i;
        dialog.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(p));
        pump(0); // the surface goes to the screen
    }
    dialog.SendMessage(WM_LBUTTONUP, 0, at(area.CenterPoint()));
    dialog.DestroyWindow();
    zel::platform::reset_hooks();
}
BENCHMARK(BM_StampDuringDrag)->Arg(0)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_DoneThroughTheView(benchmark::State& state) {
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
    if (view->GetDocument()->m_faceRect.Width() != 720) {
        state.SkipWithError("no 720 x 960 face");
        return;
    }
    using Clock = std::chrono::steady_clock;
    Clock::time_point done;
    int i = 0;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        const CRect area = static_cast<CEditFaceDlg&>(d).GetDrawingArea();
        const CPoint p(area.left + 5 + i % 50, area.top + 5);
        d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(p));
        d.SendMessage(WM_LBUTTONUP, 0, at(p));
        done = Clock::now();
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kDone, 0);
    });
    for (auto _ : state) {
        ++i;
        frame->SendMessage(WM_COMMAND, zel::editor::ID_EDIT_FACE, 0);
        pump(0);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - done).count());
    }
    view->GetDocument()->SetModifiedFlag(FALSE);
    zel::platform::reset_hooks();
}
BENCHMARK(BM_DoneThroughTheView)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
