// Menus (items, pop-ups, owner-drawn items), the frame's menu bar on Qt, pop-up tracking and
// accelerator tables.

#include "gdi_objects.h"
#include "window_record.h"

#include "dc_state.h"
#include "zel/platform/menu.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QWidgetAction>

#include <map>
#include <unordered_set>

namespace zel::platform::detail {

struct MenuItem {
    UINT flags = 0;
    UINT id = 0;
    std::string text;
    HMENU popup = nullptr;
    UINT_PTR data = 0;
};

struct MenuObject {
    MenuObject();
    ~MenuObject();
    bool popup = false;
    std::vector<MenuItem> items;
    CMenu* attached = nullptr;
    std::unique_ptr<CMenu> wrapper;
};

namespace {
std::unordered_set<const void*>& menu_set() {
    static auto* set = new std::unordered_set<const void*>;
    return *set;
}
} // namespace

MenuObject::MenuObject() {
    menu_set().insert(this);
}
MenuObject::~MenuObject() {
    menu_set().erase(this);
    for (MenuItem& i : items) {
        if (i.popup != nullptr && menu_set().count(i.popup) != 0) {
            delete i.popup;
        }
    }
}

MenuObject* live_menu(HMENU m) {
    return m != nullptr && menu_set().count(m) != 0 ? m : nullptr;
}

namespace {
HMENU g_trackingMenu = nullptr;
}
HMENU tracking_menu() {
    return live_menu(g_trackingMenu);
}

// Finds the item at `position` (by position or by command, searching pop-ups).
MenuItem* find_item(MenuObject* m, UINT position, UINT flags, MenuObject** owner = nullptr) {
    if (m == nullptr) {
        return nullptr;
    }
    if (flags & MF_BYPOSITION) {
        if (position < m->items.size()) {
            if (owner != nullptr) {
                *owner = m;
            }
            return &m->items[position];
        }
        return nullptr;
    }
    for (MenuItem& i : m->items) {
        if (i.popup == nullptr && i.id == position && !(i.flags & MF_SEPARATOR)) {
            if (owner != nullptr) {
                *owner = m;
            }
            return &i;
        }
        if (MenuItem* sub = find_item(live_menu(i.popup), position, flags, owner)) {
            return sub;
        }
    }
    return nullptr;
}

namespace {

// An owner-drawn item: measured and drawn by the owner window.
class OwnerDrawItem : public QWidget {
public:
    OwnerDrawItem(QMenu* menu, QWidgetAction* action, HMENU hmenu, const MenuItem& item, HWND owner)
        : m_menu(menu), m_action(action), m_hmenu(hmenu), m_item(item), m_owner(owner) {
        setMouseTracking(true);
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_MENU;
        mis.itemID = item.id;
        mis.itemData = item.data;
        mis.itemHeight = UINT(GetSystemMetrics(SM_CYMENU));
        mis.itemWidth = 100;
        SendMessage(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        setFixedSize(int(mis.itemWidth), int(mis.itemHeight));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap bmp;
        bmp.Attach(::CreateCompatibleBitmap(nullptr, width(), height()));
        CBitmap* old = mem.SelectObject(&bmp);
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_MENU;
        dis.itemID = m_item.id;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = (underMouse() ? ODS_SELECTED : 0) |
                        ((m_item.flags & MF_GRAYED) ? ODS_GRAYED : 0) |
                        ((m_item.flags & MF_CHECKED) ? ODS_CHECKED : 0);
        dis.hwndItem = reinterpret_cast<HWND>(m_hmenu);
        dis.hDC = mem.m_hDC;
        dis.rcItem = RECT{0, 0, width(), height()};
        dis.itemData = m_item.data;
        SendMessage(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        QPainter p(this);
        p.drawImage(0, 0, static_cast<BitmapObject*>(HBITMAP(bmp))->image);
        mem.SelectObject(old);
    }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }
    void mouseReleaseEvent(QMouseEvent*) override {
        if (!(m_item.flags & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR))) {
            m_action->trigger();
            m_menu->close();
        }
    }

private:
    QMenu* m_menu;
    QWidgetAction* m_action;
    HMENU m_hmenu;
    MenuItem m_item;
    HWND m_owner;
};

QString label(const std::string& text) {
    // "&" keeps marking the access key; the tab separates the key text.
    return QString::fromUtf8(text.c_str());
}

} // namespace

// Fills `q` from `m`; chosen commands call `chosen`.
void fill_qmenu(QMenu* q, HMENU m, HWND owner, const std::function<void(UINT)>& chosen) {
    q->clear();
    MenuObject* mo = live_menu(m);
    if (mo == nullptr) {
        return;
    }
    // Owner-drawn items are measured by the owner while the list is walked, and the owner may
    // change the menu then: the pop-up shows the items it had when it opened.
    const std::vector<MenuItem> items = mo->items;
    for (const MenuItem& i : items) {
        if (i.flags & MF_SEPARATOR && !(i.flags & MF_OWNERDRAW)) {
            q->addSeparator();
            continue;
        }
        if (i.popup != nullptr) {
            QMenu* sub = q->addMenu(label(i.text));
            const HMENU popup = i.popup;
            QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, popup, owner, chosen] {
                if (WindowRecord* r = live_window(owner)) {
                    dispatch(r, WM_INITMENUPOPUP, WPARAM(popup), 0);
                }
                fill_qmenu(sub, popup, owner, chosen);
            });
            continue;
        }
        QAction* a = nullptr;
        if ((i.flags & MF_OWNERDRAW) && owner != nullptr) {
            auto* wa = new QWidgetAction(q);
            wa->setDefaultWidget(new OwnerDrawItem(q, wa, m, i, owner));
            q->addAction(wa);
            a = wa;
        } else {
            const std::string& t = i.text;
            const auto tab = t.find('\t');
            a = q->addAction(label(t.substr(0, tab)));
            if (tab != std::string::npos) {
                a->setShortcut(QKeySequence(QString::fromStdString(t.substr(tab + 1))));
                a->setShortcutVisibleInContextMenu(true);
                a->setShortcutContext(Qt::WidgetShortcut); // accelerators do the work
            }
        }
        a->setEnabled(!(i.flags & (MF_GRAYED | MF_DISABLED)));
        a->setCheckable((i.flags & MF_CHECKED) != 0);
        a->setChecked((i.flags & MF_CHECKED) != 0);
        const UINT id = i.id;
        QObject::connect(a, &QAction::triggered, q, [id, chosen] { chosen(id); });
    }
}

} // namespace zel::platform::detail

