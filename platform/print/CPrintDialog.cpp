// The print dialog, answered through the dialog hook.

#include "platform/print/CPrintDialog.h"

#include <algorithm>
#include <cstdint>

#include "platform/print/PrinterDC.h"
#include "platform/window/CWnd.h"

const CRuntimeClass CPrintDialog::runtimeClass =
    plat::MakeRuntimeClass<CPrintDialog, CObject>("CPrintDialog");

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : parent_(pParentWnd), printer_(plat::DefaultPrinter()) {
    m_pd.lStructSize = sizeof(PRINTDLGA);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nFromPage = 0xFFFF;
    m_pd.nToPage = 0xFFFF;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
    devMode_ = plat::DevModeOf(printer_);
}

void CPrintDialog::Choose(const plat::PrinterSettings& printer) {
    printer_ = printer;
    devMode_ = plat::DevModeOf(printer_);
    m_pd.nCopies = static_cast<WORD>(std::clamp(printer_.copies, 1, 0xFFFF));
}

INT_PTR CPrintDialog::DoModal() {
    m_pd.hwndOwner = parent_ ? parent_->GetSafeHwnd() : nullptr;
    const bool setupOnly = (m_pd.Flags & PD_PRINTSETUP) != 0;
    plat::PrintDialogRequest request(setupOnly ? plat::DialogKind::PrintSetup
                                               : plat::DialogKind::Print);
    request.owner = m_pd.hwndOwner;
    request.title = setupOnly ? "Print Setup" : "Print";
    request.flags = m_pd.Flags;
    request.printer = printer_;
    request.printer.copies = m_pd.nCopies;
    if (plat::AskDialog(request, plat::DialogAnswer::Ok) != plat::DialogAnswer::Ok ||
        !plat::PageGeometryOf(request.printer)) {
        return IDCANCEL;
    }
    Choose(request.printer);
    if (!setupOnly && (m_pd.Flags & PD_RETURNDC) && !CreatePrinterDC()) {
        return IDCANCEL;
    }
    return IDOK;
}

BOOL CPrintDialog::GetDefaults() {
    Choose(plat::DefaultPrinter());
    if ((m_pd.Flags & PD_RETURNDC) && !CreatePrinterDC()) {
        return FALSE;
    }
    return TRUE;
}

HDC CPrintDialog::CreatePrinterDC() {
    m_pd.hDC = plat::CreatePrinterDC(printer_);
    return m_pd.hDC;
}

CString CPrintDialog::GetDeviceName() const {
    return CString(printer_.deviceName.c_str());
}

CString CPrintDialog::GetDriverName() const {
    return "surveyui";
}

CString CPrintDialog::GetPortName() const {
    return "FILE:";
}

int CPrintDialog::GetCopies() const {
    return m_pd.nCopies;
}
