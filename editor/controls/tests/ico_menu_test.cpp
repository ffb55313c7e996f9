// The owner-drawn menu: the desktop's look, templates, item records, measuring, drawing and
// the keyboard shortcut search.

#include "zel/controls/ico_menu.h"

#include "controls_test_support.h"
#include "menu_template.h"
#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

using namespace zel::controls::test;

namespace {

constexpr UINT kMenu = 9501;

void register_face_menu() {
    zel::platform::register_menu(
        kMenu,
        {MenuItemTemplate{"&File",
                          0,
                          MF_POPUP,
                          {MenuItemTemplate{"&Open\tCtrl+O", 601, 0, {}},
                           MenuItemTemplate{"", 0, MF_SEPARATOR, {}},
                           MenuItemTemplate{"&Recent",
                                            0,
                                            MF_POPUP,
                                            {MenuItemTemplate{"Face &1", 611, 0, {}},
                                             MenuItemTemplate{"Face &2", 612, MF_CHECKED, {}}}},
                           MenuItemTemplate{"E&xit", 602, MF_GRAYED, {}}}},
         MenuItemTemplate{"&Edit", 0, MF_POPUP, {MenuItemTemplate{"&Undo", 621, 0, {}}}}});
}

} // namespace

TEST(IcoMenuLook, ClassicThemeIsTheClassicFileNameAtTheEndInAnyCase) {
    EXPECT_TRUE(
        IcoMenu::IsClassicThemeValue("C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme"));
    EXPECT_TRUE(IcoMenu::IsClassicThemeValue("d:\\themes\\wInDoWs cLaSsIc.THEME"));
    EXPECT_TRUE(IcoMenu::IsClassicThemeValue("Windows Classic.theme"));
    EXPECT_FALSE(IcoMenu::IsClassicThemeValue("Classic.theme"));
    EXPECT_FALSE(IcoMenu::IsClassicThemeValue("C:\\WINDOWS\\Resources\\Themes\\Luna.theme"));
    EXPECT_FALSE(IcoMenu::IsClassicThemeValue(""));
    EXPECT_FALSE(IcoMenu::IsClassicThemeValue(nullptr));
    // A value that fills the whole buffer without a terminator is read to its end only.
    char full[260];
    std::memset(full, 'x', sizeof full);
    EXPECT_FALSE(IcoMenu::IsClassicThemeValue(full));
    std::memcpy(full + 260 - 21, "Windows Classic.theme", 21);
    EXPECT_TRUE(IcoMenu::IsClassicThemeValue(full));
    // This desktop: Windows XP with the classic theme, so the classic look.
    EXPECT_EQ(IcoMenu::GetOsKind(), 7);
    EXPECT_TRUE(IcoMenu::IsClassicTheme());
    EXPECT_TRUE(IcoMenu::UsesFlatLook(7, false));
    EXPECT_FALSE(IcoMenu::UsesFlatLook(7, true));
    EXPECT_FALSE(IcoMenu::UsesFlatLook(6, false));
}

TEST(IcoMenuTemplate, LoadBuildsOwnerDrawnPopupsUnderPlainTopItems) {
    ensure_app();
    register_face_menu();
    IcoMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    EXPECT_TRUE(IcoMenu::IsMenu(&menu));
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    // The top level shows as plain strings with their pop-ups.
    CString top;
    menu.GetMenuString(0, top, MF_BYPOSITION);
    EXPECT_EQ(top, "&File");
    EXPECT_FALSE(menu.GetMenuState(0, MF_BYPOSITION) & MF_OWNERDRAW);
    IcoMenu* file = menu.GetSubMenuAt(0);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(IcoMenu::IsMenu(file));
    ASSERT_EQ(file->GetMenuItemCount(), 4u);
    ASSERT_EQ(file->Items().size(), 4u);
    for (UINT pos = 0; pos < 4; ++pos) {
        EXPECT_TRUE(file->GetMenuState(pos, MF_BYPOSITION) & MF_OWNERDRAW) << pos;
        EXPECT_EQ(file->GetItemData(pos, MF_BYPOSITION),
                  reinterpret_cast<UINT_PTR>(file->Items()[pos].get()));
    }
    EXPECT_EQ(file->GetItemText(0, MF_BYPOSITION), "&Open\tCtrl+O");
    EXPECT_TRUE(file->Items()[1]->m_menuFlags & MF_SEPARATOR);
    EXPECT_TRUE(file->Items()[3]->m_menuFlags & MF_GRAYED);
    EXPECT_EQ(file->Items()[3]->m_command, 602u);
    // Nested pop-ups, found by text and by command through the levels.
    IcoMenu* recent = file->GetSubMenuByText(L"&Recent");
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->Items().size(), 2u);
    EXPECT_TRUE(recent->Items()[1]->m_menuFlags & MF_CHECKED);
    int pos = -1;
    EXPECT_EQ(menu.FindItem(612u, pos), recent);
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(menu.FindItem(L"&Undo", pos), menu.GetSubMenuAt(1));
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(menu.FindItem(999u, pos), nullptr);
    // A missing template changes nothing.
    EXPECT_FALSE(menu.LoadMenu(4242u));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
}

