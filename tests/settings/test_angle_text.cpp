#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <tuple>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

constexpr double kPi = std::numbers::pi;
// The formatter's own factor (a truncated 180/pi), used to build inputs that land on a
// chosen printed value.
constexpr double kFormatterDegreesPerRadian = 57.2957795131;

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}
double FormatterRadians(double degrees) {
    return degrees / kFormatterDegreesPerRadian;
}
double FormatterRadians(double degrees, double minutes, double seconds) {
    return FormatterRadians(degrees + minutes / 60.0 + seconds / 3600.0);
}

std::string Text(const CString& text) {
    return text.str();
}

// --- Formatting ----------------------------------------------------------------------

TEST(AngleFormat, DocumentedExamples) {
    // Decimal degrees: zero-padded to 3 + 1 + 4, '+' in front, degree sign before the point.
    EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_SIGNED, ANGLE_FMT_DEGREES, 4, 0)), "+028\xB0.6479");
    // Signed degrees: the sign counts in the width (longitude 4, latitude 3).
    EXPECT_EQ(Text(FormatAngle(-0.5, ANGLE_LONGITUDE, ANGLE_FMT_SIGNED, 2, 0)), "-028\xB0.65");
    EXPECT_EQ(Text(FormatAngle(-0.5, ANGLE_LATITUDE, ANGLE_FMT_SIGNED, 2, 0)), "-28\xB0.65");
    // 59.9996 seconds at three decimals carries into the minutes instead of printing 60.
    EXPECT_EQ(
        Text(FormatAngle(-FormatterRadians(51, 30, 59.9996), ANGLE_LATITUDE, ANGLE_FMT_DMS, 3, 0)),
        "51\xB0 31' 00\".000S");
    EXPECT_EQ(Text(FormatAngle(-1.0, ANGLE_SIGNED, ANGLE_FMT_DEGREES, 2, 0)), "n/a");
    for (int format = ANGLE_FMT_DMS; format <= ANGLE_FMT_GRADIANS; ++format) {
        EXPECT_EQ(Text(FormatAngle(DBL_MAX, ANGLE_LATITUDE, format, 2, 0)), "") << format;
    }
}

TEST(AngleFormat, EachNotation) {
    const double west = -FormatterRadians(2, 3, 4.5);
    EXPECT_EQ(Text(FormatAngle(west, ANGLE_LONGITUDE, ANGLE_FMT_DMS, 2, 0)),
              "002\xB0 03' 04\".50W");
    EXPECT_EQ(Text(FormatAngle(-FormatterRadians(2, 3, 4.7), ANGLE_LONGITUDE, ANGLE_FMT_DMS, 0, 0)),
              "002\xB0 03' 05\"W");
    EXPECT_EQ(Text(FormatAngle(-west, ANGLE_SIGNED, ANGLE_FMT_DMS, 2, 0)), "+002\xB0 03' 04\".50");
    EXPECT_EQ(Text(FormatAngle(west, ANGLE_SIGNED, ANGLE_FMT_DM, 3, 0)), "-002\xB0 03'.075");
    EXPECT_EQ(Text(FormatAngle(FormatterRadians(45.25), ANGLE_LATITUDE, ANGLE_FMT_DM, 2, 0)),
              "45\xB0 15'.00N");
    EXPECT_EQ(Text(FormatAngle(-FormatterRadians(12.5), ANGLE_LONGITUDE, ANGLE_FMT_DEGREES, 2, 0)),
              "012\xB0.50W");
    EXPECT_EQ(Text(FormatAngle(-FormatterRadians(12.25), ANGLE_LATITUDE, ANGLE_FMT_DEGREES, 0, 0)),
              "12\xB0S");
    // Gradians: 50g is 45 degrees; a latitude's gradian field is three wide.
    EXPECT_EQ(Text(FormatAngle(kPi / 4, ANGLE_LATITUDE, ANGLE_FMT_GRADIANS, 3, 0)), "050g.000N");
    EXPECT_EQ(Text(FormatAngle(-kPi / 4, ANGLE_INCLINATION, ANGLE_FMT_GRADIANS, 1, 0)), "-050g.0");
    // Headings: two decimals by default, no sign, no quadrant.
    EXPECT_EQ(Text(FormatAngle(Radians(270), ANGLE_HEADING, ANGLE_FMT_DEGREES, -1, 0)),
              "270\xB0.00");
}

