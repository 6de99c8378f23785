#include "graph/CMyDC.h"

#include <cassert>
#include <cmath>

#include "platform/gdi/SavedDC.h"

namespace {

void CreateLabelFont(CFont& font, int height, const char* face) {
    font.CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                    CLIP_STROKE_PRECIS, DRAFT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// Transparent background for one shape; the previous mode comes back at scope end.
class TransparentBackground {
public:
    explicit TransparentBackground(CDC& dc) : dc_(dc), previous_(dc.SetBkMode(TRANSPARENT)) {}
    ~TransparentBackground() {
        if (previous_ != 0) {
            dc_.SetBkMode(previous_);
        }
    }
    TransparentBackground(const TransparentBackground&) = delete;
    TransparentBackground& operator=(const TransparentBackground&) = delete;

private:
    CDC& dc_;
    int previous_;
};

void Line(CDC& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

}  // namespace

CMyDC::CMyDC() {
    CreateLabelFont(m_LargeFont, 36, "Tahoma");
    CreateLabelFont(m_SmallFont, 16, "Verdana");
    m_HollowBrush.CreateStockObject(HOLLOW_BRUSH);
    m_BlackBrush.CreateSolidBrush(RGB(0, 0, 0));
    m_WhiteBrush.CreateSolidBrush(RGB(255, 255, 255));
    m_RedBrush.CreateSolidBrush(RGB(255, 0, 0));
    m_YellowBrush.CreateSolidBrush(RGB(255, 255, 0));
    m_PaleYellowBrush.CreateSolidBrush(RGB(255, 255, 231));
    m_BlackPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_WhitePen.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    m_RedPen.CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    m_GreyPen.CreatePen(PS_SOLID, 2, RGB(85, 85, 85));
    for (int d = 0; d < kTableSize; ++d) {
        m_Sin[d] = std::sin(d * kDegree);
        m_Cos[d] = std::cos(d * kDegree);
    }
}

// The context goes first, so none of the toolkit's objects is still selected in it when
// the members are destroyed.
CMyDC::~CMyDC() {
    DeleteDC();
}

void CMyDC::Attach(CDC* dc) {
    assert(dc != nullptr);
    m_pTarget = dc;
}

void CMyDC::Detach() {
    m_pTarget = nullptr;
}

// ---- Shape primitives ------------------------------------------------------------------

void CMyDC::DrawCross(COLORREF colour, int size, int penWidth, int x, int y) {
    const int h = size / 2;
    CDC& dc = Target();
    CMyPen pen(PS_SOLID, penWidth, colour);
    plat::SelectedObject usePen(dc, &pen);
    Line(dc, x - h, y, x + h, y);
    Line(dc, x, y - h, x, y + h);
}

void CMyDC::DrawOutline(const POINT* points, int count, COLORREF fillColour, COLORREF lineColour,
                        bool hollow) {
    CDC& dc = Target();
    TransparentBackground transparent(dc);
    if (hollow) {
        CMyPen pen(PS_SOLID, 1, fillColour);
        plat::SelectedObject usePen(dc, &pen);
        plat::SelectedObject useBrush(dc, &m_HollowBrush);
        dc.Polyline(points, count);
    } else {
        CMyPen pen(PS_SOLID, 1, lineColour);
        CMyBrush brush(fillColour);
        plat::SelectedObject usePen(dc, &pen);
        plat::SelectedObject useBrush(dc, &brush);
        dc.Polygon(points, count);
    }
}

void CMyDC::DrawCircle(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x,
                       int y) {
    const int h = size / 2;
    CDC& dc = Target();
    TransparentBackground transparent(dc);
    CMyPen pen(PS_SOLID, 1, hollow ? fillColour : lineColour);
    CMyBrush ownBrush;
    CBrush* brush = &m_HollowBrush;
    if (!hollow) {
        if (fillColour == RGB(0, 0, 0)) {
            brush = &m_BlackBrush;
        } else if (fillColour == RGB(255, 255, 255)) {
            brush = &m_WhiteBrush;
        } else {
            ownBrush.CreateSolidBrush(fillColour);
            brush = &ownBrush;
        }
    }
    plat::SelectedObject usePen(dc, &pen);
    plat::SelectedObject useBrush(dc, brush);
    dc.Ellipse(x - h, y - h, x + h, y + h);
}

void CMyDC::DrawSquare(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x,
                       int y) {
    const int h = size / 2;
    const POINT points[] = {
        {x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}, {x - h, y - h}};
    DrawOutline(points, 5, fillColour, lineColour, hollow);
}

void CMyDC::DrawTriangle(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x,
                         int y) {
    const int h = size / 2;
    const POINT points[] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}, {x, y - h}};
    DrawOutline(points, 4, fillColour, lineColour, hollow);
}

