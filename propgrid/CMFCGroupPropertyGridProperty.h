#pragma once
// CMFCGroupPropertyGridProperty: a group row numbered for status display; a coloured
// ball centred in its value cell shows error, trigger, time-out or warning.

#include "platform/core/CArray.h"  // CMFCPropertyGridProperty.h uses CStringArray
#include "platform/gdi/CImageList.h"
#include "platform/propgrid/CMFCPropertyGridProperty.h"

// The value is the index of the ball in bitmap 14025.
enum STATUS_COLOURS {
    STATUS_NONE = -1,
    STATUS_ERROR = 0,    // red
    STATUS_TRIGGER = 1,  // green
    STATUS_TIMEOUT = 2,  // magenta
    STATUS_WARNING = 3,  // yellow
};

class SUI_API CMFCGroupPropertyGridProperty : public CMFCPropertyGridProperty {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    static constexpr int kBallSize = 16;

    CMFCGroupPropertyGridProperty(const CString& strGroupName, int nGroup);

    int GetGroup() const { return m_nGroup; }
    STATUS_COLOURS GetColour() const { return m_eColour; }

    // With true: true when the colour changed (and the row was redrawn). With false the
    // ball is cleared and false is answered.
    bool Error(bool bOn);
    bool Warning(bool bOn);
    bool Timeout(bool bOn);
    bool Trigger();
    void Clear();

    void OnDrawValue(CDC* pDC, CRect rect) override;

private:
    bool Switch(STATUS_COLOURS colour, bool bOn);
    // Sets the colour and redraws; false when it already was that colour.
    bool SetColour(STATUS_COLOURS colour);

    CImageList m_images;
    STATUS_COLOURS m_eColour = STATUS_NONE;
    int m_nGroup;
};
