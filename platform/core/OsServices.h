#pragma once
// Operating-system services the components call by their Win32 / C runtime names:
// folders, file existence, path splitting and the program's command line.

#include <cstddef>

#include "platform/core/WinTypes.h"

struct SECURITY_ATTRIBUTES;

// Creates one folder. FALSE with GetLastError() == ERROR_ALREADY_EXISTS (183) when it is
// there already, ERROR_PATH_NOT_FOUND when its parent is missing or the drive unmapped,
// ERROR_ACCESS_DENIED for a drive root or a folder we may not write.
SUI_API BOOL CreateDirectoryA(const char* pathName, SECURITY_ATTRIBUTES* security);

// 0 when the path exists (mode 0), is writable (2), readable (4) or both (6); else -1.
SUI_API int _access(const char* path, int mode);

// Splits a path into drive ("C:"), folder (through the last '\' or '/'), file name and
// extension (from the last '.' of the name part). Any output may be null with size 0.
// Returns 0, EINVAL for a null path or an output pointer/size mismatch, ERANGE when an
// output is too small (all outputs are then emptied).
SUI_API errno_t _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir,
                             size_t dirSize, char* fname, size_t fnameSize, char* ext,
                             size_t extSize);

constexpr size_t _MAX_DRIVE = 3;
constexpr size_t _MAX_DIR = 256;
constexpr size_t _MAX_FNAME = 256;
constexpr size_t _MAX_EXT = 256;
constexpr size_t _MAX_PATH = 260;

// The program's command line as the Windows loader gives it: the program path in double
// quotes, then the arguments separated by blanks (an argument holding a blank is quoted).
SUI_API const char* GetCommandLineA();

namespace plat {
// Replaces the command line GetCommandLineA reports (a test's stand-in for starting a
// program under another name); nullptr goes back to the real one.
SUI_API void OverrideCommandLine(const char* commandLine);
}  // namespace plat
