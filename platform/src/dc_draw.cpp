// Drawing primitives of device contexts: fills, frames, 3-D edges, shapes, lines, pixels,
// icons and the embossed look of disabled pictures.

#include "dc_state.h"

#include "zel/platform/system.h"

#include <QPainter>

using namespace zel::platform::detail;

namespace {

DcState* state(const CDC* dc) {
    return dc != nullptr ? live_dc(dc->m_hDC) : nullptr;
}

// Runs `draw` with a painter on the context's picture, clipped and moved to the logical origin.
template <class F> void paint(DcState* s, const QRect& logicalBounds, F draw) {
    if (s == nullptr) {
        return;
    }
    // The clip is read first: reading it refreshes a section's picture, which must not happen
    // under an active painter.
    const QRegion clip = s->effectiveClip();
    QImage* img = s->image();
    if (img == nullptr) {
        return;
    }
    {
        QPainter p(img);
        p.setClipRegion(clip);
        p.translate(s->origin);
        draw(p);
    }
    s->touched(logicalBounds.translated(s->origin).adjusted(-2, -2, 2, 2));
}

QRect qrect(int l, int t, int r, int b) {
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

// Colour as stored in the context's picture (monochrome pictures keep black or white).
QRgb device_color(DcState* s, COLORREF c) {
    if (s->isMono()) {
        return (c & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFF : 0xFF000000;
    }
    return 0xFF000000 | qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Plots one pixel in `color`, or inverts the pixel there.
void plot(DcState* s, QImage& img, const QRegion& clip, int x, int y, QRgb color,
          bool invert = false) {
    const QPoint p(x + s->origin.x(), y + s->origin.y());
    if (!clip.contains(p)) {
        return;
    }
    QRgb* px = reinterpret_cast<QRgb*>(img.scanLine(p.y())) + p.x();
    *px = invert ? 0xFF000000 | ~*px : color;
}

} // namespace

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
    DcState* s = state(this);
    if (s == nullptr) {
        return;
    }
    QRect r(x, y, width, height);
    r = r.normalized();
    if (width < 0) {
        r.translate(1, 0);
    }
    if (height < 0) {
        r.translate(0, 1);
    }
    const QRgb c = device_color(s, color);
    paint(s, r, [&](QPainter& p) { p.fillRect(r, QColor::fromRgb(c)); });
    // Filling sets the background colour as a side effect, which callers may rely on.
    s->bk = color;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    if (rect != nullptr) {
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                      color);
    }
}

namespace {
void fill_with_brush(DcState* s, const QRect& r, BrushObject* b) {
    if (s == nullptr || b == nullptr || b->style == BS_NULL || r.isEmpty()) {
        return;
    }
    paint(s, r, [&](QPainter& p) { p.fillRect(r, QColor::fromRgb(device_color(s, b->color))); });
}
BrushObject* brush_of(CBrush* b) {
    return b != nullptr ? live<BrushObject>(b->m_hObject, GdiObject::Kind::Brush) : nullptr;
}
} // namespace

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    if (rect != nullptr) {
        fill_with_brush(state(this), qrect(rect->left, rect->top, rect->right, rect->bottom),
                        brush_of(brush));
    }
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    DcState* s = state(this);
    BrushObject* b = brush_of(brush);
    if (rect == nullptr || s == nullptr || b == nullptr) {
        return;
    }
    const CRect r(rect);
    if (r.IsRectEmpty()) {
        return;
    }
    fill_with_brush(s, QRect(r.left, r.top, r.Width(), 1), b);
    fill_with_brush(s, QRect(r.left, r.bottom - 1, r.Width(), 1), b);
    fill_with_brush(s, QRect(r.left, r.top, 1, r.Height()), b);
    fill_with_brush(s, QRect(r.right - 1, r.top, 1, r.Height()), b);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    DcState* s = state(this);
    const COLORREF keep = s != nullptr ? s->bk : 0;
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
    if (s != nullptr) {
        s->bk = keep;
    }
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    if (rect != nullptr) {
        Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                   topLeft, bottomRight);
    }
}

