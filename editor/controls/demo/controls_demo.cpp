// A skinned "Make Face" dialog built from the window controls, with shade and icon buttons in
// every state (selected and focused, hovered, pressed, normal, disabled), for a person or a
// screenshot to look at. Runs until closed, or for the number of seconds given.

#include "demo_art.h"
#include "zel/common/work_folder.h"
#include "zel/controls/shade_button.h"
#include "zel/controls/skin_dialog.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <array>
#include <cstdlib>

namespace {

using namespace zel::controls::demo;

constexpr UINT kTemplate = 285;
constexpr COLORREF kKey = RGB(zel::controls::demo::kKeyRed, 0, 0);

struct Part {
    const char* caption;
    int id, previous, next;
};
constexpr std::array<Part, 6> kParts = {{{"BROWS", 1029, 1028, 1030},
                                         {"EYES", 1032, 1031, 1033},
                                         {"NOSE", 1112, 1037, 1039},
                                         {"MOUTH", 1113, 1043, 1045},
                                         {"GLASSES", 1050, 1049, 1051},
                                         {"Expression", 1053, 1052, 1054}}};
constexpr int kDoneId = 1082, kCancelId = 1128, kManId = 1170, kWomanId = 1171, kChildId = 1172;

class MakeFaceDemo : public CSkinDialog {
public:
    MakeFaceDemo() : CSkinDialog(kTemplate, nullptr) {}

    // The states a person should see at once.
    void ShowStates() {
        m_parts[1].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(40, 12)); // the mouse rests on EYES
        m_parts[2].SetState(TRUE);                                   // NOSE held down
        m_parts[4].EnableWindow(FALSE);                              // no glasses to choose
        m_previous[4].EnableWindow(FALSE);
        m_next[4].EnableWindow(FALSE);
        m_parts[0].SetFocus(); // disabling moved the focus on; BROWS takes it
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CSkinDialog::DoDataExchange(dx);
        for (std::size_t i = 0; i < kParts.size(); ++i) {
            DDX_Control(dx, kParts[i].id, m_parts[i]);
            DDX_Control(dx, kParts[i].previous, m_previous[i]);
            DDX_Control(dx, kParts[i].next, m_next[i]);
        }
        DDX_Control(dx, kDoneId, m_done);
        DDX_Control(dx, kCancelId, m_cancel);
        DDX_Control(dx, kManId, m_man);
        DDX_Control(dx, kWomanId, m_woman);
        DDX_Control(dx, kChildId, m_child);
    }

    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        MoveWindow(0, 0, kDialogWidth, kDialogHeight, FALSE);
        CenterWindow();
        SetBitmap(WORD(kSkinPicture), kNoTransparentColor);
        for (std::size_t i = 0; i < kParts.size(); ++i) {
            const int y = 92 + int(i) * 44;
            const bool expression = i == kParts.size() - 1;
            m_parts[i].MoveWindow(304, y, 134, 34, FALSE);
            m_previous[i].MoveWindow(271, y + 3, 28, 28, FALSE);
            m_next[i].MoveWindow(443, y + 3, 28, 28, FALSE);
            if (expression) {
                m_parts[i].SetIcons(kExpressionIcon, 0);
            } else {
                // The chosen group shows its bullet lit in both states.
                m_parts[i].SetIconsWithSize(kBulletLitIcon, 16, 16,
                                            i == 0 ? kBulletLitIcon : kBulletIcon, 16, 16);
            }
            m_parts[i].SetShade(expression ? CShadeButton::kHardBump : CShadeButton::kSoftBump, 8,
                                10, 0, 0);
            m_parts[i].SetFlatFocusDrawn(TRUE, FALSE);
            m_parts[i].SetTooltip(kParts[i].caption, TRUE);
            for (CIconButton* arrow : {&m_previous[i], &m_next[i]}) {
                arrow->ShiftColor(0, 30, TRUE);
                arrow->SetIcons(arrow == &m_previous[i] ? kPreviousIcon : kNextIcon, 0);
                arrow->SetTooltip(arrow == &m_previous[i] ? "Previous" : "Next", TRUE);
                arrow->SetTransparent(FALSE);
            }
        }
        m_man.MoveWindow(508, 90, 56, 48, FALSE);
        m_woman.MoveWindow(508, 144, 56, 48, FALSE);
        m_child.MoveWindow(508, 198, 56, 48, FALSE);
        m_man.SetStateBitmaps(kManPicture, kKey, 0, 0);
        m_woman.SetStateBitmaps(kWomanChosenPicture, kKey, 0, 0);
        m_child.SetStateBitmaps(kChildPicture, kKey, 0, 0);
        m_man.SetTooltip("Man", TRUE);
        m_woman.SetTooltip("Woman", TRUE);
        m_child.SetTooltip("Child", TRUE);
        m_done.MoveWindow(486, 298, 46, 46, FALSE);
        m_cancel.MoveWindow(538, 298, 46, 46, FALSE);
        m_done.SetStateBitmaps(kDonePicture, kKey, 40, 0);
        m_cancel.SetStateBitmaps(kCancelPicture, kKey, 40, 0);
        m_done.SetTooltip("Done", TRUE);
        m_cancel.SetTooltip("Cancel", TRUE);
        for (CIconButton* b : {&m_man, &m_woman, &m_child, &m_done, &m_cancel}) {
            b->SetTransparent(FALSE);
        }
        return TRUE;
    }

    void OnBackgroundDrawn(CDC* offscreen) override {
        for (std::size_t i = 0; i < kParts.size(); ++i) {
            m_previous[i].CaptureBackground(offscreen);
            m_next[i].CaptureBackground(offscreen);
        }
        for (CIconButton* b : {&m_man, &m_woman, &m_child, &m_done, &m_cancel}) {
            b->CaptureBackground(offscreen);
        }
    }

    void OnDone() { EndDialog(IDOK); }
    void OnCancelled() { EndDialog(IDCANCEL); }
    DECLARE_MESSAGE_MAP()

