// Messages in their order: a window's creation and destruction, which class of a message map
// answers, default handling, and a control's notification reflected to it before its parent.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zel::platform::test;

namespace {

std::vector<std::string> g_log;

// A window that writes down its life, under its name.
class LifeWnd : public CWnd {
public:
    explicit LifeWnd(std::string name, bool refuse = false)
        : m_name(std::move(name)), m_refuse(refuse) {}
    CREATESTRUCT seen{};
    std::string seenName;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        g_log.push_back(m_name + " precreate");
        cs.style |= WS_BORDER; // what PreCreateWindow changes is what gets made
        return TRUE;
    }
    void PreSubclassWindow() override { g_log.push_back(m_name + " presubclass"); }
    int OnCreate(LPCREATESTRUCT cs) {
        g_log.push_back(m_name + " create");
        seen = *cs;
        seenName = cs->lpszName != nullptr ? cs->lpszName : "";
        return m_refuse ? -1 : 0;
    }
    void OnDestroy() {
        g_log.push_back(m_name + " destroy");
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override { g_log.push_back(m_name + " gone"); }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
    bool m_refuse;
};
BEGIN_MESSAGE_MAP(LifeWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

struct PlatformMessageTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        g_log.clear();
    }
    HookReset hooks;
};

TEST_F(PlatformMessageTest, CreationAsksTheObjectFirstAndDestructionEndsChildrenInside) {
    LifeWnd parent("parent"), child("child"), grandchild("grandchild");
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "Parent", WS_POPUP, CRect(10, 20, 210, 120), nullptr, 0));
    ASSERT_TRUE(child.Create(nullptr, "Child", WS_VISIBLE, CRect(5, 5, 105, 55), &parent, 3));
    ASSERT_TRUE(grandchild.Create(nullptr, "", WS_VISIBLE, CRect(1, 1, 11, 11), &child, 4));
    EXPECT_EQ(g_log, (std::vector<std::string>{
                         "parent precreate", "parent presubclass", "parent create",
                         "child precreate", "child presubclass", "child create",
                         "grandchild precreate", "grandchild presubclass", "grandchild create"}));
    // WM_CREATE carries the window as asked for, with what PreCreateWindow changed.
    EXPECT_EQ(child.seenName, "Child");
    EXPECT_EQ(child.seen.cx, 100);
    EXPECT_EQ(child.seen.cy, 50);
    EXPECT_EQ(child.seen.hwndParent, parent.m_hWnd);
    EXPECT_TRUE(child.seen.style & WS_CHILD);
    EXPECT_TRUE(child.GetStyle() & WS_BORDER);
    EXPECT_EQ(child.GetDlgCtrlID(), 3);
    EXPECT_EQ(child.GetParent(), &parent);

    g_log.clear();
    ASSERT_TRUE(parent.DestroyWindow());
    // WM_DESTROY goes down from the window destroyed; the objects let go from the inside out.
    EXPECT_EQ(g_log,
              (std::vector<std::string>{"parent destroy", "child destroy", "grandchild destroy",
                                        "grandchild gone", "child gone", "parent gone"}));
    EXPECT_EQ(parent.m_hWnd, nullptr);
    EXPECT_EQ(grandchild.m_hWnd, nullptr);
    EXPECT_FALSE(parent.DestroyWindow()); // nothing left to destroy
}

TEST_F(PlatformMessageTest, AWindowThatRefusesItsCreationIsGoneAtOnce) {
    LifeWnd refusing("refusing", true);
    EXPECT_FALSE(refusing.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(refusing.m_hWnd, nullptr);
    EXPECT_EQ(g_log.back(), "refusing gone");
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "refusing destroy"), 1);
}

// A base class and a class derived from it that answers one of the base's messages again.
class BaseWnd : public CWnd {
public:
    LRESULT OnFirst(WPARAM, LPARAM) {
        g_log.push_back("base first");
        return 1;
    }
    LRESULT OnSecond(WPARAM w, LPARAM) {
        g_log.push_back("base second " + std::to_string(w));
        return 2;
    }

protected:
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
ON_MESSAGE(WM_APP + 1, OnFirst)
ON_MESSAGE(WM_APP + 2, OnSecond)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
protected:
    LRESULT OnDerivedFirst(WPARAM w, LPARAM l) {
        g_log.push_back("derived first");
        return 10 + OnFirst(w, l);
    }
    void OnCommandRange(UINT id) { g_log.push_back("command " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
ON_MESSAGE(WM_APP + 1, OnDerivedFirst)
ON_COMMAND_RANGE(700, 702, OnCommandRange)
END_MESSAGE_MAP()

TEST_F(PlatformMessageTest, TheMostDerivedMapAnswersAndTheBasesAnswerTheRest) {
    DerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(w.SendMessage(WM_APP + 1), 11);
    EXPECT_EQ(w.SendMessage(WM_APP + 2, 5), 2);
    // A message no map names gets the window kind's default: nothing, 0.
    EXPECT_EQ(w.SendMessage(WM_APP + 3), 0);
    // A range hands over the command, as its low 16 bits.
    w.SendMessage(WM_COMMAND, MAKEWPARAM(701, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(703, 0), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"derived first", "base first", "base second 5",
                                               "command 701"}));
    // A message posted waits for the queue; one sent meanwhile is answered at once.
    g_log.clear();
    w.PostMessage(WM_APP + 2, 1);
    w.SendMessage(WM_APP + 2, 2);
    EXPECT_EQ(g_log, (std::vector<std::string>{"base second 2"}));
    pump(50, [] { return g_log.size() == 2; });
    EXPECT_EQ(g_log, (std::vector<std::string>{"base second 2", "base second 1"}));
    w.DestroyWindow();
}

// A button that sees its own click first; whether the parent sees it too is its answer.
class OwnClickButton : public CButton {
public:
    BOOL passOn = FALSE;

protected:
    BOOL OnClicked() {
        g_log.push_back("button clicked");
        return !passOn;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(OwnClickButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// A button that always keeps its click.
class KeepingButton : public CButton {
protected:
    void OnClicked() { g_log.push_back("kept click"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(KeepingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class ClickParent : public CWnd {
protected:
    void OnOwn() { g_log.push_back("parent clicked"); }
    void OnKeeping() { g_log.push_back("parent saw the kept click"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClickParent, CWnd)
ON_BN_CLICKED(31, OnOwn)
ON_BN_CLICKED(32, OnKeeping)
END_MESSAGE_MAP()

TEST_F(PlatformMessageTest, AClickReachesTheButtonFirstThenTheParentUnlessTheButtonKeepsIt) {
    ClickParent parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 60), nullptr, 0));
    OwnClickButton own;
    KeepingButton keeping;
    ASSERT_TRUE(own.Create("own", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &parent, 31));
    ASSERT_TRUE(keeping.Create("keep", WS_CHILD | WS_VISIBLE, CRect(50, 0, 90, 20), &parent, 32));
    own.passOn = TRUE;
    click(own, CPoint(5, 5));
    own.passOn = FALSE;
    own.SendMessage(BM_CLICK);
    keeping.SendMessage(BM_CLICK);
    EXPECT_EQ(g_log, (std::vector<std::string>{"button clicked", "parent clicked", "button clicked",
                                               "kept click"}));
    parent.DestroyWindow();
}

} // namespace
