#include "gdi_objects.h"

#include "zel/platform/dc.h"
#include "zel/platform/system.h"

#include <QPainter>

#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <new>
#include <unordered_set>

namespace zel::platform::detail {

namespace {
std::unordered_set<const void*>& live_set() {
    // Never destroyed: handles may be checked while other statics are torn down.
    static auto* set = new std::unordered_set<const void*>;
    return *set;
}
} // namespace

GdiObject::GdiObject(Kind k) : kind(k) {
    live_set().insert(this);
}
GdiObject::~GdiObject() {
    live_set().erase(this);
}

GdiObject* live_object(const void* handle) {
    if (handle == nullptr || live_set().count(handle) == 0) {
        return nullptr;
    }
    return static_cast<GdiObject*>(const_cast<void*>(handle));
}

QFont FontObject::qfont() const {
    QFont f(QString::fromUtf8(lf.lfFaceName[0] != 0 ? lf.lfFaceName : "DejaVu Sans"));
    // Negative heights are character heights, positive ones cell heights.
    const int h = lf.lfHeight < 0 ? -lf.lfHeight : (lf.lfHeight > 0 ? lf.lfHeight * 4 / 5 : 11);
    f.setPixelSize(h > 0 ? h : 1);
    f.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    return f;
}

BitmapObject::~BitmapObject() {
    delete[] dibBits;
}

int dib_stride(int width, int bitCount) {
    return ((width * bitCount + 31) >> 5) << 2;
}

bool dib_size_fits(int width, int height, int bitCount) {
    return width > 0 && height != 0 && height != std::numeric_limits<int>::min() && bitCount > 0 &&
           std::int64_t(width) * bitCount + 31 <= std::numeric_limits<int>::max();
}

int dib_color_count(const BITMAPINFOHEADER& h) {
    if (h.biBitCount > 8) {
        return 0;
    }
    return h.biClrUsed != 0 ? int(h.biClrUsed) : 1 << h.biBitCount;
}

QImage image_from_dib(const BITMAPINFO* info, const void* bits) {
    if (info == nullptr || bits == nullptr) {
        return {};
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (!dib_size_fits(h.biWidth, h.biHeight, h.biBitCount)) {
        return {};
    }
    const int w = h.biWidth;
    const int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const int bpp = h.biBitCount;
    if (w <= 0 || rows <= 0 || h.biCompression != BI_RGB ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)) {
        return {};
    }
    const int colors = dib_color_count(h);
    const RGBQUAD* table = info->bmiColors;
    QImage img(w, rows, QImage::Format_RGB32);
    const int stride = dib_stride(w, bpp);
    const auto* src = static_cast<const unsigned char*>(bits);
    for (int y = 0; y < rows; ++y) {
        const int stored = h.biHeight < 0 ? y : rows - 1 - y;
        const unsigned char* row = src + std::size_t(stored) * std::size_t(stride);
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int index = 0;
            switch (bpp) {
            case 32:
            case 24: {
                const unsigned char* p = row + x * (bpp / 8);
                out[x] = qRgb(p[2], p[1], p[0]);
                continue;
            }
            case 8:
                index = row[x];
                break;
            case 4:
                index = (row[x / 2] >> ((x % 2) != 0 ? 0 : 4)) & 0xF;
                break;
            default:
                index = (row[x / 8] >> (7 - x % 8)) & 1;
                break;
            }
            const RGBQUAD q = index < colors ? table[index] : RGBQUAD{};
            out[x] = qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
    }
    return img;
}

void BitmapObject::syncFromDib() {
    if (!dibSection || dibBits == nullptr) {
        return;
    }
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(info.data(), &dibHeader, sizeof dibHeader);
    if (!dibColors.empty()) {
        std::memcpy(info.data() + sizeof dibHeader, dibColors.data(),
                    dibColors.size() * sizeof(RGBQUAD));
    }
    const QImage img = image_from_dib(reinterpret_cast<const BITMAPINFO*>(info.data()), dibBits);
    if (!img.isNull()) {
        image = img;
    }
}

void BitmapObject::syncToDib() {
    // Only direct-colour sections take drawing back; palette sections are read-only pictures.
    if (!dibSection || dibBits == nullptr || dibHeader.biBitCount < 24) {
        return;
    }
    const int w = dibHeader.biWidth;
    const int rows = dibHeader.biHeight < 0 ? -dibHeader.biHeight : dibHeader.biHeight;
    const int bytes = dibHeader.biBitCount / 8;
    const int stride = dib_stride(w, dibHeader.biBitCount);
    for (int y = 0; y < rows && y < image.height(); ++y) {
        const int stored = dibHeader.biHeight < 0 ? y : rows - 1 - y;
        unsigned char* row = dibBits + std::size_t(stored) * std::size_t(stride);
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w && x < image.width(); ++x) {
            row[x * bytes] = BYTE(qBlue(in[x]));
            row[x * bytes + 1] = BYTE(qGreen(in[x]));
            row[x * bytes + 2] = BYTE(qRed(in[x]));
        }
    }
}

