// Resources by number: registries for the tables in code, pictures from Qt's resource system
// (the program's own under ":/zel/res", a loaded resource library's under its own root).

#include "gdi_objects.h"
#include "resource_records.h"
#include "window_record.h"

#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QDir>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QResource>

#include <map>
#include <memory>
#include <set>

namespace zel::platform::detail {

struct Module {
    QString root;    // ":/zel/res" for the program
    QString rccPath; // the compiled resource file of a library
    QString mapRoot;
    std::map<QString, QByteArray> cache; // resources handed out by LoadResource
};

namespace {
struct Registry {
    std::map<UINT, DialogTemplate> dialogs;
    std::map<UINT, std::vector<MenuItemTemplate>> menus;
    std::map<UINT, std::vector<ACCEL>> accelerators;
    std::map<UINT, std::string> strings;
    std::map<std::pair<UINT, UINT>, std::string> files;
    std::map<UINT, QPoint> hotSpots;
    std::map<UINT, std::unique_ptr<AccelTable>> accelTables;
    // The binary forms FindResource hands out for menus and toolbars registered in code. A
    // form replaced by registering the number again is kept, as earlier handles point into it.
    std::map<UINT, QByteArray> menuRecords;
    std::map<UINT, QByteArray> toolbarRecords;
    std::vector<QByteArray> replacedRecords;
};
Registry& registry() {
    static auto* r = new Registry;
    return *r;
}
void keep_record(std::map<UINT, QByteArray>& records, UINT id, QByteArray record) {
    auto [slot, inserted] = records.try_emplace(id);
    if (!inserted) {
        registry().replacedRecords.push_back(std::move(slot->second));
    }
    slot->second = std::move(record);
}

// The registered record of `type` named `name`, or null.
const QByteArray* registered_record(LPCTSTR name, LPCTSTR type) {
    if (!IS_INTRESOURCE(name) || (type != RT_MENU && type != RT_TOOLBAR)) {
        return nullptr;
    }
    const auto& records = type == RT_MENU ? registry().menuRecords : registry().toolbarRecords;
    auto it = records.find(UINT(reinterpret_cast<std::uintptr_t>(name)));
    return it != records.end() ? &it->second : nullptr;
}

Module& program_module() {
    static auto* m = new Module{":/zel/res", {}, {}, {}};
    return *m;
}
DWORD g_lastError = 0;
int g_libraryCount = 0;

const char* folder_of(UINT kind) {
    switch (kind) {
    case IMAGE_ICON:
        return "icon";
    case IMAGE_CURSOR:
        return "cursor";
    default:
        return "bitmap";
    }
}

QString name_of(LPCTSTR name) {
    return IS_INTRESOURCE(name) ? QString::number(reinterpret_cast<std::uintptr_t>(name))
                                : QString::fromUtf8(name);
}

// The file of picture `name` of `kind` in `module`, or an empty string.
QString picture_path(Module* module, UINT kind, LPCTSTR name) {
    if (module == &program_module() && IS_INTRESOURCE(name)) {
        auto& files = registry().files;
        auto it = files.find({kind, UINT(reinterpret_cast<std::uintptr_t>(name))});
        if (it != files.end()) {
            return QString::fromStdString(it->second);
        }
    }
    const QString base = module->root + "/" + folder_of(kind) + "/" + name_of(name);
    for (const char* ext : {".bmp", ".png", ".ico", ".cur"}) {
        if (QFile::exists(base + ext)) {
            return base + ext;
        }
    }
    return {};
}

HCURSOR stock_cursor(UINT id) {
    static auto& cursors = *new std::map<UINT, std::unique_ptr<IconObject>>;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (id) {
    case 32513:
        shape = Qt::IBeamCursor;
        break;
    case 32514:
        shape = Qt::WaitCursor;
        break;
    case 32515:
        shape = Qt::CrossCursor;
        break;
    case 32646:
        shape = Qt::SizeAllCursor;
        break;
    case 32642:
        shape = Qt::SizeFDiagCursor;
        break;
    case 32643:
        shape = Qt::SizeBDiagCursor;
        break;
    case 32644:
        shape = Qt::SizeHorCursor;
        break;
    case 32645:
        shape = Qt::SizeVerCursor;
        break;
    case 32648:
        shape = Qt::ForbiddenCursor;
        break;
    case 32649:
        shape = Qt::PointingHandCursor;
        break;
    case 32512:
        shape = Qt::ArrowCursor;
        break;
    default:
        return nullptr;
    }
    auto& c = cursors[id];
    if (!c) {
        c = std::make_unique<IconObject>();
        c->stock = true;
        c->cursor = true;
        c->stockShape = int(shape);
        c->image = QImage(32, 32, QImage::Format_ARGB32);
        c->image.fill(0);
    }
    return c.get();
}

std::set<const Module*>& library_set() {
    static auto* set = new std::set<const Module*>;
    return *set;
}

// The module to search: the program's when none is given; null for a freed library.
Module* module_of(HINSTANCE instance) {
    if (instance == nullptr) {
        return &program_module();
    }
    return instance == &program_module() || library_set().count(instance) != 0 ? instance : nullptr;
}

} // namespace
} // namespace zel::platform::detail

