#pragma once
// CDataTrace: one named, coloured series of samples that the time-series graph plots and
// names in its legend.

#include "graph/CScrollData.h"
#include "platform/core/CString.h"
#include "platform/gdi/GdiTypes.h"

class SUI_API CDataTrace : public CScrollData {
public:
    CDataTrace();
    explicit CDataTrace(const char* name);
    ~CDataTrace() override;

    CString m_strName;                     // legend text
    COLORREF m_Colour = RGB(255, 0, 255);  // until the pane's first SetData
    CString m_strAttribute1;               // kept from the configuration file, not drawn
    CString m_strAttribute2;
};

// The current local time as a continuous count of seconds with the milliseconds as a
// fraction: the abscissa of a sample for which the host gives no x. Leap days count.
SUI_API double CurrentTimeAbscissa();
