#include "graph/VectorSymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "graph/CMyDC.h"
#include "platform/gdi/SavedDC.h"

const char* const VectorSymbolTxt[VECTOR_SYMBOL_COUNT] = {
    "None",           "Point",          "Cross +",         "Cross x",
    "Asterix",        "Square Solid",   "Square Hollow",   "Circle Solid",
    "Circle Hollow",  "Triangle Solid", "Triangle Hollow", "Diamond Solid",
    "Diamond Hollow", "Vertical Line",  "Horizontal Line", "Alter Course",
    "Laser Target",   "Target",         "Waypoint",        "Wreck",
    "Anchor",         "Frame",          "Monopile",        "TP",
    "Turbine",        "Tripod",
};

namespace {

// A colour lost in the background is drawn in its complement instead.
COLORREF VisibleOn(COLORREF background, COLORREF colour) {
    return colour == background ? 0xFFFFFF - plat::PixelOf(colour) : colour;
}

// The composite markers are sketched with these strokes: one-unit lines in the fill
// colour whose both ends are drawn (so the figures stay symmetric), and filled parts in
// the fill colour outlined in the line colour. Angles are whole degrees clockwise from
// east, y growing downwards, looked up in the toolkit's tables.
class Sketch {
public:
    Sketch(CDC& dc, const std::array<double, CMyDC::kTableSize>& sines,
           const std::array<double, CMyDC::kTableSize>& cosines, CBrush& hollowBrush,
           COLORREF fillColour, COLORREF lineColour)
        : dc_(dc),
          sin_(sines),
          cos_(cosines),
          hollowBrush_(hollowBrush),
          colour_(fillColour),
          strokePen_(PS_SOLID, 1, fillColour),
          outlinePen_(PS_SOLID, 1, lineColour),
          fillBrush_(fillColour) {}

    // The point at radius r and angle degrees from centre.
    POINT At(POINT centre, int r, int degrees) const {
        const int d = ((degrees % 360) + 360) % 360;
        return {centre.x + static_cast<int>(std::lround(r * cos_[d])),
                centre.y + static_cast<int>(std::lround(r * sin_[d]))};
    }

    void Line(POINT from, POINT to) { Path({from, to}); }

    void Path(const std::vector<POINT>& points) {
        plat::SelectedObject usePen(dc_, &strokePen_);
        dc_.Polyline(points.data(), static_cast<int>(points.size()));
        dc_.SetPixel(points.back(), colour_);
    }

    // An arc from one angle clockwise to another, through a point every few degrees.
    void Arc(POINT centre, int r, int fromDegrees, int toDegrees) {
        constexpr int kStep = 5;
        std::vector<POINT> points;
        for (int d = fromDegrees; d < toDegrees; d += kStep) {
            points.push_back(At(centre, r, d));
        }
        points.push_back(At(centre, r, toDegrees));
        Path(points);
    }

    // Circles cover centre +- r on both axes.
    void Ring(POINT centre, int r) {
        plat::SelectedObject usePen(dc_, &strokePen_);
        plat::SelectedObject useBrush(dc_, &hollowBrush_);
        Ellipse(centre, r);
    }

    void Disc(POINT centre, int r) {
        plat::SelectedObject usePen(dc_, &outlinePen_);
        plat::SelectedObject useBrush(dc_, &fillBrush_);
        Ellipse(centre, r);
    }

