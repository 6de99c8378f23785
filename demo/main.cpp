// surveyui-demo: the demo host. Until the windowing layer arrives it shows, as text, what
// an operator's settings do to the values a program displays: it switches the units and
// formats through the library's own settings operations and prints a report after each
// step to demo-out/settings-report.txt (and to the terminal).

#include <iconv.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "surveyui.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The library's texts are Windows-1252 (degree sign 0xB0); a terminal wants UTF-8.
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

struct Report {
    FILE* out;
    void Line(const CString& text) const {
        const std::string utf8 = ToUtf8(text);
        std::fprintf(out, "%s\n", utf8.c_str());
        std::printf("%s\n", utf8.c_str());
    }
};

CString Distance(double metres) {
    int conversion = 0;
    int imperial = 0;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    CString text;
    text.Format("%.*f%s", ReadDecimalPlaces(), metres / GetDistanceFactor(),
                GetDistanceUnitText(units, conversion, imperial).GetString());
    return text;
}

void ShowValues(const Report& report, const char* heading) {
    CString line;
    report.Line(CString("== ") + heading);
    int conversion = 0;
    int imperial = 0;
    const int units = ReadUnitsSettings(&conversion, &imperial);
    line.Format("Units: %s, factor %.12g metres per unit", CSettingsPane::UnitsTxt[units & 1],
                GetDistanceFactor());
    report.Line(line);
    report.Line("  Water depth 1234.5678 m reads " + Distance(1234.5678));
    report.Line("  Cable weight unit " +
                GetWeightPerLengthUnitText(ReadWeightMode(), units, conversion, imperial));
    const double latitude = -(51.0 + 30.0 / 60 + 59.9996 / 3600) * kPi / 180;
    const double longitude = (1.0 + 17.0 / 60 + 30.25 / 3600) * kPi / 180;
    report.Line("  Position " + FormatAngle(latitude, ANGLE_LATITUDE, 5, -1, 0) + "  " +
                FormatAngle(longitude, ANGLE_LONGITUDE, 5, -1, 0));
    report.Line("  Heading " + FormatAngle(4.2, ANGLE_BEARING, 5, -1, 0));
    report.Line("  Date " + FormatDate(6, 12, 2026, ReadDateMode()) + ", time " +
                FormatTimeOfDay(3725.5, ReadTimeMode()));
}

}  // namespace

int main() {
    // The demo keeps its settings beside its output, never in the operator's folder.
    const std::filesystem::path out = "demo-out";
    std::filesystem::create_directories(out / "drive_c");
    plat::MapDrive('C', std::filesystem::absolute(out / "drive_c").string());

    FILE* file = std::fopen((out / "settings-report.txt").c_str(), "w");
    if (!file) {
        std::perror("demo-out/settings-report.txt");
        return 1;
    }
    const Report report{file};
    report.Line(CString("Settings folder: ") + GetSettingsFolder());

    WriteUnitsSettings(0, 0, 0);
    WriteAngleSettings(1, 7);
    WriteGeoSettings(0, 3, 'N', 'E');
    ShowValues(report, "Metric, positions in degrees-minutes-seconds");

    SetUnitsMode(1);
    SetConversionMode(1);  // US Survey foot
    SetImperialMode(1);    // yards
    WriteWeightMode(1);
    SetGeoPreference(1);
    ShowValues(report, "Imperial yards (US Survey foot), pounds, decimal minutes");

    SetUnitsMode(0);
    SetConversionMode(1);  // kilometres
    WriteWeightMode(0);
    SetGeoPreference(2);
    ShowValues(report, "Kilometres, decimal degrees");

    std::fclose(file);
    return 0;
}
