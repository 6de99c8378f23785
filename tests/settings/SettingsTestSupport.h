#pragma once
// A fresh settings world per test: C: mapped to a new temporary folder, D: and E: unmapped,
// and the application "SurveyTest" (settings folder C:\MySettings\SurveyTest\).

#include <gtest/gtest.h>

#include <set>
#include <string>

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The host path of a file in the settings folder, e.g. File("Units_Mode.INI").
    std::string File(const std::string& name) const;
    // Writes raw bytes to a settings file (creating the folder).
    void WriteRaw(const std::string& name, const std::string& bytes) const;
    // The raw bytes of a settings file, or "<missing>".
    std::string ReadRaw(const std::string& name) const;
    // The names of the entries of a host folder.
    static std::set<std::string> Entries(const std::string& folder);

    std::string m_root;      // the folder drive C: maps to
    std::string m_settings;  // <m_root>/MySettings/SurveyTest
};
