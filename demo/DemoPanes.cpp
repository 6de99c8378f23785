#include "DemoPanes.h"

#include "DemoLook.h"
#include "OperatorSettings.h"
#include "platform/gdi/SavedDC.h"

namespace {

constexpr int kMargin = 10;
constexpr int kLegendRowHeight = 34;
constexpr int kLegendSymbolSize = 20;
constexpr int kSettingsRowHeight = 26;
constexpr int kSettingsLabelWidth = 110;

void Text(CDC& dc, CFont& font, COLORREF colour, CRect box, const CString& text, UINT format) {
    const plat::SavedDC saved(dc);
    dc.SelectObject(&font);
    dc.SetTextColor(colour);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, &box, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

void CSymbolLegendView::OnDraw(CDC* pDC) {
    CDC& dc = *pDC;
    const DemoColours& colours = DemoColoursFor(night_);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colours.background);
    constexpr int kRows = (VECTOR_SYMBOL_COUNT + 1) / 2;
    const int columnWidth = (client.Width() - 2 * kMargin) / 2;
    symbols_.SetBackgroundColour(colours.background);
    for (int symbol = 0; symbol < VECTOR_SYMBOL_COUNT; ++symbol) {
        const int left = kMargin + (symbol / kRows) * columnWidth;
        const int top = kMargin + (symbol % kRows) * kLegendRowHeight;
        symbols_.Attach(&dc);
        symbols_.DrawSymbol(symbol, colours.symbolFill, colours.symbolLine, kLegendSymbolSize,
                            left + kLegendSymbolSize / 2 + 2, top + kLegendRowHeight / 2);
        symbols_.Detach();
        Text(dc, DemoTextFont(), colours.text,
             CRect(left + kLegendSymbolSize + 12, top, left + columnWidth, top + kLegendRowHeight),
             VectorSymbolTxt[symbol], DT_LEFT | DT_END_ELLIPSIS);
    }
}

void COperatorSettingsView::OnDraw(CDC* pDC) {
    CDC& dc = *pDC;
    const DemoColours& colours = DemoColoursFor(night_);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colours.background);
    int top = kMargin;
    for (const SettingLine& line : DescribeOperatorSettings()) {
        Text(dc, DemoTextFont(), colours.mutedText,
             CRect(kMargin, top, kMargin + kSettingsLabelWidth, top + kSettingsRowHeight),
             line.label, DT_LEFT);
        Text(dc, DemoBoldFont(), colours.text,
             CRect(kMargin + kSettingsLabelWidth, top, client.right - kMargin,
                   top + kSettingsRowHeight),
             line.value, DT_LEFT | DT_END_ELLIPSIS);
        top += kSettingsRowHeight;
    }
}
