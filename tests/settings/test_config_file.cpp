// The settings folder and CConfigFile: where the files are, how names map to files, and
// how lines are read and written, malformed lines included.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

using ConfigFileTest = SettingsTest;

TEST_F(ConfigFileTest, SettingsRootIsAnExistingCThenAFixedDThenAFixedEThenC) {
    // Whether C:\MySettings exists, the type of D:, whether D:\MySettings exists, the type
    // of E: (DRIVE_UNKNOWN: not mapped), and the drive whose MySettings is used.
    const struct {
        bool onC;
        UINT typeD;
        bool onD;
        UINT typeE;
        char chosen;
    } cases[] = {
        {true, DRIVE_FIXED, false, DRIVE_FIXED, 'C'},
        {false, DRIVE_FIXED, false, DRIVE_UNKNOWN, 'D'},
        {false, DRIVE_FIXED, true, DRIVE_FIXED, 'D'},
        {false, DRIVE_REMOVABLE, false, DRIVE_FIXED, 'E'},
        {false, DRIVE_REMOVABLE, true, DRIVE_REMOVABLE, 'C'},
        {false, DRIVE_UNKNOWN, false, DRIVE_UNKNOWN, 'C'},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(index);
        const std::string base = m_root + "/case" + std::to_string(index++) + "/";
        const auto mySettings = [&](char drive) { return base + drive + "/MySettings"; };
        fs::create_directories(c.onC ? mySettings('C') : base + 'C');
        fs::create_directories(c.onD ? mySettings('D') : base + 'D');
        fs::create_directories(base + 'E');
        plat::MapDrive('C', base + 'C', DRIVE_FIXED);
        for (const auto& [drive, type] : {std::pair{'D', c.typeD}, std::pair{'E', c.typeE}}) {
            type == DRIVE_UNKNOWN ? plat::UnmapDrive(drive)
                                  : plat::MapDrive(drive, base + drive, type);
        }

        CString root;
        EXPECT_TRUE(FindSettingsRoot(root));
        EXPECT_EQ(root.str(), c.chosen + std::string(":\\MySettings\\"));
        EXPECT_EQ(fs::exists(mySettings('C')), c.onC || c.chosen == 'C');
        EXPECT_EQ(fs::exists(mySettings('D')), c.onD || c.chosen == 'D');
        EXPECT_EQ(fs::exists(mySettings('E')), c.chosen == 'E');
    }
}

TEST_F(ConfigFileTest, WithoutAFolderOnCTheSettingsLiveOnAFixedDThatCanTakeThem) {
    // A fixed D: where the folder cannot be made is passed over.
    plat::MapDrive('D', m_root + "/missing", DRIVE_FIXED);
    EXPECT_EQ(GetSettingsFolder().str(), "C:\\MySettings\\SurveyTest\\");
    fs::remove_all(m_root + "/MySettings");
    fs::create_directories(m_root + "/drive_d");
    plat::MapDrive('D', m_root + "/drive_d", DRIVE_FIXED);
    EXPECT_EQ(GetSettingsFolder().str(), "D:\\MySettings\\SurveyTest\\");
    EXPECT_TRUE(fs::is_directory(m_root + "/drive_d/MySettings/SurveyTest"));
    EXPECT_FALSE(fs::exists(m_root + "/MySettings"));
}

