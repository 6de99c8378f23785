#include "platform/window/CWinApp.h"

#include <cerrno>
#include <cstdio>

#include "platform/window/Profile.h"

const CRuntimeClass CWinApp::runtimeClass = plat::MakeRuntimeClass<CWinApp, CObject>("CWinApp");

namespace {

CWinApp* current = nullptr;

CString ProgramName() {
    const char* name = program_invocation_short_name;
    return name && *name ? CString(name) : CString("surveyui");
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : appName_(lpszAppName ? CString(lpszAppName) : ProgramName()),
      profileName_(appName_ + ".ini") {
    m_pszAppName = appName_;
    m_pszProfileName = profileName_;
    current = this;
}

CWinApp::~CWinApp() {
    if (current == this) {
        current = nullptr;
    }
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    registryKey_ = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = registryKey_;
}

CString CWinApp::ProfileFile() const {
    return plat::ProfileFilePath(m_pszProfileName);
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, ProfileFile());
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", nValue);
    return WritePrivateProfileStringA(lpszSection, lpszEntry, text, ProfileFile());
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    const std::optional<CString> value =
        plat::ReadProfileValue(ProfileFile(), lpszSection, lpszEntry);
    return value ? *value : CString(lpszDefault ? lpszDefault : "");
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, ProfileFile());
}

CWinApp* AfxGetApp() {
    if (current) {
        return current;
    }
    // Made once when no application object exists, and kept (never destroyed at exit).
    static auto* fallback = new CWinApp;
    return current ? current : fallback;
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app ? app->GetMainWnd() : nullptr;
}
