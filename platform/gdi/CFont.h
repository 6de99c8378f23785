#pragma once
// CFont: a logical font (LOGFONT). The drawing layer keeps it selected in a device
// context; the text layer realises it with real glyphs.

#include "platform/gdi/CGdiObject.h"

class SUI_API CFont : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    BOOL CreateFontIndirect(const LOGFONTA* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCSTR faceName);
    int GetLogFont(LOGFONTA* logFont) const;

    static CFont* FromHandle(HFONT handle);
    operator HFONT() const { return m_hObject; }  // NOLINT: the framework converts
};
