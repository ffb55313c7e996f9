// Dialog templates: what a template makes (its items in order, as windows of their kind, at
// their pixel places, with their texts and styles), the tab order, the default button, the
// focus at opening, and radio groups exchanged with DDX_Radio.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <string>
#include <vector>

using namespace zel::platform::test;

namespace {

constexpr UINT kTemplate = 7201;
enum : int {
    kName = 11,
    kFrame = 12,
    kFirst = 13,
    kSecond = 14,
    kThird = 15,
    kOther = 16,
    kBar = 17,
    kDefault = 18
};

DialogTemplate form() {
    return DialogTemplate{"Form",
                          0,
                          0,
                          160,
                          100,
                          WS_POPUP | WS_CAPTION,
                          "MS Sans Serif",
                          8,
                          {LText("&Name:", -1, 4, 4, 40, 8), EditText(kName, 48, 4, 80, 12),
                           Control("", kFrame, "STATIC", SS_BLACKFRAME, 4, 20, 100, 40),
                           Control("One", kFirst, "BUTTON",
                                   BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 8, 24, 40, 10),
                           Control("Two", kSecond, "BUTTON", BS_AUTORADIOBUTTON, 8, 36, 40, 10),
                           Control("Three", kThird, "BUTTON", BS_AUTORADIOBUTTON, 8, 48, 40, 10),
                           Control("Other", kOther, "BUTTON",
                                   BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 60, 24, 40, 10),
                           Control("", kBar, "SCROLLBAR", SBS_HORZ, 4, 64, 100, 8),
                           DefPushButton("OK", kDefault, 110, 80, 40, 14),
                           PushButton("Cancel", IDCANCEL, 60, 80, 40, 14)}};
}

class FormDialog : public CDialog {
public:
    FormDialog() : CDialog(kTemplate) {}
    int choice = 1;
    CString name = "Ada";
    std::vector<int> okChoices;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, kName, name);
        DDX_Radio(dx, kFirst, choice);
    }
    void OnDefault() {
        UpdateData(TRUE);
        okChoices.push_back(choice);
        EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FormDialog, CDialog)
ON_BN_CLICKED(kDefault, OnDefault)
END_MESSAGE_MAP()

struct PlatformTemplateTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::register_dialog(kTemplate, form());
    }
    HookReset hooks;
};

TEST_F(PlatformTemplateTest, ItemsBecomeWindowsOfTheirKindAtTheirPixelPlaces) {
    FormDialog dialog;
    ASSERT_TRUE(dialog.Create(kTemplate));
    CString caption;
    dialog.GetWindowText(caption);
    EXPECT_EQ(caption, "Form");
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 240, 163)); // 160 x 100 units at 6 x 13 pixels per 4 x 8

    // Children in template order, each at its units turned to pixels, visible, with its text.
    struct Expected {
        int id;
        CRect rect;
        const char* text;
    };
    const Expected items[] = {{kName, CRect(72, 7, 192, 26), "Ada"},
                              {kFrame, CRect(6, 33, 156, 98), ""},
                              {kFirst, CRect(12, 39, 72, 55), "One"},
                              {kBar, CRect(6, 104, 156, 117), ""},
                              {kDefault, CRect(165, 130, 225, 153), "OK"}};
    for (const Expected& e : items) {
        CWnd* item = dialog.GetDlgItem(e.id);
        ASSERT_NE(item, nullptr) << e.id;
        CRect rc;
        item->GetWindowRect(&rc);
        dialog.ScreenToClient(&rc);
        EXPECT_EQ(rc, e.rect) << e.id;
        EXPECT_TRUE(item->IsWindowVisible()) << e.id;
        EXPECT_TRUE(item->GetStyle() & WS_CHILD) << e.id;
        CString text;
        item->GetWindowText(text);
        EXPECT_EQ(text, e.text) << e.id;
    }
    // Items without an object of their own are handed out as their kind's class.
    EXPECT_NE(dynamic_cast<CButton*>(dialog.GetDlgItem(kFirst)), nullptr);
    EXPECT_NE(dynamic_cast<CStatic*>(dialog.GetDlgItem(kFrame)), nullptr);
    EXPECT_NE(dynamic_cast<CScrollBar*>(dialog.GetDlgItem(kBar)), nullptr);
    EXPECT_EQ(dynamic_cast<CButton*>(dialog.GetDlgItem(kName)), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(999), nullptr);
    dialog.DestroyWindow();
}

TEST_F(PlatformTemplateTest, TabOrderFollowsTheTemplateAndSkipsWhatCannotTakeTheFocus) {
    FormDialog dialog;
    ASSERT_TRUE(dialog.Create(kTemplate));
    // Tab stops: the edit field, the first radio button, the check box, OK and Cancel.
    std::vector<int> order;
    CWnd* at = dialog.GetNextDlgTabItem(nullptr);
    for (int i = 0; i < 6 && at != nullptr; ++i) {
        order.push_back(at->GetDlgCtrlID());
        at = dialog.GetNextDlgTabItem(at);
    }
    EXPECT_EQ(order, (std::vector<int>{kName, kFirst, kOther, kDefault, IDCANCEL, kName}));
    EXPECT_EQ(dialog.GetNextDlgTabItem(dialog.GetDlgItem(kName), TRUE)->GetDlgCtrlID(), IDCANCEL);
    dialog.GetDlgItem(kOther)->EnableWindow(FALSE);
    EXPECT_EQ(dialog.GetNextDlgTabItem(dialog.GetDlgItem(kFirst))->GetDlgCtrlID(), kDefault);
    dialog.DestroyWindow();
}

TEST_F(PlatformTemplateTest, OpeningFocusesTheFirstTabStopAndEnterPressesTheDefaultButton) {
    FormDialog dialog;
    bool nameFocused = false;
    QObject scope; // the timer ends with the test
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        // Once the dialog shows, the focus is in the name field; Enter presses OK there.
        QTimer::singleShot(50, &scope, [&] {
            nameFocused = CWnd::GetFocus() == d.GetDlgItem(kName);
            key(*d.GetDlgItem(kName), Qt::Key_Return);
        });
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(nameFocused);
    EXPECT_EQ(dialog.okChoices, (std::vector<int>{1}));
}

TEST_F(PlatformTemplateTest, RadioGroupsExchangeTheIndexOfTheirCheckedButton) {
    FormDialog dialog;
    std::vector<UINT> opened;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        // Opening checks button `choice` of the group and no other.
        for (int id : {kFirst, kSecond, kThird}) {
            opened.push_back(d.IsDlgButtonChecked(id));
        }
        // The group ends at the next WS_GROUP: the check box is not part of it.
        d.GetDlgItem(kThird)->SendMessage(BM_CLICK);
        d.GetDlgItem(kOther)->SendMessage(BM_CLICK);
        d.GetDlgItem(kDefault)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(opened, (std::vector<UINT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
    EXPECT_EQ(dialog.okChoices, (std::vector<int>{2}));
    EXPECT_EQ(dialog.choice, 2);

    // No button of the group checked reads as -1.
    dialog.choice = 7;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        for (int id : {kFirst, kSecond, kThird}) {
            EXPECT_EQ(d.IsDlgButtonChecked(id), UINT(BST_UNCHECKED)) << id;
        }
        d.GetDlgItem(kDefault)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.choice, -1);
}

} // namespace
