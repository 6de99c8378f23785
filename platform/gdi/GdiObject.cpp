// The handle table, stock objects, CGdiObject and the Win32 calls on handles.

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/CFont.h"
#include "platform/gdi/GdiObjectData.h"
#include "platform/gdi/GdiObjects.h"

namespace plat {

namespace {

constexpr int kStockCount = DC_PEN + 1;

struct Entry {
    std::unique_ptr<GdiObject> object;
    bool stock = false;
    bool deletePending = false;
    CGdiObject* permanent = nullptr;
    std::unique_ptr<CGdiObject> temporary;
};

std::unique_ptr<GdiObject> MakeStockBrush(UINT style, COLORREF colour, bool dcBrush = false) {
    auto brush = std::make_unique<BrushObject>();
    brush->logBrush = LOGBRUSH{style, colour, 0};
    brush->dcBrush = dcBrush;
    return brush;
}

std::unique_ptr<GdiObject> MakeStockPen(int style, COLORREF colour, bool dcPen = false) {
    auto pen = std::make_unique<PenObject>();
    pen->logPen = LOGPEN{static_cast<UINT>(style), POINT{0, 0}, colour};
    pen->style = style;
    pen->dcPen = dcPen;
    return pen;
}

std::unique_ptr<GdiObject> MakeStockFont(LONG height, LONG width, LONG weight, BYTE pitch,
                                         const char* face) {
    auto font = std::make_unique<FontObject>();
    font->logFont.lfHeight = height;
    font->logFont.lfWidth = width;
    font->logFont.lfWeight = weight;
    font->logFont.lfCharSet = ANSI_CHARSET;
    font->logFont.lfPitchAndFamily = pitch;
    std::strncpy(font->logFont.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

std::unique_ptr<GdiObject> MakeStockObject(int index) {
    constexpr BYTE kFixedModern = 0x01 | 0x30;
    constexpr BYTE kVariableSwiss = 0x02 | 0x20;
    switch (index) {
        case WHITE_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
        case LTGRAY_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
        case GRAY_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
        case DKGRAY_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
        case BLACK_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
        case NULL_BRUSH:
            return MakeStockBrush(BS_NULL, 0);
        case WHITE_PEN:
            return MakeStockPen(PS_SOLID, RGB(255, 255, 255));
        case BLACK_PEN:
            return MakeStockPen(PS_SOLID, RGB(0, 0, 0));
        case NULL_PEN:
            return MakeStockPen(PS_NULL, 0);
        case OEM_FIXED_FONT:
            return MakeStockFont(12, 8, FW_NORMAL, kFixedModern, "Terminal");
        case ANSI_FIXED_FONT:
            return MakeStockFont(12, 9, FW_NORMAL, kFixedModern, "Courier");
        case ANSI_VAR_FONT:
            return MakeStockFont(12, 9, FW_NORMAL, kVariableSwiss, "MS Sans Serif");
        case SYSTEM_FONT:
            return MakeStockFont(16, 7, FW_BOLD, kVariableSwiss, "System");
        case DEVICE_DEFAULT_FONT:
            return MakeStockFont(16, 0, FW_NORMAL, kVariableSwiss, "System");
        case SYSTEM_FIXED_FONT:
            return MakeStockFont(16, 8, FW_NORMAL, kFixedModern, "Fixedsys");
        case DEFAULT_GUI_FONT:
            return MakeStockFont(-11, 0, FW_NORMAL, kVariableSwiss, "MS Shell Dlg");
        case DC_BRUSH:
            return MakeStockBrush(BS_SOLID, RGB(255, 255, 255), true);
        case DC_PEN:
            return MakeStockPen(PS_SOLID, RGB(0, 0, 0), true);
        default:  // 9 is unused; there are no palettes
            return nullptr;
    }
}

std::unique_ptr<CGdiObject> MakeWrapper(GdiKind kind) {
    switch (kind) {
        case GdiKind::Pen:
            return std::make_unique<CPen>();
        case GdiKind::Brush:
            return std::make_unique<CBrush>();
        case GdiKind::Bitmap:
            return std::make_unique<CBitmap>();
        case GdiKind::Region:
            return std::make_unique<CRgn>();
        case GdiKind::Font:
            return std::make_unique<CFont>();
    }
    return nullptr;
}

class Table {
public:
    Table() {
        for (int i = 0; i < kStockCount; ++i) {
            stock_[i] = AddLocked(MakeStockObject(i), true);
        }
        auto bitmap = std::make_unique<BitmapObject>();
        bitmap->surface.Reset(1, 1);
        defaultBitmap_ = AddLocked(std::move(bitmap), true);
    }

    HGDIOBJ Add(std::unique_ptr<GdiObject> object) {
        const std::lock_guard lock(mutex_);
        return AddLocked(std::move(object), false);
    }

    GdiObject* Find(HGDIOBJ handle, bool includePending) {
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        return entry && (includePending || !entry->deletePending) ? entry->object.get() : nullptr;
    }

    bool IsStock(HGDIOBJ handle) {
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        return entry && entry->stock;
    }

    BOOL Delete(HGDIOBJ handle) {
        std::unique_ptr<CGdiObject> temporary;  // destroyed after the lock is let go
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        if (!entry) {
            return FALSE;
        }
        if (!entry->stock) {
            entry->deletePending = true;
            // A hold let go meanwhile finds the mark under the lock and erases then.
            if (entry->object->holds.load() == 0) {
                temporary = Erase(handle);
            }
        }
        return TRUE;
    }

    GdiObject* Hold(HGDIOBJ handle) {
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        if (!entry || entry->deletePending) {
            return nullptr;
        }
        if (!entry->stock) {
            ++entry->object->holds;
        }
        return entry->object.get();
    }

    // The object is alive while it is held, so its count can be changed without the table.
    // Only a deleted object whose last hold goes is erased; no new hold can come for it
    // (Hold refuses deleted objects), and Delete, which also erases at no holds, takes the
    // same lock, so exactly one of them finds the entry.
    static void HoldAgain(HGDIOBJ handle) {
        if (!handle->stock) {
            ++handle->holds;
        }
    }

    void Release(HGDIOBJ handle) {
        if (handle->stock || --handle->holds != 0) {
            return;
        }
        std::unique_ptr<CGdiObject> temporary;
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        if (entry && entry->deletePending && entry->object->holds.load() == 0) {
            temporary = Erase(handle);
        }
    }

    void SetPermanent(HGDIOBJ handle, CGdiObject* wrapper) {
        const std::lock_guard lock(mutex_);
        if (Entry* entry = Lookup(handle)) {
            entry->permanent = wrapper;
        }
    }

    void ClearPermanent(HGDIOBJ handle, const CGdiObject* wrapper) {
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        if (entry && entry->permanent == wrapper) {
            entry->permanent = nullptr;
        }
    }

    CGdiObject* Wrapper(HGDIOBJ handle) {
        const std::lock_guard lock(mutex_);
        Entry* entry = Lookup(handle);
        if (!entry) {
            return nullptr;
        }
        if (entry->permanent) {
            return entry->permanent;
        }
        if (!entry->temporary) {
            entry->temporary = MakeWrapper(entry->object->kind);
            entry->temporary->m_hObject = handle;
        }
        return entry->temporary.get();
    }

    HGDIOBJ Stock(int index) const {
        return index >= 0 && index < kStockCount ? stock_[index] : nullptr;
    }
    HBITMAP DefaultBitmap() const { return defaultBitmap_; }

private:
    HGDIOBJ AddLocked(std::unique_ptr<GdiObject> object, bool stock) {
        if (!object) {
            return nullptr;
        }
        HGDIOBJ handle = object.get();
        object->stock = stock;
        Entry& entry = entries_[handle];
        entry.object = std::move(object);
        entry.stock = stock;
        return handle;
    }

    Entry* Lookup(HGDIOBJ handle) {
        const auto it = entries_.find(handle);
        return it == entries_.end() ? nullptr : &it->second;
    }

    // Removes the entry; wrappers still pointing at the handle let go of it. Answers the
    // temporary wrapper so that it is destroyed outside the lock.
    std::unique_ptr<CGdiObject> Erase(HGDIOBJ handle) {
        Entry& entry = entries_.at(handle);
        if (entry.permanent) {
            entry.permanent->m_hObject = nullptr;
        }
        std::unique_ptr<CGdiObject> temporary = std::move(entry.temporary);
        if (temporary) {
            temporary->m_hObject = nullptr;
        }
        entries_.erase(handle);
        return temporary;
    }

    std::mutex mutex_;
    std::unordered_map<HGDIOBJ, Entry> entries_;
    HGDIOBJ stock_[kStockCount] = {};
    HBITMAP defaultBitmap_ = nullptr;
};

// Never destroyed: framework objects in static storage may delete their handles after
// any static table would be gone.
Table& TheTable() {
    static Table* const table = new Table;
    return *table;
}

}  // namespace

namespace gdi_table {

HGDIOBJ Add(std::unique_ptr<GdiObject> object) {
    return TheTable().Add(std::move(object));
}
GdiObject* Find(HGDIOBJ handle, bool includePending) {
    return TheTable().Find(handle, includePending);
}
bool IsStock(HGDIOBJ handle) {
    return TheTable().IsStock(handle);
}
BOOL Delete(HGDIOBJ handle) {
    return TheTable().Delete(handle);
}
GdiObject* Hold(HGDIOBJ handle) {
    return TheTable().Hold(handle);
}
void HoldAgain(HGDIOBJ handle) {
    Table::HoldAgain(handle);
}
void Release(HGDIOBJ handle) {
    TheTable().Release(handle);
}
void SetPermanent(HGDIOBJ handle, CGdiObject* wrapper) {
    TheTable().SetPermanent(handle, wrapper);
}
void ClearPermanent(HGDIOBJ handle, const CGdiObject* wrapper) {
    TheTable().ClearPermanent(handle, wrapper);
}
CGdiObject* Wrapper(HGDIOBJ handle) {
    return TheTable().Wrapper(handle);
}
HBITMAP DefaultBitmap() {
    return TheTable().DefaultBitmap();
}
HGDIOBJ Stock(int index) {
    return TheTable().Stock(index);
}

}  // namespace gdi_table

Selection::Selection(HGDIOBJ handle) : object_(gdi_table::Hold(handle)) {
    handle_ = object_ ? handle : nullptr;
}

Selection::Selection(const Selection& other) : handle_(other.handle_), object_(other.object_) {
    if (handle_) {
        gdi_table::HoldAgain(handle_);
    }
}

Selection::~Selection() {
    if (handle_) {
        gdi_table::Release(handle_);
    }
}

}  // namespace plat

using plat::GdiKind;
namespace gdi_table = plat::gdi_table;

// ---- CGdiObject ------------------------------------------------------------------------

const CRuntimeClass CGdiObject::runtimeClass =
    plat::MakeRuntimeClass<CGdiObject, CObject>("CGdiObject");

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    if (m_hObject || !gdi_table::Find(handle)) {
        return FALSE;
    }
    m_hObject = handle;
    gdi_table::SetPermanent(handle, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ handle = m_hObject;
    if (handle) {
        gdi_table::ClearPermanent(handle, this);
    }
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) {
        return FALSE;
    }
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index) {
    return Attach(::GetStockObject(index));
}

int CGdiObject::GetObject(int count, LPVOID buffer) const {
    return ::GetObjectA(m_hObject, count, buffer);
}

UINT CGdiObject::GetObjectType() const {
    return ::GetObjectType(m_hObject);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) {
    return gdi_table::Wrapper(handle);
}

// ---- Win32 calls -----------------------------------------------------------------------

HGDIOBJ GetStockObject(int index) {
    return gdi_table::Stock(index);
}

BOOL DeleteObject(HGDIOBJ handle) {
    return handle ? gdi_table::Delete(handle) : FALSE;
}

DWORD GetObjectType(HGDIOBJ handle) {
    const plat::GdiObject* object = gdi_table::Find(handle, true);
    if (!object) {
        return 0;
    }
    switch (object->kind) {
        case GdiKind::Pen:
            return OBJ_PEN;
        case GdiKind::Brush:
            return OBJ_BRUSH;
        case GdiKind::Bitmap:
            return OBJ_BITMAP;
        case GdiKind::Region:
            return OBJ_REGION;
        case GdiKind::Font:
            return OBJ_FONT;
    }
    return 0;
}

namespace {

template <class Record>
int CopyRecord(const Record& record, int count, LPVOID buffer) {
    if (!buffer) {
        return static_cast<int>(sizeof(Record));
    }
    if (count < static_cast<int>(sizeof(Record))) {
        return 0;
    }
    std::memcpy(buffer, &record, sizeof(Record));
    return static_cast<int>(sizeof(Record));
}

BITMAP BitmapInfoOf(const plat::BitmapObject& bitmap) {
    const plat::Surface& s = bitmap.surface;
    return BITMAP{0, s.Width(), s.Height(), s.Width() * 4, 1, 32, nullptr};
}

}  // namespace

int GetObjectA(HGDIOBJ handle, int count, LPVOID buffer) {
    const plat::GdiObject* object = gdi_table::Find(handle, true);
    if (!object) {
        return 0;
    }
    switch (object->kind) {
        case GdiKind::Pen:
            return CopyRecord(static_cast<const plat::PenObject*>(object)->logPen, count, buffer);
        case GdiKind::Brush:
            return CopyRecord(static_cast<const plat::BrushObject*>(object)->logBrush, count,
                              buffer);
        case GdiKind::Bitmap:
            return CopyRecord(BitmapInfoOf(*static_cast<const plat::BitmapObject*>(object)), count,
                              buffer);
        case GdiKind::Font:
            return CopyRecord(static_cast<const plat::FontObject*>(object)->logFont, count, buffer);
        case GdiKind::Region:
            return 0;  // regions have no record
    }
    return 0;
}

HPEN CreatePenIndirect(const LOGPEN* logPen) {
    if (!logPen || logPen->lopnStyle > static_cast<UINT>(PS_INSIDEFRAME)) {
        return nullptr;
    }
    auto pen = std::make_unique<plat::PenObject>();
    pen->logPen = *logPen;
    const LONG requested = logPen->lopnWidth.x;
    // abs() of the most negative width would overflow; such a pen is as wide as any.
    const int width = requested < 0 ? (requested == INT32_MIN ? INT32_MAX : -requested) : requested;
    pen->width = std::max(width, 1);
    pen->style = static_cast<int>(logPen->lopnStyle);
    if (pen->width > 1 && pen->style >= PS_DASH && pen->style <= PS_DASHDOTDOT) {
        pen->style = PS_SOLID;  // CreatePen draws wide lines solid
    }
    if (pen->style == PS_INSIDEFRAME) {
        pen->insideFrame = pen->width > 1;
        pen->style = PS_SOLID;
    }
    return gdi_table::Add(std::move(pen));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style < 0) {
        return nullptr;
    }
    const LOGPEN logPen{static_cast<UINT>(style), POINT{width, 0}, colour};
    return CreatePenIndirect(&logPen);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush) {
    if (!logBrush) {
        return nullptr;
    }
    const bool hatched = logBrush->lbStyle == BS_HATCHED;
    if ((logBrush->lbStyle != BS_SOLID && logBrush->lbStyle != BS_NULL && !hatched) ||
        (hatched && logBrush->lbHatch > static_cast<std::uintptr_t>(HS_DIAGCROSS))) {
        return nullptr;
    }
    auto brush = std::make_unique<plat::BrushObject>();
    brush->logBrush = *logBrush;
    if (!hatched) {
        brush->logBrush.lbHatch = 0;
    }
    return gdi_table::Add(std::move(brush));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    const LOGBRUSH logBrush{BS_SOLID, colour, 0};
    return CreateBrushIndirect(&logBrush);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour) {
    if (hatch < 0) {
        return nullptr;
    }
    const LOGBRUSH logBrush{BS_HATCHED, colour, static_cast<std::uintptr_t>(hatch)};
    return CreateBrushIndirect(&logBrush);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto region = std::make_unique<plat::RegionObject>();
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    region->rect = rect.IsRectEmpty() ? CRect() : rect;
    return gdi_table::Add(std::move(region));
}

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
    if (!logFont) {
        return nullptr;
    }
    auto font = std::make_unique<plat::FontObject>();
    font->logFont = *logFont;
    font->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    return gdi_table::Add(std::move(font));
}
