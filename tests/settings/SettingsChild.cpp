// A second program on the tests' settings folder, as the application "SurveyTest":
//
// settings_child <folder of C:> [option] read-units      prints "<units> <conversion> <imperial>"
// settings_child <folder of C:> [option] write-units U C I
//   option: --unprivileged       run as nobody when started as root (permissions then apply)
//           --file-size-limit N  writing beyond N bytes fails, as on a full disk

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "surveyui.h"

namespace {

constexpr int kUsage = 2;
constexpr uid_t kNobody = 65534;

bool DropPrivileges() {
    return geteuid() != 0 ||
           (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0);
}

bool LimitFileSize(const std::string& bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = std::stoull(bytes);
    const rlimit size{limit, limit};
    return setrlimit(RLIMIT_FSIZE, &size) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[1] == "--unprivileged") {
        if (!DropPrivileges()) {
            return kUsage;
        }
        args.erase(args.begin() + 1);
    } else if (args.size() >= 3 && args[1] == "--file-size-limit") {
        if (!LimitFileSize(args[2])) {
            return kUsage;
        }
        args.erase(args.begin() + 1, args.begin() + 3);
    }
    if (args.size() < 2) {
        return kUsage;
    }
    plat::MapDrive('C', args[0], DRIVE_FIXED);
    plat::OverrideCommandLine("\"C:\\Programs\\SurveyTest.exe\"");
    if (args.size() == 2 && args[1] == "read-units") {
        int conversion = 0;
        int imperial = 0;
        const int units = ReadUnitsSettings(&conversion, &imperial);
        std::printf("%d %d %d\n", units, conversion, imperial);
    } else if (args.size() == 5 && args[1] == "write-units") {
        WriteUnitsSettings(std::stoi(args[2]), std::stoi(args[3]), std::stoi(args[4]));
    } else {
        return kUsage;
    }
    return 0;
}
