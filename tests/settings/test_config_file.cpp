// The settings folder and CConfigFile: where the files are, how names map to files, and
// how lines are read and written, malformed lines included.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string Text(const CString& text) {
    return text.str();
}

// The names of the entries of a folder.
std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class ConfigFileTest : public SettingsTest {};

class SettingsFolderTest : public SettingsTest {
protected:
    // A folder for another drive letter, beside the settings world of C:.
    std::string DriveFolder(const std::string& name) const {
        const std::string folder = m_root + "/" + name;
        fs::create_directories(folder);
        return folder;
    }
};

TEST_F(SettingsFolderTest, IsTheApplicationFolderUnderMySettingsOnC) {
    EXPECT_EQ(Text(GetSettingsFolder()), "C:\\MySettings\\SurveyTest\\");
    EXPECT_TRUE(fs::is_directory(m_settings));
}

TEST_F(SettingsFolderTest, ExistingFolderOnCWinsOverAFixedD) {
    fs::create_directories(m_root + "/MySettings");
    const std::string d = DriveFolder("drive_d");
    plat::MapDrive('D', d, DRIVE_FIXED);

    CString root;
    EXPECT_TRUE(FindSettingsRoot(root));
    EXPECT_EQ(Text(root), "C:\\MySettings\\");
    EXPECT_FALSE(fs::exists(d + "/MySettings"));
}

TEST_F(SettingsFolderTest, WithoutFolderOnCAFixedDGetsItWithTheApplicationFolder) {
    const std::string d = DriveFolder("drive_d");
    plat::MapDrive('D', d, DRIVE_FIXED);

    EXPECT_EQ(Text(GetSettingsFolder()), "D:\\MySettings\\SurveyTest\\");
    EXPECT_TRUE(fs::is_directory(d + "/MySettings/SurveyTest"));
    EXPECT_FALSE(fs::exists(m_root + "/MySettings"));

    // Settings then live there.
    WriteTensionMode(2);
    EXPECT_TRUE(fs::exists(d + "/MySettings/SurveyTest/Tension_Mode.INI"));
    EXPECT_EQ(ReadTensionMode(), 2);
}

TEST_F(SettingsFolderTest, ARemovableDIsPassedOverForAFixedE) {
    plat::MapDrive('D', DriveFolder("drive_d"), DRIVE_REMOVABLE);
    const std::string e = DriveFolder("drive_e");
    plat::MapDrive('E', e, DRIVE_FIXED);

    CString root;
    EXPECT_TRUE(FindSettingsRoot(root));
    EXPECT_EQ(Text(root), "E:\\MySettings\\");
    EXPECT_TRUE(fs::is_directory(e + "/MySettings"));
}

TEST_F(SettingsFolderTest, AnExistingFolderOnDIsUsed) {
    const std::string d = DriveFolder("drive_d");
    fs::create_directories(d + "/MySettings");
    plat::MapDrive('D', d, DRIVE_FIXED);
    plat::MapDrive('E', DriveFolder("drive_e"), DRIVE_FIXED);

    CString root;
    EXPECT_TRUE(FindSettingsRoot(root));
    EXPECT_EQ(Text(root), "D:\\MySettings\\");
}

TEST_F(SettingsFolderTest, WithoutFixedDOrEItIsCreatedOnC) {
    CString root;
    EXPECT_TRUE(FindSettingsRoot(root));
    EXPECT_EQ(Text(root), "C:\\MySettings\\");
    EXPECT_TRUE(fs::is_directory(m_root + "/MySettings"));
}

struct CommandLineCase {
    const char* commandLine;
    const char* application;
};

class ApplicationNameTest : public SettingsTest,
                            public ::testing::WithParamInterface<CommandLineCase> {};

