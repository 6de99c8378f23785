#include "propgrid/DistanceProperties.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "settings/SettingsCache.h"
#include "settings/UnitsSettings.h"

namespace {

constexpr double kPoundsPerKilogram = 2.2046226218487757;
constexpr double kKilogramsPerPound = 0.45359237;
constexpr int kMetricUnits = 0;
constexpr int kKilometres = 1;
constexpr int kPounds = 1;

// A setting read at every format (a repaint formats every row that shows), kept with the
// stamp of the reads that gave it: while a call finds the settings unchanged since (by the
// look at the watch it makes anyway), the value is what those reads gave, unread.
template <class Value>
class RememberedSetting {
public:
    template <class Read>
    Value Get(settings_cache::SettingsCall& call, Read read) {
        if (kept_ && call.Unchanged(kept_->stamp)) {
            return kept_->value;
        }
        call.TrackReads();
        const Value value = read();
        if (std::optional<settings_cache::ReadStamp> stamp = call.StampReads()) {
            kept_ = Kept{std::move(*stamp), value};
        } else {
            kept_.reset();
        }
        return value;
    }

private:
    struct Kept {
        settings_cache::ReadStamp stamp;
        Value value;
    };
    std::optional<Kept> kept_;
};

// The distance units as set now, read once so one call sees one consistent setting.
struct DistanceUnits {
    int units = 0;
    int conversion = 0;
    int imperial = 0;

    static DistanceUnits Read() {
        DistanceUnits now;
        now.units = ReadUnitsSettings(&now.conversion, &now.imperial);
        return now;
    }
    static DistanceUnits Read(settings_cache::SettingsCall& call) {
        thread_local RememberedSetting<DistanceUnits> remembered;
        return remembered.Get(call, [] { return Read(); });
    }
    double Factor() const { return GetDistanceFactorFor(units, conversion, imperial); }
    CString Text() const { return GetDistanceUnitText(units, conversion, imperial); }
    bool InKilometres() const { return units == kMetricUnits && conversion == kKilometres; }
};

// The operator's Decimal Places, three fewer in kilometres.
int ShownDecimals(int decimals, const DistanceUnits& units) {
    return units.InKilometres() ? std::max(decimals - 3, 0) : decimals;
}

int OperatorDecimals(const DistanceUnits& units) {
    return ShownDecimals(ReadDecimalPlaces(), units);
}

int OperatorDecimals(const DistanceUnits& units, settings_cache::SettingsCall& call) {
    thread_local RememberedSetting<int> remembered;
    return ShownDecimals(remembered.Get(call, [] { return ReadDecimalPlaces(); }), units);
}

bool IsNoValue(double value) {
    return value == std::numeric_limits<double>::max();
}

CString FormatNumber(int width, int decimals, double value, const CString& unit) {
    return FormatFixed(width, decimals, value) + unit;
}

}  // namespace

// ---- Distance -------------------------------------------------------------------------------