    void Square(POINT centre, int r) {
        plat::SelectedObject usePen(dc_, &outlinePen_);
        plat::SelectedObject useBrush(dc_, &fillBrush_);
        dc_.Rectangle(centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    }

    void FilledPolygon(const std::vector<POINT>& points) {
        plat::SelectedObject usePen(dc_, &outlinePen_);
        plat::SelectedObject useBrush(dc_, &fillBrush_);
        dc_.Polygon(points.data(), static_cast<int>(points.size()));
    }

private:
    void Ellipse(POINT centre, int r) {
        dc_.Ellipse(centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    }

    CDC& dc_;
    const std::array<double, CMyDC::kTableSize>& sin_;
    const std::array<double, CMyDC::kTableSize>& cos_;
    CBrush& hollowBrush_;
    COLORREF colour_;
    CMyPen strokePen_;
    CMyPen outlinePen_;
    CMyBrush fillBrush_;
};

// Each marker fills the square centre +- h.

// A course line bending to starboard, with an arrow head.
void AlterCourse(Sketch& s, POINT c, int h) {
    const int q = h / 2;
    const POINT bend{c.x - q, c.y};
    const POINT tip{c.x - q + h, c.y - h};
    s.Line({c.x - q, c.y + h}, bend);
    s.Line(bend, tip);
    const int head = std::max(2, q);
    s.FilledPolygon({tip, {tip.x - head, tip.y}, {tip.x, tip.y + head}});
}

// Two rings on a cross hair.
void LaserTarget(Sketch& s, POINT c, int h) {
    s.Ring(c, h);
    s.Ring(c, h / 2);
    s.Line({c.x - h, c.y}, {c.x + h, c.y});
    s.Line({c.x, c.y - h}, {c.x, c.y + h});
}

// A dot in a diamond.
void Waypoint(Sketch& s, POINT c, int h) {
    s.Path({{c.x, c.y - h}, {c.x + h, c.y}, {c.x, c.y + h}, {c.x - h, c.y}, {c.x, c.y - h}});
    s.Disc(c, std::max(1, h / 4));
}

// The chart's wreck: a hull line crossed by three masts, the middle one longest.
void Wreck(Sketch& s, POINT c, int h) {
    const int q = h / 2;
    const int mast = std::max(1, q / 2);
    s.Line({c.x - h, c.y}, {c.x + h, c.y});
    s.Line({c.x, c.y - q}, {c.x, c.y + q});
    s.Line({c.x - q, c.y - mast}, {c.x - q, c.y + mast});
    s.Line({c.x + q, c.y - mast}, {c.x + q, c.y + mast});
}

// Ring, stock and shank, and arms curving up from the crown to their flukes.
void Anchor(Sketch& s, POINT c, int h) {
    const int r = std::max(1, h / 4);
    const int ringBottom = c.y - h + 2 * r;
    s.Ring({c.x, c.y - h + r}, r);
    s.Line({c.x, ringBottom}, {c.x, c.y + h});
    s.Line({c.x - h / 2, ringBottom + 1}, {c.x + h / 2, ringBottom + 1});
    constexpr int kArmEnd = 30;  // degrees either side of the horizontal
    s.Arc(c, h, kArmEnd, 180 - kArmEnd);
    for (const int end : {kArmEnd, 180 - kArmEnd}) {
        const POINT tip = s.At(c, h, end);
        s.Line(tip, {tip.x, tip.y - r});
    }
}

// A pile seen from above: a filled circle in a ring.
void Monopile(Sketch& s, POINT c, int h) {
    s.Ring(c, h);
    s.Disc(c, h / 2);
}

// The transition piece: a square deck round the pile.
void TransitionPiece(Sketch& s, POINT c, int h) {
    s.Path({{c.x - h, c.y - h},
            {c.x + h, c.y - h},
            {c.x + h, c.y + h},
            {c.x - h, c.y + h},
            {c.x - h, c.y - h}});
    s.Ring(c, 2 * h / 3);
}

// Three blade outlines round a hub, one pointing up.
void Turbine(Sketch& s, POINT c, int h) {
    const int halfWidth = std::max(1, h / 6);
    for (const int d : {270, 30, 150}) {
        s.Path({s.At(c, halfWidth, d - 90), s.At(c, h, d), s.At(c, halfWidth, d + 90)});
    }
    s.Disc(c, std::max(1, h / 5));
}

// Three legs spread from the centre, one pointing down, each on a square foot.
void Tripod(Sketch& s, POINT c, int h) {
    const int foot = std::max(1, h / 7);
    for (const int d : {90, 210, 330}) {
        const POINT end = s.At(c, h - foot, d);
        s.Line(c, end);
        s.Square(end, foot);
    }
}

}  // namespace

void CMyDC::DrawSymbol(int symbol, COLORREF fillColour, COLORREF lineColour, int size, int x,
                       int y) {
    if (m_bMonochrome) {
        fillColour = lineColour = RGB(0, 0, 0);
    } else {
        fillColour = VisibleOn(m_BackgroundColour, fillColour);
        lineColour = VisibleOn(m_BackgroundColour, lineColour);
    }
    switch (symbol) {
        case VS_POINT:
            return DrawPoint(fillColour, size, x, y);
        case VS_CROSS_PLUS:
            return DrawCross(fillColour, size, 1, x, y);
        case VS_CROSS_X:
            return DrawDiagonalCross(fillColour, size, x, y);
        case VS_ASTERIX:
            return DrawAsterisk(fillColour, size, x, y);
        case VS_SQUARE_SOLID:
        case VS_SQUARE_HOLLOW:
            return DrawSquare(fillColour, lineColour, size, symbol == VS_SQUARE_HOLLOW, x, y);
        case VS_CIRCLE_SOLID:
        case VS_CIRCLE_HOLLOW:
            return DrawCircle(fillColour, lineColour, size, symbol == VS_CIRCLE_HOLLOW, x, y);
        case VS_TRIANGLE_SOLID:
        case VS_TRIANGLE_HOLLOW:
            return DrawTriangle(fillColour, lineColour, size, symbol == VS_TRIANGLE_HOLLOW, x, y);
        case VS_DIAMOND_SOLID:
        case VS_DIAMOND_HOLLOW:
            return DrawDiamond(fillColour, lineColour, size, symbol == VS_DIAMOND_HOLLOW, x, y);
        case VS_VERTICAL_LINE:
        case VS_HORIZONTAL_LINE:
            return DrawStraightLine(fillColour, size, symbol == VS_VERTICAL_LINE, x, y);
        case VS_TARGET:
            return DrawTarget(fillColour, lineColour, size, x, y);
        case VS_FRAME:
            return DrawFrame(fillColour, size, x, y);
        case VS_ALTER_COURSE:
        case VS_LASER_TARGET:
        case VS_WAYPOINT:
        case VS_WRECK:
        case VS_ANCHOR:
        case VS_MONOPILE:
        case VS_TP:
        case VS_TURBINE:
        case VS_TRIPOD:
            return DrawComposite(symbol, fillColour, lineColour, size, x, y);
        default:
            return;  // VS_NONE and values outside the table
    }
}

void CMyDC::DrawComposite(int symbol, COLORREF fillColour, COLORREF lineColour, int size, int x,
                          int y) {
    // A negative size draws the marker the right way up all the same.
    const int h = std::abs(size / 2);
    const POINT centre{x, y};
    if (h == 0) {
        Target().SetPixel(centre, fillColour);  // collapsed to its centre point
        return;
    }
    Sketch sketch(Target(), m_Sin, m_Cos, m_HollowBrush, fillColour, lineColour);
    switch (symbol) {
        case VS_ALTER_COURSE:
            return AlterCourse(sketch, centre, h);
        case VS_LASER_TARGET:
            return LaserTarget(sketch, centre, h);
        case VS_WAYPOINT:
            return Waypoint(sketch, centre, h);
        case VS_WRECK:
            return Wreck(sketch, centre, h);
        case VS_ANCHOR:
            return Anchor(sketch, centre, h);
        case VS_MONOPILE:
            return Monopile(sketch, centre, h);
        case VS_TP:
            return TransitionPiece(sketch, centre, h);
        case VS_TURBINE:
            return Turbine(sketch, centre, h);
        case VS_TRIPOD:
            return Tripod(sketch, centre, h);
        default:
            return;
    }
}
