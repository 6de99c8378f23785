#include "SymbolGalleryView.h"

#include <cstdio>

#include "DemoLook.h"
#include "platform/gdi/SavedDC.h"

namespace {

constexpr int kMargin = 24;
constexpr int kTitleTop = 14;
constexpr int kHeadingTop = 52;
constexpr int kRowsTop = 96;
constexpr int kRowHeight = 60;
constexpr int kRowsPerGroup = (VECTOR_SYMBOL_COUNT + 1) / 2;
constexpr int kNameWidth = 130;
constexpr int kCellWidths[] = {32, 40, 56};
constexpr int kSizeCount = 3;
constexpr int kSetWidth = kCellWidths[0] + kCellWidths[1] + kCellWidths[2];
constexpr int kSetGap = 16;
constexpr int kGroupWidth = kNameWidth + 2 * kSetWidth + kSetGap;
constexpr int kGroupGap = 40;

// The left edge of a symbol set (0: fill and outline, 1: one colour) in a group.
int SetLeft(int groupLeft, int set) {
    return groupLeft + kNameWidth + set * (kSetWidth + kSetGap);
}

void Text(CDC& dc, CFont& font, COLORREF colour, CRect box, const char* text, UINT format) {
    const plat::SavedDC saved(dc);
    dc.SelectObject(&font);
    dc.SetTextColor(colour);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, -1, &box, format | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void CSymbolGalleryView::OnDraw(CDC* pDC) {
    CDC& dc = *pDC;
    const DemoColours& colours = DemoColoursFor(night_);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colours.background);
    DrawTitle(dc);
    for (int group = 0; group < 2; ++group) {
        const int left = kMargin + group * (kGroupWidth + kGroupGap);
        DrawColumnHeadings(dc, left);
        for (int row = 0; row < kRowsPerGroup; ++row) {
            const int symbol = group * kRowsPerGroup + row;
            if (symbol < VECTOR_SYMBOL_COUNT) {
                DrawRow(dc, symbol, left, kRowsTop + row * kRowHeight, row % 2 == 1);
            }
        }
    }
}

void CSymbolGalleryView::DrawTitle(CDC& dc) const {
    const DemoColours& colours = DemoColoursFor(night_);
    Text(dc, DemoHeadingFont(), colours.text,
         CRect(kMargin, kTitleTop, kMargin + 300, kTitleTop + 24), "Vector symbols",
         DT_LEFT | DT_VCENTER);
    Text(dc, DemoTextFont(), colours.mutedText,
         CRect(kMargin + 170, kTitleTop, kMargin + 1100, kTitleTop + 24),
         "every symbol at 8, 16 and 32 pixels, in a fill and an outline colour and in one "
         "colour",
         DT_LEFT | DT_VCENTER);
}

void CSymbolGalleryView::DrawColumnHeadings(CDC& dc, int left) const {
    const DemoColours& colours = DemoColoursFor(night_);
    static const char* const kSetNames[] = {"Fill and outline", "One colour"};
    Text(dc, DemoBoldFont(), colours.text,
         CRect(left, kHeadingTop, left + kNameWidth, kHeadingTop + 18), "Symbol",
         DT_LEFT | DT_VCENTER);
    for (int set = 0; set < 2; ++set) {
        int x = SetLeft(left, set);
        Text(dc, DemoBoldFont(), colours.text,
             CRect(x, kHeadingTop, x + kSetWidth, kHeadingTop + 18), kSetNames[set],
             DT_CENTER | DT_VCENTER);
        for (int i = 0; i < kSizeCount; ++i) {
            char size[8];
            std::snprintf(size, sizeof size, "%d", kSizes[i]);
            Text(dc, DemoTextFont(), colours.mutedText,
                 CRect(x, kHeadingTop + 20, x + kCellWidths[i], kHeadingTop + 38), size,
                 DT_CENTER | DT_VCENTER);
            x += kCellWidths[i];
        }
    }
    dc.FillSolidRect(left, kRowsTop - 3, kGroupWidth, 1, colours.rule);
}

void CSymbolGalleryView::DrawRow(CDC& dc, int symbol, int left, int top, bool banded) {
    const DemoColours& colours = DemoColoursFor(night_);
    if (banded) {
        dc.FillSolidRect(left, top, kGroupWidth, kRowHeight, colours.band);
    }
    Text(dc, DemoTextFont(), colours.text,
         CRect(left + 6, top, left + kNameWidth, top + kRowHeight), VectorSymbolTxt[symbol],
         DT_LEFT | DT_VCENTER);
    symbols_.SetBackgroundColour(banded ? colours.band : colours.background);
    symbols_.Attach(&dc);
    const int middle = top + kRowHeight / 2;
    for (int set = 0; set < 2; ++set) {
        const COLORREF fill = set == 0 ? colours.symbolFill : colours.symbolSingle;
        const COLORREF line = set == 0 ? colours.symbolLine : colours.symbolSingle;
        int x = SetLeft(left, set);
        for (int i = 0; i < kSizeCount; ++i) {
            symbols_.DrawSymbol(symbol, fill, line, kSizes[i], x + kCellWidths[i] / 2, middle);
            x += kCellWidths[i];
        }
    }
    symbols_.Detach();
}