TEST(AngleFormat, SignedDegreesKeepEveryDegreeDigitOfTheType) {
    EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_SIGNED, ANGLE_FMT_SIGNED, 2, 0)), "+028\xB0.65");
    EXPECT_EQ(Text(FormatAngle(-Radians(270), ANGLE_SIGNED, ANGLE_FMT_SIGNED, 1, 0)), "-270\xB0.0");
    EXPECT_EQ(Text(FormatAngle(0.1, ANGLE_INCLINATION, ANGLE_FMT_SIGNED, 2, 0)), "+05\xB0.73");
    EXPECT_EQ(Text(FormatAngle(-0.1, ANGLE_OFFSET, ANGLE_FMT_SIGNED, 2, 0)), "-005\xB0.73");
    // Types shown without a sign print the magnitude.
    EXPECT_EQ(Text(FormatAngle(-0.5, ANGLE_BEARING, ANGLE_FMT_SIGNED, 2, 0)), "028\xB0.65");
    EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_HEADING, ANGLE_FMT_SIGNED, 2, 0)), "028\xB0.65");
}

TEST(AngleFormat, ComplementedTypeShowsHalfPiMinusValue) {
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_ZENITH, ANGLE_FMT_DEGREES, 2, 0)), "090\xB0.00");
    EXPECT_EQ(Text(FormatAngle(kPi / 2, ANGLE_ZENITH, ANGLE_FMT_DEGREES, 2, 0)), "000\xB0.00");
    EXPECT_EQ(Text(FormatAngle(-kPi / 4, ANGLE_ZENITH, ANGLE_FMT_DMS, 0, 0)), "135\xB0 00' 00\"");
}

TEST(AngleFormat, ZeroTakesThePassedQuadrant) {
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FMT_DEGREES, 2, 'S')), "00\xB0.00S");
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FMT_DEGREES, 2, 0)), "00\xB0.00N");
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LONGITUDE, ANGLE_FMT_DM, 1, 'W')), "000\xB0 00'.0W");
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LONGITUDE, ANGLE_FMT_DM, 1, 0)), "000\xB0 00'.0E");
    // Any other value decides its own letter.
    EXPECT_EQ(Text(FormatAngle(0.01, ANGLE_LATITUDE, ANGLE_FMT_DEGREES, 2, 'S')), "00\xB0.57N");
    // A negative zero is zero: no '-' in signed degrees.
    EXPECT_EQ(Text(FormatAngle(-0.0, ANGLE_LONGITUDE, ANGLE_FMT_SIGNED, 2, 0)), "+000\xB0.00");
}

TEST(AngleFormat, DecimalsOutsideRangeFallBackToTheTypeDefault) {
    for (const int type : {ANGLE_SIGNED, ANGLE_LATITUDE, ANGLE_HEADING}) {
        for (int format = ANGLE_FMT_DMS; format <= ANGLE_FMT_GRADIANS; ++format) {
            const CString expected =
                FormatAngle(0.3, type, format, DefaultAngleDecimals(type, format), 0);
            EXPECT_EQ(FormatAngle(0.3, type, format, 40, 0), expected) << type << "/" << format;
            EXPECT_EQ(FormatAngle(0.3, type, format, -1, 0), expected) << type << "/" << format;
        }
    }
    // 32 is still honoured.
    EXPECT_EQ(FormatAngle(0.3, ANGLE_SIGNED, ANGLE_FMT_DEGREES, 32, 0).GetLength(),
              1 + 3 + 1 + 1 + 32);
}

TEST(AngleFormat, CarriesMinutesThatWouldPrintAsSixty) {
    // 10 59' 59.99": the seconds do not carry at three decimals, but 59.99983 minutes do.
    const double value = FormatterRadians(10, 59, 59.99);
    EXPECT_EQ(Text(FormatAngle(value, ANGLE_LATITUDE, ANGLE_FMT_DM, 3, 0)), "11\xB0 00'.000N");
    EXPECT_EQ(Text(FormatAngle(value, ANGLE_LATITUDE, ANGLE_FMT_DMS, 2, 0)), "10\xB0 59' 59\".99N");
    // 59 minutes 30 seconds at no decimals would be 60 minutes.
    EXPECT_EQ(Text(FormatAngle(FormatterRadians(10, 59, 31), ANGLE_LONGITUDE, ANGLE_FMT_DM, 0, 0)),
              "011\xB0 00'E");
    // And a carry into the degrees still keeps the degree field width.
    EXPECT_EQ(
        Text(FormatAngle(-FormatterRadians(8, 59, 59.9999), ANGLE_SIGNED, ANGLE_FMT_DMS, 2, 0)),
        "-009\xB0 00' 00\".00");
}

