#include "tests/settings/ChildProcess.h"

#include <sys/wait.h>

#include <cstdio>

ChildResult RunChild(const std::string& driveC, const std::vector<std::string>& arguments) {
    // Single quotes keep blanks and backslashes; no argument holds a quote.
    std::string command = "'" SETTINGS_CHILD_PATH "' '" + driveC + "'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    ChildResult result{"", -1};
    FILE* const output = popen(command.c_str(), "r");
    if (output == nullptr) {
        return result;
    }
    char buffer[256];
    for (size_t got = 0; (got = std::fread(buffer, 1, sizeof buffer, output)) > 0;) {
        result.output.append(buffer, got);
    }
    const int status = pclose(output);
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    if (result.output.ends_with('\n')) {
        result.output.pop_back();
    }
    return result;
}
