#pragma once
// CPrintDialog: the framework's print dialog. DoModal hands a plat::PrintDialogRequest
// to the dialog hook (DialogHook.h), which chooses the printer settings (resolution,
// paper, copies, output) and answers OK or Cancel. Without a hook the dialog answers OK
// with the default printer (plat::DefaultPrinter()), so a program's "Print" works
// headless and writes its file.
//
// After OK, with PD_RETURNDC (set by the constructor unless the dialog is for set-up
// only), m_pd.hDC is a printer context for the chosen settings. As in the framework the
// caller owns it and releases it with ::DeleteDC; the dialog does not.
//
// This printer prints what the program draws: it makes no copies of its own, so
// GetCopies answers the chosen count (PD_USEDEVMODECOPIES or not) for the program to
// draw that many times.

#include "platform/core/CObject.h"
#include "platform/core/CString.h"
#include "platform/print/DialogHook.h"
#include "platform/print/PrintTypes.h"
#include "platform/print/PrinterSettings.h"

class CWnd;

class SUI_API CPrintDialog : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    PRINTDLGA m_pd{};

    // IDOK or IDCANCEL. OK with settings that describe no page, or a context that cannot
    // be made, counts as Cancel.
    virtual INT_PTR DoModal();
    // The default printer without asking anyone (and its context with PD_RETURNDC).
    BOOL GetDefaults();

    // m_pd.hDC: the context made by the last DoModal / GetDefaults, or null.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    // A new context for the chosen printer, stored in m_pd.hDC (the caller owns it).
    HDC CreatePrinterDC();

    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    LPDEVMODEA GetDevMode() const { return &devMode_; }
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    // The platform's printer settings behind the dialog's choice.
    const plat::PrinterSettings& GetPrinterSettings() const { return printer_; }

private:
    void Choose(const plat::PrinterSettings& printer);

    CWnd* parent_;
    plat::PrinterSettings printer_;
    mutable DEVMODEA devMode_{};
};
