#pragma once
// The settings_child program run as a second process beside a test, with pipes to its
// standard input and output. See SettingsChild.cpp for its commands.

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    // Starts settings_child with C: mapped to driveC, then the given arguments.
    ChildProcess(const std::string& driveC, const std::vector<std::string>& arguments);
    // Kills the child if it still runs.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_pid > 0; }
    // One line of its output without the line end; "<timeout>" after 20 s of silence and
    // "<end>" when it closed its output.
    std::string ReadLine();
    void WriteLine(const std::string& line);
    // Its exit code, or 128 + the signal that ended it.
    int Wait();
    void Kill();

private:
    pid_t m_pid = -1;
    int m_input = -1;   // the child's standard input
    int m_output = -1;  // the child's standard output
    std::string m_pending;
};

// Runs settings_child to its end; its output (all lines joined by "\n") and exit code.
struct ChildResult {
    std::string output;
    int exitCode;
};
ChildResult RunChild(const std::string& driveC, const std::vector<std::string>& arguments);
