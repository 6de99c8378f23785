#pragma once
// The drive table: Windows paths ("C:\MySettings\App\x.INI") are mapped onto folders of
// this machine. C: defaults to a per-user folder (~/.local/share/surveyui/drive_c, made on
// first use); other letters are unmapped until a host or a test maps them.

#include <optional>
#include <string>

#include "platform/core/WinTypes.h"

namespace plat {

// Maps letter (either case) to folder, reported by GetDriveTypeA as driveType.
SUI_API void MapDrive(char letter, const std::string& folder, unsigned driveType = DRIVE_FIXED);
// Unmaps the letter; C: goes back to its per-user default.
SUI_API void UnmapDrive(char letter);
// The folder a letter maps to, or nothing.
SUI_API std::optional<std::string> DriveFolder(char letter);

// Turns a Windows path into a path of this machine: "X:\a\b" becomes "<folder of X>/a/b",
// backslashes become slashes. Paths without a drive letter stay relative (or absolute,
// when they start with a slash). Nothing when the drive is unmapped.
SUI_API std::optional<std::string> ToHostPath(const char* windowsPath);

}  // namespace plat

// The type of the drive whose root is named ("C:\", "D:", "d:\"): the mapped type, or
// DRIVE_NO_ROOT_DIR for an unmapped letter or a malformed root.
SUI_API UINT GetDriveTypeA(const char* rootPathName);
