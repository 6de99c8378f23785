#pragma once
// Points, sizes and rectangles: the Win32 records and the framework's CPoint, CSize and
// CRect. Header-only, so the window layer and the drawing layer share them without
// linking each other.
//
// Rectangles are half-open: right and bottom lie outside. Like the framework, the
// arithmetic is 32-bit and wraps; it is done on unsigned values so that a far-off
// coordinate wraps instead of being undefined. The drawing layer widens to 64 bits
// before it computes with coordinates.

#include <algorithm>
#include <cstdint>

#include "platform/core/WinTypes.h"

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

using LPPOINT = POINT*;
using LPSIZE = SIZE*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

namespace plat {

// Two's-complement wrapping, the framework's behaviour for overflowing coordinates.
constexpr LONG WrapAdd(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr LONG WrapSub(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace plat

// The Win32 rectangle functions. Those taking a pointer do nothing (and answer FALSE)
// when it is null.
inline BOOL SetRect(LPRECT rc, int left, int top, int right, int bottom) {
    if (!rc) {
        return FALSE;
    }
    *rc = RECT{left, top, right, bottom};
    return TRUE;
}
inline BOOL SetRectEmpty(LPRECT rc) {
    return SetRect(rc, 0, 0, 0, 0);
}
inline BOOL IsRectEmpty(LPCRECT rc) {
    return !rc || rc->right <= rc->left || rc->bottom <= rc->top;
}
inline BOOL PtInRect(LPCRECT rc, POINT pt) {
    return rc && pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}
inline BOOL EqualRect(LPCRECT a, LPCRECT b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}
inline BOOL CopyRect(LPRECT dst, LPCRECT src) {
    if (!dst || !src) {
        return FALSE;
    }
    *dst = *src;
    return TRUE;
}
inline BOOL OffsetRect(LPRECT rc, int dx, int dy) {
    if (!rc) {
        return FALSE;
    }
    *rc = RECT{plat::WrapAdd(rc->left, dx), plat::WrapAdd(rc->top, dy),
               plat::WrapAdd(rc->right, dx), plat::WrapAdd(rc->bottom, dy)};
    return TRUE;
}
inline BOOL InflateRect(LPRECT rc, int dx, int dy) {
    if (!rc) {
        return FALSE;
    }
    *rc = RECT{plat::WrapSub(rc->left, dx), plat::WrapSub(rc->top, dy),
               plat::WrapAdd(rc->right, dx), plat::WrapAdd(rc->bottom, dy)};
    return TRUE;
}
// An empty result is stored as (0, 0, 0, 0) and answers FALSE.
inline BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    if (!dst || !a || !b) {
        return FALSE;
    }
    const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                 std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}
// Empty rectangles do not count; the union of two empty ones is (0, 0, 0, 0), FALSE.
inline BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    if (!dst || !a || !b) {
        return FALSE;
    }
    const bool aEmpty = IsRectEmpty(a);
    const bool bEmpty = IsRectEmpty(b);
    if (aEmpty && bEmpty) {
        SetRectEmpty(dst);
        return FALSE;
    }
    if (aEmpty || bEmpty) {
        *dst = aEmpty ? *b : *a;
        return TRUE;
    }
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

class CSize : public SIZE {
public:
    constexpr CSize() : SIZE{0, 0} {}
    constexpr CSize(int x, int y) : SIZE{x, y} {}
    constexpr CSize(SIZE s) : SIZE(s) {}  // NOLINT: implicit like the framework's

    constexpr bool operator==(const SIZE& o) const { return cx == o.cx && cy == o.cy; }
    constexpr bool operator!=(const SIZE& o) const { return !(*this == o); }
    constexpr CSize operator+(SIZE o) const {
        return CSize(plat::WrapAdd(cx, o.cx), plat::WrapAdd(cy, o.cy));
    }
    constexpr CSize operator-(SIZE o) const {
        return CSize(plat::WrapSub(cx, o.cx), plat::WrapSub(cy, o.cy));
    }
    constexpr CSize operator-() const { return CSize(plat::WrapSub(0, cx), plat::WrapSub(0, cy)); }
    constexpr CSize& operator+=(SIZE o) { return *this = *this + o; }
    constexpr CSize& operator-=(SIZE o) { return *this = *this - o; }
};

class CPoint : public POINT {
public:
    constexpr CPoint() : POINT{0, 0} {}
    constexpr CPoint(int x, int y) : POINT{x, y} {}
    constexpr CPoint(POINT p) : POINT(p) {}  // NOLINT: implicit like the framework's
    constexpr explicit CPoint(SIZE s) : POINT{s.cx, s.cy} {}

    constexpr void Offset(int dx, int dy) {
        x = plat::WrapAdd(x, dx);
        y = plat::WrapAdd(y, dy);
    }
    constexpr void Offset(POINT p) { Offset(p.x, p.y); }
    constexpr void Offset(SIZE s) { Offset(s.cx, s.cy); }
    constexpr void SetPoint(int newX, int newY) {
        x = newX;
        y = newY;
    }

    constexpr bool operator==(const POINT& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const POINT& o) const { return !(*this == o); }
    constexpr CPoint operator+(SIZE s) const {
        return CPoint(plat::WrapAdd(x, s.cx), plat::WrapAdd(y, s.cy));
    }
    constexpr CPoint operator+(POINT p) const {
        return CPoint(plat::WrapAdd(x, p.x), plat::WrapAdd(y, p.y));
    }
    constexpr CPoint operator-(SIZE s) const {
        return CPoint(plat::WrapSub(x, s.cx), plat::WrapSub(y, s.cy));
    }
    // The difference of two points is a size, as in the framework.
    constexpr CSize operator-(POINT p) const {
        return CSize(plat::WrapSub(x, p.x), plat::WrapSub(y, p.y));
    }
    constexpr CPoint operator-() const { return CPoint(plat::WrapSub(0, x), plat::WrapSub(0, y)); }
    constexpr CPoint& operator+=(SIZE s) { return *this = *this + s; }
    constexpr CPoint& operator+=(POINT p) { return *this = *this + p; }
    constexpr CPoint& operator-=(SIZE s) { return *this = *this - s; }
    constexpr CPoint& operator-=(POINT p) {
        Offset(plat::WrapSub(0, p.x), plat::WrapSub(0, p.y));
        return *this;
    }
};

class CRect : public RECT {
public:
    constexpr CRect() : RECT{0, 0, 0, 0} {}
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}  // NOLINT: implicit like the framework's
    constexpr CRect(LPCRECT r) : RECT(r ? *r : RECT{0, 0, 0, 0}) {}  // NOLINT
    constexpr CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, plat::WrapAdd(topLeft.x, size.cx),
               plat::WrapAdd(topLeft.y, size.cy)} {}
    constexpr CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    constexpr int Width() const { return plat::WrapSub(right, left); }
    constexpr int Height() const { return plat::WrapSub(bottom, top); }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    // Computed in 64 bits so that far-apart edges do not overflow.
    constexpr CPoint CenterPoint() const {
        return CPoint(static_cast<LONG>((std::int64_t{left} + right) / 2),
                      static_cast<LONG>((std::int64_t{top} + bottom) / 2));
    }

    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(POINT p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool EqualRect(LPCRECT r) const {
        return r && left == r->left && top == r->top && right == r->right && bottom == r->bottom;
    }

    constexpr void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    constexpr void SetRectEmpty() { *this = CRect(); }
    constexpr void CopyRect(LPCRECT r) {
        if (r) {
            *this = CRect(*r);
        }
    }
    constexpr void NormalizeRect() {
        if (left > right) {
            std::swap(left, right);
        }
        if (top > bottom) {
            std::swap(top, bottom);
        }
    }

    constexpr void OffsetRect(int dx, int dy) {
        left = plat::WrapAdd(left, dx);
        right = plat::WrapAdd(right, dx);
        top = plat::WrapAdd(top, dy);
        bottom = plat::WrapAdd(bottom, dy);
    }
    constexpr void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    constexpr void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    constexpr void MoveToX(int x) {
        right = plat::WrapAdd(x, Width());
        left = x;
    }
    constexpr void MoveToY(int y) {
        bottom = plat::WrapAdd(y, Height());
        top = y;
    }
    constexpr void MoveToXY(int x, int y) {
        MoveToX(x);
        MoveToY(y);
    }
    constexpr void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }

