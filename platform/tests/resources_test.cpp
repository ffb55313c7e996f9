// Resources by number: tables registered in code, and a resource library loaded from a
// compiled Qt resource file.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

using namespace zel::platform::test;
using namespace zel::platform;

namespace {

TEST(PlatformResourceLibraryTest, LoadsPicturesAndStringsFromACompiledResourceFile) {
    ensure_app();
    HMODULE lib = LoadLibraryEx(ZEL_TEST_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(GetLastError(), 0u);

    auto bmp = static_cast<HBITMAP>(
        LoadImage(lib, MAKEINTRESOURCE(7), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(bmp, nullptr);
    BITMAP bm;
    GetObject(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    HGDIOBJ old = mem.SelectObject(bmp);
    EXPECT_EQ(mem.GetPixel(0, 1), RGB(255, 0, 0)); // bottom row as stored
    EXPECT_EQ(mem.GetPixel(2, 0), RGB(128, 128, 128));
    mem.SelectObject(old);
    DeleteObject(bmp);
    // The program's own resources do not hold it.
    EXPECT_EQ(LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(7), IMAGE_BITMAP, 0, 0, 0),
              nullptr);

    char text[8];
    EXPECT_EQ(LoadString(lib, 5, text, sizeof text), 7); // cut to the buffer
    EXPECT_STREQ(text, "from th");
    HRSRC res = FindResource(lib, MAKEINTRESOURCE(7), RT_BITMAP);
    ASSERT_NE(res, nullptr);
    EXPECT_EQ(SizeofResource(lib, res), 78u);
    // Locking gives the file's own bytes: a bitmap file starts with "BM".
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(lib, res)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(bytes, 2), "BM");
    EXPECT_EQ(FindResource(lib, MAKEINTRESOURCE(7), RT_BITMAP), res); // read once, kept
    EXPECT_EQ(FindResource(lib, MAKEINTRESOURCE(8), RT_BITMAP), nullptr);

    EXPECT_TRUE(FreeLibrary(lib));
    // A freed library answers nothing and cannot be freed twice.
    EXPECT_EQ(LoadImage(lib, MAKEINTRESOURCE(7), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(LoadString(lib, 5, text, sizeof text), 0);
    EXPECT_FALSE(FreeLibrary(lib));
}

TEST(PlatformResourceTablesTest, MenusAndAcceleratorsFromTables) {
    ensure_app();
    register_menu(700, {{"&File",
                         0,
                         MF_POPUP,
                         {{"&Save...\tCtrl+S", 57603, 0, {}},
                          {"", 0, MF_SEPARATOR, {}},
                          {"E&xit", 57665, MF_GRAYED, {}}}},
                        {"&Help", 0, MF_POPUP, {{"&About...", 57664, 0, {}}}}});
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(700));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetMenuItemCount(), 3u);
    EXPECT_EQ(file->GetMenuItemID(0), 57603u);
    CString label;
    file->GetMenuString(57603, label, MF_BYCOMMAND);
    EXPECT_EQ(label, "&Save...\tCtrl+S");
    EXPECT_TRUE(file->GetMenuState(2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
    // Searching by command goes through pop-ups.
    EXPECT_NE(menu.EnableMenuItem(57664, MF_GRAYED), UINT(-1));
    EXPECT_TRUE(menu.GetSubMenu(1)->GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    // A removed pop-up is no longer the menu's to delete.
    HMENU removed = file->m_hMenu;
    EXPECT_TRUE(menu.RemoveMenu(0, MF_BYPOSITION));
    EXPECT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_TRUE(IsMenu(removed));
    EXPECT_TRUE(DestroyMenu(removed));
    EXPECT_FALSE(CMenu().LoadMenu(701));

    register_accelerators(700, {{FVIRTKEY | FCONTROL, 'S', 57603}});
    EXPECT_NE(LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(700)), nullptr);
    EXPECT_EQ(LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(701)), nullptr);
}

// The 16-bit words of a resource handed out by FindResource.
std::vector<unsigned> resource_words(LPCTSTR name, LPCTSTR type) {
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = FindResource(module, name, type);
    if (found == nullptr) {
        return {};
    }
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    std::vector<unsigned> words;
    for (DWORD i = 0; i + 1 < SizeofResource(module, found); i += 2) {
        words.push_back(unsigned(bytes[i]) | (unsigned(bytes[i + 1]) << 8));
    }
    return words;
}

std::vector<unsigned> utf16_z(const char16_t* text) {
    std::vector<unsigned> words(text, text + std::char_traits<char16_t>::length(text));
    words.push_back(0);
    return words;
}

TEST(PlatformResourceTablesTest, RegisteredMenusAreHandedOutAsStandardTemplates) {
    ensure_app();
    register_menu(
        710,
        {{"&Face",
          0,
          MF_POPUP,
          {{"&Open", 501, 0, {}}, {"", 0, MF_SEPARATOR, {}}, {"\xc3\x9c&ber", 502, MF_GRAYED, {}}}},
         {"&Empty", 0, MF_POPUP, {}}});
    std::vector<unsigned> expected = {0, 0, MF_POPUP};
    auto add = [&expected](std::initializer_list<unsigned> head, const char16_t* text) {
        expected.insert(expected.end(), head);
        const auto t = utf16_z(text);
        expected.insert(expected.end(), t.begin(), t.end());
    };
    add({}, u"&Face");
    add({0, 501}, u"&Open");
    add({MF_SEPARATOR, 0}, u"");
    add({MF_GRAYED | MF_END, 502}, u"\u00dc&ber");
    // The format has no empty level: an empty pop-up holds one separator.
    add({MF_POPUP | MF_END}, u"&Empty");
    add({MF_SEPARATOR | MF_END, 0}, u"");
    EXPECT_EQ(resource_words(MAKEINTRESOURCE(710), RT_MENU), expected);

    // Registering again replaces the template; what was handed out earlier stays readable.
    HRSRC before = FindResource(AfxGetResourceHandle(), MAKEINTRESOURCE(710), RT_MENU);
    const DWORD beforeSize = SizeofResource(AfxGetResourceHandle(), before);
    register_menu(710, {{"&Undo", 601, 0, {}}});
    EXPECT_EQ(resource_words(MAKEINTRESOURCE(710), RT_MENU),
              (std::vector<unsigned>{0, 0, MF_END, 601, '&', 'U', 'n', 'd', 'o', 0}));
    EXPECT_EQ(SizeofResource(AfxGetResourceHandle(), before), beforeSize);
    EXPECT_EQ(static_cast<const unsigned char*>(before)[4], MF_POPUP);
    EXPECT_EQ(FindResource(AfxGetResourceHandle(), MAKEINTRESOURCE(711), RT_MENU), nullptr);
}

TEST(PlatformResourceTablesTest, RegisteredToolbarsAreHandedOutAsStandardRecords) {
    ensure_app();
    register_toolbar(720, 16, 15, {701, 0, 702, 703});
    EXPECT_EQ(resource_words(MAKEINTRESOURCE(720), RT_TOOLBAR),
              (std::vector<unsigned>{1, 16, 15, 4, 701, 0, 702, 703}));
    EXPECT_EQ(FindResource(AfxGetResourceHandle(), MAKEINTRESOURCE(721), RT_TOOLBAR), nullptr);
    // A toolbar is no menu, and a library does not share the program's tables.
    EXPECT_EQ(FindResource(AfxGetResourceHandle(), MAKEINTRESOURCE(720), RT_MENU), nullptr);
    HMODULE lib = LoadLibraryEx(ZEL_TEST_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(FindResource(lib, MAKEINTRESOURCE(720), RT_TOOLBAR), nullptr);
    EXPECT_TRUE(FreeLibrary(lib));
}

// A menu whose items its owner draws: drawing requests of menu items reach the menu object.
class DrawnMenu : public CMenu {
public:
    int drawn = 0;
    int measured = 0;
    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        ++drawn;
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, RGB(1, 2, 3));
    }
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
        ++measured;
        mis->itemHeight = 20;
    }
};

TEST(PlatformResourceTablesTest, OwnerDrawnMenuItemsDrawThroughTheirMenu) {
    ensure_app();
    DrawnMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(
        menu.AppendMenu(MF_OWNERDRAW, 100, reinterpret_cast<LPCTSTR>(std::uintptr_t(0x1234))));
    EXPECT_EQ(menu.GetItemData(100, MF_BYCOMMAND), 0x1234u);
    EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    CWindowDC screen(nullptr);
    bmp.CreateCompatibleBitmap(&screen, 30, 20);
    CBitmap* old = mem.SelectObject(&bmp);
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_MENU;
    dis.itemID = 100;
    dis.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    dis.hDC = mem.m_hDC;
    dis.rcItem = RECT{0, 0, 30, 20};
    EXPECT_EQ(owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(menu.drawn, 1);
    EXPECT_EQ(mem.GetPixel(5, 5), RGB(1, 2, 3));
    mem.SelectObject(old);
    owner.DestroyWindow();
}

} // namespace

namespace {

// The owner of a pop-up menu: measures and draws its owner-drawn items.
class MenuOwner : public CWnd {
public:
    int measured = 0;
    int drawn = 0;
    CMenu* changedWhileMeasured = nullptr; // a menu the owner changes while it is measured

protected:
    void OnMeasureItem(int, LPMEASUREITEMSTRUCT mis) {
        ++measured;
        mis->itemWidth = 80;
        mis->itemHeight = 22;
        if (changedWhileMeasured != nullptr) {
            changedWhileMeasured->RemoveMenu(0, MF_BYPOSITION);
            for (UINT k = 0; k < 40; ++k) {
                changedWhileMeasured->AppendMenu(MF_OWNERDRAW, 300 + k, nullptr);
            }
            changedWhileMeasured = nullptr;
        }
    }
    void OnDrawItem(int, LPDRAWITEMSTRUCT dis) {
        ++drawn;
        CDC::FromHandle(dis->hDC)->FillSolidRect(&dis->rcItem, RGB(200, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MenuOwner, CWnd)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

TEST(PlatformPopupMenuTest, TracksAndReturnsTheChosenCommand) {
    ensure_app();
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100),
                               nullptr, 0));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 200, "&First");
    popup.AppendMenu(MF_OWNERDRAW, 201, nullptr);
    popup.AppendMenu(MF_STRING | MF_GRAYED, 202, "Third");
    // Choose the owner-drawn item once the menu is up; a menu that never showed leaves no timer
    // behind for a later test's pop-up.
    QObject scope;
    QTimer::singleShot(100, &scope, [] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr) {
            return;
        }
        const auto actions = shown->actions();
        if (actions.size() == 3) {
            actions[1]->trigger();
        }
        shown->close();
    });
    const BOOL chosen =
        popup.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, 10, 10, &owner);
    EXPECT_EQ(chosen, 201);
    EXPECT_EQ(owner.measured, 1);
    owner.DestroyWindow();
}

// The owner changes the menu while its first item is measured, as the pop-up is made: the
// pop-up holds the items the menu had when it opened, and the menu keeps the change.
TEST(PlatformPopupMenuTest, MenuChangedWhileItsItemsAreMeasuredShowsItsOpeningItems) {
    ensure_app();
    MenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100),
                               nullptr, 0));
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, 201, nullptr);
    popup.AppendMenu(MF_OWNERDRAW, 202, nullptr);
    owner.changedWhileMeasured = &popup;
    QObject scope;
    int shownItems = 0;
    QTimer::singleShot(100, &scope, [&shownItems] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr) {
            return;
        }
        const auto actions = shown->actions();
        shownItems = int(actions.size());
        if (actions.size() == 2) {
            actions[1]->trigger();
        }
        shown->close();
    });
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, 10, 10, &owner), 202);
    EXPECT_EQ(shownItems, 2);
    EXPECT_EQ(owner.measured, 2);
    EXPECT_EQ(popup.GetMenuItemCount(), 41u);
    owner.DestroyWindow();
}

} // namespace