TEST(AngleFormat, UnrepresentableValuesGiveEmptyText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (int format = ANGLE_FMT_DMS; format <= ANGLE_FMT_GRADIANS; ++format) {
        EXPECT_EQ(Text(FormatAngle(nan, ANGLE_SIGNED, format, 2, 0)), "") << format;
        EXPECT_EQ(Text(FormatAngle(inf, ANGLE_LATITUDE, format, 2, 0)), "") << format;
        EXPECT_EQ(Text(FormatAngle(-inf, ANGLE_ZENITH, format, 2, 0)), "") << format;
    }
    // Whole degrees beyond an int cannot be split into degrees, minutes and seconds.
    EXPECT_EQ(Text(FormatAngle(1e300, ANGLE_SIGNED, ANGLE_FMT_DMS, 2, 0)), "");
    EXPECT_EQ(Text(FormatAngle(-1e300, ANGLE_LATITUDE, ANGLE_FMT_DM, 2, 0)), "");
    EXPECT_EQ(Text(FormatAngle(-DBL_MAX, ANGLE_LATITUDE, ANGLE_FMT_DM, 2, 0)), "");
    // The decimal notations print them in full.
    const CString huge = FormatAngle(1e300, ANGLE_SIGNED, ANGLE_FMT_DEGREES, 2, 0);
    EXPECT_EQ(huge.Left(2), "+5");
    EXPECT_EQ(huge.Right(4), "\xB0.00");
    EXPECT_EQ(huge.GetLength(), 1 + 302 + 1 + 1 + 2);
    // Formats other than 0..5 have no text.
    EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_SIGNED, 6, 2, 0)), "");
    EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_SIGNED, -1, 2, 0)), "");
}

TEST(AngleFormat, TextHoldsNoNulByte) {
    // "%c" of a type without a quadrant letter must not leave a NUL in the text.
    for (int type = ANGLE_SIGNED; type <= ANGLE_OFFSET; ++type) {
        for (int format = ANGLE_FMT_DMS; format <= ANGLE_FMT_GRADIANS; ++format) {
            const CString text = FormatAngle(0.25, type, format, 3, 0);
            EXPECT_EQ(text.str().find('\0'), std::string::npos) << type << "/" << format;
        }
    }
}

TEST(AngleFormat, DefaultDecimalsPerTypeAndFormat) {
    const int geoAndAngles[] = {5, 7, 9, 9, 9, 0};
    for (int type = ANGLE_SIGNED; type <= ANGLE_LONGITUDE; ++type) {
        for (int format = 0; format <= 5; ++format) {
            EXPECT_EQ(DefaultAngleDecimals(type, format), geoAndAngles[format])
                << type << "/" << format;
        }
    }
    for (int type = ANGLE_HEADING; type <= ANGLE_OFFSET; ++type) {
        EXPECT_EQ(DefaultAngleDecimals(type, 0), 2);
        EXPECT_EQ(DefaultAngleDecimals(type, 7), 2);
    }
    EXPECT_EQ(DefaultAngleDecimals(0, 1), 0);
    EXPECT_EQ(DefaultAngleDecimals(10, 1), 0);
}

TEST(AngleFormat, FormatStringsAndSymbols) {
    EXPECT_EQ(Text(AngleFormatString(0)), "%0*d\xB0 %02d' %0*.*lf\"%c");
    EXPECT_EQ(Text(AngleFormatString(1)), "%0*d\xB0 %0*.*lf'%c");
    EXPECT_EQ(Text(AngleFormatString(2)), "%0*.*lf\xB0%c");
    EXPECT_EQ(Text(AngleFormatString(3)), "%+0*.*lf\xB0");
    EXPECT_EQ(Text(AngleFormatString(4)), "%0*.*lfg%c");
    EXPECT_EQ(Text(AngleFormatString(5)), "");
    EXPECT_EQ(Text(AngleUnsignedFormatString()), "%0*.*lf\xB0");
    EXPECT_EQ(Text(AngleUnitSymbols()), "\xB0'\"");
}

// --- SplitDegrees ------------------------------------------------------------------

struct Split {
    int degrees = -7;
    int minutes = -7;
    double seconds = -7.0;
    int sign = 0;
};

Split SplitOf(double radians, int decimals) {
    Split s;
    SplitDegrees(radians, decimals, &s.degrees, &s.minutes, &s.seconds, &s.sign);
    return s;
}

