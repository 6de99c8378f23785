#pragma once
// Runs settings_child (see SettingsChild.cpp), a second process on the same settings.

#include <string>
#include <vector>

struct ChildResult {
    std::string output;  // its standard output without the last line end
    int exitCode;        // -1 when it did not run or did not exit normally
};

// Runs settings_child to its end with C: mapped to driveC and the given arguments.
ChildResult RunChild(const std::string& driveC, const std::vector<std::string>& arguments);
