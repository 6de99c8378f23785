#pragma once
// A fresh settings world per test: drive C: mapped to a new temporary folder, D: and E:
// unmapped, and the program's command line set so that the application is "SurveyTest"
// (settings folder C:\MySettings\SurveyTest\). Everything is removed afterwards.

#include <gtest/gtest.h>

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

    std::string m_root;      // the folder drive C: maps to
    std::string m_settings;  // <m_root>/MySettings/SurveyTest
};
