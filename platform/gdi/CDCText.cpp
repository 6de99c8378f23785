// CDC text: TextOut, ExtTextOut, TabbedTextOut, DrawText, extents and metrics. Each call
// realises the selected font (a cache look-up after the first time), lays the text out
// (TextLayout) and draws the lines (TextRaster).

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/gdi/CDC.h"
#include "platform/gdi/DcData.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextRaster.h"

using plat::Coord;
using plat::DcData;
using plat::GdiKind;
using plat::TextLine;

namespace {

LONG Narrow(Coord v) {
    return static_cast<LONG>(std::clamp<Coord>(v, INT32_MIN, INT32_MAX));
}

// A negative count means up to the NUL; a null text is empty.
std::string_view TextOf(LPCSTR text, Coord count) {
    if (!text) {
        return {};
    }
    return count < 0 ? std::string_view(text) : std::string_view(text, count);
}

// The selected font's LOGFONT. Stock fonts are realised without their recorded widths:
// those describe the old raster fonts and would stretch an outline face.
LOGFONTA SelectedLogFont(const DcData& d) {
    const auto* font = d.state.font.As<plat::FontObject>(GdiKind::Font);
    LOGFONTA logFont = font ? font->logFont : LOGFONTA{};
    if (plat::gdi_table::IsStock(d.state.font.Handle())) {
        logFont.lfWidth = 0;
    }
    return logFont;
}

// A text call's font: realised from the context's selection and locked for the call.
class TextFont final : public plat::TextAdvances {
public:
    explicit TextFont(const DcData& d)
        : logFont_(SelectedLogFont(d)), font_(plat::RealiseFont(logFont_)), lock_(font_->Lock()) {}

    int Advance(unsigned char byte) override { return font_->Advance(byte); }
    plat::RealFont& Font() { return *font_; }
    const TEXTMETRICA& Metrics() const { return font_->Metrics().tm; }
    const LOGFONTA& LogFont() const { return logFont_; }

private:
    LOGFONTA logFont_;
    std::shared_ptr<plat::RealFont> font_;
    std::unique_lock<std::mutex> lock_;
};

plat::TextPaint PaintOf(const DcData& d, const LOGFONTA& logFont) {
    plat::TextPaint paint;
    paint.colour = plat::PixelOf(d.state.textColour);
    paint.opaque = d.state.bkMode == OPAQUE;
    paint.background = plat::PixelOf(d.state.bkColour);
    paint.underline = logFont.lfUnderline != 0;
    paint.strikeOut = logFont.lfStrikeOut != 0;
    return paint;
}

// A logical rectangle on the surface, ordered.
RECT SurfaceRect(const DcData& d, const RECT& rect) {
    const plat::Point64 a = d.ToSurface(rect.left, rect.top);
    const plat::Point64 b = d.ToSurface(rect.right, rect.bottom);
    return RECT{Narrow(std::min(a.x, b.x)), Narrow(std::min(a.y, b.y)), Narrow(std::max(a.x, b.x)),
                Narrow(std::max(a.y, b.y))};
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT out;
    IntersectRect(&out, &a, &b);
    return out;
}

// Draws one run at a reference point placed by the context's text alignment, moving the
// current position with TA_UPDATECP.
BOOL DrawAlignedRun(DcData& d, TextFont& font, const TextLine& line, int x, int y, UINT options,
                    LPCRECT rect) {
    plat::Surface* surface = d.Target();
    if (!surface) {
        return FALSE;
    }
    const UINT align = d.state.textAlign;
    const bool useCurrent = (align & TA_UPDATECP) != 0;
    const POINT ref = useCurrent ? d.state.currentPosition : POINT{x, y};
    const TEXTMETRICA& tm = font.Metrics();

    Coord left = ref.x;
    const UINT horizontal = align & TA_CENTER;
    if (horizontal == TA_CENTER) {
        left -= line.width / 2;
    } else if (horizontal == TA_RIGHT) {
        left -= line.width;
    }
    Coord baseline = ref.y;
    const UINT vertical = align & TA_BASELINE;
    if (vertical == TA_BOTTOM) {
        baseline -= tm.tmDescent;
    } else if (vertical != TA_BASELINE) {
        baseline += tm.tmAscent;
    }
    if (useCurrent && horizontal != TA_CENTER) {
        d.state.currentPosition.x =
            Narrow(horizontal == TA_RIGHT ? ref.x - line.width : ref.x + line.width);
    }

    RECT clip = d.Clip();
    if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED))) {
        const RECT box = SurfaceRect(d, *rect);
        if (options & ETO_OPAQUE) {
            plat::Rasteriser(*surface, clip)
                .FillBox(plat::Box64{box.left, box.top, box.right, box.bottom},
                         plat::Paint::Solid(d.state.bkColour));
        }
        if (options & ETO_CLIPPED) {
            clip = Intersection(clip, box);
        }
    }
    plat::DrawTextLine(*surface, clip, font.Font(), line, left + d.OffsetX(),
                       baseline + d.OffsetY(), PaintOf(d, font.LogFont()));
    return TRUE;
}

