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
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}
// Built with the formatter's truncated 180/pi, so that inputs land on a chosen printed value.
double Fmt(double degrees, double minutes = 0.0, double seconds = 0.0) {
    return (degrees + minutes / 60.0 + seconds / 3600.0) / 57.2957795131;
}
// Built with the parser's factor, so that expected values are computed exactly as it does.
double Parsed(double degrees, double minutes = 0.0, double seconds = 0.0) {
    return (degrees + minutes / 60.0 + seconds / 3600.0) * 0.017453292519943;
}

TEST(AngleFormat, Texts) {
    const auto expect = [](double radians, int type, int format, int decimals, char quadrant,
                           const char* text) {
        EXPECT_EQ(FormatAngle(radians, type, format, decimals, quadrant).str(), text)
            << radians << " type " << type << " format " << format << " decimals " << decimals;
    };
    // Types: 1 signed, 2 bearing, 3 inclination, 4 zenith, 5 latitude, 6 longitude, 7 heading,
    // 9 offset. Formats: 0 DMS, 1 DM, 2 degrees, 3 signed degrees, 4 gradians.
    expect(0.5, 1, 2, 4, 0, "+028\xB0.6479");
    expect(-0.5, 6, 3, 2, 0, "-028\xB0.65");
    expect(-0.5, 5, 3, 2, 0, "-28\xB0.65");
    expect(-Fmt(51, 30, 59.9996), 5, 0, 3, 0, "51\xB0 31' 00\".000S");
    expect(-1.0, 1, 2, 2, 0, "n/a");
    expect(0.5, 1, 2, 40, 0, "+028\xB0.647889757");  // decimals beyond 32: the type's default
    expect(Radians(270), 7, 2, -1, 0, "270\xB0.00");
    expect(-Fmt(2, 3, 4.5), 6, 0, 2, 0, "002\xB0 03' 04\".50W");
    expect(-Fmt(2, 3, 4.5), 1, 1, 3, 0, "-002\xB0 03'.075");
    expect(-kPi / 4, 3, 4, 1, 0, "-050g.0");
    expect(-0.1, 9, 3, 2, 0, "-005\xB0.73");
    expect(-0.5, 2, 3, 2, 0, "028\xB0.65");
    expect(0.0, 4, 2, 2, 0, "090\xB0.00");
    // Zero takes the quadrant passed in; any other value decides its own letter.
    expect(0.0, 5, 2, 2, 'S', "00\xB0.00S");
    expect(0.0, 5, 2, 2, 0, "00\xB0.00N");
    expect(0.01, 5, 2, 2, 'S', "00\xB0.57N");
    expect(-0.0, 6, 3, 2, 0, "+000\xB0.00");
    // Seconds carry above 59.<decimals nines>5; minutes that would print as 60 carry too.
    expect(Fmt(1, 0, 59.94), 1, 0, 1, 0, "+001\xB0 00' 59\".9");
    expect(Fmt(10, 59, 59.99), 5, 1, 3, 0, "11\xB0 00'.000N");
    expect(-Fmt(8, 59, 59.9999), 1, 0, 2, 0, "-009\xB0 00' 00\".00");
    // Whole degrees beyond an int cannot be split; formats outside 0..5 have no text.
    expect(1e300, 1, 0, 2, 0, "");
    expect(0.5, 1, 6, 2, 0, "");
    for (int format = ANGLE_FMT_DMS; format <= ANGLE_FMT_GRADIANS; ++format) {
        for (const double value : {DBL_MAX, kNan, kInf, -kInf}) {
            expect(value, ANGLE_LATITUDE, format, 2, 0, "");
        }
    }
    EXPECT_EQ(FormatAngle(0.3, ANGLE_SIGNED, ANGLE_FMT_DEGREES, 32, 0).GetLength(), 38);
    // The carry limit holds at most 21 nines, however many decimals are printed.
    EXPECT_EQ(FormatAngle(Fmt(1, 0, 59.9), 1, 0, 25, 0).str().substr(0, 13), "+001\xB0 00' 59\"");
}