// Resource 9503 holds a template cut off inside its third item, before any level has ended.
TEST(IcoMenuTemplate, ACutTemplateIsRefusedAndTheMenuKept) {
    ensure_app();
    register_face_menu();
    IcoMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    IcoMenu* file = menu.GetSubMenuAt(0);
    EXPECT_FALSE(menu.LoadMenu(9503u));
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.GetSubMenuAt(0), file);
    EXPECT_TRUE(IcoMenu::IsMenu(file));
    EXPECT_EQ(file->Items().size(), 4u);
    int pos = -1;
    EXPECT_EQ(menu.FindItem(621u, pos), menu.GetSubMenuAt(1));
    // A template whose levels never end is refused whole, however many items it holds.
    const auto items = zel::controls::read_menu_template(
        zel::controls::menu_template_bytes(MAKEINTRESOURCE(9503)));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(zel::controls::menu_template_extent(items), 0u);
    const std::vector<BYTE> bytes = zel::controls::menu_template_bytes(MAKEINTRESOURCE(kMenu));
    EXPECT_EQ(zel::controls::menu_template_extent(zel::controls::read_menu_template(bytes)), 9u);
}

TEST(IcoMenuTemplate, TopItemsKeepTheirTemplateState) {
    ensure_app();
    constexpr UINT kGrayedTop = 9502;
    zel::platform::register_menu(
        kGrayedTop,
        {MenuItemTemplate{
             "&Tools", 0, MF_POPUP | MF_GRAYED, {MenuItemTemplate{"&Run", 631, 0, {}}}},
         MenuItemTemplate{"&Help", 0, MF_POPUP, {MenuItemTemplate{"&About", 632, 0, {}}}}});
    IcoMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kGrayedTop));
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    // Turning the top items back into strings keeps a grayed item grayed.
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(menu.GetMenuState(1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_NE(menu.GetSubMenuAt(0), nullptr);
}

TEST(IcoMenuTemplate, DestroyForgetsEveryOwnMenu) {
    ensure_app();
    register_face_menu();
    IcoMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    const HMENU file = menu.GetSubMenuAt(0)->m_hMenu;
    const HMENU self = menu.m_hMenu;
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(IcoMenu::IsMenu(self));
    EXPECT_FALSE(IcoMenu::IsMenu(file));
    EXPECT_FALSE(::IsMenu(file));
    EXPECT_TRUE(menu.Items().empty());
}

TEST(IcoMenuTemplate, DamagedTemplatesAreReadToTheirEndOnly) {
    register_face_menu();
    const std::vector<BYTE> bytes = zel::controls::menu_template_bytes(MAKEINTRESOURCE(kMenu));
    ASSERT_GT(bytes.size(), 20u);
    const auto all = zel::controls::read_menu_template(bytes);
    ASSERT_EQ(all.size(), 9u);
    EXPECT_EQ(all[0].text, L"&File");
    EXPECT_TRUE(all[0].flags & MF_POPUP);
    EXPECT_TRUE(all[8].flags & MF_END);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        const std::vector<BYTE> part(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut));
        EXPECT_LE(zel::controls::read_menu_template(part).size(), all.size());
    }
    // An offset pointing far past the end.
    std::vector<BYTE> far = bytes;
    far[2] = 0xFF;
    far[3] = 0xFF;
    EXPECT_TRUE(zel::controls::read_menu_template(far).empty());
}

