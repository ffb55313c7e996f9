// Device contexts: their states, the selection model, modes and clipping. Drawing primitives
// are in dc_draw.cpp, raster copies in raster.cpp, text in dc_text.cpp.

#include "dc_state.h"
#include "window_record.h"

#include "zel/platform/system.h"

#include <QPainter>

#include <unordered_set>

namespace zel::platform::detail {

namespace {
std::unordered_set<DcState*>& dc_set() {
    static auto* set = new std::unordered_set<DcState*>;
    return *set;
}
} // namespace

void register_dc(DcState* s) {
    dc_set().insert(s);
}
void unregister_dc(DcState* s) {
    dc_set().erase(s);
}
DcState* live_dc(HDC dc) {
    return dc != nullptr && dc_set().count(dc) != 0 ? dc : nullptr;
}

DcState::DcState(Target t) : target(t) {
    register_dc(this);
    select(pen, static_cast<PenObject*>(GetStockObject(BLACK_PEN)));
    select(brush, static_cast<BrushObject*>(GetStockObject(WHITE_BRUSH)));
    select(font, static_cast<FontObject*>(GetStockObject(DEFAULT_GUI_FONT)));
    if (t == Target::Memory) {
        ownBitmap = new_bitmap(1, 1, true);
        select(bitmap, ownBitmap);
    }
}

DcState::~DcState() {
    unregister_dc(this);
    select(pen, static_cast<PenObject*>(nullptr));
    select(brush, static_cast<BrushObject*>(nullptr));
    select(font, static_cast<FontObject*>(nullptr));
    select(palette, static_cast<PaletteObject*>(nullptr));
    select(bitmap, static_cast<BitmapObject*>(nullptr));
    delete ownBitmap;
}

QImage* DcState::image() {
    switch (target) {
    case Target::Window:
        return wnd.isNull() || wnd->dead ? nullptr : &wnd->surface;
    case Target::Memory:
    case Target::Printer:
        if (bitmap == nullptr || live_object(bitmap) == nullptr) {
            return nullptr;
        }
        bitmap->syncFromDib();
        // A printer context between pages has no page picture.
        return bitmap->image.isNull() ? nullptr : &bitmap->image;
    default:
        return nullptr;
    }
}

bool DcState::isMono() {
    return (target == Target::Memory) && bitmap != nullptr && bitmap->mono;
}

QRegion DcState::effectiveClip() {
    QImage* img = image();
    if (img == nullptr) {
        return {};
    }
    QRegion r(img->rect());
    if (paintClip) {
        r &= *paintClip;
    }
    if (clip) {
        r &= *clip;
    }
    return r;
}

void DcState::touched(const QRect& deviceRect) {
    if (target == Target::Window && !wnd.isNull() && !wnd->dead) {
        wnd->update(deviceRect.translated(wnd->clientOrigin()));
    } else if (bitmap != nullptr && bitmap->dibSection) {
        bitmap->syncToDib();
    }
}

} // namespace zel::platform::detail

using namespace zel::platform::detail;

