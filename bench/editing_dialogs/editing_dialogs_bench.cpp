// Speed of one step of each editing dialog: the button's message, the face engine's or the
// composer's call with its work file, the reload of that file and the repainted preview.
// Each dialog runs modally on the offscreen platform with a starter face loaded as the view
// loads it; the benchmark loop runs inside the open dialog.

#include "editing_test_support.h"
#include "zel/dialogs/add_bkgd_dlg.h"
#include "zel/dialogs/add_body_dlg.h"
#include "zel/dialogs/change_face_dlg.h"
#include "zel/dialogs/select_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

using zel::dialogs::test::LoadedFace;
using zel::dialogs::test::press;
using zel::dialogs::test::run_modal;

// Presses `first` and `second` in turn (so the face or layer goes back and forth) and
// repaints the preview after each.
void steps(benchmark::State& state, CDialog& dialog, UINT first, UINT second, UINT done) {
    run_modal(dialog, [&] {
        bool flip = false;
        for (auto _ : state) {
            press(dialog, flip ? second : first);
            dialog.UpdateWindow();
            flip = !flip;
        }
        press(dialog, done);
    });
}

void BM_MakeFaceStep(benchmark::State& state) {
    LoadedFace face;
    dlgSelect dialog;
    dialog.m_headPath = face.headPath;
    dialog.m_backupPath = zel::work_path("zel_tmp.bmp");
    steps(state, dialog, dlgSelect::IDC_MOUTH_NEXT, dlgSelect::IDC_MOUTH_PREVIOUS,
          dlgSelect::IDC_DONE);
}
BENCHMARK(BM_MakeFaceStep)->Unit(benchmark::kMillisecond);

void BM_ChangeFaceStep(benchmark::State& state) {
    LoadedFace face;
    CChangeFaceDlg dialog;
    dialog.m_headPath = face.headPath;
    steps(state, dialog, CChangeFaceDlg::IDC_MOVE_UP, CChangeFaceDlg::IDC_MOVE_DOWN,
          CChangeFaceDlg::IDC_DONE);
}
BENCHMARK(BM_ChangeFaceStep)->Unit(benchmark::kMillisecond);

void BM_AddBodyStep(benchmark::State& state) {
    LoadedFace face;
    clear_zeledit2();
    dlgAddBody dialog;
    dialog.m_faceKind = face.kind();
    dialog.m_headPath = face.headPath;
    dialog.m_composedPath = face.composedPath;
    run_modal(dialog, [&] {
        press(dialog, dlgAddBody::IDC_NEXT);
        bool flip = false;
        for (auto _ : state) {
            press(dialog, flip ? dlgAddBody::IDC_MOVE_DOWN : dlgAddBody::IDC_MOVE_UP);
            dialog.UpdateWindow();
            flip = !flip;
        }
        press(dialog, dlgAddBody::IDC_DONE);
    });
}
BENCHMARK(BM_AddBodyStep)->Unit(benchmark::kMillisecond);

void BM_AddBackgroundStep(benchmark::State& state) {
    LoadedFace face;
    clear_zeledit2();
    zel2_set_head(" ", face.headPath.c_str(), "bmp", face.kind());
    zel2_select_body_save(0, face.kind(), face.composedPath.c_str(), 1);
    dlgAddBkgd dialog;
    dialog.m_faceKind = face.kind();
    dialog.m_headPath = face.headPath;
    dialog.m_composedPath = face.composedPath;
    dialog.m_otherAdded = 1;
    run_modal(dialog, [&] {
        press(dialog, dlgAddBkgd::IDC_MOUNTAINS_NEXT);
        bool flip = false;
        for (auto _ : state) {
            press(dialog, flip ? dlgAddBkgd::IDC_MOVE_DOWN : dlgAddBkgd::IDC_MOVE_UP);
            dialog.UpdateWindow();
            flip = !flip;
        }
        press(dialog, dlgAddBkgd::IDC_DONE);
    });
}
BENCHMARK(BM_AddBackgroundStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::mkdir(ZEL_BENCH_WORK_DIR, 0700);
    ::setenv("ZEL_WORKDIR", ZEL_BENCH_WORK_DIR, 1);
    ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 0);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