TEST(IcoMenuItems, AppendInsertModifyAndRemoveKeepRecordsInOrder) {
    ensure_app();
    IcoMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendItem("&Open", MF_OWNERDRAW, 701));
    EXPECT_TRUE(menu.AppendItem(L"&Save", MF_OWNERDRAW, 702));
    EXPECT_TRUE(menu.AppendItem(static_cast<LPCSTR>(nullptr), 0, 0)); // separator
    EXPECT_TRUE(menu.InsertItem(0, "&New", MF_BYPOSITION, 700));
    ASSERT_EQ(menu.Items().size(), 4u);
    EXPECT_EQ(menu.GetItemText(0, MF_BYPOSITION), "&New");
    EXPECT_EQ(menu.GetItemText(3, MF_BYPOSITION), "");
    EXPECT_TRUE(menu.Items()[3]->m_menuFlags & MF_SEPARATOR);
    for (UINT pos = 0; pos < 4; ++pos) {
        EXPECT_EQ(menu.GetItemData(pos, MF_BYPOSITION),
                  reinterpret_cast<UINT_PTR>(menu.Items()[pos].get()));
    }
    EXPECT_TRUE(menu.ModifyItem("Save &as", 702));
    EXPECT_EQ(menu.GetItemText(702, MF_BYCOMMAND), "Save &as");
    EXPECT_FALSE(menu.ModifyItem("x", 9999));
    EXPECT_TRUE(menu.ModifyItemText(L"&New", L"&Blank"));
    EXPECT_EQ(menu.GetItemText(0, MF_BYPOSITION), "&Blank");
    // Colour swatch and bitmap images become the item's own image.
    EXPECT_TRUE(menu.ModifyItemColor("&Open", 701, RGB(255, 0, 0)));
    ASSERT_NE(menu.Items()[1]->m_ownImages, nullptr);
    EXPECT_EQ(menu.Items()[1]->m_ownImageIndex, 0);
    // Pop-ups made by the menu and removed again.
    IcoMenu* sub = menu.AppendPopup("&More");
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(IcoMenu::IsMenu(sub));
    EXPECT_TRUE(sub->AppendItem("&Deep", MF_OWNERDRAW, 710));
    int pos = -1;
    EXPECT_EQ(menu.FindItem(710u, pos), sub);
    const HMENU subHandle = sub->m_hMenu;
    EXPECT_TRUE(menu.DeleteItem(L"&More"));
    EXPECT_FALSE(::IsMenu(subHandle));
    EXPECT_FALSE(IcoMenu::IsMenu(subHandle));
    EXPECT_TRUE(menu.RemoveItem(0, MF_BYPOSITION));
    EXPECT_EQ(menu.Items().size(), 3u);
    EXPECT_EQ(menu.GetItemText(0, MF_BYPOSITION), "&Open");
    EXPECT_FALSE(menu.RemoveItem(7, MF_BYPOSITION));
    // Check-mark images need two real ids.
    EXPECT_FALSE(menu.SetCheckMarkImages(0, 5));
}

TEST(IcoMenuMeasure, SeparatorsAreFlatAndItemsFitTextAndImage) {
    ensure_app();
    IcoMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open", MF_OWNERDRAW, 801);
    menu.AppendItem("&Open\tCtrl+O", MF_OWNERDRAW, 802);
    menu.AppendItem(static_cast<LPCSTR>(nullptr), 0, 0);
    MEASUREITEMSTRUCT sep;
    sep.CtlType = ODT_MENU;
    sep.itemData = reinterpret_cast<UINT_PTR>(menu.Items()[2].get());
    menu.MeasureItem(&sep);
    EXPECT_EQ(sep.itemWidth, 0u);
    // max(19 / 2, (4 + 15) / 2) in the classic draw mode.
    EXPECT_EQ(sep.itemHeight, 9u);
    MEASUREITEMSTRUCT item;
    item.CtlType = ODT_MENU;
    item.itemData = reinterpret_cast<UINT_PTR>(menu.Items()[0].get());
    menu.MeasureItem(&item);
    EXPECT_EQ(item.itemHeight, 19u); // max(SM_CYMENU, 15 + 4)
    EXPECT_GT(item.itemWidth, 2u * 16u + 1u);
    MEASUREITEMSTRUCT keys = item;
    keys.itemData = reinterpret_cast<UINT_PTR>(menu.Items()[1].get());
    menu.MeasureItem(&keys);
    EXPECT_GT(keys.itemWidth, item.itemWidth);
    // Data that is not one of the menu's records is left alone.
    MEASUREITEMSTRUCT foreign;
    foreign.itemWidth = 5;
    foreign.itemData = 12345;
    menu.MeasureItem(&foreign);
    EXPECT_EQ(foreign.itemWidth, 5u);
}