TEST(AngleSplit, SplitsAndCarries) {
    const Split plain = SplitOf(-FormatterRadians(12, 34, 56.25), 3);
    EXPECT_EQ(plain.degrees, 12);
    EXPECT_EQ(plain.minutes, 34);
    EXPECT_NEAR(plain.seconds, 56.25, 1e-6);
    EXPECT_EQ(plain.sign, -1);

    const Split carried = SplitOf(FormatterRadians(12, 59, 59.9996), 3);
    EXPECT_EQ(carried.degrees, 13);
    EXPECT_EQ(carried.minutes, 0);
    EXPECT_EQ(carried.seconds, 0.0);
    EXPECT_EQ(carried.sign, 1);

    // The carry limit is 59.<decimals nines>5, with at most 21 nines.
    EXPECT_EQ(SplitOf(FormatterRadians(1, 0, 59.94), 1).minutes, 0);
    EXPECT_EQ(SplitOf(FormatterRadians(1, 0, 59.96), 1).minutes, 1);
    EXPECT_EQ(SplitOf(FormatterRadians(1, 0, 59.6), 0).minutes, 1);
    EXPECT_EQ(SplitOf(FormatterRadians(1, 0, 59.4), 0).minutes, 0);
    EXPECT_EQ(SplitOf(FormatterRadians(1, 0, 59.9), 25).minutes, 0);
}

TEST(AngleSplit, UnsplittableValuesGiveZeroFields) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double value : {nan, inf, -inf, 1e300, -1e12, DBL_MAX}) {
        const Split s = SplitOf(value, 3);
        EXPECT_EQ(s.degrees, 0) << value;
        EXPECT_EQ(s.minutes, 0) << value;
        EXPECT_EQ(s.seconds, 0.0) << value;
    }
    EXPECT_EQ(SplitOf(-inf, 3).sign, -1);
    EXPECT_EQ(SplitOf(nan, 3).sign, 1);
    // Null outputs are allowed.
    SplitDegrees(1.0, 3, nullptr, nullptr, nullptr, nullptr);
}

// --- Parsing -------------------------------------------------------------------------

constexpr double kParseRadiansPerDegree = 0.017453292519943;

TEST(AngleParse, DocumentedExamples) {
    EXPECT_DOUBLE_EQ(ParseAngle("12,5", ANGLE_SIGNED), 12.5 * kParseRadiansPerDegree);
    EXPECT_DOUBLE_EQ(ParseAngle("12,5.1", ANGLE_SIGNED), (12 + 5.1 / 60) * kParseRadiansPerDegree);
    EXPECT_DOUBLE_EQ(ParseAngle("45 30 00 S", ANGLE_LATITUDE), -45.5 * kParseRadiansPerDegree);
    EXPECT_EQ(ParseAngle("95 00 00 N", ANGLE_LATITUDE), 0.0);
    EXPECT_NEAR(ParseAngle("100g", ANGLE_LATITUDE), kPi / 2, 1e-13);
    EXPECT_EQ(ParseAngle("101g", ANGLE_LATITUDE), 0.0);
}

TEST(AngleParse, FieldsAndLimits) {
    const double k = kParseRadiansPerDegree;
    EXPECT_DOUBLE_EQ(ParseAngle("10 60 30", ANGLE_SIGNED), 10 * k);    // minutes dropped
    EXPECT_DOUBLE_EQ(ParseAngle("10 30 60", ANGLE_SIGNED), 10.5 * k);  // seconds dropped
    EXPECT_EQ(ParseAngle("90 30", ANGLE_LATITUDE), 0.0);               // above the type's range
    EXPECT_EQ(ParseAngle("180 0 1", ANGLE_OFFSET), 0.0);
    EXPECT_EQ(ParseAngle("361", ANGLE_BEARING), 0.0);
    EXPECT_DOUBLE_EQ(ParseAngle("360", ANGLE_BEARING), 360 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("179 59 59", ANGLE_LONGITUDE), (179 + 59 / 60.0 + 59 / 3600.0) * k);
    EXPECT_NEAR(ParseAngle("200g", ANGLE_OFFSET), kPi, 1e-13);
    EXPECT_EQ(ParseAngle("201g", ANGLE_LONGITUDE), 0.0);
    EXPECT_NEAR(ParseAngle("-400g", ANGLE_SIGNED), -2 * kPi, 1e-12);
    // Gradians use the first field only.
    EXPECT_NEAR(ParseAngle("50g 30", ANGLE_SIGNED), kPi / 4, 1e-13);
}

TEST(AngleParse, SignsAndQuadrants) {
    const double k = kParseRadiansPerDegree;
    EXPECT_DOUBLE_EQ(ParseAngle("+12 30", ANGLE_SIGNED), 12.5 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("-12 30", ANGLE_SIGNED), -12.5 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("12 30 W", ANGLE_LONGITUDE), -12.5 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("12 30e", ANGLE_LONGITUDE), 12.5 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("12s", ANGLE_LATITUDE), -12 * k);
    // A letter of the other axis is no quadrant.
    EXPECT_DOUBLE_EQ(ParseAngle("12 W", ANGLE_LATITUDE), 12 * k);
    // A signed text ignores quadrant letters and stops after three fields.
    EXPECT_DOUBLE_EQ(ParseAngle("-12 30 N", ANGLE_LATITUDE), -12.5 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("-10 20 36 40", ANGLE_SIGNED), -(10 + 20 / 60.0 + 0.01) * k);
    // An unsigned text keeps three fields and still reads its quadrant after more.
    EXPECT_DOUBLE_EQ(ParseAngle("10 20 36 40 S", ANGLE_LATITUDE), -(10 + 20 / 60.0 + 0.01) * k);
}

