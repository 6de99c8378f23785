#include "OperatorSettings.h"

#include <iconv.h>

#include <cstdio>
#include <string>

#include "surveyui.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;

// The sample values: a depth, a survey position off the coast and a heading.
constexpr double kDepthMetres = 1234.5678;
const double kLatitude = -(51.0 + 30.0 / 60 + 59.9996 / 3600) * kDegree;
const double kLongitude = (1.0 + 17.0 / 60 + 30.25 / 3600) * kDegree;
constexpr double kHeading = 4.2;
constexpr int kFormatByPreference = 5;

CString Distance(double metres) {
    int conversion = 0;
    int imperial = 0;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    CString text;
    text.Format("%.*f%s", ReadDecimalPlaces(), metres / GetDistanceFactor(),
                GetDistanceUnitText(units, conversion, imperial).GetString());
    return text;
}

// The library's texts are Windows-1252 (degree sign 0xB0); the report file is UTF-8.
std::string ToUtf8(const CString& text) {
    const iconv_t converter = iconv_open("UTF-8", "WINDOWS-1252");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text.str();
    }
    std::string in = text.str();
    std::string out(in.size() * 3 + 1, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1)) {
        return text.str();
    }
    out.resize(out.size() - outLeft);
    return out;
}

void Report(FILE* file, const char* heading) {
    std::fprintf(file, "== %s\n", heading);
    for (const SettingLine& line : DescribeOperatorSettings()) {
        std::fprintf(file, "  %s: %s\n", ToUtf8(line.label).c_str(), ToUtf8(line.value).c_str());
    }
}

}  // namespace

std::vector<SettingLine> DescribeOperatorSettings() {
    int conversion = 0;
    int imperial = 0;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    CString factor;
    factor.Format("%.12g m per unit", GetDistanceFactor());
    return {
        {"Units", CSettingsPane::UnitsTxt[units & 1]},
        {"Distance factor", factor},
        {"Water depth", Distance(kDepthMetres)},
        {"Cable weight", GetWeightPerLengthUnitText(ReadWeightMode(), units, conversion, imperial)},
        {"Latitude", FormatAngle(kLatitude, ANGLE_LATITUDE, kFormatByPreference, -1, 0)},
        {"Longitude", FormatAngle(kLongitude, ANGLE_LONGITUDE, kFormatByPreference, -1, 0)},
        {"Heading", FormatAngle(kHeading, ANGLE_BEARING, kFormatByPreference, -1, 0)},
        {"Date", FormatDate(6, 12, 2026, ReadDateMode())},
        {"Time", FormatTimeOfDay(3725.5, ReadTimeMode())},
        {"Settings folder", GetSettingsFolder()},
    };
}

bool WriteSettingsReport(const std::filesystem::path& file) {
    FILE* out = std::fopen(file.c_str(), "w");
    if (!out) {
        return false;
    }
    ChooseDemoSettings();
    Report(out, "Metric, positions in degrees-minutes-seconds");

    SetUnitsMode(1);
    SetConversionMode(1);  // US Survey foot
    SetImperialMode(1);    // yards
    WriteWeightMode(1);
    SetGeoPreference(1);
    Report(out, "Imperial yards (US Survey foot), pounds, decimal minutes");

    SetUnitsMode(0);
    SetConversionMode(1);  // kilometres
    WriteWeightMode(0);
    SetGeoPreference(2);
    Report(out, "Kilometres, decimal degrees");
    return std::fclose(out) == 0;
}

void ChooseDemoSettings() {
    WriteUnitsSettings(0, 0, 0);
    WriteWeightMode(0);
    WriteTensionMode(0);
    WriteTemperatureMode(0);
    WritePressureMode(0);
    WriteAngleSettings(1, 7);
    WriteGeoSettings(0, 3, 'N', 'E');
}