TEST(AngleParse, Texts) {
    const auto expect = [](const char* text, int type, double radians) {
        EXPECT_NEAR(ParseAngle(text, type), radians, 2e-13) << text << " type " << type;
    };
    expect("12,5", ANGLE_SIGNED, Parsed(12.5));
    expect("12,5.1", ANGLE_SIGNED, Parsed(12, 5.1));
    expect("45 30 00 S", ANGLE_LATITUDE, -Parsed(45.5));
    expect("95 00 00 N", ANGLE_LATITUDE, 0.0);
    expect("100g", ANGLE_LATITUDE, kPi / 2);
    expect("101g", ANGLE_LATITUDE, 0.0);
    // Fields beyond their range are dropped.
    expect("10 60 30", ANGLE_SIGNED, Parsed(10));
    expect("10 30 60", ANGLE_SIGNED, Parsed(10, 30));
    expect("90 30", ANGLE_LATITUDE, 0.0);
    expect("180 0 1", ANGLE_OFFSET, 0.0);
    expect("360", ANGLE_BEARING, Parsed(360));
    expect("200g", ANGLE_OFFSET, kPi);
    expect("-400g", ANGLE_SIGNED, -2 * kPi);
    // Signs and quadrant letters; a signed text stops after three fields.
    expect("12 30 W", ANGLE_LONGITUDE, -Parsed(12, 30));
    expect("-12 30 N", ANGLE_LATITUDE, -Parsed(12, 30));
    expect("-10 20 36 40", ANGLE_SIGNED, -Parsed(10, 20, 36));
    expect("10 20 36 40 S", ANGLE_LATITUDE, -Parsed(10, 20, 36));
    expect("12   .5", ANGLE_SIGNED, Parsed(12.5));
}

TEST(AngleParse, BadTextReadsAsZero) {
    const std::string huge(100000, '9'), blanks(100000, ' '), signs(100000, '-');
    const std::string cases[] = {"",    "   ", "\xB0'\"g",     ",,,,", "-+-+-+", "abc", "-",
                                 "nan", "inf", "\xFF\xB0\x80", huge,   blanks,   signs};
    for (const int type : {ANGLE_SIGNED, ANGLE_ZENITH, ANGLE_LATITUDE, ANGLE_LONGITUDE}) {
        const double zero = type == ANGLE_ZENITH ? kPi / 2 : 0.0;
        for (const std::string& text : cases) {
            const double value = ParseAngle(text.c_str(), type);
            EXPECT_EQ(value, zero) << type << " '" << text.substr(0, 20) << "'";
            EXPECT_FALSE(std::signbit(value));
        }
        EXPECT_EQ(ParseAngle(nullptr, type), zero);
    }
    // A long field is read whole, not cut.
    const std::string longOne = std::string(100000, '0') + "1";
    EXPECT_DOUBLE_EQ(ParseAngle(longOne.c_str(), ANGLE_SIGNED), Parsed(1));
}

TEST(AngleMask, TemplateMaskAndValidCharacters) {
    const auto expect = [](int type, int format, int decimals, const char* templ, const char* mask,
                           const char* valid) {
        SCOPED_TRACE(testing::Message() << "type " << type << " format " << format);
        EXPECT_EQ(GetAngleTemplate(type, format, decimals).str(), templ);
        EXPECT_EQ(GetAngleMask(type, format, decimals).str(), mask);
        EXPECT_EQ(GetAngleValidChars(type, format).str(), valid);
    };
    expect(5, 0, 3, "__\xB0 __' __\".____", "dd\xB0 dd' dd\".dddc", "0123456789NSns");
    expect(6, 1, 2, "___\xB0 __'.___", "ddd\xB0 dd'.ddc", "0123456789EWew");
    expect(6, 3, 1, "____\xB0._", "+ddd\xB0.d", "0123456789+-");
    expect(7, 4, 1, "___g._", "dddg.d", "0123456789");
    // Fewer typed characters than slots leave the rest empty; more are ignored.
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("45", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), Parsed(45));
    EXPECT_DOUBLE_EQ(ParseMaskedAngle("453000000S99999", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3),
                     -Parsed(45.5));
    EXPECT_EQ(ParseMaskedAngle("", ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), 0.0);
    EXPECT_EQ(ParseMaskedAngle(nullptr, ANGLE_LATITUDE, ANGLE_FMT_DMS, 3), 0.0);
}

