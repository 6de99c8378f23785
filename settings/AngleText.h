#pragma once
// Angles, latitudes and longitudes (double radians) as text in five notations, the parser
// that reads typed text back, the masked-edit inputs for angle rows, and the angle and
// geographical settings.

#include "platform/core/CString.h"

// What an angle is: decides sign, quadrant letter, degrees width, range and precision.
enum ANGLE_TYPE {
    ANGLE_SIGNED = 1,       // +/-, 0..360
    ANGLE_BEARING = 2,      // unsigned, 0..360
    ANGLE_INCLINATION = 3,  // +/-, 0..90
    ANGLE_ZENITH = 4,       // shown and entered as pi/2 - value, 0..180
    ANGLE_LATITUDE = 5,     // N/S, 0..90
    ANGLE_LONGITUDE = 6,    // E/W, 0..180
    ANGLE_HEADING = 7,      // unsigned, 0..360, two decimals by default
    ANGLE_ATTITUDE = 8,     // +/-, 0..90, two decimals by default
    ANGLE_OFFSET = 9,       // +/-, 0..180, two decimals by default
};

// Angle formats: the index into AngleFmtTxt / LatLonFmtTxt.
enum ANGLE_FORMAT {
    ANGLE_FMT_DMS = 0,      // degrees, minutes, seconds
    ANGLE_FMT_DM = 1,       // degrees, decimal minutes
    ANGLE_FMT_DEGREES = 2,  // decimal degrees with quadrant
    ANGLE_FMT_SIGNED = 3,   // signed decimal degrees
    ANGLE_FMT_GRADIANS = 4,
    ANGLE_FMT_FROM_SETTINGS = 5,  // FormatAngle only: the stored format for the type
};

// The format strings of the five notations and the unit-symbol text, built at start-up.
SUI_API const CString& AngleFormatString(int format);
SUI_API const CString& AngleUnsignedFormatString();  // format 3 for types without a sign
SUI_API const CString& AngleUnitSymbols();           // degree, minute and second signs

SUI_API void ReadAngleSettings(int* format, int* decimals);
SUI_API void WriteAngleSettings(int format, int decimals);
SUI_API void ReadGeoSettings(int* format, int* decimals, char* latQuadrant, char* lonQuadrant);
SUI_API void WriteGeoSettings(int format, int decimals, char latQuadrant, char lonQuadrant);
SUI_API void ReadAngleTypeSettings(int angleType, int* format, int* decimals, char* quadrant);
SUI_API int GetAnglePreference();
SUI_API int GetGeoPreference();
SUI_API char GetDefaultLatQuad();
SUI_API char GetDefaultLonQuad();
SUI_API void SetAnglePreference(int format);
SUI_API void SetGeoPreference(int format);
SUI_API void SetDefaultLatQuad(char quadrant);
SUI_API void SetDefaultLonQuad(char quadrant);

SUI_API int DefaultAngleDecimals(int angleType, int format);
SUI_API CString FormatAngle(double radians, int angleType, int format, int decimals, char quadrant);
SUI_API double ParseAngle(const char* text, int angleType);

SUI_API CString GetAngleTemplate(int angleType, int format, int decimals);
SUI_API CString GetAngleMask(int angleType, int format, int decimals);
SUI_API CString GetAngleValidChars(int angleType, int format);
SUI_API double ParseMaskedAngle(const char* typed, int angleType, int format, int decimals);

SUI_API void SplitDegrees(double radians, int decimals, int* degrees, int* minutes, double* seconds,
                          int* sign);
// a - b, wrapped across 0/360 (mode 1, degrees) or 0/2 pi (any other mode, radians).
SUI_API double AngleDifference(double a, double b, int mode);
