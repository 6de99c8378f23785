#pragma once
// CFont: a logical font (LOGFONT). Device contexts realise it on a real face when they
// draw or measure text (see FontEngine.h for how faces are chosen and sized).

#include "platform/gdi/CGdiObject.h"
#include "platform/gdi/TextTypes.h"

class CDC;

class SUI_API CFont : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCSTR faceName);
    // pointSize in tenths of a point at the vertical resolution of dc (the screen's when
    // dc is null): lfHeight = -(LOGPIXELSY * pointSize / 720), the division truncating.
    // The rest of the LOGFONT is zero, with DEFAULT_CHARSET.
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
    // The same with logFont->lfHeight read as tenths of a point; the other fields are kept.
    BOOL CreatePointFontIndirect(const LOGFONTA* logFont, CDC* dc = nullptr);
    int GetLogFont(LOGFONTA* logFont) const;

    static CFont* FromHandle(HFONT handle);
    operator HFONT() const { return m_hObject; }  // NOLINT: the framework converts
};
