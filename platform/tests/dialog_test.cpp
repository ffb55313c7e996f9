// Dialogs from templates: an owner-drawn button and a timer in a modal dialog answered through
// the hook, reflection before the parent, dialog keys, data exchange and dialog units.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

using namespace zel::platform::test;

namespace {

constexpr UINT kTemplate = 900;
constexpr int kOwnerButton = 99001; // arrives in commands as its low 16 bits
constexpr int kEdit = 1001;
constexpr int kRadio = 1010;

std::vector<std::string> g_log;

void register_template() {
    zel::platform::register_dialog(
        kTemplate,
        DialogTemplate{
            "Test dialog",
            0,
            0,
            160,
            80,
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
            "MS Sans Serif",
            8,
            {Control("", kOwnerButton, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 40, 20),
             EditText(kEdit, 60, 10, 60, 12),
             Control("A", kRadio, "BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 60, 30, 40, 10),
             Control("B", kRadio + 1, "BUTTON", BS_AUTORADIOBUTTON, 60, 42, 40, 10),
             DefPushButton("OK", IDOK, 10, 60, 40, 14),
             PushButton("Cancel", IDCANCEL, 60, 60, 40, 14)}});
}

class OwnerButton : public CButton {
public:
    COLORREF face = RGB(0, 128, 0);
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        g_log.push_back((dis->itemState & ODS_SELECTED) ? "drawitem:pressed" : "drawitem");
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, (dis->itemState & ODS_SELECTED) ? RGB(0, 0, 128) : face);
    }

protected:
    void PreSubclassWindow() override {
        g_log.push_back("subclass");
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
        CButton::PreSubclassWindow();
    }
    BOOL OnClicked() {
        g_log.push_back("button:clicked");
        return FALSE; // the parent sees the click too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnerButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(kTemplate) {}
    OwnerButton button;
    CString text = "start";
    int choice = 1;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kOwnerButton, button);
        DDX_Text(dx, kEdit, text);
        DDX_Radio(dx, kRadio, choice);
    }
    BOOL OnInitDialog() override {
        g_log.push_back("init");
        CDialog::OnInitDialog();
        SetTimer(5, 20, nullptr);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) {
        g_log.push_back("timer");
        KillTimer(id);
    }
    void OnGo() {
        g_log.push_back("dialog:clicked");
        EndDialog(42);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_WM_TIMER()
ON_BN_CLICKED(kOwnerButton, OnGo)
END_MESSAGE_MAP()

std::ptrdiff_t position(const std::string& what) {
    return std::find(g_log.begin(), g_log.end(), what) - g_log.begin();
}

class PlatformDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_app();
        register_template();
        g_log.clear();
    }
    HookReset reset;
};

TEST_F(PlatformDialogTest, OwnerDrawnButtonAndTimerInAModalDialog) {
    TestDialog dlg;
    COLORREF drawn = 0;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        pump(2000, [] {
            return std::count(g_log.begin(), g_log.end(), "timer") > 0 &&
                   std::count(g_log.begin(), g_log.end(), "drawitem") > 0;
        });
        {
            CClientDC dc(&dlg.button);
            drawn = dc.GetPixel(3, 3);
        }
        CRect rc;
        dlg.button.GetClientRect(&rc);
        click(dlg.button, rc.CenterPoint());
        (void)d;
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(drawn, RGB(0, 128, 0));
    // Initialisation subclasses the control; then it paints; the timer fires; a click goes
    // to the control first, then to the dialog.
    EXPECT_LT(position("init"), position("subclass"));
    EXPECT_LT(position("subclass"), position("drawitem"));
    EXPECT_LT(position("timer"), position("button:clicked"));
    EXPECT_LT(position("drawitem:pressed"), position("button:clicked"));
    EXPECT_EQ(position("button:clicked") + 1, position("dialog:clicked"));
    EXPECT_EQ(dlg.m_hWnd, nullptr); // the window is gone after DoModal
}