TEST_P(ApplicationNameTest, NamesTheApplicationFolder) {
    plat::OverrideCommandLine(GetParam().commandLine);
    const std::string application = GetParam().application;
    EXPECT_EQ(Text(GetSettingsFolder()), "C:\\MySettings\\" + application + "\\");
    EXPECT_TRUE(fs::is_directory(m_root + "/MySettings/" + application));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ApplicationNameTest,
    ::testing::Values(CommandLineCase{"\"C:\\Prog\\App.exe\" arg", "App"},
                      CommandLineCase{"\"C:\\Prog\\App.exe\"", "App"},
                      CommandLineCase{"\"C:\\Program Files\\Survey App.exe\" -x", "Survey App"},
                      // Arguments never move the settings, whatever they hold.
                      CommandLineCase{"\"C:\\Prog\\App.exe\" C:\\Data\\run1", "App"},
                      CommandLineCase{"\"C:\\Prog\\App.exe\" D:\\Data\\line.txt", "App"},
                      CommandLineCase{"\"/usr/bin/survey-host\" --night /etc/x.conf",
                                      "survey-host"},
                      CommandLineCase{"C:\\Prog\\Plain.exe arg\\x", "Plain"}));

TEST_F(ConfigFileTest, CreateFolderPathMakesEveryMissingFolder) {
    EXPECT_TRUE(CreateFolderPath("C:\\One\\Two\\Three"));
    EXPECT_TRUE(fs::is_directory(m_root + "/One/Two/Three"));
    // Already there counts as made.
    EXPECT_TRUE(CreateFolderPath("C:\\One\\Two\\Three\\"));
}

TEST_F(ConfigFileTest, CreateFolderPathRefusesWhatIsNoFolderPath) {
    EXPECT_FALSE(CreateFolderPath("C:\\"));
    EXPECT_FALSE(CreateFolderPath("C:"));
    EXPECT_FALSE(CreateFolderPath("One\\Two"));      // no drive
    EXPECT_FALSE(CreateFolderPath("Q:\\One\\Two"));  // unmapped drive
}

TEST_F(ConfigFileTest, CreateFolderPathFailsWhenTheLastFolderCannotBeMade) {
    // An existing folder on the way does not make the path a success.
    WriteRaw("blocker", "a file, not a folder");
    EXPECT_FALSE(CreateFolderPath("C:\\MySettings\\SurveyTest\\blocker\\inner\\"));
}

TEST_F(ConfigFileTest, ConfigPathMapsBlanksToUnderscores) {
    CConfigFile file;
    EXPECT_EQ(Text(file.GetConfigPath("Geographicals Settings")),
              "C:\\MySettings\\SurveyTest\\Geographicals_Settings.INI");
    EXPECT_EQ(Text(file.GetConfigPath("Graph 1", "CFG")),
              "C:\\MySettings\\SurveyTest\\Graph_1.CFG");

    ASSERT_TRUE(file.OpenForWrite("Geographicals Settings"));
    file.WriteInt("Preference", 1);
    file.Close();
    EXPECT_EQ(ReadRaw("Geographicals_Settings.INI"), "Preference = 1\r\n");
}

TEST_F(ConfigFileTest, NamesThatWouldLeaveTheSettingsFolderAreRefused) {
    // A file beside the application folders that a "..\" name would reach.
    fs::create_directories(m_settings);
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

    EXPECT_EQ(Entries(m_root + "/MySettings"), before);
    EXPECT_EQ(ReadRaw("../Units_Mode.INI"), "Units Mode = 1\r\n");
}

TEST_F(ConfigFileTest, NullPathIsAnInvalidArgument) {
    CConfigFile file;
    EXPECT_THROW(file.SetFilePath(nullptr), CInvalidArgException);
}

class ConfigFileReadTest : public SettingsTest {
protected:
    // Opens the file "Values.INI" holding bytes for reading.
    void Open(const std::string& bytes) {
        WriteRaw("Values.INI", bytes);
        ASSERT_TRUE(m_file.OpenForRead("Values"));
    }
    CConfigFile m_file;
};