TEST(IcoMenuDraw, ClassicItemsShowSelectionChecksAndGreyText) {
    ensure_app();
    IcoMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open", MF_OWNERDRAW, 901);
    menu.AppendItem(static_cast<LPCSTR>(nullptr), 0, 0);
    const COLORREF menuColour = ::GetSysColor(COLOR_MENU);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    auto draw = [&](int index, UINT state) {
        return make_bitmap(120, 19, [&](CDC& dc) {
            dc.FillSolidRect(0, 0, 120, 19, RGB(1, 2, 3));
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_MENU;
            dis.itemState = state;
            dis.hDC = dc.m_hDC;
            dis.rcItem = RECT{0, 0, 120, 19};
            dis.itemData = reinterpret_cast<UINT_PTR>(menu.Items()[std::size_t(index)].get());
            menu.DrawItem(&dis);
        });
    };
    auto count = [](HBITMAP b, COLORREF c) {
        int n = 0;
        for (int y = 0; y < 19; ++y) {
            for (int x = 0; x < 120; ++x) {
                n += pixel(b, x, y) == c ? 1 : 0;
            }
        }
        return n;
    };
    HBITMAP plain = draw(0, 0);
    EXPECT_EQ(pixel(plain, 60, 1), menuColour);
    EXPECT_GT(count(plain, ::GetSysColor(COLOR_MENUTEXT)), 10);
    HBITMAP selected = draw(0, ODS_SELECTED);
    EXPECT_EQ(pixel(selected, 60, 1), highlight);
    EXPECT_EQ(pixel(selected, 2, 1), highlight); // no image: selection across the whole item
    EXPECT_GT(count(selected, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
    HBITMAP checked = draw(0, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(pixel(checked, 0, 10), menuColour); // the image column stays the menu colour
    EXPECT_EQ(pixel(checked, 60, 1), highlight);
    EXPECT_GT(count(checked, ::GetSysColor(COLOR_MENUTEXT)), 3); // the check mark
    HBITMAP grayed = draw(0, ODS_GRAYED);
    EXPECT_GT(count(grayed, ::GetSysColor(COLOR_GRAYTEXT)), 10);
    EXPECT_GT(count(grayed, ::GetSysColor(COLOR_BTNHIGHLIGHT)), 10);
    HBITMAP separator = draw(1, 0);
    EXPECT_EQ(pixel(separator, 60, 2), menuColour);
    EXPECT_EQ(pixel(separator, 60, 9), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(separator, 60, 10), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    for (HBITMAP b : {plain, selected, checked, grayed, separator}) {
        ::DeleteObject(b);
    }
}

// A pop-up draws its check marks from its parent's list; when the parent takes new check
// marks, the pop-up shows the new ones (the old list is gone by then).
TEST(IcoMenuDraw, PopupsFollowTheirParentToNewCheckMarks) {
    ensure_app();
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    auto mark = [face](COLORREF c) {
        return make_bitmap(16, 15, [face, c](CDC& dc) {
            dc.FillSolidRect(0, 0, 16, 15, face);
            dc.FillSolidRect(2, 2, 12, 11, c);
        });
    };
    const COLORREF oldColour = RGB(200, 0, 0), newColour = RGB(0, 0, 200);
    register_picture(IMAGE_BITMAP, 9511, mark(oldColour));
    register_picture(IMAGE_BITMAP, 9512, mark(RGB(0, 200, 0)));
    register_picture(IMAGE_BITMAP, 9513, mark(newColour));
    IcoMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.SetCheckMarkImages(9511, 9512));
    IcoMenu* sub = menu.AppendPopup("&Sub");
    ASSERT_NE(sub, nullptr);
    ASSERT_TRUE(sub->AppendItem("&Item", MF_OWNERDRAW, 931));
    ASSERT_TRUE(menu.SetCheckMarkImages(9513, 9512));
    HBITMAP drawn = make_bitmap(120, 19, [&](CDC& dc) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_MENU;
        dis.itemState = ODS_CHECKED;
        dis.hDC = dc.m_hDC;
        dis.rcItem = RECT{0, 0, 120, 19};
        dis.itemData = reinterpret_cast<UINT_PTR>(sub->Items()[0].get());
        sub->DrawItem(&dis);
    });
    EXPECT_EQ(pixel(drawn, 9, 9), newColour);
    ::DeleteObject(drawn);
}

namespace {
// The flat look's drawing, reached directly (this desktop uses the classic theme).
class FlatMenu : public IcoMenu {
public:
    using IcoMenu::DrawItemFlat;
};
} // namespace

TEST(IcoMenuDraw, FlatItemsUseALightenedSelectionAndAnImageStrip) {
    ensure_app();
    FlatMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open", MF_OWNERDRAW, 951);
    auto draw = [&](UINT state) {
        return make_bitmap(120, 22, [&](CDC& dc) {
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_MENU;
            dis.itemState = state;
            dis.hDC = dc.m_hDC;
            dis.rcItem = RECT{0, 0, 120, 22};
            dis.itemData = reinterpret_cast<UINT_PTR>(menu.Items()[0].get());
            menu.DrawItemFlat(&dis);
        });
    };
    HBITMAP plain = draw(0);
    EXPECT_EQ(pixel(plain, 2, 10), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel(plain, 100, 2), ::GetSysColor(COLOR_WINDOW));
    HBITMAP selected = draw(ODS_SELECTED);
    // COLOR_HIGHLIGHT (0, 0, 128) lightened by 0.85 off the themed desktop.
    EXPECT_EQ(pixel(selected, 100, 5), RGB(216, 216, 235));
    EXPECT_EQ(pixel(selected, 100, 0), ::GetSysColor(COLOR_HIGHLIGHT));
    HBITMAP grayed = draw(ODS_GRAYED);
    EXPECT_EQ(pixel(grayed, 100, 2), ::GetSysColor(COLOR_WINDOW));
    for (HBITMAP b : {plain, selected, grayed}) {
        ::DeleteObject(b);
    }
}

TEST(IcoMenuKeys, MenuCharFindsTheItemOfItsAccessKey) {
    ensure_app();
    IcoMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open", MF_OWNERDRAW, 1);
    menu.AppendItem("&File", MF_OWNERDRAW, 2);
    menu.AppendItem("E&xit", MF_OWNERDRAW, 3);
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('F', MF_POPUP, &menu), LRESULT(0x20000 + 1));
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('f', MF_POPUP, &menu), LRESULT(0x20000 + 1));
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('X', MF_POPUP, &menu), LRESULT(0x20000 + 2));
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('Z', MF_POPUP, &menu), 0);
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('F', 0, &menu), 0);
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('F', MF_POPUP, nullptr), 0);
    // Items added behind the menu's back are taken in first.
    menu.CMenu::AppendMenu(MF_STRING, 4, "&Print");
    EXPECT_EQ(IcoMenu::FindKeyboardShortcut('P', MF_POPUP, &menu), LRESULT(0x20000 + 3));
    EXPECT_EQ(menu.Items().size(), 4u);
}