// Every type in every format at its default decimals, through ParseAngle and through the
// masked edit (the text's slot characters typed into the template).
class AngleRoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(AngleRoundTrip, ParseReadsBackWhatFormatWrote) {
    const auto [type, format] = GetParam();
    // Kept a little inside the ranges the parser accepts; bearings and headings are unsigned.
    constexpr double kHighest[] = {0, 359.9, 359.9, 89.9, 89.9, 89.9, 179.9, 359.9, 89.9, 179.9};
    const double highest = kHighest[type];
    const double lowest = type == ANGLE_BEARING || type == ANGLE_HEADING ? 0.0 : -highest;
    const int decimals = DefaultAngleDecimals(type, format);
    constexpr double kDigitUnit[] = {1 / 3600.0, 1 / 60.0, 1.0, 1.0, 0.9};  // in degrees
    const double lastDigit = std::pow(10.0, -decimals) * kDigitUnit[format];
    const CString templ = GetAngleTemplate(type, format, decimals);
    std::mt19937_64 random(1000 * type + format);
    std::uniform_real_distribution<double> degrees(lowest, highest);
    for (int i = 0; i < 400; ++i) {
        const double value = Radians(i == 0   ? 0.0
                                     : i == 1 ? highest
                                     : i == 2 ? lowest
                                              : degrees(random));
        const CString text = FormatAngle(value, type, format, decimals, 0);
        ASSERT_EQ(text.str().find('\0'), std::string::npos) << text.str();
        // One printed digit, plus what the formatter's truncated 180/pi factor adds.
        const double tolerance = lastDigit + std::fabs(value) * 180.0 / kPi * 4e-12;
        ASSERT_LE(std::fabs(ParseAngle(text, type) - value) * 180.0 / kPi, tolerance)
            << "value " << value << " text '" << text.str() << "'";
        ASSERT_EQ(templ.GetLength(), text.GetLength()) << templ.str() << " / " << text.str();
        std::string typed;
        for (int c = 0; c < templ.GetLength(); ++c) {
            if (templ[c] == '_') {
                typed += text[c];
            }
        }
        const double masked = ParseMaskedAngle(typed.c_str(), type, format, decimals);
        ASSERT_LE(std::fabs(masked - value) * 180.0 / kPi, tolerance)
            << "typed '" << typed << "' for '" << text.str() << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(AngleEveryTypeAndFormat, AngleRoundTrip,
                         ::testing::Combine(::testing::Range(1, 10), ::testing::Range(0, 5)));

TEST(AngleDifference, WrapsAcrossZeroInBothModes) {
    EXPECT_DOUBLE_EQ(AngleDifference(350.0, 10.0, 1), -20.0);
    EXPECT_DOUBLE_EQ(AngleDifference(10.0, 350.0, 1), 20.0);
    EXPECT_DOUBLE_EQ(AngleDifference(40.0, 200.0, 1), -160.0);  // not beyond half a turn
    EXPECT_DOUBLE_EQ(AngleDifference(10.0, 350.0, 2), -340.0);  // radians: no wrap at 350
    EXPECT_NEAR(AngleDifference(Radians(350), Radians(10), 0), Radians(-20), 1e-12);
    EXPECT_NEAR(AngleDifference(Radians(10), Radians(350), 7), Radians(20), 1e-12);
}

class AngleSettingsTest : public SettingsTest {
protected:
    static std::tuple<int, int, char> Stored(int type) {
        int format = -5, decimals = -5;
        char quadrant = 'x';
        ReadAngleTypeSettings(type, &format, &decimals, &quadrant);
        return {format, decimals, quadrant};
    }
};

TEST_F(AngleSettingsTest, DefaultsAndRoundTrip) {
    EXPECT_EQ(Stored(ANGLE_SIGNED), std::make_tuple(1, 7, 'x'));
    EXPECT_EQ(Stored(ANGLE_LONGITUDE), std::make_tuple(1, 7, 'E'));
    EXPECT_EQ(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 0, 0).str(),
              "00\xB0 00'.0000000N");

    WriteAngleSettings(2, 3);
    WriteGeoSettings(0, 1, 'S', 'W');
    EXPECT_EQ(ReadRaw("Angle_Settings.INI"), "Preference = 2\r\nDecimal Places = 3\r\n");
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI"),
              "Preference = 0\r\nDecimal Places = 1\r\nDefault Lat Quad = S\r\n"
              "Default Lon Quad = W\r\n");
    EXPECT_EQ(Stored(ANGLE_SIGNED), std::make_tuple(2, 3, 'x'));
    EXPECT_EQ(Stored(ANGLE_LATITUDE), std::make_tuple(0, 1, 'S'));
    EXPECT_EQ(Stored(ANGLE_LONGITUDE), std::make_tuple(0, 1, 'W'));
    EXPECT_EQ(FormatAngle(0.5, ANGLE_SIGNED, ANGLE_FMT_FROM_SETTINGS, 9, 0).str(), "+028\xB0.648");
    EXPECT_EQ(FormatAngle(0.0, ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 9, 0).str(),
              "00\xB0 00' 00\".0S");
    // The edit template of the stored format keeps a quadrant slot whatever the default.
    EXPECT_EQ(GetAngleTemplate(ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 9).str(),
              "__\xB0 __' __\"._\x5F");
    EXPECT_LT(ParseMaskedAngle("1000000S", ANGLE_LATITUDE, ANGLE_FMT_FROM_SETTINGS, 9), 0.0);
}

