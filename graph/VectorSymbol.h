#pragma once
// The vector symbols that CMyDC::DrawSymbol draws and symbol rows offer, with their
// display texts.

#include "platform/core/Export.h"

enum VECTOR_SYMBOL : int {
    VS_NONE = 0,
    VS_POINT,
    VS_CROSS_PLUS,
    VS_CROSS_X,
    VS_ASTERIX,
    VS_SQUARE_SOLID,
    VS_SQUARE_HOLLOW,
    VS_CIRCLE_SOLID,
    VS_CIRCLE_HOLLOW,
    VS_TRIANGLE_SOLID,
    VS_TRIANGLE_HOLLOW,
    VS_DIAMOND_SOLID,
    VS_DIAMOND_HOLLOW,
    VS_VERTICAL_LINE,
    VS_HORIZONTAL_LINE,
    VS_ALTER_COURSE,
    VS_LASER_TARGET,
    VS_TARGET,
    VS_WAYPOINT,
    VS_WRECK,
    VS_ANCHOR,
    VS_FRAME,
    VS_MONOPILE,
    VS_TP,
    VS_TURBINE,
    VS_TRIPOD,
};

constexpr int VECTOR_SYMBOL_COUNT = VS_TRIPOD + 1;

// "None", "Point", ... "Tripod", indexed by VECTOR_SYMBOL.
SUI_API extern const char* const VectorSymbolTxt[VECTOR_SYMBOL_COUNT];