BitmapObject* new_bitmap(int width, int height, bool mono) {
    QImage image(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32);
    // Qt gives a null image for a size it cannot hold or find memory for.
    if (image.isNull()) {
        return nullptr;
    }
    image.fill(Qt::black);
    auto* b = new BitmapObject;
    b->image = std::move(image);
    b->mono = mono;
    return b;
}

QColor qcolor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
COLORREF colorref(QRgb c) {
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

QCursor IconObject::qcursor() const {
    if (stockShape >= 0) {
        return QCursor(Qt::CursorShape(stockShape));
    }
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

} // namespace zel::platform::detail

using namespace zel::platform::detail;

HPEN CreatePen(int style, int width, COLORREF color) {
    auto* p = new PenObject;
    p->style = UINT(style);
    p->width = width < 1 ? 1 : width;
    p->color = color;
    return p;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* b = new BrushObject;
    b->color = color;
    return b;
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
    if (lf == nullptr) {
        return nullptr;
    }
    auto* f = new FontObject;
    f->lf = *lf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return f;
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width <= 0 || height <= 0 || planes != 1) {
        return nullptr;
    }
    BitmapObject* b = new_bitmap(width, height, bitsPerPixel == 1);
    if (b == nullptr) {
        return nullptr;
    }
    if (bits != nullptr && bitsPerPixel == 1) {
        // Word-aligned rows, top row first, bit 1 = white.
        const int stride = ((width + 15) / 16) * 2;
        const auto* src = static_cast<const unsigned char*>(bits);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool on = (src[y * stride + x / 8] >> (7 - x % 8)) & 1;
                b->image.setPixel(x, y, on ? 0xFFFFFFFF : 0xFF000000);
            }
        }
    } else if (bits != nullptr && bitsPerPixel == 32) {
        std::memcpy(b->image.bits(), bits, std::size_t(width) * std::size_t(height) * 4);
    }
    return b;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, void*, DWORD) {
    if (info == nullptr) {
        return nullptr;
    }
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (!dib_size_fits(h.biWidth, h.biHeight, h.biBitCount)) {
        return nullptr;
    }
    const int rows = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biWidth <= 0 || rows <= 0 || h.biCompression != BI_RGB ||
        (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8 && h.biBitCount != 24 &&
         h.biBitCount != 32)) {
        return nullptr;
    }
    BitmapObject* b = new_bitmap(h.biWidth, rows, false);
    if (b == nullptr) {
        return nullptr;
    }
    const std::size_t size = std::size_t(dib_stride(h.biWidth, h.biBitCount)) * std::size_t(rows);
    b->dibBits = new (std::nothrow) unsigned char[size]();
    if (b->dibBits == nullptr) {
        delete b;
        return nullptr;
    }
    b->dibSection = true;
    b->dibHeader = h;
    const int colors = dib_color_count(h);
    b->dibColors.assign(info->bmiColors, info->bmiColors + colors);
    if (bits != nullptr) {
        *bits = b->dibBits;
    }
    b->syncFromDib();
    return b;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto* r = new RegionObject;
    if (right > left && bottom > top) {
        r->region = QRegion(left, top, right - left, bottom - top);
    }
    return r;
}

HPALETTE CreatePalette(const LOGPALETTE* lp) {
    if (lp == nullptr) {
        return nullptr;
    }
    auto* p = new PaletteObject;
    p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
    return p;
}