using namespace zel::platform::detail;

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    MenuObject* m = live_menu(menu);
    if (m == nullptr) {
        return nullptr;
    }
    if (m->attached != nullptr) {
        return m->attached;
    }
    // A wrapper never owns its menu and goes with it.
    if (!m->wrapper) {
        m->wrapper = std::make_unique<CMenu>();
        m->wrapper->m_hMenu = menu;
    }
    return m->wrapper.get();
}

BOOL CMenu::Attach(HMENU menu) {
    MenuObject* m = live_menu(menu);
    if (m == nullptr || m_hMenu != nullptr) {
        return FALSE;
    }
    m_hMenu = menu;
    m->attached = this;
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() {
    auto* m = new MenuObject;
    m->popup = true;
    return Attach(m);
}

BOOL CMenu::LoadMenu(UINT id) {
    return LoadMenu(MAKEINTRESOURCE(id));
}

BOOL CMenu::LoadMenu(LPCTSTR name) {
    if (m_hMenu != nullptr) {
        return FALSE; // one menu per object
    }
    return Attach(::LoadMenu(AfxGetResourceHandle(), name));
}

BOOL CMenu::DestroyMenu() {
    MenuObject* m = live_menu(m_hMenu);
    if (m == nullptr) {
        m_hMenu = nullptr;
        return FALSE;
    }
    // Wrappers from FromHandle do not own their menu.
    if (m->attached != this) {
        m_hMenu = nullptr;
        return FALSE;
    }
    m->attached = nullptr;
    m_hMenu = nullptr;
    delete m;
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR item, LPCTSTR text) {
    return InsertMenu(0xFFFFFFFF, flags | MF_BYPOSITION, item, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR item, LPCTSTR text) {
    MenuObject* m = live_menu(m_hMenu);
    if (m == nullptr) {
        return FALSE;
    }
    MenuItem i;
    i.flags = flags & ~MF_BYPOSITION;
    if (flags & MF_POPUP) {
        i.popup = live_menu(reinterpret_cast<HMENU>(item));
    } else {
        i.id = UINT(item);
    }
    if (flags & MF_OWNERDRAW) {
        i.data = reinterpret_cast<UINT_PTR>(text);
    } else if (text != nullptr && !(flags & MF_SEPARATOR)) {
        i.text = text;
    }
    std::size_t at = m->items.size();
    if (flags & MF_BYPOSITION) {
        at = std::min<std::size_t>(position, m->items.size());
    } else {
        for (std::size_t k = 0; k < m->items.size(); ++k) {
            if (m->items[k].id == position && m->items[k].popup == nullptr) {
                at = k;
                break;
            }
        }
    }
    m->items.insert(m->items.begin() + std::ptrdiff_t(at), i);
    return TRUE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR item, LPCTSTR text) {
    MenuItem* i = find_item(live_menu(m_hMenu), position, flags);
    if (i == nullptr) {
        return FALSE;
    }
    i->flags = flags & ~MF_BYPOSITION;
    if (flags & MF_POPUP) {
        i->popup = live_menu(reinterpret_cast<HMENU>(item));
        i->id = 0;
    } else {
        i->popup = nullptr;
        i->id = UINT(item);
    }
    if (flags & MF_OWNERDRAW) {
        i->data = reinterpret_cast<UINT_PTR>(text);
    } else {
        i->text = text != nullptr ? text : "";
    }
    return TRUE;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags) {
    MenuObject* owner = nullptr;
    MenuItem* i = find_item(live_menu(m_hMenu), position, flags, &owner);
    if (i == nullptr) {
        return FALSE;
    }
    owner->items.erase(owner->items.begin() + (i - owner->items.data()));
    return TRUE;
}

UINT CMenu::GetMenuItemCount() const {
    MenuObject* m = live_menu(m_hMenu);
    return m != nullptr ? UINT(m->items.size()) : UINT(-1);
}

UINT CMenu::GetMenuItemID(int position) const {
    MenuObject* m = live_menu(m_hMenu);
    if (m == nullptr || position < 0 || std::size_t(position) >= m->items.size()) {
        return 0;
    }
    const MenuItem& i = m->items[std::size_t(position)];
    return i.popup != nullptr ? UINT(-1) : i.id;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    MenuItem* i = find_item(live_menu(m_hMenu), item, flags);
    return i != nullptr ? (i->flags | (i->popup != nullptr ? MF_POPUP : 0)) : UINT(-1);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    MenuItem* i = find_item(live_menu(m_hMenu), item, flags);
    text = i != nullptr ? CString(i->text) : CString();
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const {
    MenuObject* m = live_menu(m_hMenu);
    if (m == nullptr || position < 0 || std::size_t(position) >= m->items.size()) {
        return nullptr;
    }
    return FromHandle(m->items[std::size_t(position)].popup);
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    MenuItem* i = find_item(live_menu(m_hMenu), item, enable);
    if (i == nullptr) {
        return UINT(-1);
    }
    const UINT old = i->flags & (MF_GRAYED | MF_DISABLED);
    i->flags = (i->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
    MenuItem* i = find_item(live_menu(m_hMenu), item, check);
    if (i == nullptr) {
        return UINT(-1);
    }
    const UINT old = i->flags & MF_CHECKED;
    i->flags = (i->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

UINT_PTR CMenu::GetItemData(UINT item, UINT flags) const {
    MenuItem* i = find_item(live_menu(m_hMenu), item, flags);
    return i != nullptr ? i->data : 0;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT) {
    if (live_menu(m_hMenu) == nullptr) {
        return FALSE;
    }
    HWND ownerWnd = owner != nullptr ? owner->m_hWnd : nullptr;
    UINT chosen = 0;
    const HMENU outer = g_trackingMenu;
    g_trackingMenu = m_hMenu;
    QMenu q;
    fill_qmenu(&q, m_hMenu, ownerWnd, [&chosen](UINT id) { chosen = id; });
    q.exec(QPoint(x, y));
    g_trackingMenu = outer;
    if (flags & TPM_RETURNCMD) {
        return BOOL(chosen);
    }
    if (chosen != 0 && IsWindow(ownerWnd)) {
        ::PostMessage(ownerWnd, WM_COMMAND, MAKEWPARAM(WORD(chosen), 0), 0);
    }
    return TRUE;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CWnd::SetMenu(CMenu* menu) {
    auto* r = live_window(m_hWnd);
    if (r == nullptr || !r->isWindow()) {
        return FALSE;
    }
    r->menu = menu != nullptr ? menu->m_hMenu : nullptr;
    DrawMenuBar();
    return TRUE;
}

void CWnd::DrawMenuBar() {
    auto* r = live_window(m_hWnd);
    if (r == nullptr) {
        return;
    }
    if (r->menu == nullptr) {
        delete r->menuBar;
        r->menuBar = nullptr;
        r->nonClient.setTop(0);
        r->resizeSurface();
        return;
    }
    if (r->menuBar == nullptr) {
        r->menuBar = new QMenuBar(r);
        r->menuBar->setNativeMenuBar(false);
        r->menuBar->setFixedHeight(GetSystemMetrics(SM_CYMENU));
        // The menu bar takes its height from the client area, as the window size includes it.
        r->nonClient.setTop(GetSystemMetrics(SM_CYMENU));
        r->resizeSurface();
        r->menuBar->setGeometry(0, 0, r->width(), GetSystemMetrics(SM_CYMENU));
        r->menuBar->show();
    }
    // The bar's pop-ups are its children: they go with the actions that open them, once
    // whatever one of them may be running (a command chosen from it) is over.
    for (QAction* a : r->menuBar->actions()) {
        if (QMenu* old = a->menu()) {
            old->deleteLater();
        }
    }
    r->menuBar->clear();
    MenuObject* m = live_menu(r->menu);
    if (m == nullptr) {
        return;
    }
    QPointer<WindowRecord> target(r);
    auto chosen = [target](UINT id) {
        if (!target.isNull() && !target->dead) {
            dispatch(target, WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
        }
    };
    for (std::size_t k = 0; k < m->items.size(); ++k) {
        const MenuItem& i = m->items[k];
        if (i.popup == nullptr) {
            QAction* a = r->menuBar->addAction(label(i.text));
            const UINT id = i.id;
            QObject::connect(a, &QAction::triggered, r, [chosen, id] { chosen(id); });
            continue;
        }
        QMenu* sub = r->menuBar->addMenu(label(i.text));
        const HMENU popup = i.popup;
        const UINT index = UINT(k);
        QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, popup, target, chosen, index] {
            if (target.isNull() || target->dead) {
                return;
            }
            dispatch(target, WM_INITMENUPOPUP, WPARAM(popup), MAKELPARAM(WORD(index), 0));
            fill_qmenu(sub, popup, target, chosen);
        });
    }
}

// ---- free forms and accelerators ----------------------------------------------------------

HMENU LoadMenu(HINSTANCE, LPCTSTR name) {
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const auto* items = zel::platform::find_menu(UINT(reinterpret_cast<std::uintptr_t>(name)));
    if (items == nullptr) {
        return nullptr;
    }
    std::function<HMENU(const std::vector<MenuItemTemplate>&, bool)> build =
        [&build](const std::vector<MenuItemTemplate>& list, bool popup) -> HMENU {
        auto* m = new MenuObject;
        m->popup = popup;
        for (const MenuItemTemplate& t : list) {
            MenuItem i;
            i.flags = t.flags & ~(MF_POPUP | MF_END);
            i.id = t.id;
            i.text = t.text;
            if (!t.popup.empty() || (t.flags & MF_POPUP)) {
                i.popup = build(t.popup, true);
                i.id = 0;
            }
            m->items.push_back(i);
        }
        return m;
    };
    return build(*items, false);
}

BOOL DestroyMenu(HMENU menu) {
    MenuObject* m = live_menu(menu);
    if (m == nullptr) {
        return FALSE;
    }
    if (m->attached != nullptr) {
        return m->attached->DestroyMenu();
    }
    delete m;
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return live_menu(menu) != nullptr;
}

int TranslateAccelerator(HWND wnd, HACCEL table, MSG* msg) {
    if (table == nullptr || msg == nullptr ||
        (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) {
        return 0;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    for (const ACCEL& a : table->entries) {
        if (!(a.fVirt & FVIRTKEY) || a.key != msg->wParam) {
            continue;
        }
        if (((a.fVirt & FCONTROL) != 0) != ctrl || ((a.fVirt & FSHIFT) != 0) != shift ||
            ((a.fVirt & FALT) != 0) != alt) {
            continue;
        }
        SendMessage(wnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
        return 1;
    }
    return 0;
}
