#pragma once
// A printer device context: a CDC that draws the pages of a print job at the printer's
// resolution and, when the job ends, writes them as a document a person can open.
//
//     StartDoc   begins a job (its name, and the output file or the printer's choice)
//     StartPage  gives a fresh white page (HORZRES x VERTRES pixels) to draw on
//     EndPage    keeps the page: its pixels are compressed at once and released, so a
//                long job holds one page of pixels at a time
//     EndDoc     writes the document: <name>.pdf, and/or <name>-page-N.png (see
//                PrinterSettings::output); the job leaves no file when writing fails
//     AbortDoc   drops the job; nothing is written
//
// The context's state (selected font, pen, colours, origins, clip) carries over from page
// to page. Drawing outside a page (before StartPage, after EndPage) touches nothing.
//
// Where the file goes: DOCINFO::lpszOutput when given; else PrinterSettings::outputFile;
// else "<outputFolder>\<document name>.pdf" (C:\surveyui-print by default, made when
// missing), with the characters a file name cannot hold replaced by '_'. For PNG pages
// the ".pdf" of that path gives way to "-page-N.png".
//
// GetDeviceCaps answers the page geometry (HORZRES/VERTRES, LOGPIXELSX/Y,
// PHYSICALWIDTH/HEIGHT, PHYSICALOFFSETX/Y, HORZSIZE/VERTSIZE) and TECHNOLOGY =
// DT_RASPRINTER. CDC::GetDeviceCaps is not virtual: through a plain CDC pointer the
// PHYSICAL... values read 0; ::GetDeviceCaps(hdc, ...) answers them for any handle.

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/CDC.h"
#include "platform/gdi/Surface.h"
#include "platform/print/PrintTypes.h"
#include "platform/print/PrinterSettings.h"

namespace plat {

class SUI_API PrinterDC : public CDC {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // A context for the printer; nullptr when the settings describe no page
    // (PageGeometryOf).
    static std::unique_ptr<PrinterDC> Create(const PrinterSettings& settings);
    // A job still running is aborted.
    ~PrinterDC() override;

    const PrinterSettings& Settings() const { return settings_; }
    const PageGeometry& Geometry() const { return page_; }
    int GetDeviceCaps(int index) const;

    // Each answers a positive number on success (StartDoc: the job's number) and SP_ERROR
    // (or SP_OUTOFMEMORY, SP_OUTOFDISK) on failure or when called out of order.
    int StartDoc(const DOCINFOA* docInfo);
    int StartDoc(LPCTSTR docName);
    int StartPage();
    // Ends the page and keeps it.
    int EndPage();
    // Writes the document; a page still open is ended first. A job without pages writes
    // nothing and succeeds.
    int EndDoc();
    int AbortDoc();

    bool IsJobRunning() const { return job_ != nullptr; }
    bool IsPageOpen() const;
    // Pages ended in the running job.
    int PagesEnded() const;
    // The files (paths of this machine) the last successful EndDoc wrote.
    const std::vector<std::string>& WrittenFiles() const { return written_; }

private:
    PrinterDC(const PrinterSettings& settings, const PageGeometry& page);

    struct Job;
    bool EncodePage();

    PrinterSettings settings_;
    PageGeometry page_;
    Surface surface_;  // the open page, empty between pages
    std::unique_ptr<Job> job_;
    std::vector<std::string> written_;
};

// The printer context behind a handle, or nullptr when it is none (or was deleted).
SUI_API PrinterDC* PrinterDCFromHandle(HDC hdc);

// A printer context owned by the platform, released by ::DeleteDC; nullptr when the
// settings describe no page. (A context whose CDC::DeleteDC was called is released the
// next time a printer context is made.)
SUI_API HDC CreatePrinterDC(const PrinterSettings& settings);

// What the last print job that ended wrote: its name, pages and files (a test of a
// program's "Print" reads it after the program has deleted its context).
struct PrintJobRecord {
    std::string docName;
    int pages = 0;
    bool written = false;  // false when writing failed or the job was aborted
    std::vector<std::string> files;
};
SUI_API PrintJobRecord LastPrintJob();

}  // namespace plat

// The Win32 calls on printer handles. On a handle that is no printer context they fail
// (SP_ERROR), except DeleteDC and GetDeviceCaps, which act on any device context.
SUI_API HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* devMode);
inline HDC CreateDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* devMode) {
    return CreateDCA(driver, device, port, devMode);
}
SUI_API BOOL DeleteDC(HDC hdc);
SUI_API int GetDeviceCaps(HDC hdc, int index);
SUI_API int StartDocA(HDC hdc, const DOCINFOA* docInfo);
inline int StartDoc(HDC hdc, const DOCINFOA* docInfo) {
    return StartDocA(hdc, docInfo);
}
SUI_API int StartPage(HDC hdc);
SUI_API int EndPage(HDC hdc);
SUI_API int EndDoc(HDC hdc);
SUI_API int AbortDoc(HDC hdc);
