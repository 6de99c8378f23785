#pragma once
// CMyDC: a device context carrying the drawing toolkit of the graph and the symbol rows:
// ready-made fonts, brushes and pens, a day or night background colour, whole-degree sine
// and cosine tables, and the vector symbols (VECTOR_SYMBOL) with their shape primitives.
//
// The toolkit draws into this context (a derived graph makes it a memory context), or,
// after Attach(dc), into another context: a grid's or a view's, whose surface, origins,
// clip and selections then apply. Only the toolkit's Draw... calls follow Attach; the
// CDC calls of this object still go to its own context.
//
//     CMyDC symbols;
//     symbols.Attach(pDC);  // draw into the grid's context
//     symbols.DrawSymbol(VS_ANCHOR, colour, colour, 16, x, y);
//     symbols.Detach();
//
// Every drawing call leaves the target's pen, brush and background mode as it found
// them; the pens and brushes it makes for one call are deleted at its end.

#include <array>

#include "graph/CMyPenBrush.h"
#include "graph/VectorSymbol.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"

class SUI_API CMyDC : public CDC {
public:
    // Whole degrees 0 to 360, both ends included.
    static constexpr int kTableSize = 361;
    // pi / 180 cut after 15 decimals; the tables use exactly this factor.
    static constexpr double kDegree = 0.017453292519943;

    CMyDC();
    ~CMyDC() override;

    // Draw into dc (not null) from now on; Detach returns to this context.
    void Attach(CDC* dc);
    void Detach();
    // The context the toolkit draws into.
    CDC& Target() { return m_pTarget ? *m_pTarget : *this; }

    // One VECTOR_SYMBOL centred on (x, y), size its full width; other values draw
    // nothing. Black when monochrome; a colour equal to the background colour is drawn
    // in its complement.
    void DrawSymbol(int symbol, COLORREF fillColour, COLORREF lineColour, int size, int x, int y);

    // The shape primitives, with the colours as given. A solid shape is filled with
    // fillColour and outlined with lineColour; a hollow one is outlined with fillColour.
    void DrawCross(COLORREF colour, int size, int penWidth, int x, int y);
    void DrawCircle(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x, int y);
    void DrawSquare(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x, int y);
    void DrawTriangle(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x,
                      int y);
    void DrawDiamond(COLORREF fillColour, COLORREF lineColour, int size, bool hollow, int x, int y);

    void SetMonochrome(bool monochrome) { m_bMonochrome = monochrome ? 1 : 0; }
    bool IsMonochrome() const { return m_bMonochrome != 0; }
    void SetBackgroundColour(COLORREF colour) { m_BackgroundColour = colour; }
    COLORREF GetBackgroundColour() const { return m_BackgroundColour; }

    // sin and cos of d x kDegree for d = 0 ... 360.
    const std::array<double, kTableSize>& SineTable() const { return m_Sin; }
    const std::array<double, kTableSize>& CosineTable() const { return m_Cos; }

protected:
    CFont m_LargeFont;  // "Tahoma" 36, bold
    CFont m_SmallFont;  // "Verdana" 16, bold
    BYTE m_bMonochrome = 0;
    COLORREF m_BackgroundColour = RGB(0, 0, 0);
    int m_nSpare = 0;  // free for derived classes
    CMyBrush m_HollowBrush;
    CMyBrush m_BlackBrush;
    CMyBrush m_WhiteBrush;
    CMyBrush m_RedBrush;
    CMyBrush m_YellowBrush;
    CMyBrush m_PaleYellowBrush;
    CMyPen m_BlackPen;
    CMyPen m_WhitePen;
    CMyPen m_RedPen;
    CMyPen m_GreyPen;
    std::array<double, kTableSize> m_Sin{};
    std::array<double, kTableSize> m_Cos{};
    double m_dScale = 0.0;  // free for derived classes

private:
    // The simple symbols that are not shape primitives.
    void DrawPoint(COLORREF colour, int size, int x, int y);
    void DrawDiagonalCross(COLORREF colour, int size, int x, int y);
    void DrawAsterisk(COLORREF colour, int size, int x, int y);
    void DrawStraightLine(COLORREF colour, int size, bool vertical, int x, int y);
    void DrawTarget(COLORREF fillColour, COLORREF lineColour, int size, int x, int y);
    void DrawFrame(COLORREF colour, int size, int x, int y);
    // A closed outline through points: filled (Polygon) or hollow (Polyline).
    void DrawOutline(const POINT* points, int count, COLORREF fillColour, COLORREF lineColour,
                     bool hollow);

    // The composite markers (VectorSymbol.cpp).
    void DrawComposite(int symbol, COLORREF fillColour, COLORREF lineColour, int size, int x,
                       int y);

    CDC* m_pTarget = nullptr;
};
