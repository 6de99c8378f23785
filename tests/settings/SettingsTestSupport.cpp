#include "tests/settings/SettingsTestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>

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
    // Tests may have taken write permission away.
    std::error_code ignored;
    for (const std::string& folder : {m_root, m_root + "/MySettings", m_settings}) {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
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

std::set<std::string> SettingsTest::Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}
