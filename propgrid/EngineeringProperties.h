#pragma once
// Tension (kept in tonnes) and temperature (kept in degrees Celsius) shown in the
// operator's unit, and the four drop-down rows that choose those units and write the
// choice straight to the settings.

#include "propgrid/NumericProperties.h"

// The display format follows the unit set now: every format, edit and parse reads it.
class SUI_API CMFCPropertyGridTensionProperty : public CMFCPropertyGridDouble {
public:
    CMFCPropertyGridTensionProperty(const CString& strName, const double& value,
                                    LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // Re-reads the Tension Mode and takes its format (another mode keeps the format).
    void Update();

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;

protected:
    void SetFormat();

private:
    // The format of a mode; false for a mode without one.
    bool ApplyModeFormat(int mode);
};

class SUI_API CMFCPropertyGridTemperatureProperty : public CMFCPropertyGridDouble {
public:
    CMFCPropertyGridTemperatureProperty(const CString& strName, const double& value,
                                        LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // Re-reads the Temperature Mode and takes its format.
    void Update();

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL OnUpdateValue() override;

protected:
    void SetFormat();

private:
    void ApplyModeFormat(int mode);
};

// A non-editable drop-down of a unit setting's options. Shows the option of the mode set
// now; choosing an option writes its index to the setting (the grid is not told: the
// settings pane owns the broadcast of settings changes).
class SUI_API CMFCPropertyGridModeProperty : public CMFCPropertyGridProperty {
public:
    using ReadMode = int (*)();
    using WriteMode = void (*)(int);

    CMFCPropertyGridModeProperty(const char* name, const char* description,
                                 const char* const* options, int optionCount, ReadMode read,
                                 WriteMode write, DWORD_PTR dwData);

    // Re-reads the mode and shows it.
    void Update();
    int GetMode() const { return m_nMode; }

    CString FormatProperty() override;
    BOOL OnUpdateValue() override;

protected:
    // The option of a mode; empty for a mode without one.
    CString OptionText(int mode) const;

    const char* const* m_options;
    int m_nOptionCount;
    ReadMode m_read;
    WriteMode m_write;
    int m_nMode = 0;
};

class SUI_API CMFCPropertyGridTensionModeProperty : public CMFCPropertyGridModeProperty {
public:
    explicit CMFCPropertyGridTensionModeProperty(DWORD_PTR dwData = 0);
    static const char* const m_TensionModeTxt[3];  // "Tonnes", "KIPS", "Kilo Newtons"
};

class SUI_API CMFCPropertyGridTemperatureModeProperty : public CMFCPropertyGridModeProperty {
public:
    explicit CMFCPropertyGridTemperatureModeProperty(DWORD_PTR dwData = 0);
    static const char* const m_TemperatureModeTxt[2];  // "Centigrade", "Fahrenheit"
};

class SUI_API CMFCPropertyGridPressureModeProperty : public CMFCPropertyGridModeProperty {
public:
    explicit CMFCPropertyGridPressureModeProperty(DWORD_PTR dwData = 0);
    static const char* const m_PressureModeTxt[2];  // "Bar", "Kg/Cm"
};

class SUI_API CMFCPropertyGridWeightModeProperty : public CMFCPropertyGridModeProperty {
public:
    explicit CMFCPropertyGridWeightModeProperty(DWORD_PTR dwData = 0);
    static const char* const m_WeightModeTxt[2];  // "Kilograms", "Pounds"
};
