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

// Each setter hands back the mode or colour it replaced.
#define ZEL_DC_SETTER(Name, Type, field, fallback)                                                 \
    Type CDC::Set##Name(Type value) {                                                              \
        DcState* s = state(this);                                                                  \
        if (s == nullptr) {                                                                        \
            return fallback;                                                                       \
        }                                                                                          \
        const Type old = s->field;                                                                 \
        s->field = value;                                                                          \
        return old;                                                                                \
    }
ZEL_DC_SETTER(TextColor, COLORREF, text, CLR_INVALID)
ZEL_DC_SETTER(BkColor, COLORREF, bk, CLR_INVALID)
ZEL_DC_SETTER(BkMode, int, bkMode, 0)
ZEL_DC_SETTER(StretchBltMode, int, stretchMode, 0)
#undef ZEL_DC_SETTER

COLORREF CDC::GetBkColor() const {
    DcState* s = state(this);
    return s != nullptr ? s->bk : CLR_INVALID;
}

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

// ---- free forms ---------------------------------------------------------------------------

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    DcState* s = live_dc(dc);
    return new_bitmap(width, height, s != nullptr && s->isMono());
}
