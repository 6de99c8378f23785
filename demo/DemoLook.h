#pragma once
// The demo's views share one look: day and night colour sets and three fonts.

#include "platform/gdi/CFont.h"

struct DemoColours {
    COLORREF background;
    COLORREF band;  // every other row
    COLORREF rule;  // lines under headings
    COLORREF text;
    COLORREF mutedText;
    COLORREF symbolFill;  // the two-colour symbols: fill and outline
    COLORREF symbolLine;
    COLORREF symbolSingle;  // the one-colour symbols
};

const DemoColours& DemoDayColours();
const DemoColours& DemoNightColours();
inline const DemoColours& DemoColoursFor(bool night) {
    return night ? DemoNightColours() : DemoDayColours();
}

// Made once, kept for the life of the program.
CFont& DemoTextFont();     // 9 points
CFont& DemoBoldFont();     // 9 points, bold
CFont& DemoHeadingFont();  // 12 points, bold
