#pragma once
// Points, sizes and rectangles in pixels. Rectangles include left and top and exclude right and
// bottom, as every drawing and hit test of the layer reads them.

#include "zel/platform/types.h"

struct POINT {
    LONG x = 0;
    LONG y = 0;
};
struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPPOINT = POINT*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int ix, int iy) { x = ix, y = iy; }
    CPoint(POINT p) : POINT(p) {}
    explicit CPoint(LPARAM l) { x = GET_X_LPARAM(l), y = GET_Y_LPARAM(l); }
    void Offset(int dx, int dy) { x += dx, y += dy; }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    CPoint operator+(const CPoint& o) const { return {x + o.x, y + o.y}; }
    CPoint operator-(const CPoint& o) const { return {x - o.x, y - o.y}; }
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int w, int h) { cx = w, cy = h; }
    CSize(SIZE s) : SIZE(s) {}
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    CRect(const RECT& r) : RECT(r) {}
    CRect(const RECT* r) : RECT(*r) {}
    CRect(CPoint topLeft, CSize size)
        : CRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return {Width(), Height()}; }
    CPoint TopLeft() const { return {left, top}; }
    CPoint BottomRight() const { return {right, bottom}; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(POINT p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void InflateRect(int dx, int dy) { left -= dx, right += dx, top -= dy, bottom += dy; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(int l, int t, int r, int b) { left += l, top += t, right -= r, bottom -= b; }
    void NormalizeRect();
    BOOL IntersectRect(const RECT& a, const RECT& b);
    BOOL UnionRect(const RECT& a, const RECT& b);

    bool operator==(const CRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

inline void CRect::NormalizeRect() {
    if (left > right) {
        const LONG t = left;
        left = right, right = t;
    }
    if (top > bottom) {
        const LONG t = top;
        top = bottom, bottom = t;
    }
}

inline BOOL CRect::IntersectRect(const RECT& a, const RECT& b) {
    SetRect(a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
            a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom);
    if (IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    return TRUE;
}

inline BOOL CRect::UnionRect(const RECT& a, const RECT& b) {
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty()) {
        *this = rb;
    } else if (rb.IsRectEmpty()) {
        *this = ra;
    } else {
        SetRect(a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom);
    }
    return !IsRectEmpty();
}