using namespace zel::platform::detail;

namespace zel::platform {
void register_dialog(UINT id, DialogTemplate tmpl) {
    registry().dialogs[id] = std::move(tmpl);
}
void register_menu(UINT id, std::vector<MenuItemTemplate> items) {
    keep_record(registry().menuRecords, id, menu_template_record(items));
    registry().menus[id] = std::move(items);
}
void register_toolbar(UINT id, int buttonWidth, int buttonHeight, std::vector<UINT> commands) {
    keep_record(registry().toolbarRecords, id, toolbar_record(buttonWidth, buttonHeight, commands));
}
void register_accelerators(UINT id, std::vector<ACCEL> entries) {
    registry().accelerators[id] = std::move(entries);
    registry().accelTables.erase(id);
}
void register_strings(std::initializer_list<std::pair<UINT, const char*>> strings) {
    for (const auto& s : strings) {
        registry().strings[s.first] = s.second;
    }
}
void register_image_file(UINT kind, UINT id, const std::string& path) {
    registry().files[{kind, id}] = path;
}
void register_cursor_hotspot(UINT id, int x, int y) {
    registry().hotSpots[id] = QPoint(x, y);
}
const DialogTemplate* find_dialog(UINT id) {
    auto it = registry().dialogs.find(id);
    return it != registry().dialogs.end() ? &it->second : nullptr;
}
const std::vector<MenuItemTemplate>* find_menu(UINT id) {
    auto it = registry().menus.find(id);
    return it != registry().menus.end() ? &it->second : nullptr;
}
} // namespace zel::platform

HINSTANCE AfxGetInstanceHandle() {
    return &program_module();
}
HINSTANCE AfxGetResourceHandle() {
    return &program_module();
}
HINSTANCE AfxFindResourceHandle(LPCTSTR, LPCTSTR) {
    return &program_module();
}

