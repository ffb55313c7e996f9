// Opens one of the editing dialogs on a starter face, in use, for a person or a screenshot to
// look at:  editing_dialogs_demo make|change|body|background [seconds]
// Runs until the dialog is closed, or for the number of seconds given.

#include "editing_test_support.h"
#include "zel/dialogs/add_bkgd_dlg.h"
#include "zel/dialogs/add_body_dlg.h"
#include "zel/dialogs/change_face_dlg.h"
#include "zel/dialogs/select_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using zel::dialogs::test::LoadedFace;
using zel::dialogs::test::press;

// Presses the buttons one after another, a little apart, as a person would.
void press_later(CWnd& dialog, std::initializer_list<UINT> ids, int startMs = 300) {
    int at = startMs;
    for (UINT id : ids) {
        QTimer::singleShot(at, [&dialog, id] { press(dialog, id); });
        at += 60;
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* which = argc > 1 ? argv[1] : "make";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
    LoadedFace face(std::strcmp(which, "body") == 0 ? "woman" : "man");
    if (!face.ok()) {
        return 1;
    }
    std::unique_ptr<CDialog> dialog;
    std::function<void()> steps;
    if (std::strcmp(which, "change") == 0) {
        auto* d = new CChangeFaceDlg;
        d->m_headPath = face.headPath;
        steps = [d] {
            press_later(*d, {CChangeFaceDlg::IDC_LEFT_EYE, CChangeFaceDlg::IDC_ENLARGE,
                             CChangeFaceDlg::IDC_RIGHT_EYE, CChangeFaceDlg::IDC_ENLARGE,
                             CChangeFaceDlg::IDC_NOSE, CChangeFaceDlg::IDC_ENLARGE});
        };
        dialog.reset(d);
    } else if (std::strcmp(which, "body") == 0 || std::strcmp(which, "background") == 0) {
        const bool body = std::strcmp(which, "body") == 0;
        if (!body) {
            // A body was added before, as a person would have done first.
            clear_zeledit2();
            zel2_set_head(" ", face.headPath.c_str(), "bmp", face.kind());
            zel2_select_body_save(0, face.kind(), face.composedPath.c_str(), 1);
        }
        if (body) {
            auto* d = new dlgAddBody;
            d->m_faceKind = face.kind();
            d->m_headPath = face.headPath;
            d->m_composedPath = face.composedPath;
            steps = [d] {
                press_later(*d, {dlgAddBody::IDC_NEXT, dlgAddBody::IDC_NEXT,
                                 dlgAddBody::IDC_STEP_BODY, dlgAddBody::IDC_FAST});
            };
            dialog.reset(d);
        } else {
            auto* d = new dlgAddBkgd;
            d->m_faceKind = face.kind();
            d->m_headPath = face.headPath;
            d->m_composedPath = face.composedPath;
            d->m_firstTime = 0;
            d->m_otherAdded = 1;
            steps = [d] {
                press_later(*d, {dlgAddBkgd::IDC_BEACHES_NEXT, dlgAddBkgd::IDC_BEACHES_NEXT,
                                 dlgAddBkgd::IDC_MOVE_UP});
            };
            dialog.reset(d);
        }
    } else {
        auto* d = new dlgSelect;
        d->m_headPath = face.headPath;
        d->m_backupPath = zel::work_path("zel_tmp.bmp");
        steps = [d] {
            press_later(*d, {dlgSelect::IDC_EYE_NEXT, dlgSelect::IDC_EYE_NEXT,
                             dlgSelect::IDC_GLASSES_NEXT, dlgSelect::IDC_MOUTH_NEXT,
                             dlgSelect::IDC_EXPRESSION_NEXT});
        };
        dialog.reset(d);
    }
    // Keep the real pointer away from the dialog, so no button shows a hover look.
    SetCursorPos(1, 1);
    QTimer::singleShot(0, steps);
    if (seconds > 0) {
        QTimer::singleShot(seconds * 1000, [&dialog] { dialog->EndDialog(1); });
    }
    return dialog->DoModal() == -1 ? 1 : 0;
}
