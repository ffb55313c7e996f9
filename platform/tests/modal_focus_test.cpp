// The keyboard focus after a modal dialog: with no window manager to hand it on (the offscreen
// platform has none), the owner window gets it back when the dialog ends, on the control that
// held it, for the layer's own dialogs, message boxes and the common dialogs alike.

#include "zel/platform/testing.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace zel::platform::test;

namespace {

constexpr UINT kTemplate = 930;
constexpr int kOwnerEdit = 931;

struct ModalFocusTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::reset_hooks();
        zel::platform::register_dialog(kTemplate,
                                       DialogTemplate{"Modal",
                                                      0,
                                                      0,
                                                      120,
                                                      60,
                                                      WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                                                      "MS Sans Serif",
                                                      8,
                                                      {DefPushButton("OK", IDOK, 10, 40, 40, 14)}});
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(edit.Create("EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                CRect(10, 10, 110, 30), &owner, kOwnerEdit));
        owner.SetForegroundWindow();
        edit.SetFocus();
        pump(100, [this] { return owner_has_focus(); });
        ASSERT_TRUE(owner_has_focus()) << "the owner never had the focus";
    }
    void TearDown() override { owner.DestroyWindow(); }

    bool owner_has_focus() {
        return CWnd::GetActiveWindow() == &owner && CWnd::GetFocus() == &edit;
    }
    // After a dialog has ended: the events it left are run, then the focus is looked at.
    bool focus_came_back() {
        pump(200, [this] { return owner_has_focus(); });
        return owner_has_focus();
    }

    // Closes the first Qt dialog that shows, once it has taken the focus.
    static void close_qt_dialog_when_shown() {
        QTimer::singleShot(0, [] {
            QWidget* shown = nullptr;
            pump(3000, [&] {
                shown = QApplication::activeModalWidget();
                return shown != nullptr && shown->isActiveWindow();
            });
            ASSERT_NE(shown, nullptr) << "no dialog showed";
            if (auto* dialog = qobject_cast<QDialog*>(shown)) {
                dialog->reject();
            } else {
                shown->close();
            }
        });
    }

    CWnd owner;
    CWnd edit;
    HookReset reset;
};

TEST_F(ModalFocusTest, TheOwnerGetsTheFocusBackWhenALayerDialogEnds) {
    zel::platform::set_modal_dialog_hook([](CDialog& dialog) {
        pump(3000, [&] { return CWnd::GetActiveWindow() == &dialog; });
        EXPECT_EQ(CWnd::GetActiveWindow(), &dialog) << "the dialog never had the focus";
        dialog.EndDialog(IDOK);
    });
    CDialog dialog(kTemplate, &owner);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(focus_came_back());
}

TEST_F(ModalFocusTest, TheOwnerGetsTheFocusBackWhenAMessageBoxEnds) {
    close_qt_dialog_when_shown();
    owner.MessageBox("Shown and closed", "Box", MB_OK);
    EXPECT_TRUE(focus_came_back());
    // A box without an owner hands the focus back to the window that had it.
    close_qt_dialog_when_shown();
    ::MessageBox(nullptr, "Shown and closed", "Box", MB_OK);
    EXPECT_TRUE(focus_came_back());
}

TEST_F(ModalFocusTest, TheOwnerGetsTheFocusBackWhenACommonDialogEnds) {
    close_qt_dialog_when_shown();
    CFileDialog files(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, "All||", &owner);
    EXPECT_EQ(files.DoModal(), IDCANCEL);
    EXPECT_TRUE(focus_came_back());

    close_qt_dialog_when_shown();
    CColorDialog colours(0, 0, &owner);
    EXPECT_EQ(colours.DoModal(), IDCANCEL);
    EXPECT_TRUE(focus_came_back());

    close_qt_dialog_when_shown();
    CFontDialog fonts(nullptr, CF_SCREENFONTS, nullptr, &owner);
    EXPECT_EQ(fonts.DoModal(), IDCANCEL);
    EXPECT_TRUE(focus_came_back());
}

} // namespace