TEST(IcoMenuImages, ToolbarButtonsGiveTheirCommandsImages) {
    ensure_app();
    register_test_toolbar();
    constexpr UINT kToolbar = kTestToolbar; // commands 701, (separator), 702, 703
    IcoMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open", MF_OWNERDRAW, 701);
    menu.AppendItem("&Save", MF_OWNERDRAW, 702);
    menu.AppendItem("&Other", MF_OWNERDRAW, 799);
    EXPECT_FALSE(menu.LoadToolbar(4242));
    ASSERT_TRUE(menu.LoadToolbar(kToolbar));
    EXPECT_EQ(menu.GetImageSize(), CSize(16, 16)); // grown to the buttons' size
    ASSERT_NE(menu.Items()[0]->m_ownImages, nullptr);
    ASSERT_NE(menu.Items()[1]->m_ownImages, nullptr);
    EXPECT_EQ(menu.Items()[2]->m_ownImages, nullptr);
    auto image_pixel = [&](int item, int x, int y) {
        HBITMAP b = make_bitmap(16, 16, [&](CDC& dc) {
            dc.FillSolidRect(0, 0, 16, 16, RGB(1, 2, 3));
            menu.Items()[std::size_t(item)]->m_ownImages->Draw(&dc, 0, CPoint(0, 0), FALSE);
        });
        const COLORREF c = pixel(b, x, y);
        ::DeleteObject(b);
        return c;
    };
    EXPECT_EQ(image_pixel(0, 8, 8), RGB(200, 0, 0));
    EXPECT_EQ(image_pixel(0, 1, 1), RGB(1, 2, 3)); // the toolbar's face colour is transparent
    EXPECT_EQ(image_pixel(1, 8, 8), RGB(0, 160, 0));
    // A toolbar background colour set for the menu marks the transparent pixels instead of the
    // face colour, until it is unset.
    menu.SetToolbarBackground(RGB(200, 0, 0));
    ASSERT_TRUE(menu.LoadToolbar(kToolbar));
    EXPECT_EQ(image_pixel(0, 8, 8), RGB(1, 2, 3));
    EXPECT_NE(image_pixel(0, 1, 1), RGB(1, 2, 3));
    menu.UnsetToolbarBackground();
    ASSERT_TRUE(menu.LoadToolbar(kToolbar));
    EXPECT_EQ(image_pixel(0, 8, 8), RGB(200, 0, 0));
    // Appending with a toolbar id puts the command's button into the shared list.
    ASSERT_TRUE(menu.AppendItem("&Print", MF_OWNERDRAW, 703, int(kToolbar)));
    EXPECT_GE(menu.Items()[3]->m_sharedImageIndex, 0);
    // A later item with the same command finds that image without a toolbar.
    IcoMenu other;
    other.CreatePopupMenu();
    other.AppendItem("&Print", MF_OWNERDRAW, 703);
    EXPECT_EQ(other.Items()[0]->m_sharedImageIndex, menu.Items()[3]->m_sharedImageIndex);
}