void CMyDC::DrawDiamond(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x,
                        int y) {
    const int h = size / 2;
    const POINT points[] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}, {x, y - h}};
    DrawOutline(points, 5, fillColour, lineColour, hollow);
}

// ---- The simple symbols ----------------------------------------------------------------

void CMyDC::DrawPoint(COLORREF colour, int size, int x, int y) {
    const int h = size / 2;
    // A brush rather than FillSolidRect, which would leave the background colour changed.
    CMyBrush brush(colour);
    const RECT square{x - h, y - h, x + h, y + h};
    Target().FillRect(&square, &brush);
}

void CMyDC::DrawDiagonalCross(COLORREF colour, int size, int x, int y) {
    const int h = size / 2;
    CDC& dc = Target();
    CMyPen pen(PS_SOLID, 1, colour);
    plat::SelectedObject usePen(dc, &pen);
    Line(dc, x - h, y + h, x + h, y - h);
    Line(dc, x - h, y - h, x + h, y + h);
}

void CMyDC::DrawAsterisk(COLORREF colour, int size, int x, int y) {
    const int h = size / 2;
    CDC& dc = Target();
    CMyPen pen(PS_SOLID, 1, colour);
    plat::SelectedObject usePen(dc, &pen);
    Line(dc, x - h, y, x + h, y);
    Line(dc, x, y - h, x, y + h);
    Line(dc, x - h, y + h, x + h, y - h);
    Line(dc, x - h, y - h, x + h, y + h);
}

void CMyDC::DrawStraightLine(COLORREF colour, int size, bool vertical, int x, int y) {
    const int h = size / 2;
    CDC& dc = Target();
    CMyPen pen(PS_SOLID, 1, colour);
    plat::SelectedObject usePen(dc, &pen);
    if (vertical) {
        Line(dc, x, y - h, x, y + h);
    } else {
        Line(dc, x - h, y, x + h, y);
    }
}

void CMyDC::DrawTarget(COLORREF fillColour, COLORREF lineColour, int size, int x, int y) {
    CDC& dc = Target();
    TransparentBackground transparent(dc);
    DrawCross(fillColour, size, 1, x, y);
    const int q = size / 4;
    const POINT square[] = {
        {x - q, y - q}, {x + q, y - q}, {x + q, y + q}, {x - q, y + q}, {x - q, y - q}};
    CMyPen pen(PS_SOLID, 1, lineColour);
    plat::SelectedObject usePen(dc, &pen);
    dc.Polyline(square, 5);
}

void CMyDC::DrawFrame(COLORREF colour, int size, int x, int y) {
    const int h = size / 2;
    CDC& dc = Target();
    // The outline runs on into one diagonal; the other is drawn apart.
    const POINT path[] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h},
                          {x - h, y + h}, {x - h, y - h}, {x + h, y + h}};
    CMyPen pen(PS_SOLID, 1, colour);
    plat::SelectedObject usePen(dc, &pen);
    dc.Polyline(path, 6);
    Line(dc, x - h, y + h, x + h, y - h);
}
