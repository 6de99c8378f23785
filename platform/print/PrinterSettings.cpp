// The printer's settings, its page geometry and its device mode.

#include "platform/print/PrinterSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <utility>

#include "platform/gdi/Surface.h"

namespace plat {

namespace {

constexpr int kMaxPaper = 20000;  // 2 m in tenths of a millimetre
constexpr double kTenthsPerInch = 254.0;

std::mutex& DefaultMutex() {
    static std::mutex mutex;
    return mutex;
}
PrinterSettings& DefaultSettings() {
    static PrinterSettings settings;
    return settings;
}

int ToPixels(int tenthsOfMillimetre, int dpi) {
    return static_cast<int>(std::lround(tenthsOfMillimetre * dpi / kTenthsPerInch));
}

double ToPoints(int tenthsOfMillimetre) {
    return tenthsOfMillimetre * 72.0 / kTenthsPerInch;
}

struct PaperTableEntry {
    short code;
    short width;
    short length;
};
constexpr PaperTableEntry kPapers[] = {
    {DMPAPER_A4, 2100, 2970},
    {DMPAPER_A3, 2970, 4200},
    {DMPAPER_LETTER, 2159, 2794},
};

short PaperCodeOf(int width, int length) {
    for (const PaperTableEntry& paper : kPapers) {
        if (paper.width == width && paper.length == length) {
            return paper.code;
        }
    }
    return 0;
}

}  // namespace

std::optional<PageGeometry> PageGeometryOf(const PrinterSettings& s) {
    if (s.dpi < kMinPrinterDpi || s.dpi > kMaxPrinterDpi || s.copies < 1 || s.margin < 0 ||
        s.paperWidth > kMaxPaper || s.paperLength > kMaxPaper ||
        2 * s.margin >= std::min(s.paperWidth, s.paperLength)) {
        return std::nullopt;
    }
    const int paperWidth = s.landscape ? s.paperLength : s.paperWidth;
    const int paperHeight = s.landscape ? s.paperWidth : s.paperLength;
    PageGeometry page;
    page.dpi = s.dpi;
    page.physicalWidth = ToPixels(paperWidth, s.dpi);
    page.physicalHeight = ToPixels(paperHeight, s.dpi);
    page.offsetX = ToPixels(s.margin, s.dpi);
    page.offsetY = page.offsetX;
    page.width = page.physicalWidth - 2 * page.offsetX;
    page.height = page.physicalHeight - 2 * page.offsetY;
    page.paperWidthPoints = ToPoints(paperWidth);
    page.paperHeightPoints = ToPoints(paperHeight);
    const auto pixels = static_cast<std::int64_t>(page.width) * page.height;
    if (page.width < 1 || page.height < 1 || page.width > Surface::kMaxSide ||
        page.height > Surface::kMaxSide || pixels > Surface::kMaxPixels) {
        return std::nullopt;
    }
    return page;
}

PrinterSettings DefaultPrinter() {
    const std::lock_guard lock(DefaultMutex());
    return DefaultSettings();
}

void SetDefaultPrinter(const PrinterSettings& settings) {
    const std::lock_guard lock(DefaultMutex());
    DefaultSettings() = settings;
}

DEVMODEA DevModeOf(const PrinterSettings& s) {
    DEVMODEA mode{};
    const std::size_t nameLength = std::min<std::size_t>(s.deviceName.size(), CCHDEVICENAME - 1);
    std::memcpy(mode.dmDeviceName, s.deviceName.data(), nameLength);
    mode.dmSpecVersion = 0x0401;
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                    DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLLATE;
    mode.dmOrientation = s.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    mode.dmPaperSize = PaperCodeOf(s.paperWidth, s.paperLength);
    mode.dmPaperWidth = static_cast<short>(std::clamp(s.paperWidth, 0, kMaxPaper));
    mode.dmPaperLength = static_cast<short>(std::clamp(s.paperLength, 0, kMaxPaper));
    mode.dmScale = 100;
    mode.dmCopies = static_cast<short>(std::clamp(s.copies, 1, 9999));
    mode.dmPrintQuality = static_cast<short>(s.dpi);
    mode.dmYResolution = static_cast<short>(s.dpi);
    mode.dmColor = 2;  // DMCOLOR_COLOR
    mode.dmCollate = DMCOLLATE_TRUE;
    return mode;
}

bool ApplyDevMode(const DEVMODEA& mode, PrinterSettings& settings) {
    PrinterSettings next = settings;
    const DWORD fields = mode.dmFields;
    if (fields & DM_ORIENTATION) {
        if (mode.dmOrientation != DMORIENT_PORTRAIT && mode.dmOrientation != DMORIENT_LANDSCAPE) {
            return false;
        }
        next.landscape = mode.dmOrientation == DMORIENT_LANDSCAPE;
    }
    if ((fields & DM_PAPERSIZE) && mode.dmPaperSize != 0) {
        const auto* paper = std::find_if(std::begin(kPapers), std::end(kPapers),
                                         [&](const auto& p) { return p.code == mode.dmPaperSize; });
        if (paper == std::end(kPapers)) {
            return false;
        }
        next.paperWidth = paper->width;
        next.paperLength = paper->length;
    }
    // Length and width override the paper size, as the device mode defines.
    if (fields & DM_PAPERWIDTH) {
        next.paperWidth = mode.dmPaperWidth;
    }
    if (fields & DM_PAPERLENGTH) {
        next.paperLength = mode.dmPaperLength;
    }
    if (fields & DM_COPIES) {
        next.copies = mode.dmCopies;
    }
    const bool quality = (fields & DM_PRINTQUALITY) && mode.dmPrintQuality > 0;
    const bool yResolution = (fields & DM_YRESOLUTION) && mode.dmYResolution > 0;
    if (quality && yResolution && mode.dmPrintQuality != mode.dmYResolution) {
        return false;  // the printer has square pixels only
    }
    if (quality || yResolution) {
        next.dpi = quality ? mode.dmPrintQuality : mode.dmYResolution;
    }
    if (!PageGeometryOf(next)) {
        return false;
    }
    settings = std::move(next);
    return true;
}

}  // namespace plat