TEST_F(ConfigFileTest, TheProgramNamesTheApplicationFolder) {
    const struct {
        const char* commandLine;
        const char* application;
    } cases[] = {
        {"\"C:\\Prog\\App.exe\" arg", "App"},
        {"\"C:\\Prog\\App.exe\"", "App"},
        {"\"C:\\Program Files\\Survey App.exe\" -x", "Survey App"},
        // Arguments never move the settings, whatever they hold.
        {"\"C:\\Prog\\App.exe\" C:\\Data\\run1", "App"},
        {"\"C:\\Prog\\App.exe\" D:\\Data\\line.txt", "App"},
        {"\"/usr/bin/survey-host\" --night /etc/x.conf", "survey-host"},
        {"C:\\Prog\\Plain.exe arg\\x", "Plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        plat::OverrideCommandLine(c.commandLine);
        const std::string application = c.application;
        EXPECT_EQ(GetSettingsFolder().str(), "C:\\MySettings\\" + application + "\\");
        EXPECT_TRUE(fs::is_directory(m_root + "/MySettings/" + application));
    }
}

TEST_F(ConfigFileTest, CreateFolderPathMakesEveryMissingFolderOrReportsFailure) {
    EXPECT_TRUE(CreateFolderPath("C:\\One\\Two\\Three"));
    EXPECT_TRUE(fs::is_directory(m_root + "/One/Two/Three"));
    EXPECT_TRUE(CreateFolderPath("C:\\One\\Two\\Three\\"));  // already there
    WriteRaw("blocker", "a file, not a folder");
    for (const char* path : {"C:\\", "C:", "One\\Two", "Q:\\One\\Two",
                             "C:\\MySettings\\SurveyTest\\blocker\\inner\\"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(CreateFolderPath(path));
    }
}

TEST_F(ConfigFileTest, ConfigPathMapsBlanksToUnderscores) {
    CConfigFile file;
    EXPECT_EQ(file.GetConfigPath("Geographicals Settings").str(),
              "C:\\MySettings\\SurveyTest\\Geographicals_Settings.INI");
    EXPECT_EQ(file.GetConfigPath("Graph 1", "CFG").str(),
              "C:\\MySettings\\SurveyTest\\Graph_1.CFG");
}

TEST_F(ConfigFileTest, NamesThatWouldLeaveTheSettingsFolderAreRefused) {
    // The file beside the application folders that a "..\" name would reach.
    WriteRaw("../Units_Mode.INI", "Units Mode = 1\r\n");
    const auto before = Entries(m_root + "/MySettings");
    for (const char* name : {"..\\Units Mode", "../Units Mode", "..", "Sub\\Units Mode",
                             "Sub/Units Mode", "Units..Mode"}) {
        SCOPED_TRACE(name);
        CConfigFile reader;
        EXPECT_FALSE(reader.OpenForRead(name));
        CConfigFile writer;
        EXPECT_FALSE(writer.OpenForWrite(name));
    }
    CConfigFile file;
    EXPECT_FALSE(file.OpenForRead("Units Mode", "INI\\..\\..\\Units_Mode"));
    EXPECT_FALSE(file.OpenForWrite("Units Mode", "/INI"));
    EXPECT_FALSE(file.OpenForRead(nullptr));
    EXPECT_FALSE(file.OpenForWrite(nullptr));
    EXPECT_THROW(file.SetFilePath(nullptr), CInvalidArgException);
    EXPECT_EQ(Entries(m_root + "/MySettings"), before);
    EXPECT_EQ(ReadRaw("../Units_Mode.INI"), "Units Mode = 1\r\n");
}

// Each reads the next value of a file, shown as text; the defaults are -1, 9.5 and 'N'.
using Reader = std::string (*)(CConfigFile&);
const Reader kInt = [](CConfigFile& file) { return std::to_string(file.ReadInt(-1)); };
const Reader kShort = [](CConfigFile& file) { return std::to_string(file.ReadShort()); };
const Reader kBool = [](CConfigFile& file) { return std::to_string(file.ReadBool()); };
const Reader kDouble = [](CConfigFile& file) { return std::to_string(file.ReadDouble(9.5)); };
const Reader kChar = [](CConfigFile& file) { return std::string(1, file.ReadChar('N')); };
const Reader kText = [](CConfigFile& file) { return file.ReadText().str(); };

// Text escapes such as "CR" are framed by the bytes 0xAB and 0xBB.
const std::string kOpen = "\xAB";
const std::string kDegree = "\xB0";

std::string Escape(const std::string& name) {
    return kOpen + name + "\xBB";
}

struct ReadCase {
    std::optional<std::string> line;  // none: past the last line
    Reader read;
    std::string value;
};

TEST_F(ConfigFileTest, EachValueIsReadFromTheTextAfterTheFirstEquals) {
    const ReadCase cases[] = {
        {"= 12", kInt, "12"},
        {"Key = abc", kInt, "0"},
        {"Key = 12abc", kInt, "12"},
        {"Key =   -7", kInt, "-7"},
        {"Key = 1 = 2", kInt, "1"},
        {"Key 5", kInt, "-1"},
        {"Key = 2147483647", kInt, "2147483647"},
        {"Key = -2147483648", kInt, "-2147483648"},
        // Beyond int: the nearest int, not whatever bits remain.
        {"Key = 2147483648", kInt, "2147483647"},
        {"Key = -99999999999999999999999999", kInt, "-2147483648"},
        {"Key = 40000", kShort, "32767"},
        {"Key = -40000", kShort, "-32768"},
        {"Key nothing", kShort, "0"},
        {"Key = 4294967296", kBool, "1"},
        {"Key = -1", kBool, "1"},
        {"Key = yes", kBool, "0"},
        {"Key nothing", kBool, "0"},
        {"Key = 2.5", kDouble, "2.500000"},
        {"Key = -1e3", kDouble, "-1000.000000"},
        {"Key = abc", kDouble, "0.000000"},
        {"Key =  0.125xyz", kDouble, "0.125000"},
        {"Key 2", kDouble, "9.500000"},
        {"Default Lat Quad = S", kChar, "S"},
        {"Key =    W", kChar, "W"},
        {"Key = ", kChar, "N"},
        {"Key=E", kChar, "E"},
        {"Key = A" + Escape("COMMA") + "B", kText, "A,B"},
        {"Key =  two", kText, " two"},
        {"Key = a" + Escape("CR") + Escape("LF") + "b", kText, "a\r\nb"},
        {"Key=x=y", kText, "x=y"},
        {"Key = " + kOpen + "CR and " + kOpen + "COMMA", kText,
         kOpen + "CR and " + kOpen + "COMMA"},
        {"Key = " + kDegree + "C", kText, kDegree + "C"},
        {"Key A", kText, ""},
        {std::nullopt, kInt, "-1"},
        {std::nullopt, kShort, "0"},
        {std::nullopt, kBool, "0"},
        {std::nullopt, kDouble, "9.500000"},
        {std::nullopt, kChar, "N"},
        {std::nullopt, kText, ""},
    };
    std::string bytes;
    for (const ReadCase& c : cases) {
        bytes += c.line ? *c.line + "\r\n" : "";
    }
    WriteRaw("Values.INI", bytes);
    CConfigFile file;
    ASSERT_TRUE(file.OpenForRead("Values"));
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.line.value_or("<none>"));
        EXPECT_EQ(c.read(file), c.value);
    }
}