private:
    std::array<CShadeButton, kParts.size()> m_parts;
    std::array<CIconButton, kParts.size()> m_previous, m_next;
    CIconButton m_done, m_cancel, m_man, m_woman, m_child;
};

BEGIN_MESSAGE_MAP(MakeFaceDemo, CSkinDialog)
ON_BN_CLICKED(kDoneId, OnDone)
ON_BN_CLICKED(kCancelId, OnCancelled)
END_MESSAGE_MAP()

void register_template() {
    DialogTemplate t{"Make Face",     0, 0, kDialogWidth * 4 / 6, kDialogHeight * 8 / 13, WS_POPUP,
                     "MS Sans Serif", 8, {}};
    for (const Part& p : kParts) {
        t.items.push_back(PushButton(p.caption, p.id, 0, 0, 20, 10));
        t.items.push_back(PushButton("", p.previous, 0, 0, 10, 10));
        t.items.push_back(PushButton("", p.next, 0, 0, 10, 10));
    }
    for (int id : {kManId, kWomanId, kChildId, kDoneId, kCancelId}) {
        t.items.push_back(PushButton("", id, 0, 0, 10, 10));
    }
    zel::platform::register_dialog(kTemplate, t);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string folder = zel::work_path("controls_demo");
    QDir().mkpath(QString::fromStdString(folder));
    zel::controls::demo::make_art(folder);
    register_template();
    // Keep the real pointer away from the dialog, so the hover shown is the one asked for.
    SetCursorPos(1, 1);
    MakeFaceDemo dialog;
    QTimer::singleShot(500, [&dialog] { dialog.ShowStates(); });
    if (argc > 1) {
        QTimer::singleShot(std::atoi(argv[1]) * 1000, [&dialog] { dialog.EndDialog(IDCANCEL); });
    }
    return dialog.DoModal() == -1 ? 1 : 0;
}