HICON CreateIconIndirect(const ICONINFO* info) {
    if (info == nullptr) {
        return nullptr;
    }
    auto* color = live<BitmapObject>(info->hbmColor, GdiObject::Kind::Bitmap);
    auto* mask = live<BitmapObject>(info->hbmMask, GdiObject::Kind::Bitmap);
    if (color == nullptr && mask == nullptr) {
        return nullptr;
    }
    const QImage& base = color != nullptr ? color->image : mask->image;
    auto* icon = new IconObject;
    icon->image = base.convertToFormat(QImage::Format_ARGB32);
    // Mask bit 1 is transparent, as the icon's AND mask reads.
    if (mask != nullptr) {
        for (int y = 0; y < icon->image.height() && y < mask->image.height(); ++y) {
            for (int x = 0; x < icon->image.width() && x < mask->image.width(); ++x) {
                if ((mask->image.pixel(x, y) & 0xFFFFFF) != 0) {
                    icon->image.setPixel(x, y, 0);
                }
            }
        }
    }
    icon->hotSpot = info->fIcon ? QPoint(icon->image.width() / 2, icon->image.height() / 2)
                                : QPoint(int(info->xHotspot), int(info->yHotspot));
    icon->cursor = info->fIcon == FALSE;
    return icon;
}

HICON CopyIcon(HICON icon) {
    auto* i = live<IconObject>(icon, GdiObject::Kind::Icon);
    if (i == nullptr) {
        return nullptr;
    }
    auto* c = new IconObject;
    c->image = i->image;
    c->hotSpot = i->hotSpot;
    c->cursor = i->cursor;
    c->stockShape = i->stockShape;
    return c;
}

HGDIOBJ GetStockObject(int which) {
    static auto& stock = *new std::map<int, std::unique_ptr<GdiObject>>;
    auto it = stock.find(which);
    if (it != stock.end()) {
        return it->second.get();
    }
    std::unique_ptr<GdiObject> o;
    auto brush = [](UINT style, COLORREF c) {
        auto b = std::make_unique<BrushObject>();
        b->style = style;
        b->color = c;
        return b;
    };
    auto pen = [](UINT style, COLORREF c) {
        auto p = std::make_unique<PenObject>();
        p->style = style;
        p->color = c;
        return p;
    };
    switch (which) {
    case WHITE_BRUSH:
        o = brush(BS_SOLID, RGB(255, 255, 255));
        break;
    case LTGRAY_BRUSH:
        o = brush(BS_SOLID, RGB(192, 192, 192));
        break;
    case GRAY_BRUSH:
        o = brush(BS_SOLID, RGB(128, 128, 128));
        break;
    case DKGRAY_BRUSH:
        o = brush(BS_SOLID, RGB(64, 64, 64));
        break;
    case BLACK_BRUSH:
        o = brush(BS_SOLID, 0);
        break;
    case NULL_BRUSH:
        o = brush(BS_NULL, 0);
        break;
    case WHITE_PEN:
        o = pen(PS_SOLID, RGB(255, 255, 255));
        break;
    case BLACK_PEN:
        o = pen(PS_SOLID, 0);
        break;
    case NULL_PEN:
        o = pen(PS_NULL, 0);
        break;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT: {
        auto f = std::make_unique<FontObject>();
        f->lf.lfHeight = -11;
        f->lf.lfWeight = which == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
        std::strcpy(f->lf.lfFaceName, "MS Sans Serif");
        o = std::move(f);
        break;
    }
    case DEFAULT_PALETTE: {
        auto p = std::make_unique<PaletteObject>();
        p->entries.resize(20);
        o = std::move(p);
        break;
    }
    default:
        return nullptr;
    }
    o->stock = true;
    GdiObject* raw = o.get();
    stock.emplace(which, std::move(o));
    return raw;
}

HBRUSH GetSysColorBrush(int index) {
    static auto& brushes = *new std::map<int, std::unique_ptr<BrushObject>>;
    auto& b = brushes[index];
    if (!b) {
        b = std::make_unique<BrushObject>();
        b->stock = true;
    }
    b->color = GetSysColor(index);
    return b.get();
}