TEST_F(AngleSettingsTest, SettersKeepTheOtherValues) {
    SetDefaultLonQuad('W');  // no file yet: the defaults around it
    EXPECT_EQ(Stored(ANGLE_LONGITUDE), std::make_tuple(1, 7, 'W'));
    SetDefaultLatQuad('S');
    SetGeoPreference(4);
    EXPECT_EQ(Stored(ANGLE_LATITUDE), std::make_tuple(4, 7, 'S'));
    EXPECT_EQ(Stored(ANGLE_LONGITUDE), std::make_tuple(4, 7, 'W'));
    WriteAngleSettings(2, 3);
    SetAnglePreference(0);
    EXPECT_EQ(Stored(ANGLE_SIGNED), std::make_tuple(0, 3, 'x'));
}

TEST_F(AngleSettingsTest, MissingLinesBadValuesAndFailedWrites) {
    WriteRaw("Geographicals_Settings.INI", "Preference = 2\r\n");
    EXPECT_EQ(Stored(ANGLE_LATITUDE), std::make_tuple(2, 0, ' '));
    // A stored format beyond the notations reads as the default one.
    for (const char* stored : {"5", "9", "-1"}) {
        WriteRaw("Angle_Settings.INI",
                 std::string("Preference = ") + stored + "\nDecimal Places = 2\n");
        EXPECT_EQ(GetAnglePreference(), 1) << stored;
        EXPECT_EQ(FormatAngle(0.5, ANGLE_SIGNED, ANGLE_FMT_FROM_SETTINGS, -1, 0).str(),
                  "+028\xB0 38'.87");
    }
    // A zero quadrant would put a NUL in the file; the default letter is stored instead.
    WriteGeoSettings(1, 7, '\0', '\0');
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI").find('\0'), std::string::npos);
    EXPECT_EQ(std::make_pair(GetDefaultLatQuad(), GetDefaultLonQuad()), std::make_pair('N', 'E'));
    // A folder where the file would go: writes are skipped quietly, reads give the defaults.
    std::filesystem::remove(File("Geographicals_Settings.INI"));
    std::filesystem::create_directories(File("Geographicals_Settings.INI"));
    WriteGeoSettings(0, 2, 'S', 'W');
    SetDefaultLatQuad('S');
    EXPECT_TRUE(std::filesystem::is_directory(File("Geographicals_Settings.INI")));
    EXPECT_EQ(Stored(ANGLE_LATITUDE), std::make_tuple(1, 7, 'N'));
}

}  // namespace