    constexpr void InflateRect(int l, int t, int r, int b) {
        left = plat::WrapSub(left, l);
        top = plat::WrapSub(top, t);
        right = plat::WrapAdd(right, r);
        bottom = plat::WrapAdd(bottom, b);
    }
    constexpr void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    constexpr void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    constexpr void InflateRect(LPCRECT r) {
        if (r) {
            InflateRect(r->left, r->top, r->right, r->bottom);
        }
    }
    constexpr void DeflateRect(int l, int t, int r, int b) {
        InflateRect(plat::WrapSub(0, l), plat::WrapSub(0, t), plat::WrapSub(0, r),
                    plat::WrapSub(0, b));
    }
    constexpr void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
    constexpr void DeflateRect(SIZE s) { DeflateRect(s.cx, s.cy); }
    constexpr void DeflateRect(LPCRECT r) {
        if (r) {
            DeflateRect(r->left, r->top, r->right, r->bottom);
        }
    }

    BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }

    operator LPRECT() { return this; }         // NOLINT: the framework converts
    operator LPCRECT() const { return this; }  // NOLINT
    constexpr bool operator==(const RECT& r) const { return EqualRect(&r); }
    constexpr bool operator!=(const RECT& r) const { return !EqualRect(&r); }
    constexpr CRect operator+(POINT p) const {
        CRect r(*this);
        r.OffsetRect(p);
        return r;
    }
    constexpr CRect operator-(POINT p) const {
        CRect r(*this);
        r.OffsetRect(plat::WrapSub(0, p.x), plat::WrapSub(0, p.y));
        return r;
    }
    constexpr CRect& operator+=(POINT p) { return *this = *this + p; }
    constexpr CRect& operator-=(POINT p) { return *this = *this - p; }
    CRect operator&(const RECT& r) const {
        CRect out;
        out.IntersectRect(this, &r);
        return out;
    }
    CRect operator|(const RECT& r) const {
        CRect out;
        out.UnionRect(this, &r);
        return out;
    }
    CRect& operator&=(const RECT& r) { return *this = *this & r; }
    CRect& operator|=(const RECT& r) { return *this = *this | r; }
};