TEST(AngleParse, FormattedTextWithSymbols) {
    const double k = kParseRadiansPerDegree;
    EXPECT_DOUBLE_EQ(ParseAngle("51\xB0 30' 59\".999S", ANGLE_LATITUDE),
                     -(51 + 30 / 60.0 + 59.999 / 3600) * k);
    EXPECT_DOUBLE_EQ(ParseAngle("051\xB0 30'.5W", ANGLE_LONGITUDE), -(51 + 30.5 / 60) * k);
    EXPECT_DOUBLE_EQ(ParseAngle("-028\xB0.65", ANGLE_LONGITUDE), -28.65 * k);
    EXPECT_DOUBLE_EQ(ParseAngle("12   .5", ANGLE_SIGNED), 12.5 * k);  // any run of blanks
    EXPECT_NEAR(ParseAngle("050g.000N", ANGLE_LATITUDE), kPi / 4, 1e-13);
}

TEST(AngleParse, ComplementedType) {
    EXPECT_NEAR(ParseAngle("90", ANGLE_ZENITH), 0.0, 1e-13);
    EXPECT_NEAR(ParseAngle("0", ANGLE_ZENITH), kPi / 2, 1e-15);
    EXPECT_NEAR(ParseAngle("135", ANGLE_ZENITH), -kPi / 4, 1e-13);
    EXPECT_NEAR(ParseAngle("", ANGLE_ZENITH), kPi / 2, 1e-15);
}

TEST(AngleParse, BadTextReadsAsZero) {
    const std::string huge(100000, '9');
    const std::string longZero = std::string(100000, '0') + "1";
    const std::string blanks(100000, ' ');
    const std::string signs(100000, '-');
    const std::string manyFields = [] {
        std::string text;
        for (int i = 0; i < 20000; ++i) {
            text += "1 ";
        }
        return text;
    }();
    const char* const cases[] = {
        "",  "   ",          "\xB0'\"g", ",,,,", "-+-+-+",     "abc",          ".",          "..",
        "-", "\xFF\xB0\x80", "N",        "g-",   huge.c_str(), blanks.c_str(), signs.c_str()};
    for (const int type : {ANGLE_SIGNED, ANGLE_ZENITH, ANGLE_LATITUDE, ANGLE_LONGITUDE}) {
        const double zero = type == ANGLE_ZENITH ? kPi / 2 : 0.0;
        for (const char* text : cases) {
            const double value = ParseAngle(text, type);
            EXPECT_EQ(value, zero) << type << " '" << std::string(text).substr(0, 20) << "'";
            EXPECT_FALSE(std::signbit(value));
        }
        EXPECT_EQ(ParseAngle(nullptr, type), zero);
    }
    EXPECT_NEAR(ParseAngle(longZero.c_str(), ANGLE_SIGNED), kParseRadiansPerDegree, 1e-15);
    EXPECT_NEAR(ParseAngle(manyFields.c_str(), ANGLE_SIGNED),
                (1 + 1 / 60.0 + 1 / 3600.0) * kParseRadiansPerDegree, 1e-15);
    EXPECT_NEAR(ParseAngle("1.2.3.4", ANGLE_SIGNED), 1.2 * kParseRadiansPerDegree, 1e-15);
}

// --- Masked edit ---------------------------------------------------------------------