TEST_F(ConfigFileReadTest, WholeNumbersAreReadLikeAtoiWithinTheIntRange) {
    Open(
        "= 12\r\n"
        "Key = abc\r\n"
        "Key = 12abc\r\n"
        "Key =   -7\r\n"
        "Key=5\r\n"
        "Key = 1 = 2\r\n"
        "Key = 2147483647\r\n"
        "Key = -2147483648\r\n"
        "Key = 2147483648\r\n"
        "Key = 99999999999999999999999999\r\n"
        "Key = -99999999999999999999999999\r\n");
    EXPECT_EQ(m_file.ReadInt(-1), 12);
    EXPECT_EQ(m_file.ReadInt(-1), 0);
    EXPECT_EQ(m_file.ReadInt(-1), 12);
    EXPECT_EQ(m_file.ReadInt(-1), -7);
    EXPECT_EQ(m_file.ReadInt(-1), 5);
    EXPECT_EQ(m_file.ReadInt(-1), 1);
    EXPECT_EQ(m_file.ReadInt(-1), INT_MAX);
    EXPECT_EQ(m_file.ReadInt(-1), INT_MIN);
    // Beyond int: the nearest int, not whatever bits remain.
    EXPECT_EQ(m_file.ReadInt(-1), INT_MAX);
    EXPECT_EQ(m_file.ReadInt(-1), INT_MAX);
    EXPECT_EQ(m_file.ReadInt(-1), INT_MIN);
}

TEST_F(ConfigFileReadTest, ALineWithoutEqualsOrNoLineGivesTheDefault) {
    Open("Key 5\r\nKey = 6\r\n");
    EXPECT_EQ(m_file.ReadInt(42), 42);
    EXPECT_EQ(m_file.ReadInt(42), 6);
    EXPECT_EQ(m_file.ReadInt(42), 42);
    EXPECT_EQ(m_file.ReadDouble(2.5), 2.5);
    EXPECT_EQ(m_file.ReadChar('N'), 'N');
    EXPECT_EQ(Text(m_file.ReadText()), "");
    EXPECT_EQ(m_file.ReadShort(), 0);
    EXPECT_FALSE(m_file.ReadBool());
}

TEST_F(ConfigFileReadTest, AnEmptyFileGivesDefaults) {
    Open("");
    EXPECT_EQ(m_file.ReadInt(42), 42);
    EXPECT_EQ(Text(m_file.ReadText()), "");
}

TEST_F(ConfigFileReadTest, ShortsAndBoolsStayInRange) {
    Open(
        "Key = 40000\r\n"
        "Key = -40000\r\n"
        "Key = 7 \r\n"
        "Key nothing\r\n"
        "Key = 4294967296\r\n"
        "Key = 0\r\n"
        "Key = -1\r\n"
        "Key = yes\r\n");
    EXPECT_EQ(m_file.ReadShort(), SHRT_MAX);
    EXPECT_EQ(m_file.ReadShort(), SHRT_MIN);
    EXPECT_EQ(m_file.ReadShort(), 7);
    EXPECT_EQ(m_file.ReadShort(), 0);
    // 2^32 cut to 32 bits would be 0 and read as false.
    EXPECT_TRUE(m_file.ReadBool());
    EXPECT_FALSE(m_file.ReadBool());
    EXPECT_TRUE(m_file.ReadBool());
    EXPECT_FALSE(m_file.ReadBool());
}

TEST_F(ConfigFileReadTest, DoublesAreReadLikeAtof) {
    Open("Key = 2.5\r\nKey = -1e3\r\nKey = abc\r\nKey =  0.125xyz\r\n");
    EXPECT_EQ(m_file.ReadDouble(9.0), 2.5);
    EXPECT_EQ(m_file.ReadDouble(9.0), -1000.0);
    EXPECT_EQ(m_file.ReadDouble(9.0), 0.0);
    EXPECT_EQ(m_file.ReadDouble(9.0), 0.125);
    EXPECT_EQ(m_file.ReadDouble(9.0), 9.0);
}

