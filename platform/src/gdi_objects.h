#pragma once
// The objects behind drawing handles. Every object registers itself while alive, so a handle
// can be checked before use.

#include "zel/platform/gdi.h"
#include "zel/platform/menu.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QRegion>

#include <memory>
#include <vector>

namespace zel::platform::detail {

struct GdiObject {
    enum class Kind { Pen, Brush, Font, Bitmap, Region, Palette, Icon };
    explicit GdiObject(Kind k);
    virtual ~GdiObject();
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Kind kind;
    bool stock = false;
    int selections = 0;                  // how many contexts hold it selected
    std::unique_ptr<CGdiObject> wrapper; // made by FromHandle; never owns the object
};

// The live object of `handle` of kind `k`, or null for a deleted, foreign or other-kind handle.
GdiObject* live_object(const void* handle);
template <class T> T* live(const void* handle, GdiObject::Kind k) {
    GdiObject* o = live_object(handle);
    return o != nullptr && o->kind == k ? static_cast<T*>(o) : nullptr;
}

struct PenObject : GdiObject {
    PenObject() : GdiObject(Kind::Pen) {}
    UINT style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(Kind::Brush) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(Kind::Font) {}
    LOGFONT lf{};
    QFont qfont() const;
};

// Pixels are kept as 0xffRRGGBB words; a monochrome bitmap holds only black and white.
// A device-independent section also keeps its rows in the caller's format (`dibBits`), which
// is the truth: the image is refreshed from it before each use and written back after drawing.
struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(Kind::Bitmap) {}
    ~BitmapObject() override;
    QImage image;
    bool mono = false;
    bool dibSection = false;
    BITMAPINFOHEADER dibHeader{};
    std::vector<RGBQUAD> dibColors;
    unsigned char* dibBits = nullptr;
    void syncFromDib();
    void syncToDib();
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(Kind::Region) {}
    QRegion region;
};

struct PaletteObject : GdiObject {
    PaletteObject() : GdiObject(Kind::Palette) {}
    std::vector<PALETTEENTRY> entries;
};

// Icons and cursors: a picture with transparency and a hot spot.
struct IconObject : GdiObject {
    IconObject() : GdiObject(Kind::Icon) {}
    QImage image; // ARGB32
    QPoint hotSpot;
    bool cursor = false;
    int stockShape = -1; // a Qt cursor shape for stock cursors
    QCursor qcursor() const;
};

struct AccelTable {
    std::vector<ACCEL> entries;
};

// A black picture of the size (at least 1 x 1); null when Qt cannot make one that large.
BitmapObject* new_bitmap(int width, int height, bool mono);
QColor qcolor(COLORREF c);
COLORREF colorref(QRgb c);
// The row stride of a device-independent picture, in bytes.
int dib_stride(int width, int bitCount);
// Whether a header's width and height (negative: top-down) describe rows whose stride and
// count an int holds, so that the picture's arithmetic stays defined.
bool dib_size_fits(int width, int height, int bitCount);
// Decodes device-independent rows into an RGB32 image (null image for unsupported formats).
QImage image_from_dib(const BITMAPINFO* info, const void* bits);
int dib_color_count(const BITMAPINFOHEADER& h);

} // namespace zel::platform::detail