plat::TabStops TabStopsFor(int count, const int* stops, Coord defaultInterval) {
    if (count <= 0 || !stops) {
        return plat::TabStops(defaultInterval);
    }
    if (count == 1) {
        const Coord every = stops[0] < 0 ? -Coord{stops[0]} : stops[0];
        return plat::TabStops(every > 0 ? every : defaultInterval);
    }
    return plat::TabStops(std::span(stops, static_cast<std::size_t>(count)), defaultInterval);
}

// DrawText's per-call settings from its flags and DrawTextEx's parameters.
struct DrawTextSetup {
    UINT format;
    int tabChars = 8;
    int leftMargin = 0;
    int rightMargin = 0;
};

DrawTextSetup SetUp(UINT format, const DRAWTEXTPARAMS* params) {
    DrawTextSetup setup{format};
    if (format & DT_TABSTOP) {
        setup.tabChars = static_cast<int>((format >> 8) & 0xFF);
        setup.format &= ~0xFF00u;  // those bits were the tab size, not flags
    }
    if (params) {
        if (params->iTabLength > 0) {
            setup.tabChars = params->iTabLength;
        }
        setup.leftMargin = params->iLeftMargin;
        setup.rightMargin = params->iRightMargin;
    }
    return setup;
}

// The lines that can show in a rectangle of that height: the last may be cut off.
std::size_t VisibleLines(Coord height, Coord lineHeight) {
    if (height <= 0 || lineHeight <= 0) {
        return 1;
    }
    return static_cast<std::size_t>((height + lineHeight - 1) / lineHeight);
}

Coord LineLeft(const DrawTextSetup& s, Coord left, Coord right, Coord width) {
    if (s.format & DT_CENTER) {
        return (left + right - width) / 2;
    }
    return (s.format & DT_RIGHT) ? right - width : left;
}