TEST_F(ConfigFileReadTest, CharactersSkipLeadingBlanks) {
    Open("Default Lat Quad = S\r\nKey =    W\r\nKey = \r\nKey=E\r\n");
    EXPECT_EQ(m_file.ReadChar('N'), 'S');
    EXPECT_EQ(m_file.ReadChar('N'), 'W');
    EXPECT_EQ(m_file.ReadChar('N'), 'N');
    EXPECT_EQ(m_file.ReadChar('N'), 'E');
}

TEST_F(ConfigFileReadTest, TextsLoseOneLeadingBlankAndTheirEscapes) {
    Open(
        "Key = A\xAB"
        "COMMA\xBB"
        "B\r\n"
        "Key =  two\r\n"
        "Key = a\xAB"
        "CR\xBB\xAB"
        "LF\xBB"
        "b\r\n"
        "Key=x=y\r\n"
        "Key = \xAB"
        "CR and \xAB"
        "COMMA\r\n"
        "Key = \xB0"
        "C\r\n");
    EXPECT_EQ(Text(m_file.ReadText()), "A,B");
    EXPECT_EQ(Text(m_file.ReadText()), " two");
    EXPECT_EQ(Text(m_file.ReadText()), "a\r\nb");
    EXPECT_EQ(Text(m_file.ReadText()), "x=y");
    EXPECT_EQ(Text(m_file.ReadText()),
              "\xAB"
              "CR and \xAB"
              "COMMA");
    EXPECT_EQ(Text(m_file.ReadText()),
              "\xB0"
              "C");
    EXPECT_EQ(Text(m_file.ReadText()), "");
}

TEST_F(ConfigFileReadTest, ValuesAreReadInOrderWhateverTheirKeys) {
    // Line ends as other programs may leave them: LF only, none after the last line.
    Open("Units Mode = 1\nSomething Else = 2\r\nLast = 3");
    EXPECT_EQ(m_file.ReadInt(-1), 1);
    EXPECT_EQ(m_file.ReadInt(-1), 2);
    EXPECT_EQ(m_file.ReadInt(-1), 3);
    EXPECT_EQ(m_file.ReadInt(-1), -1);
}

TEST_F(ConfigFileReadTest, AMultiMegabyteLineIsOneLine) {
    const std::string longKey(3 << 20, 'k');
    const std::string longNumber(3 << 20, '7');
    Open(longKey + " = 5\r\nKey = " + longNumber + "\r\nKey = 6\r\n");
    EXPECT_EQ(m_file.ReadInt(-1), 5);
    EXPECT_EQ(m_file.ReadInt(-1), INT_MAX);
    EXPECT_EQ(m_file.ReadInt(-1), 6);
}

TEST_F(ConfigFileReadTest, BinaryBytesDoNotShiftTheLines) {
    std::string noise;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\n' && byte != '\r' && byte != '=') {
            noise += static_cast<char>(byte);
        }
    }
    Open(noise + "\r\n" +                    // no '='
         "Key = \xFF\xFE\x01\r\n" +          // no number
         std::string("K\0ey = 5\r\n", 10) +  // a NUL inside the line
         "Next = 6\r\n");
    EXPECT_EQ(m_file.ReadInt(-1), -1);
    EXPECT_EQ(m_file.ReadInt(-1), 0);
    m_file.ReadInt(-1);  // the key is ignored; whether the NUL hides the value is not
    EXPECT_EQ(m_file.ReadInt(-1), 6);
}

