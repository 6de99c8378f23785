#include "tests/settings/SettingsTestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "surveyui.h"

namespace fs = std::filesystem;

void SettingsTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "surveyui-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_root = pattern;
    m_settings = m_root + "/MySettings/SurveyTest";
    plat::MapDrive('C', m_root, DRIVE_FIXED);
    plat::UnmapDrive('D');
    plat::UnmapDrive('E');
    plat::OverrideCommandLine("\"C:\\Programs\\SurveyTest.exe\"");
}

void SettingsTest::TearDown() {
    plat::OverrideCommandLine(nullptr);
    plat::UnmapDrive('D');
    plat::UnmapDrive('E');
    plat::UnmapDrive('C');
    std::error_code ignored;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ignored);
    if (fs::exists(m_settings)) {
        fs::permissions(m_settings, fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_root, ignored);
}

std::string SettingsTest::File(const std::string& name) const {
    return m_settings + "/" + name;
}

void SettingsTest::WriteRaw(const std::string& name, const std::string& bytes) const {
    fs::create_directories(m_settings);
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string SettingsTest::ReadRaw(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