void CDC::DrawFocusRect(LPCRECT rect) {
    DcState* s = state(this);
    QImage* img = s != nullptr ? s->image() : nullptr;
    if (img == nullptr || rect == nullptr) {
        return;
    }
    const CRect r(rect);
    const QRegion clip = s->effectiveClip();
    // A dotted frame drawn by inverting every other pixel, so drawing it twice removes it.
    for (int x = r.left; x < r.right; x += 2) {
        plot(s, *img, clip, x, r.top, 0, true);
        plot(s, *img, clip, x, r.bottom - 1, 0, true);
    }
    for (int y = r.top + 2; y < r.bottom - 1; y += 2) {
        plot(s, *img, clip, r.left, y, 0, true);
        plot(s, *img, clip, r.right - 1, y, 0, true);
    }
    s->touched(qrect(r.left, r.top, r.right, r.bottom).translated(s->origin));
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags) {
    if (rect == nullptr) {
        return FALSE;
    }
    CRect r(rect);
    const COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW),
                   dk = GetSysColor(COLOR_3DDKSHADOW), lt = GetSysColor(COLOR_3DLIGHT);
    auto ring = [&](COLORREF tl, COLORREF br) {
        if (flags & BF_TOP)
            FillSolidRect(r.left, r.top, r.Width(), 1, tl);
        if (flags & BF_LEFT)
            FillSolidRect(r.left, r.top, 1, r.Height(), tl);
        if (flags & BF_BOTTOM)
            FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, br);
        if (flags & BF_RIGHT)
            FillSolidRect(r.right - 1, r.top, 1, r.Height(), br);
        r.DeflateRect(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? 1 : 0,
                      flags & BF_BOTTOM ? 1 : 0);
    };
    if (edge & BDR_RAISEDOUTER)
        ring(lt, dk);
    if (edge & BDR_SUNKENOUTER)
        ring(sh, hi);
    if (edge & BDR_RAISEDINNER)
        ring(hi, sh);
    if (edge & BDR_SUNKENINNER)
        ring(dk, lt);
    return TRUE;
}

namespace {
QPen qpen(DcState* s) {
    if (s->pen == nullptr || s->pen->style == PS_NULL) {
        return Qt::NoPen;
    }
    QPen p(QColor::fromRgb(device_color(s, s->pen->color)));
    p.setWidth(s->pen->width);
    p.setStyle(s->pen->style == PS_DASH ? Qt::DashLine
                                        : (s->pen->style == PS_DOT ? Qt::DotLine : Qt::SolidLine));
    return p;
}
QBrush qbrush(DcState* s) {
    if (s->brush == nullptr || s->brush->style == BS_NULL) {
        return Qt::NoBrush;
    }
    return QBrush(QColor::fromRgb(device_color(s, s->brush->color)));
}
} // namespace

BOOL CDC::Rectangle(int l, int t, int r, int b) {
    DcState* s = state(this);
    if (s == nullptr) {
        return FALSE;
    }
    const bool hasPen = s->pen != nullptr && s->pen->style != PS_NULL;
    const QRect outer = qrect(l, t, r, b).normalized();
    if (hasPen) {
        fill_with_brush(s, outer.adjusted(1, 1, -1, -1), s->brush);
        MoveTo(l, t);
        LineTo(r - 1, t);
        LineTo(r - 1, b - 1);
        LineTo(l, b - 1);
        LineTo(l, t);
    } else {
        fill_with_brush(s, outer.adjusted(0, 0, -1, -1), s->brush);
    }
    return TRUE;
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int w, int h) {
    DcState* s = state(this);
    const QRect rect = qrect(l, t, r, b).normalized();
    paint(s, rect, [&](QPainter& p) {
        p.setPen(qpen(s));
        p.setBrush(qbrush(s));
        p.drawRoundedRect(rect.adjusted(0, 0, -1, -1), w / 2.0, h / 2.0);
    });
    return s != nullptr;
}

BOOL CDC::Ellipse(int l, int t, int r, int b) {
    DcState* s = state(this);
    const QRect rect = qrect(l, t, r, b).normalized();
    paint(s, rect, [&](QPainter& p) {
        p.setPen(qpen(s));
        p.setBrush(qbrush(s));
        p.drawEllipse(rect.adjusted(0, 0, -1, -1));
    });
    return s != nullptr;
}

CPoint CDC::MoveTo(int x, int y) {
    DcState* s = state(this);
    if (s == nullptr) {
        return {};
    }
    const CPoint old(s->pos.x(), s->pos.y());
    s->pos = QPoint(x, y);
    return old;
}

