#pragma once
// The printer this platform offers: "surveyui PDF printer", a raster printer that writes
// each finished job as a file a person can open (a PDF with one page image per page,
// and/or one PNG file per page). Its settings play the part of the printer driver's
// device mode: resolution, paper, orientation, copies and where the output goes.

#include <optional>
#include <string>

#include "platform/print/PrintTypes.h"

namespace plat {

inline constexpr const char* kDefaultPrinterName = "surveyui PDF printer";
// Jobs that name no output file go here, as "<document name>.pdf" (a Windows path,
// mapped through the drive table).
inline constexpr const char* kPrintFolder = "C:\\surveyui-print";

enum class PrintOutput {
    Pdf,             // <name>.pdf
    PngPages,        // <name>-page-1.png, <name>-page-2.png, ...
    PdfAndPngPages,  // both
};

struct PrinterSettings {
    std::string deviceName = kDefaultPrinterName;
    int dpi = 600;           // both directions; 50 to 1200
    int paperWidth = 2100;   // tenths of a millimetre, portrait (A4)
    int paperLength = 2970;  // tenths of a millimetre, portrait (A4)
    bool landscape = false;
    int margin = 42;  // unprintable border on every side, tenths of a millimetre
    int copies = 1;   // what the print dialog reports; the program draws each copy
    PrintOutput output = PrintOutput::Pdf;
    std::string outputFolder = kPrintFolder;  // for jobs that name no file
    std::string outputFile;  // when set, the file of every job that names none itself
};

// A page in device pixels, as GetDeviceCaps reports it: the paper (PHYSICALWIDTH/HEIGHT),
// the printable area's offset on it (PHYSICALOFFSETX/Y) and the printable area itself
// (HORZRES/VERTRES), which is what a printer context draws into.
struct PageGeometry {
    int dpi = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int width = 0;
    int height = 0;
    // The paper in PDF points (1/72 inch), from its size in millimetres.
    double paperWidthPoints = 0;
    double paperHeightPoints = 0;
};

inline constexpr int kMinPrinterDpi = 50;
inline constexpr int kMaxPrinterDpi = 1200;

// The page the settings describe; nothing when they describe none a page surface can hold
// (resolution outside 50..1200 dpi, paper smaller than its margins or larger than 2 m,
// a negative margin, fewer than one copy).
SUI_API std::optional<PageGeometry> PageGeometryOf(const PrinterSettings& settings);

// The default printer the print dialog starts from (A4, 600 dpi, PDF). A host or a test
// may change it, e.g. to a lower resolution for fast runs.
SUI_API PrinterSettings DefaultPrinter();
SUI_API void SetDefaultPrinter(const PrinterSettings& settings);

// The settings as a device mode (every field this printer honours, named in dmFields).
SUI_API DEVMODEA DevModeOf(const PrinterSettings& settings);
// Applies the fields a device mode names (orientation, paper size or length/width,
// copies, print quality / y resolution, both taken as dots per inch). Unknown paper sizes
// and values outside their ranges leave settings untouched and answer false.
SUI_API bool ApplyDevMode(const DEVMODEA& devMode, PrinterSettings& settings);

}  // namespace plat
