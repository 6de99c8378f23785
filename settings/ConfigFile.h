#pragma once
// The settings folder and CConfigFile, the reader and writer of every stored setting.
// One small text file per setting, one "key = value" line per value, read in the order
// written (readers ignore the key). See docs/settings.md for the folder rules and the
// read cache.

#include <memory>
#include <string>

#include "platform/core/CArray.h"
#include "platform/core/CStdioFile.h"

namespace settings_cache {
struct CachedLines;
}

class SUI_API CConfigFile : public CStdioFile {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CConfigFile() = default;
    ~CConfigFile() override;

    // A null path raises the invalid-argument exception.
    void SetFilePath(const char* newName) override;
    void WriteString(const char* text) override;
    BOOL ReadString(CString& line) override;
    using CStdioFile::ReadString;
    // A file opened by OpenForRead may be served from the read cache (docs/settings.md):
    // its lines, the positions at which they start and its length are those of the file,
    // but no descriptor is open (IsOpen is false) and the raw Read is not available.
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Close() override;
    void Abort() override;

    // "<settings folder><name with blanks as '_'>.<extension or INI>".
    virtual CString GetConfigPath(const char* settingName, const char* extension = nullptr);

    // Text mode, denying other writers. A name that would leave the settings folder
    // (a path separator or "..") is refused.
    BOOL OpenForRead(const char* settingName, const char* extension = nullptr);
    // As OpenForRead, but creates or replaces the file; the new content replaces the old
    // file atomically when the file is closed.
    BOOL OpenForWrite(const char* settingName, const char* extension = nullptr);

    // Each reads the next line; a missing line or one without '=' gives the default
    // (0, false, empty text where none is given).
    int ReadInt(int defaultValue);
    short ReadShort();
    bool ReadBool();
    double ReadDouble(double defaultValue);
    char ReadChar(char defaultValue);
    CString ReadText();
    // Reads a "[name]" line and the plain lines after it; see docs/settings.md.
    CString ReadSection(CString& name, CStringArray& lines);

    void WriteInt(const char* key, int value);
    void WriteChar(const char* key, char value);

protected:
    bool OnOpened() override;

private:
    bool ServeCachedLines(const CString& path, const std::string& hostPath);
    void CacheLinesAndServe(const CString& path, const std::string& hostPath);
    void StopServingCachedLines();

    std::shared_ptr<const settings_cache::CachedLines> m_cachedLines;
    size_t m_nextCachedLine = 0;
    std::string m_writtenHostPath;  // a setting being written, whose cache entry goes on Close
};

// The settings folder, ending with a backslash; created if missing.
SUI_API CString GetSettingsFolder();
// Chooses (and creates if need be) "MySettings" at a drive root; path receives it.
SUI_API bool FindSettingsRoot(CString& path);
// Creates every missing folder along path (a Windows path with a drive letter).
SUI_API bool CreateFolderPath(const CString& path);