TEST_F(ConfigFileTest, BadBytesNeitherShiftTheLinesNorStopTheReading) {
    std::string noise;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\n' && byte != '\r' && byte != '=') {
            noise += static_cast<char>(byte);
        }
    }
    const std::string megabytes(3 << 20, '7');
    const struct {
        const char* name;
        std::string bytes;
        std::vector<int> values;
    } cases[] = {
        {"empty", "", {-1}},
        {"other line ends", "A = 1\nB = 2\r\nC = 3", {1, 2, 3, -1}},
        {"long lines",
         megabytes + " = 5\r\nKey = " + megabytes + "\r\nKey = 6\r\n",
         {5, INT_MAX, 6}},
        {"binary",
         noise + "\r\nKey = \xFF\xFE\r\n" + std::string("Key = 5\0ey\r\nN = 6", 17),
         {-1, 0, 5, 6, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRaw("Values.INI", c.bytes);
        CConfigFile file;
        ASSERT_TRUE(file.OpenForRead("Values"));
        for (const int value : c.values) {
            EXPECT_EQ(file.ReadInt(-1), value);
        }
    }
}

TEST_F(ConfigFileTest, SectionsCollectTheirPlainLines) {
    WriteRaw("Values.INI",
             "[Graph 1]\r\nfirst\r\n\r\nsecond\r\n[Graph 2]\r\nonly\r\nScale = 5\r\n"
             "[Unclosed\r\nx\r\n");
    CConfigFile file;
    ASSERT_TRUE(file.OpenForRead("Values"));
    CString name = "stale";
    CStringArray lines;
    lines.Add("stale");
    // "<returned name>:<line>|<line>..."
    const auto next = [&] {
        std::string section = file.ReadSection(name, lines).str() + ":";
        for (int i = 0; i < lines.GetSize(); ++i) {
            section += (i > 0 ? "|" : "") + lines[i].str();
        }
        return section;
    };
    EXPECT_EQ(next(), "Graph 1:first||second");
    EXPECT_EQ(name.str(), "Graph 1");
    EXPECT_EQ(next(), "Graph 2:only");
    EXPECT_EQ(next(), ":");  // a value line is no section: it is left for the next reader
    EXPECT_EQ(file.ReadInt(-1), 5);
    EXPECT_EQ(next(), "Unclosed:x");
    EXPECT_EQ(next(), ":");
}

TEST_F(ConfigFileTest, LinesAreWrittenAsKeyBlankEqualsBlankValue) {
    CConfigFile file;
    ASSERT_TRUE(file.OpenForWrite("Values"));
    file.WriteInt("Key", 5);
    file.WriteInt("Negative", -12);
    file.WriteChar("Default Lat Quad", 'S');
    for (const char lineBreaker : {'\n', '\0', '\r'}) {
        file.WriteChar("A", lineBreaker);  // would break the line: written as no value
    }
    file.WriteInt("D", 4);
    file.Close();
    EXPECT_EQ(
        ReadRaw("Values.INI"),
        "Key = 5\r\nNegative = -12\r\nDefault Lat Quad = S\r\nA = \r\nA = \r\nA = \r\nD = 4\r\n");
}

}  // namespace