namespace {

DcState* state(const CDC* dc) {
    return dc != nullptr ? live_dc(dc->m_hDC) : nullptr;
}

QRect qrect(int l, int t, int r, int b) {
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

} // namespace

CDC::CDC() = default;

CDC::~CDC() {
    DcState* s = live_dc(m_hDC);
    if (s != nullptr && s->wrapper == this) {
        s->wrapper = nullptr;
        if (s->ownedByWrapper) {
            delete s;
        }
    }
}

CDC* CDC::FromHandle(HDC dc) {
    DcState* s = live_dc(dc);
    if (s == nullptr) {
        return nullptr;
    }
    if (s->wrapper != nullptr) {
        return s->wrapper;
    }
    if (!s->tempWrapper) {
        s->tempWrapper = std::make_unique<CDC>();
        s->tempWrapper->m_hDC = dc;
    }
    return s->tempWrapper.get();
}

BOOL CDC::Attach(HDC dc) {
    DcState* s = live_dc(dc);
    if (s == nullptr) {
        return FALSE;
    }
    m_hDC = dc;
    if (s->wrapper == nullptr) {
        s->wrapper = this;
    }
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    DcState* s = live_dc(h);
    if (s != nullptr && s->wrapper == this) {
        s->wrapper = nullptr;
    }
    m_hDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* reference) {
    if (m_hDC != nullptr) {
        return FALSE;
    }
    auto* s = new DcState(DcState::Target::Memory);
    if (DcState* ref = state(reference)) {
        s->dpi = ref->dpi;
    }
    m_hDC = s;
    s->wrapper = this;
    s->ownedByWrapper = true;
    return TRUE;
}

BOOL CDC::DeleteDC() {
    DcState* s = live_dc(m_hDC);
    if (s == nullptr) {
        return FALSE;
    }
    if (s->wrapper == this) {
        s->wrapper = nullptr;
    }
    m_hDC = nullptr;
    if (s->tempWrapper.get() != this) {
        delete s;
    }
    return TRUE;
}

BOOL CDC::IsPrinting() const {
    DcState* s = state(this);
    return s != nullptr && s->printing;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    DcState* s = state(this);
    GdiObject* o = live_object(object);
    if (s == nullptr || o == nullptr) {
        return nullptr;
    }
    GdiObject* old = nullptr;
    switch (o->kind) {
    case GdiObject::Kind::Pen:
        old = s->pen;
        s->select(s->pen, static_cast<PenObject*>(o));
        break;
    case GdiObject::Kind::Brush:
        old = s->brush;
        s->select(s->brush, static_cast<BrushObject*>(o));
        break;
    case GdiObject::Kind::Font:
        old = s->font;
        s->select(s->font, static_cast<FontObject*>(o));
        break;
    case GdiObject::Kind::Bitmap: {
        // Only memory contexts hold bitmaps, and a bitmap lives in one context at a time.
        auto* b = static_cast<BitmapObject*>(o);
        if (s->target != DcState::Target::Memory || (b->selections > 0 && b != s->bitmap)) {
            return nullptr;
        }
        old = s->bitmap;
        s->select(s->bitmap, static_cast<BitmapObject*>(o));
        break;
    }
    case GdiObject::Kind::Region: {
        auto* r = static_cast<RegionObject*>(o);
        s->clip = r->region;
        return reinterpret_cast<HGDIOBJ>(
            std::intptr_t(r->region.isEmpty() ? NULLREGION : SIMPLEREGION));
    }
    default:
        return nullptr;
    }
    return old;
}

CPen* CDC::SelectObject(CPen* pen) {
    return pen != nullptr ? CPen::FromHandle(static_cast<HPEN>(SelectObject(pen->m_hObject)))
                          : nullptr;
}
CBrush* CDC::SelectObject(CBrush* brush) {
    return brush != nullptr
               ? CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(brush->m_hObject)))
               : nullptr;
}
CFont* CDC::SelectObject(CFont* font) {
    return font != nullptr ? CFont::FromHandle(static_cast<HFONT>(SelectObject(font->m_hObject)))
                           : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return bitmap != nullptr
               ? CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(bitmap->m_hObject)))
               : nullptr;
}
int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectStockObject(int which) {
    HGDIOBJ old = SelectObject(GetStockObject(which));
    GdiObject* o = live_object(old);
    if (o == nullptr) {
        return nullptr;
    }
    switch (o->kind) {
    case GdiObject::Kind::Pen:
        return CPen::FromHandle(static_cast<HPEN>(old));
    case GdiObject::Kind::Brush:
        return CBrush::FromHandle(static_cast<HBRUSH>(old));
    case GdiObject::Kind::Font:
        return CFont::FromHandle(static_cast<HFONT>(old));
    default:
        return nullptr;
    }
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL) {
    DcState* s = state(this);
    if (s == nullptr) {
        return nullptr;
    }
    PaletteObject* old = s->palette;
    auto* p = palette != nullptr ? live<PaletteObject>(palette->m_hObject, GdiObject::Kind::Palette)
                                 : nullptr;
    s->select(s->palette, p);
    return old != nullptr && live_object(old) != nullptr ? CPalette::FromHandle(old) : nullptr;
}

