// The printer context: pages drawn at printer resolution, compressed as they end, written
// as a PDF and/or PNG files when the job ends.

#include "platform/print/PrinterDC.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <new>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/core/CFile.h"
#include "platform/core/Drives.h"
#include "platform/core/OsServices.h"
#include "platform/gdi/Png.h"
#include "platform/print/Flate_p.h"
#include "platform/print/PdfWriter.h"

namespace plat {

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr const char* kUntitled = "Untitled";
constexpr std::size_t kMaxFileNameLength = 200;

// ---- Which contexts are printers, and which the platform owns ---------------------------

struct Registry {
    std::mutex mutex;
    std::unordered_map<HDC, PrinterDC*> live;
    std::unordered_map<HDC, std::unique_ptr<PrinterDC>> owned;
    PrintJobRecord lastJob;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

HDC HandleOf(const PrinterDC* dc) {
    // The handle a CDC gives itself (CDC::FromHandle turns it back into the object).
    return reinterpret_cast<HDC>(const_cast<CDC*>(static_cast<const CDC*>(dc)));
}

void RecordJob(PrintJobRecord record) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.lastJob = std::move(record);
}

// ---- Output files -------------------------------------------------------------------------

// The document's name as a file name: characters a Windows file name cannot hold become
// '_', trailing dots and blanks go (Windows drops them), and an empty name is "Untitled".
std::string FileNameOf(const std::string& docName) {
    std::string name = docName.substr(0, kMaxFileNameLength);
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        name.pop_back();
    }
    return name.empty() ? kUntitled : name;
}

// Makes the folder and the folders above it that are missing.
void MakeFolders(const std::string& folder) {
    const std::size_t start = (folder.size() > 2 && folder[1] == ':') ? 3 : 1;
    for (std::size_t i = start; i <= folder.size(); ++i) {
        if (i == folder.size() || folder[i] == '\\' || folder[i] == '/') {
            CreateDirectoryA(folder.substr(0, i).c_str(), nullptr);
        }
    }
}

