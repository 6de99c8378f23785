#pragma once
// CWinApp: the application object, here for what the components ask of it: its name, its
// main window and its profile (workspace state). The last application object made is
// the current one; without one, AfxGetApp answers a default application named after the
// program, so the profile calls always have a home.

#include "platform/core/CObject.h"
#include "platform/core/CString.h"

class CWnd;

class SUI_API CWinApp : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // A null name means the program's name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    LPCTSTR m_pszAppName;
    // The profile file: "<app>.ini" in the profile folder (plat::kProfileFolder); set a
    // path with a folder to keep it elsewhere.
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;

    // Kept for the record only: the profile stays in its file.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

private:
    CString ProfileFile() const;

    CString appName_;
    CString profileName_;
    CString registryKey_;
};

SUI_API CWinApp* AfxGetApp();
SUI_API CWnd* AfxGetMainWnd();