int GetObject(HGDIOBJ object, int size, void* out) {
    GdiObject* o = live_object(object);
    if (o == nullptr) {
        return 0;
    }
    switch (o->kind) {
    case GdiObject::Kind::Bitmap: {
        auto* b = static_cast<BitmapObject*>(o);
        if (out == nullptr) {
            return sizeof(BITMAP);
        }
        if (size < int(sizeof(BITMAP))) {
            return 0;
        }
        BITMAP bm;
        bm.bmWidth = b->image.width();
        bm.bmHeight = b->image.height();
        bm.bmBitsPixel = b->mono ? 1 : (b->dibSection ? b->dibHeader.biBitCount : 32);
        bm.bmWidthBytes = b->mono ? ((bm.bmWidth + 15) / 16) * 2 : bm.bmWidth * 4;
        bm.bmBits = b->dibSection ? b->dibBits : nullptr;
        std::memcpy(out, &bm, sizeof bm);
        return sizeof(BITMAP);
    }
    case GdiObject::Kind::Font:
        if (out == nullptr) {
            return sizeof(LOGFONT);
        }
        if (size < int(sizeof(LOGFONT))) {
            return 0;
        }
        std::memcpy(out, &static_cast<FontObject*>(o)->lf, sizeof(LOGFONT));
        return sizeof(LOGFONT);
    case GdiObject::Kind::Pen: {
        if (out == nullptr || size < int(sizeof(LOGPEN))) {
            return out == nullptr ? int(sizeof(LOGPEN)) : 0;
        }
        auto* p = static_cast<PenObject*>(o);
        LOGPEN lp{p->style, {p->width, 0}, p->color};
        std::memcpy(out, &lp, sizeof lp);
        return sizeof(LOGPEN);
    }
    case GdiObject::Kind::Brush: {
        if (out == nullptr || size < int(sizeof(LOGBRUSH))) {
            return out == nullptr ? int(sizeof(LOGBRUSH)) : 0;
        }
        auto* b = static_cast<BrushObject*>(o);
        LOGBRUSH lb{b->style, b->color, 0};
        std::memcpy(out, &lb, sizeof lb);
        return sizeof(LOGBRUSH);
    }
    case GdiObject::Kind::Palette:
        if (out != nullptr && size >= int(sizeof(WORD))) {
            const WORD n = WORD(static_cast<PaletteObject*>(o)->entries.size());
            std::memcpy(out, &n, sizeof n);
        }
        return sizeof(WORD);
    default:
        return 0;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* o = live_object(object);
    // Stock objects and objects still selected into a context are not deleted.
    if (o == nullptr || o->stock || o->selections > 0) {
        return FALSE;
    }
    delete o;
    return TRUE;
}

BOOL DestroyIcon(HICON icon) {
    auto* i = live<IconObject>(icon, GdiObject::Kind::Icon);
    if (i == nullptr || i->stock) {
        return FALSE;
    }
    delete i;
    return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
    return DestroyIcon(cursor);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    auto* i = live<IconObject>(icon, GdiObject::Kind::Icon);
    if (i == nullptr || info == nullptr) {
        return FALSE;
    }
    const int w = i->image.width(), h = i->image.height();
    BitmapObject* color = new_bitmap(w, h, false);
    BitmapObject* mask = new_bitmap(w, h, true);
    if (color == nullptr || mask == nullptr) {
        delete color;
        delete mask;
        return FALSE;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = i->image.pixel(x, y);
            const bool clear = qAlpha(p) < 128;
            color->image.setPixel(x, y, clear ? 0xFF000000 : (p | 0xFF000000));
            mask->image.setPixel(x, y, clear ? 0xFFFFFFFF : 0xFF000000);
        }
    }
    info->fIcon = i->cursor ? FALSE : TRUE;
    info->xHotspot = DWORD(i->cursor ? i->hotSpot.x() : w / 2);
    info->yHotspot = DWORD(i->cursor ? i->hotSpot.y() : h / 2);
    info->hbmColor = color;
    info->hbmMask = mask;
    return TRUE;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    auto* d = live<RegionObject>(dest, GdiObject::Kind::Region);
    auto* ra = live<RegionObject>(a, GdiObject::Kind::Region);
    auto* rb = live<RegionObject>(b, GdiObject::Kind::Region);
    if (d == nullptr || ra == nullptr || (mode != RGN_COPY && rb == nullptr)) {
        return ERROR;
    }
    QRegion r;
    switch (mode) {
    case RGN_AND:
        r = ra->region.intersected(rb->region);
        break;
    case RGN_OR:
        r = ra->region.united(rb->region);
        break;
    case RGN_XOR:
        r = ra->region.xored(rb->region);
        break;
    case RGN_DIFF:
        r = ra->region.subtracted(rb->region);
        break;
    case RGN_COPY:
        r = ra->region;
        break;
    default:
        return ERROR;
    }
    d->region = r;
    return r.isEmpty() ? NULLREGION : (r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    auto* r = live<RegionObject>(region, GdiObject::Kind::Region);
    return r != nullptr && r->region.contains(QPoint(x, y));
}

int GetRgnBox(HRGN region, RECT* box) {
    auto* r = live<RegionObject>(region, GdiObject::Kind::Region);
    if (r == nullptr || box == nullptr) {
        return ERROR;
    }
    const QRect b = r->region.boundingRect();
    *box = r->region.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return r->region.isEmpty() ? NULLREGION
                               : (r->region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL EqualRgn(HRGN a, HRGN b) {
    auto* ra = live<RegionObject>(a, GdiObject::Kind::Region);
    auto* rb = live<RegionObject>(b, GdiObject::Kind::Region);
    return ra != nullptr && rb != nullptr && ra->region == rb->region;
}

// ---- C++ wrappers -------------------------------------------------------------------------

namespace {
// The non-owning wrapper FromHandle hands out: one per object, gone with the object.
template <class T> T* wrapper_for(HGDIOBJ h, GdiObject::Kind kind) {
    GdiObject* o = live_object(h);
    if (o == nullptr || o->kind != kind) {
        return nullptr;
    }
    if (!o->wrapper) {
        auto w = std::make_unique<T>();
        w->m_owned = false;
        w->m_hObject = h;
        o->wrapper = std::move(w);
    }
    return static_cast<T*>(o->wrapper.get());
}
} // namespace

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (object == nullptr) {
        return FALSE;
    }
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    if (!m_owned) {
        m_hObject = nullptr;
        return FALSE;
    }
    GdiObject* o = live_object(m_hObject);
    if (o != nullptr && o->kind == GdiObject::Kind::Icon) {
        ::DestroyIcon(static_cast<HICON>(m_hObject));
    } else {
        ::DeleteObject(m_hObject);
    }
    m_hObject = nullptr;
    return TRUE;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    return Attach(::CreatePen(style, width, color));
}
CPen* CPen::FromHandle(HPEN pen) {
    return wrapper_for<CPen>(pen, GdiObject::Kind::Pen);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return Attach(::CreateSolidBrush(color));
}
CBrush* CBrush::FromHandle(HBRUSH brush) {
    return wrapper_for<CBrush>(brush, GdiObject::Kind::Brush);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
    return Attach(::CreateFontIndirect(lf));
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lf, CDC* dc) {
    if (lf == nullptr) {
        return FALSE;
    }
    LOGFONT l = *lf;
    const int dpi = dc != nullptr ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
    // lfHeight holds tenths of a point here.
    l.lfHeight = -MulDiv(lf->lfHeight, dpi, 720);
    return CreateFontIndirect(&l);
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, LPCTSTR face, CDC* dc) {
    LOGFONT lf{};
    lf.lfHeight = tenthsOfPoint;
    lf.lfWeight = FW_NORMAL;
    if (face != nullptr) {
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreatePointFontIndirect(&lf, dc);
}

CFont* CFont::FromHandle(HFONT font) {
    return wrapper_for<CFont>(font, GdiObject::Kind::Font);
}

BOOL CBitmap::LoadBitmap(UINT id) {
    return LoadBitmap(MAKEINTRESOURCE(id));
}
BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                           const void* bits) {
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return Attach(::CreateCompatibleBitmap(dc != nullptr ? dc->m_hDC : nullptr, width, height));
}
CBitmap* CBitmap::FromHandle(HBITMAP bitmap) {
    return wrapper_for<CBitmap>(bitmap, GdiObject::Kind::Bitmap);
}

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b) {
    return Attach(::CreateRectRgn(l, t, r, b));
}
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(*this, a != nullptr ? HRGN(*a) : nullptr, b != nullptr ? HRGN(*b) : nullptr,
                        mode);
}

BOOL CPalette::CreatePalette(const LOGPALETTE* lp) {
    return Attach(::CreatePalette(lp));
}
CPalette* CPalette::FromHandle(HPALETTE palette) {
    return wrapper_for<CPalette>(palette, GdiObject::Kind::Palette);
}