bool EndsWithPdf(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string ending = path.substr(path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == ".pdf";
}

std::string PngPagePath(const std::string& documentPath, std::size_t page) {
    const std::string stem =
        EndsWithPdf(documentPath) ? documentPath.substr(0, documentPath.size() - 4) : documentPath;
    return stem + "-page-" + std::to_string(page + 1) + ".png";
}

// Writes one file through a replacement, so that a failed write leaves no partial file
// (and an older file of the same name stays as it was).
bool WriteFile(const std::string& path, const std::function<bool(const PdfSink&)>& produce) {
    CFile file;
    if (!file.Open(path.c_str(),
                   CFile::modeCreate | CFile::modeWrite | CFile::typeBinary | modeReplaceOnClose)) {
        return false;
    }
    try {
        const PdfSink sink = [&](const char* data, std::size_t size) {
            constexpr std::size_t kPiece = std::size_t{1} << 30;  // CFile writes UINT counts
            for (std::size_t done = 0; done < size; done += kPiece) {
                file.Write(data + done, static_cast<UINT>(std::min(kPiece, size - done)));
            }
            return true;
        };
        if (!produce(sink)) {
            file.Abort();
            return false;
        }
        file.Close();
        return true;
    } catch (const CFileException&) {
        file.Abort();
        return false;
    }
}

bool WriteBytes(const std::string& path, const std::vector<std::byte>& bytes) {
    return WriteFile(path, [&](const PdfSink& sink) {
        return sink(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    });
}

}  // namespace

// ---- The job ------------------------------------------------------------------------------

struct PrinterDC::Job {
    int id = 0;
    std::string docName;
    std::string output;  // the file named for the job, empty for the printer's choice
    bool pageOpen = false;
    bool failed = false;  // a page was lost: the document is not written
    std::vector<PdfPage> pdfPages;
    std::vector<std::vector<std::byte>> pngPages;
    int pages = 0;
};

const CRuntimeClass PrinterDC::runtimeClass = MakeRuntimeClass<PrinterDC, CDC>("PrinterDC");

std::unique_ptr<PrinterDC> PrinterDC::Create(const PrinterSettings& settings) {
    const std::optional<PageGeometry> page = PageGeometryOf(settings);
    if (!page) {
        return nullptr;
    }
    return std::unique_ptr<PrinterDC>(new PrinterDC(settings, *page));
}

PrinterDC::PrinterDC(const PrinterSettings& settings, const PageGeometry& page)
    : settings_(settings), page_(page) {
    // The page surface is empty until StartPage; the visible area is the whole page, so
    // the context draws on each page the moment it exists.
    const RECT pageArea{0, 0, page.width, page.height};
    AttachSurface(surface_, POINT{0, 0}, &pageArea);
    SetDeviceInfo(DeviceInfo{page.width, page.height, page.dpi, page.dpi, DT_RASPRINTER});
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.live[HandleOf(this)] = this;
}

PrinterDC::~PrinterDC() {
    AbortDoc();
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    registry.live.erase(HandleOf(this));
}

int PrinterDC::GetDeviceCaps(int index) const {
    if (!GetSafeHdc()) {
        return CDC::GetDeviceCaps(index);
    }
    switch (index) {
        case PHYSICALWIDTH:
            return page_.physicalWidth;
        case PHYSICALHEIGHT:
            return page_.physicalHeight;
        case PHYSICALOFFSETX:
            return page_.offsetX;
        case PHYSICALOFFSETY:
            return page_.offsetY;
        default:
            return CDC::GetDeviceCaps(index);
    }
}

bool PrinterDC::IsPageOpen() const {
    return job_ && job_->pageOpen;
}

int PrinterDC::PagesEnded() const {
    return job_ ? job_->pages : 0;
}

int PrinterDC::StartDoc(const DOCINFOA* docInfo) {
    static int lastJobId = 0;
    if (!GetSafeHdc() || job_ || !docInfo) {
        return SP_ERROR;
    }
    job_ = std::make_unique<Job>();
    job_->id = ++lastJobId;
    job_->docName = docInfo->lpszDocName ? docInfo->lpszDocName : "";
    if (docInfo->lpszOutput && *docInfo->lpszOutput) {
        job_->output = docInfo->lpszOutput;
    } else {
        job_->output = settings_.outputFile;
    }
    written_.clear();
    return job_->id;
}

int PrinterDC::StartDoc(LPCTSTR docName) {
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = docName;
    return StartDoc(&info);
}

int PrinterDC::StartPage() {
    if (!GetSafeHdc() || !job_ || job_->pageOpen) {
        return SP_ERROR;
    }
    if (!surface_.Reset(page_.width, page_.height, kPaper)) {
        return SP_OUTOFMEMORY;
    }
    job_->pageOpen = true;
    return job_->pages + 1;
}

bool PrinterDC::EncodePage() {
    const bool pdf = settings_.output != PrintOutput::PngPages;
    const bool png = settings_.output != PrintOutput::Pdf;
    try {
        if (pdf) {
            std::optional<std::vector<std::byte>> rgb = DeflateRgb(surface_);
            if (!rgb) {
                return false;
            }
            const double pointsPerPixel = 72.0 / page_.dpi;
            PdfPage out;
            out.imageWidth = page_.width;
            out.imageHeight = page_.height;
            out.deflatedRgb = std::move(*rgb);
            out.paperWidth = page_.paperWidthPoints;
            out.paperHeight = page_.paperHeightPoints;
            out.imageX = page_.offsetX * pointsPerPixel;
            out.imageY = page_.paperHeightPoints - (page_.offsetY + page_.height) * pointsPerPixel;
            out.imageWidthPoints = page_.width * pointsPerPixel;
            out.imageHeightPoints = page_.height * pointsPerPixel;
            job_->pdfPages.push_back(std::move(out));
        }
        if (png) {
            std::vector<std::byte> bytes = EncodePng(surface_);
            if (bytes.empty()) {
                return false;
            }
            job_->pngPages.push_back(std::move(bytes));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

int PrinterDC::EndPage() {
    if (!GetSafeHdc() || !job_ || !job_->pageOpen) {
        return SP_ERROR;
    }
    const bool kept = EncodePage();
    surface_ = Surface();  // the pixels go now; the page lives on compressed
    job_->pageOpen = false;
    if (!kept) {
        job_->failed = true;
        return SP_OUTOFMEMORY;
    }
    return ++job_->pages;
}

int PrinterDC::EndDoc() {
    if (!job_) {
        return SP_ERROR;
    }
    if (!GetSafeHdc() || (job_->pageOpen && EndPage() <= 0) || job_->failed) {
        AbortDoc();
        return SP_ERROR;
    }
    const std::unique_ptr<Job> job = std::move(job_);
    PrintJobRecord record{job->docName, job->pages, false, {}};
    std::string document = job->output;
    if (document.empty() && job->pages > 0) {
        const std::string folder =
            settings_.outputFolder.empty() ? std::string(kPrintFolder) : settings_.outputFolder;
        MakeFolders(folder);
        document = folder + "\\" + FileNameOf(job->docName) + ".pdf";
    }
    std::vector<std::string> files;
    bool ok = true;
    const auto keep = [&](const std::string& path, bool written) {
        if (written) {
            files.push_back(ToHostPath(path.c_str()).value_or(path));
        }
        ok = ok && written;
    };
    if (!job->pdfPages.empty()) {
        keep(document, WriteFile(document, [&](const PdfSink& sink) {
                 return WritePdf(job->pdfPages, job->docName, sink);
             }));
    }
    for (std::size_t i = 0; ok && i < job->pngPages.size(); ++i) {
        const std::string path = PngPagePath(document, i);
        keep(path, WriteBytes(path, job->pngPages[i]));
    }
    if (!ok) {
        // A job is written whole or not at all.
        for (const std::string& file : files) {
            std::remove(file.c_str());
        }
        RecordJob(std::move(record));
        return SP_ERROR;
    }
    written_ = files;
    record.written = true;
    record.files = std::move(files);
    RecordJob(std::move(record));
    return job->id;
}

int PrinterDC::AbortDoc() {
    if (!job_) {
        return SP_ERROR;
    }
    RecordJob(PrintJobRecord{job_->docName, job_->pages, false, {}});
    job_.reset();
    surface_ = Surface();
    return 1;
}

// ---- Handles ------------------------------------------------------------------------------

PrinterDC* PrinterDCFromHandle(HDC hdc) {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    const auto found = registry.live.find(hdc);
    return found == registry.live.end() ? nullptr : found->second;
}

HDC CreatePrinterDC(const PrinterSettings& settings) {
    std::unique_ptr<PrinterDC> dc = PrinterDC::Create(settings);
    if (!dc) {
        return nullptr;
    }
    const HDC hdc = dc->GetSafeHdc();
    std::vector<std::unique_ptr<PrinterDC>> released;
    Registry& registry = TheRegistry();
    {
        const std::lock_guard lock(registry.mutex);
        // Contexts a program deleted through CDC::DeleteDC go now: their handles are dead.
        for (auto it = registry.owned.begin(); it != registry.owned.end();) {
            if (it->second->GetSafeHdc() == nullptr) {
                released.push_back(std::move(it->second));
                it = registry.owned.erase(it);
            } else {
                ++it;
            }
        }
        registry.owned[hdc] = std::move(dc);
    }
    return hdc;  // released are destroyed here, outside the lock their destructors take
}

PrintJobRecord LastPrintJob() {
    Registry& registry = TheRegistry();
    const std::lock_guard lock(registry.mutex);
    return registry.lastJob;
}

}  // namespace plat

// ---- The Win32 calls ------------------------------------------------------------------------

namespace {

template <class Call>
int OnPrinter(HDC hdc, Call call) {
    plat::PrinterDC* dc = plat::PrinterDCFromHandle(hdc);
    return dc ? call(*dc) : SP_ERROR;
}

bool IsThisPrinter(LPCSTR device, const plat::PrinterSettings& printer) {
    if (!device) {
        return false;
    }
    const auto same = [device](const std::string& name) {
        return name.size() == std::strlen(device) &&
               std::equal(name.begin(), name.end(), device, [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
               });
    };
    return same(printer.deviceName) || same(plat::kDefaultPrinterName);
}

}  // namespace

HDC CreateDCA(LPCSTR /*driver*/, LPCSTR device, LPCSTR /*port*/, const DEVMODEA* devMode) {
    plat::PrinterSettings printer = plat::DefaultPrinter();
    if (!IsThisPrinter(device, printer) || (devMode && !plat::ApplyDevMode(*devMode, printer))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return plat::CreatePrinterDC(printer);
}

BOOL DeleteDC(HDC hdc) {
    if (!hdc) {
        return FALSE;
    }
    std::unique_ptr<plat::PrinterDC> owned;
    plat::PrinterDC* printer = nullptr;
    {
        plat::Registry& registry = plat::TheRegistry();
        const std::lock_guard lock(registry.mutex);
        if (const auto found = registry.owned.find(hdc); found != registry.owned.end()) {
            owned = std::move(found->second);
            registry.owned.erase(found);
            return TRUE;  // destroyed when owned goes, after the lock
        }
        if (const auto found = registry.live.find(hdc); found != registry.live.end()) {
            printer = found->second;
        }
    }
    if (printer) {
        printer->AbortDoc();
        return printer->DeleteDC();
    }
    return CDC::FromHandle(hdc)->DeleteDC();
}

int GetDeviceCaps(HDC hdc, int index) {
    if (!hdc) {
        return 0;
    }
    if (const plat::PrinterDC* printer = plat::PrinterDCFromHandle(hdc)) {
        return printer->GetDeviceCaps(index);
    }
    return CDC::FromHandle(hdc)->GetDeviceCaps(index);
}

int StartDocA(HDC hdc, const DOCINFOA* docInfo) {
    return OnPrinter(hdc, [docInfo](plat::PrinterDC& dc) { return dc.StartDoc(docInfo); });
}

int StartPage(HDC hdc) {
    return OnPrinter(hdc, [](plat::PrinterDC& dc) { return dc.StartPage(); });
}

int EndPage(HDC hdc) {
    return OnPrinter(hdc, [](plat::PrinterDC& dc) { return dc.EndPage(); });
}

int EndDoc(HDC hdc) {
    return OnPrinter(hdc, [](plat::PrinterDC& dc) { return dc.EndDoc(); });
}

int AbortDoc(HDC hdc) {
    return OnPrinter(hdc, [](plat::PrinterDC& dc) { return dc.AbortDoc(); });
}