CMFCPropertyGridMetricProperty::CMFCPropertyGridMetricProperty(const CString& strName,
                                                               const double& value, int width,
                                                               LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridMetricProperty(strName, value, width, -1, lpszDescr, dwData) {}

CMFCPropertyGridMetricProperty::CMFCPropertyGridMetricProperty(const CString& strName,
                                                               const double& value, int width,
                                                               int decimals,
                                                               const char* const lpszDescr,
                                                               DWORD_PTR dwData)
    : CMFCPropertyGridMaskedValue(strName, value, lpszDescr, dwData),
      m_nWidth(width),
      m_nRequestedDecimals(decimals) {
    SetMask();
}

void CMFCPropertyGridMetricProperty::SetMask() {
    // Fixed decimals need no settings.
    UseDecimals(m_nRequestedDecimals >= 0 ? m_nRequestedDecimals
                                          : OperatorDecimals(DistanceUnits::Read()));
}

void CMFCPropertyGridMetricProperty::UseDecimals(int decimals) {
    m_nDecimals = decimals;
    if (m_nFieldWidth == m_nWidth && m_nFieldDecimals == decimals) {
        return;
    }
    m_field = CNumberField::Make(m_nWidth, decimals, false, "");
    m_nFieldWidth = m_nWidth;
    m_nFieldDecimals = decimals;
}

CString CMFCPropertyGridMetricProperty::FormatProperty() {
    if (IsNoValue(m_dValue)) {
        return NoValueText();
    }
    // One read of each setting per call: the field and the text follow the same units.
    settings_cache::SettingsCall call;
    const DistanceUnits units = DistanceUnits::Read(call);
    UseDecimals(m_nRequestedDecimals >= 0 ? m_nRequestedDecimals : OperatorDecimals(units, call));
    const double shown = ClampValue(m_dValue / units.Factor(), m_field.smallest, m_field.largest);
    return FormatNumber(m_nWidth, m_nDecimals, shown, units.Text());
}

BOOL CMFCPropertyGridMetricProperty::OnEdit(LPPOINT /*lptClick*/) {
    if (m_bLocked) {
        return TRUE;
    }
    SetMask();
    const CString unit = DistanceUnits::Read().Text();
    return OpenMaskedEditor(m_field.mask + unit, m_field.inputTemplate + unit, ' ',
                            m_field.validChars);
}

BOOL CMFCPropertyGridMetricProperty::OnUpdateValue() {
    CString text;
    if (!EditorText(text)) {
        return FALSE;
    }
    if (HoldsNumber(text)) {
        StoreTypedValue(atof(text) * DistanceUnits::Read().Factor());
    }
    return TRUE;
}

// ---- Weight per unit length -----------------------------------------------------------------

CMFCPropertyWeightPerUnitLengthProperty::CMFCPropertyWeightPerUnitLengthProperty(
    const CString& strName, const double& value, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridMaskedValue(strName, value, lpszDescr, dwData) {
    SetMask();
}

void CMFCPropertyWeightPerUnitLengthProperty::SetMask() {
    m_field = CNumberField::Make(6, 2, false, "");
    m_field.smallest = 0.0;  // a weight is never negative
    m_field.validChars = "0123456789.";
}

CString CMFCPropertyWeightPerUnitLengthProperty::FormatProperty() {
    if (IsNoValue(m_dValue)) {
        return NoValueText();
    }
    const settings_cache::SettingsCall call;
    const DistanceUnits units = DistanceUnits::Read();
    const int weightMode = ReadWeightMode();
    // kg per metre x metres per unit = kg per unit.
    double shown = m_dValue * units.Factor();
    if (weightMode == kPounds) {
        shown *= kPoundsPerKilogram;
    }
    SetMask();
    shown = ClampValue(shown, m_field.smallest, m_field.largest);
    return FormatNumber(
        6, 2, shown,
        GetWeightPerLengthUnitText(weightMode, units.units, units.conversion, units.imperial));
}

BOOL CMFCPropertyWeightPerUnitLengthProperty::OnEdit(LPPOINT /*lptClick*/) {
    if (m_bLocked) {
        return TRUE;
    }
    SetMask();
    const DistanceUnits units = DistanceUnits::Read();
    const CString unit =
        GetWeightPerLengthUnitText(ReadWeightMode(), units.units, units.conversion, units.imperial);
    return OpenMaskedEditor(m_field.mask + unit, m_field.inputTemplate + unit, ' ',
                            m_field.validChars);
}

BOOL CMFCPropertyWeightPerUnitLengthProperty::OnUpdateValue() {
    CString text;
    if (!EditorText(text)) {
        return FALSE;
    }
    if (HoldsNumber(text)) {
        double value = atof(text) / DistanceUnits::Read().Factor();
        if (ReadWeightMode() == kPounds) {
            value *= kKilogramsPerPound;
        }
        StoreTypedValue(value);
    }
    return TRUE;
}