TEST_F(PlatformDialogTest, OneDialogObjectRunsManyTimes) {
    // The editor keeps one object per dialog and opens it again and again.
    TestDialog dlg;
    for (int run = 0; run < 3; ++run) {
        g_log.clear();
        COLORREF drawn = 0;
        zel::platform::set_modal_dialog_hook([&](CDialog& d) {
            pump(1000, [] { return std::count(g_log.begin(), g_log.end(), "drawitem") > 0; });
            CClientDC dc(&dlg.button);
            drawn = dc.GetPixel(1, 1);
            d.EndDialog(run);
        });
        dlg.button.face = RGB(run * 50, 0, 0);
        EXPECT_EQ(dlg.DoModal(), run);
        EXPECT_EQ(drawn, RGB(run * 50, 0, 0));
        EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "subclass"), 1);
        EXPECT_EQ(dlg.button.m_hWnd, nullptr);
    }
}

TEST_F(PlatformDialogTest, HookAnswersThroughEndDialogWithoutALoop) {
    TestDialog dlg;
    int calls = 0;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        ++calls;
        d.SetDlgItemText(kEdit, "typed");
        d.CheckDlgButton(kRadio, BST_CHECKED);
        d.CheckDlgButton(kRadio + 1, BST_UNCHECKED);
        d.SendMessage(WM_COMMAND, IDOK, 0); // OnOK: exchange data, end with IDOK
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(dlg.text, "typed");
    EXPECT_EQ(dlg.choice, 0);
}

// A modal dialog whose window is destroyed from inside its loop, without EndDialog: DoModal
// returns instead of waiting on for a window that is gone.
TEST_F(PlatformDialogTest, ModalDialogDestroyedWithoutEndingReturns) {
    TestDialog dlg;
    bool rescued = false;
    QObject scope;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        CDialog* shown = &d;
        QTimer::singleShot(10, &scope, [shown] { shown->DestroyWindow(); });
        // Only so that a failing run ends.
        QTimer::singleShot(3000, &scope, [shown, &rescued] {
            rescued = true;
            shown->EndDialog(IDABORT);
        });
    });
    dlg.DoModal();
    EXPECT_FALSE(rescued);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(PlatformDialogTest, DataExchangeFillsTheControlsOnOpening) {
    TestDialog dlg;
    dlg.text = "hello";
    dlg.choice = 0;
    CString seen;
    UINT firstChecked = 0;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        d.GetDlgItemText(kEdit, seen);
        firstChecked = d.IsDlgButtonChecked(kRadio);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(seen, "hello");
    EXPECT_EQ(firstChecked, UINT(BST_CHECKED));
}

TEST_F(PlatformDialogTest, EscapeCancelsAndEnterPressesTheDefaultButton) {
    {
        TestDialog dlg;
        zel::platform::set_modal_dialog_hook(
            [&](CDialog& d) { key(*d.GetDlgItem(kEdit), Qt::Key_Escape); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    {
        TestDialog dlg;
        zel::platform::set_modal_dialog_hook([&](CDialog& d) {
            d.SetDlgItemText(kEdit, "enter");
            key(*d.GetDlgItem(kEdit), Qt::Key_Return);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.text, "enter");
    }
}

TEST_F(PlatformDialogTest, MissingTemplateShowsNothing) {
    CDialog dlg(245);
    bool called = false;
    zel::platform::set_modal_dialog_hook([&](CDialog&) { called = true; });
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(called);
}

TEST_F(PlatformDialogTest, DialogUnitsUseFixedBaseUnits) {
    CDialog dlg;
    CRect r(23, 26, 179, 232);
    dlg.MapDialogRect(&r);
    EXPECT_EQ(r, CRect(35, 42, 269, 377));
    TestDialog sized;
    CRect client;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        d.GetClientRect(&client);
        d.EndDialog(1);
    });
    sized.DoModal();
    EXPECT_EQ(client, CRect(0, 0, 240, 130));
}

} // namespace