TEST(AngleMask, TemplateMaskAndValidCharacters) {
    EXPECT_EQ(Text(GetAngleTemplate(ANGLE_LATITUDE, ANGLE_FMT_DMS, 3)), "__\xB0 __' __\".____");
    EXPECT_EQ(Text(GetAngleMask(ANGLE_LATITUDE, ANGLE_FMT_DMS, 3)), "dd\xB0 dd' dd\".dddc");
    EXPECT_EQ(Text(GetAngleValidChars(ANGLE_LATITUDE, ANGLE_FMT_DMS)), "0123456789NSns");

    EXPECT_EQ(Text(GetAngleTemplate(ANGLE_LONGITUDE, ANGLE_FMT_DM, 2)), "___\xB0 __'.___");
    EXPECT_EQ(Text(GetAngleMask(ANGLE_LONGITUDE, ANGLE_FMT_DM, 2)), "ddd\xB0 dd'.ddc");
    EXPECT_EQ(Text(GetAngleValidChars(ANGLE_LONGITUDE, ANGLE_FMT_GRADIANS)), "0123456789EWew");
    EXPECT_EQ(Text(GetAngleValidChars(ANGLE_LONGITUDE, ANGLE_FMT_SIGNED)), "0123456789+-");

    EXPECT_EQ(Text(GetAngleTemplate(ANGLE_SIGNED, ANGLE_FMT_DEGREES, 2)), "____\xB0.__");
    EXPECT_EQ(Text(GetAngleMask(ANGLE_SIGNED, ANGLE_FMT_DEGREES, 2)), "+ddd\xB0.dd");
    EXPECT_EQ(Text(GetAngleValidChars(ANGLE_SIGNED, ANGLE_FMT_DEGREES)), "0123456789+-");

    EXPECT_EQ(Text(GetAngleMask(ANGLE_INCLINATION, ANGLE_FMT_SIGNED, 1)), "+dd\xB0.d");
    EXPECT_EQ(Text(GetAngleMask(ANGLE_HEADING, ANGLE_FMT_GRADIANS, 1)), "dddg.d");
    EXPECT_EQ(Text(GetAngleValidChars(ANGLE_BEARING, ANGLE_FMT_SIGNED)), "0123456789");
    // The complemented type's template is all slots, like any other.
    EXPECT_EQ(Text(GetAngleTemplate(ANGLE_ZENITH, ANGLE_FMT_DMS, 0)), "___\xB0 __' __\"");
}

TEST(AngleMask, TypedCharactersFillTheSlots) {
    const double k = kParseRadiansPerDegree;
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("453000000S", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), -45.5 * k);
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("0123050W", ANGLE_LONGITUDE, ANGLE_FMT_DM, 2),
                     -(12 + 30.5 / 60) * k);
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("-01250", ANGLE_SIGNED, ANGLE_FMT_DEGREES, 2), -12.5 * k);
    EXPECT_NEAR(ParseMaskedAngle("0450", ANGLE_ZENITH, ANGLE_FMT_DEGREES, 1), kPi / 4, 1e-13);
    // Fewer characters than slots leave the rest empty; more are ignored.
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("45", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), 45 * k);
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("453000000S99999", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3),
                     -45.5 * k);
    EXPECT_EQ(ParseMaskedAngle("", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), 0.0);
    EXPECT_EQ(ParseMaskedAngle(nullptr, ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), 0.0);
}

// --- Round trip: every type in every format --------------------------------------

struct TypeRange {
    double lowest;   // degrees
    double highest;  // degrees
};

// Kept a little inside the limits the parser accepts.
TypeRange SweepRange(int type) {
    switch (type) {
        case ANGLE_BEARING:
        case ANGLE_HEADING:
            return {0.0, 359.9};
        case ANGLE_INCLINATION:
        case ANGLE_ZENITH:
        case ANGLE_LATITUDE:
        case ANGLE_ATTITUDE:
            return {-89.9, 89.9};
        case ANGLE_LONGITUDE:
        case ANGLE_OFFSET:
            return {-179.9, 179.9};
        default:
            return {-359.9, 359.9};
    }
}

// One unit of the last printed digit, in degrees.
double LastDigitInDegrees(int format, int decimals) {
    const double unit = std::pow(10.0, -decimals);
    switch (format) {
        case ANGLE_FMT_DMS:
            return unit / 3600.0;
        case ANGLE_FMT_DM:
            return unit / 60.0;
        case ANGLE_FMT_GRADIANS:
            return unit * 0.9;
        default:
            return unit;
    }
}

// The text of a template's slots taken from a formatted text of the same layout.
std::string TypedSlots(const CString& templ, const CString& text) {
    std::string typed;
    for (int i = 0; i < templ.GetLength(); ++i) {
        if (templ[i] == '_') {
            typed += text[i];
        }
    }
    return typed;
}

class AngleRoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(AngleRoundTrip, ParseReadsBackWhatFormatWrote) {
    const auto [type, format] = GetParam();
    const int decimals = DefaultAngleDecimals(type, format);
    const TypeRange range = SweepRange(type);
    const CString templ = GetAngleTemplate(type, format, decimals);
    std::mt19937_64 random(1000 * type + format);
    std::uniform_real_distribution<double> degrees(range.lowest, range.highest);
    for (int i = 0; i < 400; ++i) {
        const double value = i == 0   ? 0.0
                             : i == 1 ? Radians(range.highest)
                             : i == 2 ? Radians(range.lowest)
                                      : Radians(degrees(random));
        const CString text = FormatAngle(value, type, format, decimals, 0);
        // One printed digit, plus what the formatter's truncated 180/pi factor adds.
        const double tolerance =
            LastDigitInDegrees(format, decimals) + std::fabs(value) * 180.0 / kPi * 4e-12;
        const double parsed = ParseAngle(text, type);
        ASSERT_LE(std::fabs(parsed - value) * 180.0 / kPi, tolerance)
            << "value " << value << " text '" << text.str() << "'";
        // The edit template has a slot for every character that varies.
        ASSERT_EQ(templ.GetLength(), text.GetLength()) << templ.str() << " / " << text.str();
        const std::string typed = TypedSlots(templ, text);
        ASSERT_LE(std::fabs(ParseMaskedAngle(typed.c_str(), type, format, decimals) - value) *
                      180.0 / kPi,
                  tolerance)
            << "typed '" << typed << "' for '" << text.str() << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(AngleEveryTypeAndFormat, AngleRoundTrip,
                         ::testing::Combine(::testing::Range(1, 10), ::testing::Range(0, 5)),
                         [](const auto& info) {
                             return "Type" + std::to_string(std::get<0>(info.param)) + "Format" +
                                    std::to_string(std::get<1>(info.param));
                         });

// --- AngleDifference -----------------------------------------------------------------

TEST(AngleDifference, WrapsAcrossZeroInBothModes) {
    EXPECT_DOUBLE_EQ(AngleDifference(350.0, 10.0, 1), -20.0);
    EXPECT_DOUBLE_EQ(AngleDifference(10.0, 350.0, 1), 20.0);
    EXPECT_DOUBLE_EQ(AngleDifference(100.0, 40.0, 1), 60.0);
    EXPECT_DOUBLE_EQ(AngleDifference(40.0, 200.0, 1), -160.0);  // not beyond half a turn
    EXPECT_DOUBLE_EQ(AngleDifference(10.0, 350.0, 2), -340.0);  // radians: no wrap at 350

    const double a = Radians(350), b = Radians(10);
    EXPECT_NEAR(AngleDifference(a, b, 0), Radians(-20), 1e-12);
    EXPECT_NEAR(AngleDifference(b, a, 0), Radians(20), 1e-12);
    EXPECT_NEAR(AngleDifference(Radians(90), Radians(30), 7), Radians(60), 1e-12);
}

// --- Settings ------------------------------------------------------------------------

class AngleSettingsTest : public SettingsTest {};

TEST_F(AngleSettingsTest, DefaultsWithoutFiles) {
    int format = -5, decimals = -5;
    ReadAngleSettings(&format, &decimals);
    EXPECT_EQ(format, 1);
    EXPECT_EQ(decimals, 7);
    char lat = 0, lon = 0;
    ReadGeoSettings(&format, &decimals, &lat, &lon);
    EXPECT_EQ(format, 1);
    EXPECT_EQ(decimals, 7);
    EXPECT_EQ(lat, 'N');
    EXPECT_EQ(lon, 'E');
    EXPECT_EQ(GetAnglePreference(), 1);
    EXPECT_EQ(GetGeoPreference(), 1);
    EXPECT_EQ(GetDefaultLatQuad(), 'N');
    EXPECT_EQ(GetDefaultLonQuad(), 'E');
    EXPECT_EQ(ReadRaw("Angle_Settings.INI"), "<missing>");
}

TEST_F(AngleSettingsTest, WritersStoreKeyedLines) {
    WriteAngleSettings(3, 4);
    EXPECT_EQ(ReadRaw("Angle_Settings.INI"), "Preference = 3\r\nDecimal Places = 4\r\n");
    WriteGeoSettings(0, 2, 'S', 'W');
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI"),
              "Preference = 0\r\nDecimal Places = 2\r\nDefault Lat Quad = S\r\n"
              "Default Lon Quad = W\r\n");
    int format = 0, decimals = 0;
    char lat = 0, lon = 0;
    ReadGeoSettings(&format, &decimals, &lat, &lon);
    EXPECT_EQ(std::tie(format, decimals, lat, lon), std::make_tuple(0, 2, 'S', 'W'));
    ReadAngleSettings(&format, &decimals);
    EXPECT_EQ(std::tie(format, decimals), std::make_tuple(3, 4));
}

TEST_F(AngleSettingsTest, SettersKeepTheOtherValues) {
    SetDefaultLonQuad('W');  // no file yet: the defaults around it
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI"),
              "Preference = 1\r\nDecimal Places = 7\r\nDefault Lat Quad = N\r\n"
              "Default Lon Quad = W\r\n");
    SetDefaultLatQuad('S');
    SetGeoPreference(4);
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI"),
              "Preference = 4\r\nDecimal Places = 7\r\nDefault Lat Quad = S\r\n"
              "Default Lon Quad = W\r\n");
    WriteAngleSettings(2, 3);
    SetAnglePreference(0);
    EXPECT_EQ(ReadRaw("Angle_Settings.INI"), "Preference = 0\r\nDecimal Places = 3\r\n");
}