// The surfaces hold direct colour, so there is nothing to realise.
UINT CDC::RealizePalette() {
    return 0;
}

CPen* CDC::GetCurrentPen() const {
    DcState* s = state(this);
    return s != nullptr ? CPen::FromHandle(s->pen) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const {
    DcState* s = state(this);
    return s != nullptr ? CBrush::FromHandle(s->brush) : nullptr;
}
CFont* CDC::GetCurrentFont() const {
    DcState* s = state(this);
    return s != nullptr ? CFont::FromHandle(s->font) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const {
    DcState* s = state(this);
    return s != nullptr && s->bitmap != nullptr ? CBitmap::FromHandle(s->bitmap) : nullptr;
}

#define ZEL_DC_SETTER(Name, Type, field, fallback)                                                 \
    Type CDC::Set##Name(Type value) {                                                              \
        DcState* s = state(this);                                                                  \
        if (s == nullptr) {                                                                        \
            return fallback;                                                                       \
        }                                                                                          \
        const Type old = s->field;                                                                 \
        s->field = value;                                                                          \
        return old;                                                                                \
    }                                                                                              \
    Type CDC::Get##Name() const {                                                                  \
        DcState* s = state(this);                                                                  \
        return s != nullptr ? s->field : fallback;                                                 \
    }
ZEL_DC_SETTER(TextColor, COLORREF, text, CLR_INVALID)
ZEL_DC_SETTER(BkColor, COLORREF, bk, CLR_INVALID)
ZEL_DC_SETTER(BkMode, int, bkMode, 0)
ZEL_DC_SETTER(StretchBltMode, int, stretchMode, 0)
ZEL_DC_SETTER(ROP2, int, rop2, 0)
#undef ZEL_DC_SETTER

CPoint CDC::SetViewportOrg(int x, int y) {
    DcState* s = state(this);
    if (s == nullptr) {
        return {};
    }
    const CPoint old(s->origin.x(), s->origin.y());
    s->origin = QPoint(x, y);
    return old;
}

CPoint CDC::GetViewportOrg() const {
    DcState* s = state(this);
    return s != nullptr ? CPoint(s->origin.x(), s->origin.y()) : CPoint();
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    const CPoint old = GetViewportOrg();
    SetViewportOrg(old.x + dx, old.y + dy);
    return old;
}

int CDC::GetDeviceCaps(int index) const {
    DcState* s = state(this);
    if (s == nullptr) {
        return 0;
    }
    const bool printer = s->target == DcState::Target::Printer;
    const int w = printer ? s->printerPage.width() : GetSystemMetrics(SM_CXSCREEN);
    const int h = printer ? s->printerPage.height() : GetSystemMetrics(SM_CYSCREEN);
    const QMargins& paper = s->paperMargins;
    switch (index) {
    case HORZRES:
        return w;
    case VERTRES:
        return h;
    case PHYSICALWIDTH:
        return w + paper.left() + paper.right();
    case PHYSICALHEIGHT:
        return h + paper.top() + paper.bottom();
    case PHYSICALOFFSETX:
        return paper.left();
    case PHYSICALOFFSETY:
        return paper.top();
    case HORZSIZE:
        return w * 254 / (s->dpi * 10);
    case VERTSIZE:
        return h * 254 / (s->dpi * 10);
    case LOGPIXELSX:
    case LOGPIXELSY:
        return s->dpi;
    case BITSPIXEL:
        return s->isMono() ? 1 : 24;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT;
    case SIZEPALETTE:
        return 0;
    default:
        return 0;
    }
}