TEST_F(ConfigFileReadTest, SectionsCollectTheirPlainLines) {
    Open(
        "[Graph 1]\r\n"
        "first\r\n"
        "\r\n"
        "second\r\n"
        "[Graph 2]\r\n"
        "only\r\n"
        "Scale = 5\r\n"
        "[Unclosed\r\n"
        "x\r\n");
    CString name = "stale";
    CStringArray lines;
    lines.Add("stale");

    EXPECT_EQ(Text(m_file.ReadSection(name, lines)), "Graph 1");
    EXPECT_EQ(Text(name), "Graph 1");
    ASSERT_EQ(lines.GetSize(), 3);
    EXPECT_EQ(Text(lines[0]), "first");
    EXPECT_EQ(Text(lines[1]), "");
    EXPECT_EQ(Text(lines[2]), "second");

    EXPECT_EQ(Text(m_file.ReadSection(name, lines)), "Graph 2");
    ASSERT_EQ(lines.GetSize(), 1);
    EXPECT_EQ(Text(lines[0]), "only");

    // A value line is no section: it is left for the next reader.
    EXPECT_EQ(Text(m_file.ReadSection(name, lines)), "");
    EXPECT_EQ(lines.GetSize(), 0);
    EXPECT_EQ(m_file.ReadInt(-1), 5);

    EXPECT_EQ(Text(m_file.ReadSection(name, lines)), "Unclosed");
    ASSERT_EQ(lines.GetSize(), 1);
    EXPECT_EQ(Text(lines[0]), "x");

    EXPECT_EQ(Text(m_file.ReadSection(name, lines)), "");
    EXPECT_EQ(lines.GetSize(), 0);
}

TEST_F(ConfigFileTest, LinesAreWrittenAsKeyBlankEqualsBlankValue) {
    CConfigFile file;
    ASSERT_TRUE(file.OpenForWrite("Values"));
    file.WriteInt("Key", 5);
    file.WriteInt("Negative", -12);
    file.WriteChar("Default Lat Quad", 'S');
    file.Close();
    EXPECT_EQ(ReadRaw("Values.INI"), "Key = 5\r\nNegative = -12\r\nDefault Lat Quad = S\r\n");

    ASSERT_TRUE(file.OpenForRead("Values"));
    EXPECT_EQ(file.ReadInt(0), 5);
    EXPECT_EQ(file.ReadInt(0), -12);
    EXPECT_EQ(file.ReadChar('N'), 'S');
}

TEST_F(ConfigFileTest, CharactersThatWouldBreakTheLineAreWrittenAsNoValue) {
    CConfigFile file;
    ASSERT_TRUE(file.OpenForWrite("Values"));
    file.WriteChar("A", '\n');
    file.WriteChar("B", '\0');
    file.WriteChar("C", '\r');
    file.WriteInt("D", 4);
    file.Close();
    EXPECT_EQ(ReadRaw("Values.INI"), "A = \r\nB = \r\nC = \r\nD = 4\r\n");

    ASSERT_TRUE(file.OpenForRead("Values"));
    EXPECT_EQ(file.ReadChar('x'), 'x');
    EXPECT_EQ(file.ReadChar('x'), 'x');
    EXPECT_EQ(file.ReadChar('x'), 'x');
    EXPECT_EQ(file.ReadInt(0), 4);
}

TEST_F(ConfigFileTest, NewContentReplacesTheOldFileOnlyWhenClosed) {
    WriteRaw("Values.INI", "Key = 1\r\n");
    {
        CConfigFile file;
        ASSERT_TRUE(file.OpenForWrite("Values"));
        file.WriteInt("Key", 2);
        file.Flush();
        EXPECT_EQ(ReadRaw("Values.INI"), "Key = 1\r\n");
        file.Abort();
    }
    EXPECT_EQ(ReadRaw("Values.INI"), "Key = 1\r\n");
    EXPECT_EQ(Entries(m_settings), std::set<std::string>{"Values.INI"});

    CConfigFile file;
    ASSERT_TRUE(file.OpenForWrite("Values"));
    file.WriteInt("Key", 3);
    file.Close();
    EXPECT_EQ(ReadRaw("Values.INI"), "Key = 3\r\n");
    EXPECT_EQ(Entries(m_settings), std::set<std::string>{"Values.INI"});
}

TEST_F(ConfigFileTest, AFileOpenForWritingCannotBeOpenedAgain) {
    WriteRaw("Values.INI", "Key = 1\r\n");
    CConfigFile writer;
    ASSERT_TRUE(writer.OpenForWrite("Values"));
    CConfigFile reader;
    EXPECT_FALSE(reader.OpenForRead("Values"));
    CConfigFile secondWriter;
    EXPECT_FALSE(secondWriter.OpenForWrite("Values"));
}

}  // namespace