int DrawFormatted(DcData& d, std::string_view text, LPRECT rect, UINT format,
                  DRAWTEXTPARAMS* params) {
    if (!rect || !d.created) {
        return 0;
    }
    const DrawTextSetup s = SetUp(format, params);
    TextFont font(d);
    const TEXTMETRICA& tm = font.Metrics();
    const Coord lineHeight =
        tm.tmHeight + ((s.format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    const Coord left = Coord{rect->left} + s.leftMargin;
    const Coord right = Coord{rect->right} - s.rightMargin;
    const bool singleLine = (s.format & DT_SINGLELINE) != 0;
    const bool clipped = !(s.format & (DT_CALCRECT | DT_NOCLIP));

    plat::LayoutRules rules;
    rules.format = s.format;
    rules.width = right - left;
    rules.tabWidth = std::max<Coord>(1, Coord{s.tabChars} * font.Advance('o'));
    rules.maxLines =
        clipped && !singleLine ? VisibleLines(Coord{rect->bottom} - rect->top, lineHeight) : 0;
    const plat::LaidText laid = plat::LayOutText(text, rules, font);
    if (params) {
        params->uiLengthDrawn = static_cast<UINT>(laid.consumed);
    }
    const Coord total = static_cast<Coord>(laid.lines.size()) * lineHeight;
    if (s.format & DT_CALCRECT) {
        Coord widest = 0;
        for (const TextLine& line : laid.lines) {
            widest = std::max(widest, line.width);
        }
        rect->right = Narrow(left + widest + s.rightMargin);
        rect->bottom = Narrow(Coord{rect->top} + total);
        return Narrow(total);
    }

    Coord top = rect->top;
    if (singleLine && (s.format & DT_VCENTER)) {
        top = rect->top + (Coord{rect->bottom} - rect->top) / 2 - lineHeight / 2;
    } else if (singleLine && (s.format & DT_BOTTOM)) {
        top = Coord{rect->bottom} - lineHeight;
    }
    plat::Surface* surface = d.Target();
    if (!surface) {
        return 0;
    }
    const RECT clip = clipped ? Intersection(d.Clip(), SurfaceRect(d, *rect)) : d.Clip();
    plat::TextPaint paint = PaintOf(d, font.LogFont());
    if (s.format & DT_PREFIXONLY) {
        paint = plat::TextPaint{paint.colour};
        paint.glyphs = false;
    }
    for (std::size_t i = 0; i < laid.lines.size(); ++i) {
        const TextLine& line = laid.lines[i];
        const Coord baseline = top + static_cast<Coord>(i) * lineHeight + tm.tmAscent;
        plat::DrawTextLine(*surface, clip, font.Font(), line,
                           LineLeft(s, left, right, line.width) + d.OffsetX(),
                           baseline + d.OffsetY(), paint);
    }
    return Narrow(top + total - rect->top);
}

}  // namespace

// ---- Output ----------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
    if (!d_->created || (!text && count > 0)) {
        return FALSE;
    }
    TextFont font(*d_);
    return DrawAlignedRun(*d_, font, plat::PlaceRun(TextOf(text, count), font), x, y, 0, nullptr);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    return TextOut(x, y, text.GetString(), text.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count,
                     const int* dxWidths) {
    if (!d_->created || (!text && count > 0)) {
        return FALSE;
    }
    TextFont font(*d_);
    const TextLine line = plat::PlaceRun(TextOf(text, count), font, dxWidths);
    return DrawAlignedRun(*d_, font, line, x, y, options, rect);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                     const int* dxWidths) {
    return ExtTextOut(x, y, options, rect, text.GetString(), static_cast<UINT>(text.GetLength()),
                      dxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabPositions,
                         const int* tabStops, int tabOrigin) {
    if (!d_->created || (!text && count > 0)) {
        return CSize(0, 0);
    }
    TextFont font(*d_);
    const plat::TabStops tabs =
        TabStopsFor(tabPositions, tabStops, Coord{8} * font.Metrics().tmAveCharWidth);
    const LONG start = (d_->state.textAlign & TA_UPDATECP) ? d_->state.currentPosition.x : x;
    const TextLine line =
        plat::PlaceRun(TextOf(text, count), font, nullptr, &tabs, Coord{start} - tabOrigin);
    if (!DrawAlignedRun(*d_, font, line, x, y, 0, nullptr)) {
        return CSize(0, 0);
    }
    return CSize(Narrow(line.width), font.Metrics().tmHeight);
}

CSize CDC::TabbedTextOut(int x, int y, const CString& text, int tabPositions, const int* tabStops,
                         int tabOrigin) {
    return TabbedTextOut(x, y, text.GetString(), text.GetLength(), tabPositions, tabStops,
                         tabOrigin);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    return DrawFormatted(*d_, TextOf(text, count), rect, format, nullptr);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawTextEx(LPTSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params) {
    return DrawFormatted(*d_, TextOf(text, count), rect, format, params);
}

int CDC::DrawTextEx(const CString& text, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params) {
    return DrawFormatted(*d_, text.str(), rect, format, params);
}

// ---- Measuring -------------------------------------------------------------------------

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
    if (!d_->created || (!text && count > 0)) {
        return CSize(0, 0);
    }
    TextFont font(*d_);
    Coord width = 0;
    for (const char ch : TextOf(text, count)) {
        width += font.Advance(static_cast<unsigned char>(ch));
    }
    return CSize(Narrow(width), font.Metrics().tmHeight);
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text.GetString(), text.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR text, int count) const {
    return GetTextExtent(text, count);
}

CSize CDC::GetOutputTextExtent(const CString& text) const {
    return GetTextExtent(text);
}

CSize CDC::GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions,
                               const int* tabStops) const {
    if (!d_->created || (!text && count > 0)) {
        return CSize(0, 0);
    }
    TextFont font(*d_);
    const plat::TabStops tabs =
        TabStopsFor(tabPositions, tabStops, Coord{8} * font.Metrics().tmAveCharWidth);
    const Coord width = plat::PlaceRun(TextOf(text, count), font, nullptr, &tabs).width;
    return CSize(Narrow(width), font.Metrics().tmHeight);
}

CSize CDC::GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const {
    return GetTabbedTextExtent(text.GetString(), text.GetLength(), tabPositions, tabStops);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const {
    if (!metrics || !d_->created) {
        return FALSE;
    }
    const TextFont font(*d_);
    *metrics = font.Metrics();
    metrics->tmUnderlined = font.LogFont().lfUnderline ? 0xFF : 0;
    metrics->tmStruckOut = font.LogFont().lfStrikeOut ? 0xFF : 0;
    metrics->tmDigitizedAspectX = d_->info.logPixelsX;
    metrics->tmDigitizedAspectY = d_->info.logPixelsY;
    return TRUE;
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC metrics) const {
    return GetTextMetrics(metrics);
}

int CDC::GetTextFace(int count, LPTSTR faceName) const {
    if (!d_->created) {
        return 0;
    }
    TextFont font(*d_);
    const std::string& family = font.Font().Family();
    if (!faceName || count <= 0) {
        return static_cast<int>(family.size()) + 1;
    }
    const std::size_t copied = std::min(family.size(), static_cast<std::size_t>(count - 1));
    std::memcpy(faceName, family.data(), copied);
    faceName[copied] = '\0';
    return static_cast<int>(copied);
}

int CDC::GetTextFace(CString& faceName) const {
    if (!d_->created) {
        return 0;
    }
    TextFont font(*d_);
    faceName = CString(std::string_view(font.Font().Family()));
    return faceName.GetLength();
}

// ---- Win32 calls -----------------------------------------------------------------------

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc || !size || count < 0 || (!text && count > 0)) {
        return FALSE;
    }
    *size = dc->GetTextExtent(text, count);
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
    CDC* dc = CDC::FromHandle(hdc);
    return dc ? dc->GetTextMetrics(metrics) : FALSE;
}