BOOL CDC::LineTo(int x, int y) {
    DcState* s = state(this);
    QImage* img = s != nullptr ? s->image() : nullptr;
    if (img == nullptr) {
        return FALSE;
    }
    const QPoint from = s->pos;
    s->pos = QPoint(x, y);
    if (s->pen == nullptr || s->pen->style == PS_NULL) {
        return TRUE;
    }
    if (s->pen->width > 1) {
        paint(s, QRect(from, QPoint(x, y)).normalized(), [&](QPainter& p) {
            p.setPen(qpen(s));
            p.drawLine(from, QPoint(x, y));
        });
        return TRUE;
    }
    // One-pixel lines step from the first point and stop before the last.
    const QRegion clip = s->effectiveClip();
    const QRgb c = device_color(s, s->pen->color);
    int x0 = from.x(), y0 = from.y();
    const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
    const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    while (x0 != x || y0 != y) {
        plot(s, *img, clip, x0, y0, c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    s->touched(QRect(from, QPoint(x, y)).normalized().translated(s->origin).adjusted(-1, -1, 1, 1));
    return TRUE;
}

COLORREF CDC::GetPixel(int x, int y) const {
    DcState* s = state(this);
    QImage* img = s != nullptr ? s->image() : nullptr;
    if (img == nullptr) {
        return CLR_INVALID;
    }
    const QPoint p(x + s->origin.x(), y + s->origin.y());
    return img->rect().contains(p) ? colorref(img->pixel(p)) : CLR_INVALID;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return DrawIconEx(x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

BOOL CDC::DrawIconEx(int x, int y, HICON icon, int width, int height, UINT, HBRUSH, UINT) {
    DcState* s = state(this);
    auto* i = live<IconObject>(icon, GdiObject::Kind::Icon);
    if (s == nullptr || i == nullptr) {
        return FALSE;
    }
    const QSize size(width > 0 ? width : i->image.width(), height > 0 ? height : i->image.height());
    const QRect target(QPoint(x, y), size);
    paint(s, target, [&](QPainter& p) { p.drawImage(target, i->image); });
    return TRUE;
}

namespace {
// Draws the embossed look of a disabled picture: its shape in the highlight colour one pixel
// down and right, then in the shadow colour.
void draw_disabled(DcState* s, const QRect& target, const QImage& shapeSource, bool useAlpha) {
    QImage shape(shapeSource.size(), QImage::Format_ARGB32);
    shape.fill(0);
    for (int y = 0; y < shapeSource.height(); ++y) {
        for (int x = 0; x < shapeSource.width(); ++x) {
            const QRgb p = shapeSource.pixel(x, y);
            const bool ink = useAlpha ? qAlpha(p) >= 128 && qGray(p) < 192 : qGray(p) < 128;
            if (ink) {
                shape.setPixel(x, y, 0xFF000000);
            }
        }
    }
    auto tinted = [&](COLORREF c) {
        QImage t = shape;
        QPainter tp(&t);
        tp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tp.fillRect(t.rect(), qcolor(c));
        return t;
    };
    const QImage hi = tinted(GetSysColor(COLOR_BTNHIGHLIGHT));
    const QImage sh = tinted(GetSysColor(COLOR_BTNSHADOW));
    paint(s, target.adjusted(0, 0, 1, 1), [&](QPainter& p) {
        p.drawImage(target.translated(1, 1), hi);
        p.drawImage(target, sh);
    });
}
} // namespace

BOOL CDC::DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH) {
    DcState* s = state(this);
    auto* i = live<IconObject>(icon, GdiObject::Kind::Icon);
    if (s == nullptr || i == nullptr) {
        return FALSE;
    }
    const QRect target(pt.x, pt.y, size.cx > 0 ? size.cx : i->image.width(),
                       size.cy > 0 ? size.cy : i->image.height());
    if (flags & DSS_DISABLED) {
        draw_disabled(s, target, i->image.scaled(target.size()), true);
        return TRUE;
    }
    paint(s, target, [&](QPainter& p) { p.drawImage(target, i->image); });
    return TRUE;
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH) {
    DcState* s = state(this);
    auto* b = live<BitmapObject>(bitmap, GdiObject::Kind::Bitmap);
    if (s == nullptr || b == nullptr) {
        return FALSE;
    }
    b->syncFromDib();
    const QRect target(pt.x, pt.y, size.cx > 0 ? size.cx : b->image.width(),
                       size.cy > 0 ? size.cy : b->image.height());
    if (flags & DSS_DISABLED) {
        draw_disabled(s, target, b->image.copy(0, 0, target.width(), target.height()), false);
        return TRUE;
    }
    paint(s, target, [&](QPainter& p) {
        p.drawImage(target.topLeft(), b->image, QRect(QPoint(0, 0), target.size()));
    });
    return TRUE;
}