HANDLE LoadImage(HINSTANCE instance, LPCTSTR name, UINT type, int width, int height, UINT flags) {
    ensure_application();
    // Without a module a cursor number names a stock cursor, else one of the program's own.
    if (instance == nullptr && IS_INTRESOURCE(name) && type == IMAGE_CURSOR) {
        if (HCURSOR stock = stock_cursor(UINT(reinterpret_cast<std::uintptr_t>(name)))) {
            return stock;
        }
    }
    const QString path =
        (flags & LR_LOADFROMFILE) && !IS_INTRESOURCE(name)
            ? QString::fromUtf8(name)
            : (module_of(instance) != nullptr ? picture_path(module_of(instance), type, name)
                                              : QString());
    if (path.isEmpty()) {
        return nullptr;
    }
    QImage img(path);
    if (img.isNull()) {
        return nullptr;
    }
    if (width > 0 && height > 0 && img.size() != QSize(width, height)) {
        img = img.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (type == IMAGE_BITMAP) {
        auto* b = new BitmapObject;
        b->image = img.convertToFormat(QImage::Format_RGB32);
        return b;
    }
    auto* icon = new IconObject;
    icon->image = img.convertToFormat(QImage::Format_ARGB32);
    icon->cursor = type == IMAGE_CURSOR;
    icon->hotSpot = QPoint(icon->image.width() / 2, icon->image.height() / 2);
    if (icon->cursor && IS_INTRESOURCE(name)) {
        auto it = registry().hotSpots.find(UINT(reinterpret_cast<std::uintptr_t>(name)));
        if (it != registry().hotSpots.end()) {
            icon->hotSpot = it->second;
        }
    }
    return icon;
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCTSTR name) {
    return static_cast<HBITMAP>(LoadImage(instance != nullptr ? instance : AfxGetResourceHandle(),
                                          name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

HICON LoadIcon(HINSTANCE instance, LPCTSTR name) {
    return static_cast<HICON>(LoadImage(instance != nullptr ? instance : AfxGetResourceHandle(),
                                        name, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
}

HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name) {
    return static_cast<HCURSOR>(LoadImage(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR));
}

BOOL CBitmap::LoadBitmap(LPCTSTR name) {
    return Attach(::LoadBitmap(AfxGetResourceHandle(), name));
}

int LoadString(HINSTANCE instance, UINT id, LPTSTR buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) {
        return 0;
    }
    Module* m = module_of(instance);
    if (m == nullptr) {
        buffer[0] = 0;
        return 0;
    }
    std::string text;
    auto it = registry().strings.find(id);
    if (m == &program_module() && it != registry().strings.end()) {
        text = it->second;
    } else {
        QFile f(m->root + "/string/" + QString::number(id) + ".txt");
        if (!f.open(QIODevice::ReadOnly)) {
            buffer[0] = 0;
            return 0;
        }
        text = f.readAll().toStdString();
    }
    int n = std::min(int(text.size()), bufferSize - 1);
    // A string cut to the buffer ends before a letter whose bytes would not all fit, so that
    // what the caller shows stays readable text.
    while (n > 0 && n < int(text.size()) && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) {
        --n;
    }
    std::memcpy(buffer, text.data(), std::size_t(n));
    buffer[n] = 0;
    return n;
}

HACCEL LoadAccelerators(HINSTANCE, LPCTSTR name) {
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const UINT id = UINT(reinterpret_cast<std::uintptr_t>(name));
    auto it = registry().accelerators.find(id);
    if (it == registry().accelerators.end()) {
        return nullptr;
    }
    auto& table = registry().accelTables[id];
    if (!table) {
        table = std::make_unique<AccelTable>();
        table->entries = it->second;
    }
    return table.get();
}

DWORD GetLastError() {
    return g_lastError;
}
void SetLastError(DWORD code) {
    g_lastError = code;
}

HMODULE LoadLibraryEx(LPCTSTR path, HANDLE, DWORD) {
    ensure_application();
    if (path == nullptr || *path == 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    const QFileInfo info(QString::fromUtf8(path));
    if (!info.exists()) {
        SetLastError(info.dir().exists() ? 2 : 3);
        return nullptr;
    }
    const QString mapRoot = "/lib" + QString::number(++g_libraryCount);
    if (!QResource::registerResource(info.absoluteFilePath(), mapRoot)) {
        SetLastError(126);
        return nullptr;
    }
    SetLastError(0);
    auto* m = new Module{":" + mapRoot + "/res", info.absoluteFilePath(), mapRoot, {}};
    library_set().insert(m);
    return m;
}

BOOL FreeLibrary(HMODULE module) {
    if (module == nullptr || library_set().count(module) == 0) {
        return FALSE;
    }
    library_set().erase(module);
    QResource::unregisterResource(module->rccPath, module->mapRoot);
    delete module;
    return TRUE;
}

namespace {
const char* type_folder(LPCTSTR type) {
    switch (reinterpret_cast<std::uintptr_t>(type)) {
    case 1:
        return "cursor";
    case 2:
        return "bitmap";
    case 3:
        return "icon";
    case 4:
        return "menu";
    case 5:
        return "dialog";
    case 6:
        return "string";
    case 9:
        return "accelerator";
    case 241:
        return "toolbar";
    default:
        return nullptr;
    }
}
} // namespace

HRSRC FindResource(HMODULE module, LPCTSTR name, LPCTSTR type) {
    Module* m = module_of(module);
    if (m == nullptr) {
        return nullptr;
    }
    if (m == &program_module() && IS_INTRESOURCE(name) && type == RT_DIALOG) {
        return zel::platform::find_dialog(UINT(reinterpret_cast<std::uintptr_t>(name)));
    }
    if (m == &program_module()) {
        if (const QByteArray* record = registered_record(name, type)) {
            return record->constData();
        }
    }
    const char* folder = IS_INTRESOURCE(type) ? type_folder(type) : type;
    if (folder == nullptr) {
        return nullptr;
    }
    const QString base = m->root + "/" + folder + "/" + name_of(name);
    for (const char* ext : {"", ".bmp", ".png", ".ico", ".cur", ".txt", ".bin"}) {
        if (QFile::exists(base + ext)) {
            // The handle is the bytes themselves, so LockResource hands out what the caller
            // reads; a resource is read once and stays put while its module lives.
            auto [slot, inserted] = m->cache.try_emplace(base + ext);
            if (inserted) {
                QFile f(base + ext);
                if (!f.open(QIODevice::ReadOnly)) {
                    m->cache.erase(slot);
                    return nullptr;
                }
                slot->second = f.readAll();
            }
            return slot->second.constData();
        }
    }
    return nullptr;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return resource;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    Module* m = module_of(module);
    if (m == nullptr) {
        return 0;
    }
    for (const auto& c : m->cache) {
        if (c.second.constData() == resource) {
            return DWORD(c.second.size());
        }
    }
    if (m == &program_module()) {
        for (const auto* records : {&registry().menuRecords, &registry().toolbarRecords}) {
            for (const auto& [id, record] : *records) {
                if (record.constData() == resource) {
                    return DWORD(record.size());
                }
            }
        }
        for (const QByteArray& record : registry().replacedRecords) {
            if (record.constData() == resource) {
                return DWORD(record.size());
            }
        }
    }
    return resource != nullptr ? DWORD(sizeof(DialogTemplate)) : 0;
}

const void* LockResource(HGLOBAL data) {
    return data;
}