TEST(IcoMenuDraw, BothLooksOfAWholeMenuForAPersonToSee) {
    ensure_app();
    FlatMenu menu;
    menu.CreatePopupMenu();
    menu.AppendItem("&Open face...\tCtrl+O", MF_OWNERDRAW, 701);
    menu.AppendItem("&Save\tCtrl+S", MF_OWNERDRAW, 702);
    menu.AppendItem(static_cast<LPCSTR>(nullptr), 0, 0);
    menu.AppendItem("Show &grid", MF_OWNERDRAW, 703);
    menu.AppendItem("&Print\tCtrl+P", MF_OWNERDRAW, 704);
    menu.AppendItem("E&xit", MF_OWNERDRAW, 705);
    register_test_toolbar();
    menu.LoadToolbar(kTestToolbar);
    menu.ModifyItemColor("&Print\tCtrl+P", 704, RGB(230, 140, 30));
    const UINT states[] = {ODS_SELECTED, 0, 0, ODS_CHECKED, 0, ODS_GRAYED};
    int width = 0;
    std::vector<int> heights;
    for (const auto& item : menu.Items()) {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_MENU;
        mis.itemData = reinterpret_cast<UINT_PTR>(item.get());
        menu.MeasureItem(&mis);
        width = std::max(width, int(mis.itemWidth) + 24);
        heights.push_back(int(mis.itemHeight));
    }
    const int height = std::accumulate(heights.begin(), heights.end(), 0);
    HBITMAP sheet = make_bitmap(2 * width + 30, height + 20, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, 2 * width + 30, height + 20, RGB(58, 110, 165));
        for (int look = 0; look < 2; ++look) {
            int y = 10;
            for (std::size_t i = 0; i < menu.Items().size(); ++i) {
                DRAWITEMSTRUCT dis;
                dis.CtlType = ODT_MENU;
                dis.itemState = states[i];
                dis.hDC = dc.m_hDC;
                dis.rcItem = RECT{10 + look * (width + 10), y, 10 + look * (width + 10) + width,
                                  y + heights[i]};
                dis.itemData = reinterpret_cast<UINT_PTR>(menu.Items()[i].get());
                if (look == 0) {
                    menu.DrawItem(&dis);
                } else {
                    menu.DrawItemFlat(&dis);
                }
                y += heights[i];
            }
        }
    });
    save_bmp(sheet, zel::testing::output_dir() + "/ico-menu-looks.bmp");
    EXPECT_EQ(heights[2], 10); // half of the margin and the toolbar image height
    EXPECT_EQ(pixel(sheet, 10 + width / 2, 10 + heights[0] / 2), ::GetSysColor(COLOR_HIGHLIGHT));
    ::DeleteObject(sheet);
}
