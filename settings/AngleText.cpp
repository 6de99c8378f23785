#include "settings/AngleText.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>

#include "settings/ConfigFile.h"
#include "settings/SettingsFile.h"

namespace {

// The conversion constants are the ones the stored texts were always made with; the
// degree factor is deliberately the truncated one so that texts stay as they were.
constexpr double kDegreesPerRadian = 57.2957795131;
constexpr double kGradiansPerRadian = 63.66197723677778;
constexpr double kRadiansPerDegree = 0.017453292519943;
constexpr double kRadiansPerGradian = 0.0157079632679487;
constexpr double kHalfPi = 1.5707963267948966;

// Whole degrees beyond this do not fit the integer degrees field (with room for a carry).
constexpr double kLargestSplitDegrees = 2147483646.0;

constexpr char kDmsFormat[] = "%0*d\xB0 %02d' %0*.*lf\"%c";
constexpr char kDmFormat[] = "%0*d\xB0 %0*.*lf'%c";
constexpr char kDegreesFormat[] = "%0*.*lf\xB0%c";
constexpr char kSignedDegreesFormat[] = "%+0*.*lf\xB0";
constexpr char kUnsignedDegreesFormat[] = "%0*.*lf\xB0";
constexpr char kGradiansFormat[] = "%0*.*lfg%c";
constexpr char kUnitSymbols[] = "\xB0'\"";
constexpr char kDegreeSign = '\xB0';

constexpr char kAngleFile[] = "Angle Settings";
constexpr char kGeoFile[] = "Geographicals Settings";

constexpr int kDefaultFormat = ANGLE_FMT_DM;
constexpr int kDefaultDecimals = 7;
constexpr char kDefaultLatQuadrant = 'N';
constexpr char kDefaultLonQuadrant = 'E';

struct AngleSettings {
    int format = kDefaultFormat;
    int decimals = kDefaultDecimals;
};

struct GeoSettings {
    int format = kDefaultFormat;
    int decimals = kDefaultDecimals;
    char latQuadrant = kDefaultLatQuadrant;
    char lonQuadrant = kDefaultLonQuadrant;
};

bool IsStoredFormat(int format) {
    return format >= ANGLE_FMT_DMS && format <= ANGLE_FMT_GRADIANS;
}

// A stored format outside 0..4 would index the format tables out of range (and 5 would
// send the formatter back to the settings for ever), so it reads as the default.
int ValidStoredFormat(int format) {
    return IsStoredFormat(format) ? format : kDefaultFormat;
}

// Reads a settings file line by line; when the file cannot be opened (or fails while it is
// read) the reader keeps the defaults it was given.
template <typename Settings, typename ReadLines>
Settings ReadSettingsFile(const char* name, ReadLines readLines) {
    Settings settings;
    CConfigFile file;
    if (!file.OpenForRead(name)) {
        return settings;
    }
    try {
        Settings read;
        readLines(file, read);
        settings = read;
    } catch (const CFileException&) {
    }
    file.Abort();
    return settings;
}

AngleSettings LoadAngleSettings() {
    return ReadSettingsFile<AngleSettings>(kAngleFile, [](CConfigFile& file, AngleSettings& s) {
        s.format = ValidStoredFormat(file.ReadInt(0));
        s.decimals = file.ReadInt(0);
    });
}

void StoreAngleSettings(const AngleSettings& s) {
    RewriteSetting(kAngleFile, [&s](CConfigFile& file) {
        file.WriteInt("Preference", s.format);
        file.WriteInt("Decimal Places", s.decimals);
    });
}

GeoSettings LoadGeoSettings() {
    return ReadSettingsFile<GeoSettings>(kGeoFile, [](CConfigFile& file, GeoSettings& s) {
        s.format = ValidStoredFormat(file.ReadInt(0));
        s.decimals = file.ReadInt(0);
        s.latQuadrant = file.ReadChar(' ');
        s.lonQuadrant = file.ReadChar(' ');
    });
}

// A NUL quadrant (meaning "the default" to the formatter) would put a NUL byte into a text
// file; the default letter is stored instead.
char StorableQuadrant(char quadrant, char defaultQuadrant) {
    return quadrant == '\0' ? defaultQuadrant : quadrant;
}

void StoreGeoSettings(const GeoSettings& s) {
    RewriteSetting(kGeoFile, [&s](CConfigFile& file) {
        file.WriteInt("Preference", s.format);
        file.WriteInt("Decimal Places", s.decimals);
        file.WriteChar("Default Lat Quad", StorableQuadrant(s.latQuadrant, kDefaultLatQuadrant));
        file.WriteChar("Default Lon Quad", StorableQuadrant(s.lonQuadrant, kDefaultLonQuadrant));
    });
}

template <typename T>
void Store(T* out, T value) {
    if (out) {
        *out = value;
    }
}

// --- What each angle type shows ---------------------------------------------------------

bool HasSignCharacter(int angleType) {
    return angleType == ANGLE_SIGNED || angleType == ANGLE_INCLINATION ||
           angleType == ANGLE_ATTITUDE || angleType == ANGLE_OFFSET;
}

bool ShowsNoSign(int angleType) {
    return angleType == ANGLE_BEARING || angleType == ANGLE_ZENITH || angleType == ANGLE_HEADING;
}

// Width of the whole-degrees field. In signed degrees the sign is part of the printed
// width, so every signed type gets one more there to keep its full count of degree digits
// (the same as the other notations show, and the slots the edit template needs).
int DegreesWidth(int angleType, int format) {
    const bool signedDegrees = format == ANGLE_FMT_SIGNED;
    const bool gradians = format == ANGLE_FMT_GRADIANS;
    switch (angleType) {
        case ANGLE_INCLINATION:
        case ANGLE_ATTITUDE:
        case ANGLE_LATITUDE:
            return (signedDegrees || gradians) ? 3 : 2;
        case ANGLE_SIGNED:
        case ANGLE_OFFSET:
        case ANGLE_LONGITUDE:
            return signedDegrees ? 4 : 3;
        default:
            return 3;
    }
}

// Largest whole degrees (and gradians) the parser accepts for the type.
double DegreesRange(int angleType) {
    switch (angleType) {
        case ANGLE_INCLINATION:
        case ANGLE_LATITUDE:
        case ANGLE_ATTITUDE:
            return 90.0;
        case ANGLE_ZENITH:
        case ANGLE_LONGITUDE:
        case ANGLE_OFFSET:
            return 180.0;
        default:
            return 360.0;
    }
}

double GradiansRange(int angleType) {
    return DegreesRange(angleType) * 400.0 / 360.0;
}

char SignCharacter(int angleType, int sign) {
    if (!HasSignCharacter(angleType)) {
        return '\0';
    }
    return sign < 0 ? '-' : '+';
}

char QuadrantLetter(int angleType, double value, int sign, char quadrant) {
    if (angleType != ANGLE_LATITUDE && angleType != ANGLE_LONGITUDE) {
        return '\0';
    }
    const bool latitude = angleType == ANGLE_LATITUDE;
    if (value == 0.0) {
        if (quadrant != '\0') {
            return quadrant;
        }
        return latitude ? 'N' : 'E';
    }
    if (latitude) {
        return sign < 0 ? 'S' : 'N';
    }
    return sign < 0 ? 'W' : 'E';
}

// --- Building the text -----------------------------------------------------------------

// "59.<decimals nines>5": the value that prints as 60 at this many decimals.
double CarryThreshold(int decimals) {
    static const char nines[] = "999999999999999999999";  // at most 21
    char text[26];
    std::snprintf(text, sizeof text, "59.%.*s5", decimals, nines);
    return std::atof(text);
}

bool IsUnitSymbol(char ch) {
    return ch == kDegreeSign || ch == '\'' || ch == '"' || ch == 'g';
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// "%c" of a missing quadrant yields a NUL byte; the text ends there.
void CutAtNul(CString& text) {
    const size_t nul = text.str().find('\0');
    if (nul != std::string::npos) {
        text = text.Left(static_cast<int>(nul));
    }
}

// 12.5000 followed by the degree sign becomes 12, degree sign, .5000 (likewise for the
// minute and second signs and the g of gradians).
void MoveUnitSymbolBeforePoint(CString& text) {
    const int point = text.Find('.');
    if (point < 0) {
        return;
    }
    int end = point + 1;
    while (end < text.GetLength() && IsDigit(text[end])) {
        ++end;
    }
    if (end < text.GetLength() && IsUnitSymbol(text[end])) {
        const char symbol = text[end];
        text.Delete(end);
        text.Insert(point, symbol);
    }
}

int FractionWidth(int fieldWidth, int decimals) {
    return decimals > 0 ? fieldWidth + 1 + decimals : fieldWidth;
}

struct SplitAngle {
    int degrees = 0;
    int minutes = 0;
    double seconds = 0.0;
    int sign = 1;
};

bool IsSexagesimal(int format) {
    return format == ANGLE_FMT_DMS || format == ANGLE_FMT_DM;
}

// Formats 0 and 1 take the sign from the split; the decimal notations from the value.
SplitAngle SplitFor(int format, double value, int decimals) {
    SplitAngle split;
    if (IsSexagesimal(format)) {
        SplitDegrees(value, decimals, &split.degrees, &split.minutes, &split.seconds, &split.sign);
    } else {
        split.sign = value >= 0.0 ? 1 : -1;
    }
    return split;
}

CString FormatDms(const SplitAngle& split, int width, int decimals, char quadrant) {
    const int secondsWidth = decimals > 0 ? decimals + 3 : 2;
    CString text;
    text.Format(kDmsFormat, width, split.degrees, split.minutes, secondsWidth, decimals,
                split.seconds, quadrant);
    return text;
}

CString FormatDm(const SplitAngle& split, int width, int decimals, char quadrant) {
    int degrees = split.degrees;
    double minutes = split.minutes + split.seconds / 60.0;
    // The seconds carry does not cover minutes that would round up to 60 at this precision.
    if (minutes > CarryThreshold(decimals)) {
        minutes = 0.0;
        ++degrees;
    }
    const int minutesWidth = decimals > 0 ? decimals + 3 : 2;
    CString text;
    text.Format(kDmFormat, width, degrees, minutesWidth, decimals, minutes, quadrant);
    return text;
}

CString FormatSignedDegrees(double value, int angleType, int totalWidth, int decimals) {
    CString text;
    if (ShowsNoSign(angleType)) {
        text.Format(kUnsignedDegreesFormat, totalWidth, decimals,
                    std::fabs(value) * kDegreesPerRadian);
    } else {
        text.Format(kSignedDegreesFormat, totalWidth, decimals, value * kDegreesPerRadian);
    }
    return text;
}

// The notation's text before the unit symbol moves; format is 0..4.
CString FormatNotation(double value, int angleType, int format, int decimals, char quadrant) {
    const int width = DegreesWidth(angleType, format);
    const int totalWidth = FractionWidth(width, decimals);
    const SplitAngle split = SplitFor(format, value, decimals);
    const char letter = QuadrantLetter(angleType, value, split.sign, quadrant);
    CString text;
    switch (format) {
        case ANGLE_FMT_DMS:
            text = FormatDms(split, width, decimals, letter);
            break;
        case ANGLE_FMT_DM:
            text = FormatDm(split, width, decimals, letter);
            break;
        case ANGLE_FMT_DEGREES:
            text.Format(kDegreesFormat, totalWidth, decimals, std::fabs(value) * kDegreesPerRadian,
                        letter);
            break;
        case ANGLE_FMT_SIGNED:
            return FormatSignedDegrees(value, angleType, totalWidth, decimals);
        default:
            text.Format(kGradiansFormat, totalWidth, decimals,
                        std::fabs(value) * kGradiansPerRadian, letter);
            break;
    }
    CutAtNul(text);
    const char signCharacter = SignCharacter(angleType, split.sign);
    if (signCharacter != '\0' && text[0] != signCharacter) {
        text.Insert(0, signCharacter);
    }
    return text;
}

bool CanFormat(double value, int format) {
    if (!std::isfinite(value)) {
        return false;
    }
    return !IsSexagesimal(format) || std::fabs(value * kDegreesPerRadian) < kLargestSplitDegrees;
}

// --- Reading typed text ----------------------------------------------------------------

enum class Notation { Plain, Sexagesimal, Gradians };

Notation Classify(const CString& text) {
    if (text.FindOneOf(kUnitSymbols) >= 0) {
        return Notation::Sexagesimal;
    }
    return text.Find('g') >= 0 ? Notation::Gradians : Notation::Plain;
}

// Unit symbols become separators; "12 .5" (a symbol moved before the point) reads as 12.5.
void NormaliseSeparators(CString& text) {
    for (const char symbol : {kDegreeSign, '\'', '"', 'g'}) {
        text.Replace(symbol, ' ');
    }
    while (text.Replace("  ", " ") > 0) {
    }
    text.Replace(" .", ".");
    if (text.Find('.') < 0) {
        text.Replace(',', '.');
    }
}

struct Fields {
    std::string text[3];
    int count = 0;
    int sign = 1;
};

// Applies a quadrant letter; returns true when ch was one for the type.
bool ReadQuadrant(char ch, int angleType, int* sign) {
    if (angleType == ANGLE_LATITUDE && (ch == 'N' || ch == 'n' || ch == 'S' || ch == 's')) {
        *sign = (ch == 'S' || ch == 's') ? -1 : 1;
        return true;
    }
    if (angleType == ANGLE_LONGITUDE && (ch == 'E' || ch == 'e' || ch == 'W' || ch == 'w')) {
        *sign = (ch == 'W' || ch == 'w') ? -1 : 1;
        return true;
    }
    return false;
}

// Up to three numeric fields (degrees, minutes, seconds) and the sign. Digits beyond the
// third field are ignored.
Fields ScanFields(const CString& text, int angleType) {
    Fields fields;
    bool inField = false;
    bool isSigned = false;
    for (const char ch : text.str()) {
        if (IsDigit(ch) || ch == '.') {
            if (fields.count < 3) {
                fields.text[fields.count] += ch;
                inField = true;
            }
            continue;
        }
        if (ch == '-') {
            fields.sign = -1;
            isSigned = true;
            continue;
        }
        if (ch == '+' && !inField) {
            continue;
        }
        if (inField) {
            inField = false;
            ++fields.count;
            if (isSigned && fields.count == 3) {
                break;
            }
        }
        if (!isSigned && fields.count > 0 && ReadQuadrant(ch, angleType, &fields.sign)) {
            break;
        }
    }
    if (inField) {
        ++fields.count;
    }
    return fields;
}

double FieldValue(const Fields& fields, int index) {
    return fields.text[index].empty() ? 0.0 : std::atof(fields.text[index].c_str());
}

double GradiansToRadians(const Fields& fields, int angleType) {
    const double gradians = FieldValue(fields, 0);
    if (gradians > GradiansRange(angleType)) {
        return 0.0;
    }
    return fields.sign * gradians * kRadiansPerGradian;
}

double DegreesToRadians(const Fields& fields, int angleType) {
    double degrees = FieldValue(fields, 0);
    double minutes = FieldValue(fields, 1);
    double seconds = FieldValue(fields, 2);
    const double range = DegreesRange(angleType);
    if (degrees > range) {
        degrees = minutes = seconds = 0.0;
    }
    if (minutes >= 60.0) {
        minutes = seconds = 0.0;
    }
    if (seconds >= 60.0) {
        seconds = 0.0;
    }
    double value = degrees + minutes / 60.0 + seconds / 3600.0;
    if (value > range) {  // no range is above 360
        value = 0.0;
    }
    return fields.sign * value * kRadiansPerDegree;
}

// The zero text of the type: for the complemented type the value whose complement is zero.
int ResolveFormat(int angleType, int format) {
    if (format != ANGLE_FMT_FROM_SETTINGS) {
        return format;
    }
    int stored = kDefaultFormat;
    ReadAngleTypeSettings(angleType, &stored, nullptr, nullptr);
    return stored;
}

// The edit template's zero text. With the stored format the stored decimals apply too, but
// never the stored quadrant: a fixed 'S' or 'W' in the template would leave no slot for
// the operator to enter the other hemisphere.
CString ZeroText(int angleType, int format, int decimals) {
    const double zero = angleType == ANGLE_ZENITH ? kHalfPi : 0.0;
    if (format == ANGLE_FMT_FROM_SETTINGS) {
        format = kDefaultFormat;
        ReadAngleTypeSettings(angleType, &format, &decimals, nullptr);
    }
    return FormatAngle(zero, angleType, format, decimals, '\0');
}

}  // namespace

// --- Format strings --------------------------------------------------------------------

const CString& AngleFormatString(int format) {
    static const CString formats[] = {kDmsFormat, kDmFormat, kDegreesFormat, kSignedDegreesFormat,
                                      kGradiansFormat};
    static const CString none;
    return IsStoredFormat(format) ? formats[format] : none;
}

const CString& AngleUnsignedFormatString() {
    static const CString format(kUnsignedDegreesFormat);
    return format;
}

const CString& AngleUnitSymbols() {
    static const CString symbols(kUnitSymbols);
    return symbols;
}

// --- Settings --------------------------------------------------------------------------

void ReadAngleSettings(int* format, int* decimals) {
    const AngleSettings settings = LoadAngleSettings();
    Store(format, settings.format);
    Store(decimals, settings.decimals);
}

void WriteAngleSettings(int format, int decimals) {
    StoreAngleSettings({format, decimals});
}

void ReadGeoSettings(int* format, int* decimals, char* latQuadrant, char* lonQuadrant) {
    const GeoSettings settings = LoadGeoSettings();
    Store(format, settings.format);
    Store(decimals, settings.decimals);
    Store(latQuadrant, settings.latQuadrant);
    Store(lonQuadrant, settings.lonQuadrant);
}

void WriteGeoSettings(int format, int decimals, char latQuadrant, char lonQuadrant) {
    StoreGeoSettings({format, decimals, latQuadrant, lonQuadrant});
}

void ReadAngleTypeSettings(int angleType, int* format, int* decimals, char* quadrant) {
    if (angleType != ANGLE_LATITUDE && angleType != ANGLE_LONGITUDE) {
        ReadAngleSettings(format, decimals);
        return;
    }
    const GeoSettings settings = LoadGeoSettings();
    Store(format, settings.format);
    Store(decimals, settings.decimals);
    Store(quadrant, angleType == ANGLE_LATITUDE ? settings.latQuadrant : settings.lonQuadrant);
}

int GetAnglePreference() {
    return LoadAngleSettings().format;
}
int GetGeoPreference() {
    return LoadGeoSettings().format;
}
char GetDefaultLatQuad() {
    return LoadGeoSettings().latQuadrant;
}
char GetDefaultLonQuad() {
    return LoadGeoSettings().lonQuadrant;
}

void SetAnglePreference(int format) {
    AngleSettings settings = LoadAngleSettings();
    settings.format = format;
    StoreAngleSettings(settings);
}

void SetGeoPreference(int format) {
    GeoSettings settings = LoadGeoSettings();
    settings.format = format;
    StoreGeoSettings(settings);
}

void SetDefaultLatQuad(char quadrant) {
    GeoSettings settings = LoadGeoSettings();
    settings.latQuadrant = quadrant;
    StoreGeoSettings(settings);
}

void SetDefaultLonQuad(char quadrant) {
    GeoSettings settings = LoadGeoSettings();
    settings.lonQuadrant = quadrant;
    StoreGeoSettings(settings);
}

// --- Formatting ------------------------------------------------------------------------

int DefaultAngleDecimals(int angleType, int format) {
    if (angleType >= ANGLE_HEADING && angleType <= ANGLE_OFFSET) {
        return 2;
    }
    if (angleType < ANGLE_SIGNED || angleType > ANGLE_LONGITUDE) {
        return 0;
    }
    switch (format) {
        case ANGLE_FMT_DMS:
            return 5;
        case ANGLE_FMT_DM:
            return 7;
        case ANGLE_FMT_DEGREES:
        case ANGLE_FMT_SIGNED:
        case ANGLE_FMT_GRADIANS:
            return 9;
        default:
            return 0;
    }
}

void SplitDegrees(double radians, int decimals, int* degrees, int* minutes, double* seconds,
                  int* sign) {
    const double degreesValue = radians * kDegreesPerRadian;
    Store(sign, degreesValue < 0.0 ? -1 : 1);
    const double magnitude = std::fabs(degreesValue);
    SplitAngle split;
    // NaN, infinities and degrees beyond an int have no sensible split: all fields are 0.
    if (magnitude < kLargestSplitDegrees) {
        const double whole = std::floor(magnitude);
        const double minutesValue = (magnitude - whole) * 60.0;
        const double wholeMinutes = std::floor(minutesValue);
        split.degrees = static_cast<int>(whole);
        split.minutes = static_cast<int>(wholeMinutes);
        split.seconds = (minutesValue - wholeMinutes) * 60.0;
        if (split.seconds > CarryThreshold(decimals)) {
            split.seconds = 0.0;
            if (++split.minutes == 60) {
                split.minutes = 0;
                ++split.degrees;
            }
        }
    }
    Store(degrees, split.degrees);
    Store(minutes, split.minutes);
    Store(seconds, split.seconds);
}

CString FormatAngle(double radians, int angleType, int format, int decimals, char quadrant) {
    if (format == ANGLE_FMT_FROM_SETTINGS) {
        ReadAngleTypeSettings(angleType, &format, &decimals, &quadrant);
    }
    if (!IsStoredFormat(format)) {
        return CString();
    }
    if (decimals < 0 || decimals > 32) {
        decimals = DefaultAngleDecimals(angleType, format);
    }
    if (radians == DBL_MAX) {
        return CString();
    }
    if (radians == -1.0) {
        return CString("n/a");
    }
    double value = radians + 0.0;  // -0.0 reads as 0.0, so it gets no '-' of its own
    if (angleType == ANGLE_ZENITH) {
        value = kHalfPi - value;
    }
    if (!CanFormat(value, format)) {
        return CString();
    }
    CString text = FormatNotation(value, angleType, format, decimals, quadrant);
    MoveUnitSymbolBeforePoint(text);
    return text;
}

// --- Parsing ---------------------------------------------------------------------------

double ParseAngle(const char* text, int angleType) {
    CString work(text ? text : "");
    const Notation notation = Classify(work);
    NormaliseSeparators(work);
    const Fields fields = ScanFields(work, angleType);
    double result = notation == Notation::Gradians ? GradiansToRadians(fields, angleType)
                                                   : DegreesToRadians(fields, angleType);
    if (angleType == ANGLE_ZENITH) {
        result = kHalfPi - result;
    }
    return result + 0.0;  // "-0" is plain 0
}

// --- Masked edit -----------------------------------------------------------------------

CString GetAngleTemplate(int angleType, int format, int decimals) {
    CString text = ZeroText(angleType, format, decimals);
    for (const char slot : {'0', '+', 'N', 'E'}) {
        text.Replace(slot, '_');
    }
    return text;
}

CString GetAngleMask(int angleType, int format, int decimals) {
    CString text = ZeroText(angleType, format, decimals);
    text.Replace('0', 'd');
    text.Replace('N', 'c');
    text.Replace('E', 'c');
    return text;
}

CString GetAngleValidChars(int angleType, int format) {
    CString chars("0123456789");
    const bool signedDegrees = ResolveFormat(angleType, format) == ANGLE_FMT_SIGNED;
    if (HasSignCharacter(angleType)) {
        chars += "+-";
    } else if (angleType == ANGLE_LATITUDE) {
        chars += signedDegrees ? "+-" : "NSns";
    } else if (angleType == ANGLE_LONGITUDE) {
        chars += signedDegrees ? "+-" : "EWew";
    }
    return chars;
}

double ParseMaskedAngle(const char* typed, int angleType, int format, int decimals) {
    CString text = GetAngleTemplate(angleType, format, decimals);
    const char* next = typed ? typed : "";
    for (int i = 0; i < text.GetLength() && *next != '\0'; ++i) {
        if (text[i] == '_') {
            text.SetAt(i, *next++);
        }
    }
    return ParseAngle(text, angleType);
}

// --- Tolerances ------------------------------------------------------------------------

double AngleDifference(double a, double b, int mode) {
    const bool degrees = mode == 1;
    const double half = degrees ? 180.0 : std::numbers::pi;
    double difference = a - b;
    if (std::fabs(difference) > half) {
        const double full = degrees ? 360.0 : 2.0 * std::numbers::pi;
        if (a > half && half > b) {
            difference -= full;
        } else if (half > a && b > half) {
            difference += full;
        }
    }
    return difference;
}
