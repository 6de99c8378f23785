#pragma once
// CMFCPropertyColourGridProperty: a read-only row whose whole value cell is painted in a
// status colour (normal, ok, warning, error) with the text centred.

#include "platform/core/CArray.h"  // CMFCPropertyGridProperty.h uses CStringArray
#include "platform/gdi/GdiObjects.h"
#include "platform/propgrid/CMFCPropertyGridProperty.h"

class SUI_API CMFCPropertyColourGridProperty : public CMFCPropertyGridProperty {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CMFCPropertyColourGridProperty(const CString& strName, const COleVariant& varValue);

    // Each sets the day colours of its state and the text.
    void SetNormal(const char* text);
    void SetOk(const char* text);
    void SetWarning(const char* text);
    void SetError(const char* text);
    // Maps the current day colours to night ones (or back); unknown colours stay.
    void SetNightMode(bool bNight);

    COLORREF GetBackColour() const { return m_clrBack; }
    COLORREF GetTextColour() const { return m_clrText; }

    void OnDrawValue(CDC* pDC, CRect rect) override;

private:
    void SetState(COLORREF back, COLORREF text, const char* value);

    CBrush m_brFrame;
    COLORREF m_clrBack;
    COLORREF m_clrText;
};
