#pragma once
// A polyline of dense samples, folded one pixel column at a time: where thousands of
// points fall into a few hundred columns, each column's points reduce to the row the
// line comes in at, the rows it sweeps and the row it leaves at.

#include <vector>

#include "platform/core/Geometry.h"

namespace plat {

// The points (x, first), then -- when lo <= hi -- (x, lo) and (x, hi), the one in row
// last second, then (x, last); a point equal to the one before it is left out. Drawn as
// a polyline, one chain after another: the chain is these points, nothing more.
struct ColumnChain {
    LONG x = 0;
    LONG first = 0;
    LONG last = 0;
    LONG lo = 1;  // lo > hi: the line does not sweep the column
    LONG hi = 0;
};

// The points of the chains, in order, appended to out.
void AppendChainPoints(const ColumnChain* chains, std::size_t count, std::vector<POINT>& out);

}  // namespace plat