int CDC::SelectClipRgn(CRgn* region) {
    DcState* s = state(this);
    if (s == nullptr) {
        return ERROR;
    }
    auto* r = region != nullptr ? live<RegionObject>(region->m_hObject, GdiObject::Kind::Region)
                                : nullptr;
    if (r == nullptr) {
        s->clip.reset();
        return SIMPLEREGION;
    }
    // Clip regions are given in device coordinates.
    s->clip = r->region;
    return r->region.isEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int l, int t, int r, int b) {
    DcState* s = state(this);
    if (s == nullptr) {
        return ERROR;
    }
    const QRegion rect(qrect(l, t, r, b).translated(s->origin));
    s->clip = s->clip ? (*s->clip & rect) : rect;
    return s->clip->isEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::ExcludeClipRect(int l, int t, int r, int b) {
    DcState* s = state(this);
    if (s == nullptr) {
        return ERROR;
    }
    QImage* img = s->image();
    const QRegion base = s->clip ? *s->clip : QRegion(img != nullptr ? img->rect() : QRect());
    s->clip = base.subtracted(QRegion(qrect(l, t, r, b).translated(s->origin)));
    return s->clip->isEmpty() ? NULLREGION : COMPLEXREGION;
}

int CDC::GetClipBox(LPRECT rect) const {
    DcState* s = state(this);
    if (s == nullptr || rect == nullptr) {
        return ERROR;
    }
    const QRect b = s->effectiveClip().boundingRect().translated(-s->origin);
    *rect = b.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return b.isEmpty() ? NULLREGION : SIMPLEREGION;
}

// ---- free forms ---------------------------------------------------------------------------

HDC CreateCompatibleDC(HDC reference) {
    auto* s = new DcState(DcState::Target::Memory);
    if (DcState* ref = live_dc(reference)) {
        s->dpi = ref->dpi;
    }
    return s;
}

BOOL DeleteDC(HDC dc) {
    DcState* s = live_dc(dc);
    if (s == nullptr || s->wrapper != nullptr) {
        return FALSE;
    }
    delete s;
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    DcState* s = live_dc(dc);
    return new_bitmap(width, height, s != nullptr && s->isMono());
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr ? w->SelectObject(object) : nullptr;
}

int SetStretchBltMode(HDC dc, int mode) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr ? w->SetStretchBltMode(mode) : 0;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
    CDC* w = CDC::FromHandle(dc);
    if (w == nullptr) {
        return nullptr;
    }
    CPalette* old = w->SelectPalette(CPalette::FromHandle(palette), forceBackground);
    return old != nullptr ? HPALETTE(*old) : nullptr;
}

UINT RealizePalette(HDC) {
    return 0;
}

int GetDeviceCaps(HDC dc, int index) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr ? w->GetDeviceCaps(index) : 0;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    CDC* w = CDC::FromHandle(dc);
    if (w == nullptr || rect == nullptr) {
        return 0;
    }
    w->FillRect(rect, CBrush::FromHandle(brush));
    return 1;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker,
                UINT flags) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr && w->DrawIconEx(x, y, icon, width, height, step, flicker, flags);
}

BOOL DrawState(HDC dc, HBRUSH brush, void*, LPARAM data, WPARAM, int x, int y, int width,
               int height, UINT flags) {
    CDC* w = CDC::FromHandle(dc);
    if (w == nullptr) {
        return FALSE;
    }
    if ((flags & 0xF) == DST_ICON) {
        return w->DrawState(CPoint(x, y), CSize(width, height), reinterpret_cast<HICON>(data),
                            flags & ~0xFu, brush);
    }
    if ((flags & 0xF) == DST_BITMAP) {
        return w->DrawState(CPoint(x, y), CSize(width, height), reinterpret_cast<HBITMAP>(data),
                            flags & ~0xFu, brush);
    }
    return FALSE;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr ? w->SetTextColor(color) : CLR_INVALID;
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr ? w->SetBkColor(color) : CLR_INVALID;
}
int SetBkMode(HDC dc, int mode) {
    CDC* w = CDC::FromHandle(dc);
    return w != nullptr ? w->SetBkMode(mode) : 0;
}
