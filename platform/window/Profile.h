#pragma once
// Profile files: the application's store for workspace state (which panes show, where
// the frame stood), in the text format of Windows initialisation files:
//
//     [Workspace\BasePane-1001]
//     IsVisible=1
//
// Section and entry names compare without regard to case. A value with blanks at either
// end, or wrapped in quotes, is written in double quotes, which reading removes. Names
// and values holding a line break, entry names holding '=' and section names holding ']'
// are refused (they could not be read back). Every write replaces the file atomically,
// so a crash leaves the old file or the new one, never half of it; the file is read
// again on every call, so other processes' writes are seen.

#include <optional>

#include "platform/core/CString.h"

// file is a Windows path mapped through the drive table. A missing file or entry gives
// the default. GetPrivateProfileIntA reads a signed decimal number (the bits of a
// negative one come back as UINT); an entry that is not a number gives 0.
SUI_API UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file);
// Copies the value (or the default) into out, cut to size - 1 bytes; answers the bytes
// copied. A null key lists the section's entry names, a null section the section names,
// each ended by a NUL, the list by a second one.
SUI_API DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                                       DWORD size, LPCSTR file);
// A null value removes the entry, a null key the whole section.
SUI_API BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);

namespace plat {

// The folder of the applications' profile files, through the drive table.
constexpr const char* kProfileFolder = "C:\\surveyui-profiles";

// The file of a profile name: kProfileFolder\<name> for a bare file name, the name
// itself when it holds a folder or a drive.
SUI_API CString ProfileFilePath(const char* profileName);
SUI_API std::optional<CString> ReadProfileValue(const char* file, const char* section,
                                                const char* key);

}  // namespace plat