TEST_F(AngleSettingsTest, MissingLinesAndBadFormats) {
    WriteRaw("Geographicals_Settings.INI", "Preference = 2\r\n");
    int format = -5, decimals = -5;
    char lat = 0, lon = 0;
    ReadGeoSettings(&format, &decimals, &lat, &lon);
    EXPECT_EQ(std::tie(format, decimals, lat, lon), std::make_tuple(2, 0, ' ', ' '));

    // A stored format beyond the notations reads as the default one.
    for (const char* stored : {"5", "9", "-1"}) {
        WriteRaw("Angle_Settings.INI",
                 std::string("Preference = ") + stored + "\nDecimal Places = 2\n");
        EXPECT_EQ(GetAnglePreference(), 1) << stored;
        EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_SIGNED, ANGLE_FMT_FROM_SETTINGS, -1, 0)),
                  "+028\xB0 38'.87");
    }
}

TEST_F(AngleSettingsTest, TypeSettingsPickTheirFile) {
    WriteAngleSettings(2, 3);
    WriteGeoSettings(0, 1, 'S', 'W');
    int format = -5, decimals = -5;
    char quadrant = 'x';
    ReadAngleTypeSettings(ANGLE_SIGNED, &format, &decimals, &quadrant);
    EXPECT_EQ(std::tie(format, decimals, quadrant), std::make_tuple(2, 3, 'x'));
    ReadAngleTypeSettings(ANGLE_LATITUDE, &format, &decimals, &quadrant);
    EXPECT_EQ(std::tie(format, decimals, quadrant), std::make_tuple(0, 1, 'S'));
    ReadAngleTypeSettings(ANGLE_LONGITUDE, &format, &decimals, &quadrant);
    EXPECT_EQ(std::tie(format, decimals, quadrant), std::make_tuple(0, 1, 'W'));

    EXPECT_EQ(Text(FormatAngle(0.5, ANGLE_SIGNED, ANGLE_FMT_FROM_SETTINGS, 9, 0)), "+028\xB0.648");
    EXPECT_EQ(Text(FormatAngle(-0.5, ANGLE_LONGITUDE, ANGLE_FMT_FROM_SETTINGS, 9, 0)),
              "028\xB0 38' 52\".4W");
}

TEST_F(AngleSettingsTest, ZeroLatitudeShowsTheStoredQuadrant) {
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 0, 0)),
              "00\xB0 00'.0000000N");
    SetDefaultLatQuad('S');
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 0, 0)),
              "00\xB0 00'.0000000S");
    EXPECT_EQ(Text(FormatAngle(0.0, ANGLE_LONGITUDE, ANGLE_FMT_FROM_SETTINGS, 0, 0)),
              "000\xB0 00'.0000000E");
}

TEST_F(AngleSettingsTest, TemplateFollowsTheStoredFormat) {
    WriteGeoSettings(3, 2, 'N', 'E');
    EXPECT_EQ(Text(GetAngleTemplate(ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 2)), "___\xB0.__");
    EXPECT_EQ(Text(GetAngleValidChars(ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS)), "0123456789+-");
}

TEST_F(AngleSettingsTest, ZeroQuadrantIsStoredAsTheDefaultLetter) {
    WriteGeoSettings(1, 7, '\0', '\0');
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI").find('\0'), std::string::npos);
    EXPECT_EQ(GetDefaultLatQuad(), 'N');
    EXPECT_EQ(GetDefaultLonQuad(), 'E');
}

TEST_F(AngleSettingsTest, FailedWriteKeepsTheOldSettingsAndRaisesNothing) {
    WriteAngleSettings(3, 4);
    // A folder where the file would go: the new file can neither be opened nor put in place.
    std::filesystem::create_directories(File("Geographicals_Settings.INI"));
    EXPECT_NO_THROW(WriteGeoSettings(0, 2, 'S', 'W'));
    EXPECT_NO_THROW(SetDefaultLatQuad('S'));
    EXPECT_TRUE(std::filesystem::is_directory(File("Geographicals_Settings.INI")));
    EXPECT_NO_THROW(GetGeoPreference());
    EXPECT_EQ(GetAnglePreference(), 3);
}

}  // namespace
