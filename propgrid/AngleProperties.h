#pragma once
// The angle rows: an angle, latitude or longitude in the operator's notation; a double
// with fixed degree formats; whole degrees with a spin; a read-only value with a status
// ball telling whether it lies within a tolerance.

#include "propgrid/NumericProperties.h"
#include "settings/AngleText.h"

// Kept in radians; shown and typed in the notation set now (the geographic one for
// latitudes and longitudes, the angle one for every other type).
class SUI_API CMFCPropertyGridAngleProperty : public CMFCPropertyGridProperty {
public:
    CMFCPropertyGridAngleProperty(const CString& strName, const double& value, ANGLE_TYPE angleType,
                                  LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    using CMFCPropertyGridProperty::GetValue;
    using CMFCPropertyGridProperty::SetValue;
    double GetValue() { return m_dValue; }
    void SetValue(double value);
    void SetValue(const COleVariant& varValue) override;
    BOOL IsValueChanged() const override;

    CString FormatProperty() override;
    // Opens the masked editor, then tells the grid's parent (the click message, wParam
    // the row's data, lParam the row).
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;

    // The characters the editor takes for this type and notation.
    static CString ValidChars(int angleType, int format);

protected:
    bool IsGeographic() const;
    // The notation and decimals set now.
    void ReadNotation(int& format, int& decimals, char& quadrant) const;

    ANGLE_TYPE m_angleType;
    double m_dValue;
    double m_dInitialValue;
};

// Fixed degree formats.
enum AS_MODE {
    AS_TRUE_BEARING = 0,  // "%06.2lf°T", 0.0 to 359.99
    AS_GRID_BEARING = 1,  // "%06.2lf°G", 0.0 to 359.99
    AS_BEARING = 2,       // "%06.2lf°", 0.0 to 359.99
    AS_INCLINATION = 3,   // "%+06.2lf°", -90.0 to 90.0
    AS_ELEVATION = 4,     // "%+06.2lf°", -90.0 to 90.0
    AS_SIGNED_ANGLE = 5,  // "%+07.2lf°", -180.0 to 180.0
};

class SUI_API CMFCPropertyGridAngleDouble : public CMFCPropertyGridDouble {
public:
    CMFCPropertyGridAngleDouble(const CString& strName, const double& value, AS_MODE mode,
                                LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // A mode above 5 changes nothing.
    void SetMode(AS_MODE mode);
};

// Whole degrees 0 to 359 with a spin control.
class SUI_API CMFCPropertyGridAngleInteger : public CMFCPropertyGridInteger {
public:
    CMFCPropertyGridAngleInteger(const CString& strName, const COleVariant& value,
                                 LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    CString FormatProperty() override;
};

// Read-only: a value and a ball (green within the tolerance, magenta within 1.2 times
// it, red beyond; none for a tolerance of 0).
class SUI_API CMFCPropertyGridTolerance : public CMFCPropertyGridProperty {
public:
    enum Status { StatusNone = -1, StatusOutside = 0, StatusWithin = 1, StatusMarginal = 2 };

    // The format is checked as CMFCPropertyGridDouble::SetFormat checks it; a refused one
    // shows "%6.2lf".
    CMFCPropertyGridTolerance(const CString& strName, const double& value,
                              const char* const format);

    void SetValue(double value, double tolerance);
    // The wrapped difference a - b of two angles in degrees, against the tolerance.
    void SetAngle(double a, double b, double tolerance);
    int GetStatus() const { return m_nStatus; }
    double GetDouble() const { return m_varValue.dblVal; }

    CString FormatProperty() override;
    void OnDrawValue(CDC* pDC, CRect rect) override;

protected:
    CString m_strFormat;
    int m_nStatus = StatusNone;
    CImageList m_balls;
};
