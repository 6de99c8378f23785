#pragma once
// The printing interface's records and constants with the framework's values: the
// document description (DOCINFO), the print job results (SP_), the printer's device mode
// (DEVMODE, the fields this platform's printer honours) and the print dialog's record
// (PRINTDLG, the fields framework code reads) with its flags (PD_).

#include "platform/core/WinTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/window/WinUser.h"

struct DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;  // the job's name (may be null)
    LPCSTR lpszOutput;   // the file to write, or null for the printer's own choice
    LPCSTR lpszDatatype;
    DWORD fwType;
};
using DOCINFO = DOCINFOA;
using LPDOCINFOA = DOCINFOA*;
using LPDOCINFO = DOCINFOA*;

// StartDoc, StartPage, EndPage, EndDoc and AbortDoc answer a positive number, or one of
// these on failure.
constexpr int SP_ERROR = -1;
constexpr int SP_APPABORT = -2;
constexpr int SP_USERABORT = -3;
constexpr int SP_OUTOFDISK = -4;
constexpr int SP_OUTOFMEMORY = -5;

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;

struct DEVMODEA {
    char dmDeviceName[CCHDEVICENAME];
    WORD dmSpecVersion;
    WORD dmDriverVersion;
    WORD dmSize;
    WORD dmDriverExtra;
    DWORD dmFields;  // which of the fields below are set (DM_)
    short dmOrientation;
    short dmPaperSize;
    short dmPaperLength;  // tenths of a millimetre
    short dmPaperWidth;   // tenths of a millimetre
    short dmScale;
    short dmCopies;
    short dmDefaultSource;
    short dmPrintQuality;  // dots per inch when positive
    short dmColor;
    short dmDuplex;
    short dmYResolution;  // dots per inch
    short dmTTOption;
    short dmCollate;
    char dmFormName[CCHFORMNAME];
};
using DEVMODE = DEVMODEA;
using LPDEVMODEA = DEVMODEA*;
using LPDEVMODE = DEVMODEA*;

constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr DWORD DM_YRESOLUTION = 0x00002000;
constexpr DWORD DM_COLLATE = 0x00008000;

constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_A3 = 8;
constexpr short DMPAPER_A4 = 9;
constexpr short DMCOLLATE_FALSE = 0;
constexpr short DMCOLLATE_TRUE = 1;

struct PRINTDLGA {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;  // the printer context, with PD_RETURNDC after OK; the caller deletes it
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
    LPARAM lCustData;
};
using PRINTDLG = PRINTDLGA;
using LPPRINTDLGA = PRINTDLGA*;
using LPPRINTDLG = PRINTDLGA*;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_COLLATE = 0x00000010;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_NOWARNING = 0x00000080;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNIC = 0x00000200;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_SHOWHELP = 0x00000800;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
constexpr DWORD PD_DISABLEPRINTTOFILE = 0x00080000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;
constexpr DWORD PD_NONETWORKBUTTON = 0x00200000;
