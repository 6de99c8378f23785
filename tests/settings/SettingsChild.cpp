// A second program sharing the tests' settings folder: it maps C: to the folder named on
// its command line, runs as the application "SurveyTest" and performs one settings
// operation, so the tests can watch what one process sees of another's files.
//
// settings_child <folder of C:> [options] <command> [arguments]
//   options:  --unprivileged        run as nobody when started as root (file permissions
//                                   then apply)
//             --file-size-limit N   writing beyond N bytes fails, as on a full disk
//             --map-d FOLDER        map D: to FOLDER as a fixed drive
//   commands: read-units            prints "<units> <conversion> <imperial>"
//             write-units U C I
//             read-tension          prints the Tension Mode
//             write-tension T
//             folder                prints the settings folder
//             find-root             prints "<result> <root>"
//             hold-write NAME V...  opens NAME for writing, writes "Value = V" lines,
//                                   prints "ready" and waits for a line: "commit" closes
//                                   the file, anything else abandons it
//             hold-read NAME        opens NAME for reading, prints "ready", waits for a
//                                   line, closes
// A hold that cannot open its file prints "failed" and exits with 3.

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "surveyui.h"

namespace {

constexpr int kUsage = 2;
constexpr int kOpenFailed = 3;
constexpr uid_t kNobody = 65534;

using Arguments = std::vector<std::string>;

bool DropPrivileges() {
    if (geteuid() != 0) {
        return true;
    }
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
}

bool LimitFileSize(const std::string& bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = std::strtoull(bytes.c_str(), nullptr, 10);
    const rlimit size{limit, limit};
    return setrlimit(RLIMIT_FSIZE, &size) == 0;
}

void Say(const std::string& text) {
    std::cout << text << std::endl;
}

std::string WaitForLine() {
    std::string line;
    std::getline(std::cin, line);
    return line;
}

int HoldWrite(const Arguments& args) {
    CConfigFile file;
    if (args.empty() || !file.OpenForWrite(args[0].c_str())) {
        Say("failed");
        return kOpenFailed;
    }
    for (size_t i = 1; i < args.size(); ++i) {
        file.WriteInt("Value", std::atoi(args[i].c_str()));
    }
    Say("ready");
    if (WaitForLine() == "commit") {
        file.Close();
    } else {
        file.Abort();
    }
    return 0;
}

int HoldRead(const Arguments& args) {
    CConfigFile file;
    if (args.empty() || !file.OpenForRead(args[0].c_str())) {
        Say("failed");
        return kOpenFailed;
    }
    Say("ready");
    WaitForLine();
    file.Close();
    return 0;
}

int Run(const std::string& command, const Arguments& args) {
    if (command == "read-units") {
        int conversion = 0;
        int imperial = 0;
        const int units = ReadUnitsSettings(&conversion, &imperial);
        Say(std::to_string(units) + " " + std::to_string(conversion) + " " +
            std::to_string(imperial));
    } else if (command == "write-units" && args.size() == 3) {
        WriteUnitsSettings(std::stoi(args[0]), std::stoi(args[1]), std::stoi(args[2]));
    } else if (command == "read-tension") {
        Say(std::to_string(ReadTensionMode()));
    } else if (command == "write-tension" && args.size() == 1) {
        WriteTensionMode(std::stoi(args[0]));
    } else if (command == "folder") {
        Say(GetSettingsFolder().GetString());
    } else if (command == "find-root") {
        CString root;
        const bool found = FindSettingsRoot(root);
        Say(std::string(found ? "1 " : "0 ") + root.GetString());
    } else if (command == "hold-write") {
        return HoldWrite(args);
    } else if (command == "hold-read") {
        return HoldRead(args);
    } else {
        return kUsage;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return kUsage;
    }
    plat::MapDrive('C', argv[1], DRIVE_FIXED);
    plat::OverrideCommandLine("\"C:\\Programs\\SurveyTest.exe\"");
    int next = 2;
    for (; next < argc && std::string(argv[next]).starts_with("--"); ++next) {
        const std::string option = argv[next];
        if (option == "--unprivileged") {
            if (!DropPrivileges()) {
                return kUsage;
            }
        } else if (option == "--file-size-limit" && next + 1 < argc) {
            if (!LimitFileSize(argv[++next])) {
                return kUsage;
            }
        } else if (option == "--map-d" && next + 1 < argc) {
            plat::MapDrive('D', argv[++next], DRIVE_FIXED);
        } else {
            return kUsage;
        }
    }
    if (next >= argc) {
        return kUsage;
    }
    return Run(argv[next], Arguments(argv + next + 1, argv + argc));
}
