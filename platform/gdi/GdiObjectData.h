#pragma once
// The drawing objects behind the handles, and the table that owns them. Private to the
// drawing layer (and its tests).
//
// Lifetime follows the drawing interface: DeleteObject on an object that a device context
// still holds (selected, or kept by SaveDC) marks it and it goes when the last context
// lets go, so drawing never reads a freed pen. Stock objects are never deleted. The
// framework object attached to a handle (its "permanent" wrapper) is what FromHandle
// answers; for a handle without one, FromHandle makes a temporary wrapper that lives as
// long as the object.

#include <atomic>
#include <memory>
#include <utility>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

class CGdiObject;

namespace plat {

enum class GdiKind { Pen, Brush, Bitmap, Region, Font };

class GdiObject {
public:
    explicit GdiObject(GdiKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    const GdiKind kind;
    // The device contexts' holds (see Selection), kept with the object so that saving and
    // restoring a context's state need not search the table. Stock objects are never
    // deleted and not counted (every context starts with some selected).
    std::atomic<int> holds{0};
    bool stock = false;  // set by the table before the handle is handed out
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(GdiKind::Pen) {}
    LOGPEN logPen{};  // as created
    int style = 0;    // as drawn: styled pens wider than one pixel are solid
    int width = 1;    // device pixels, at least 1
    bool insideFrame = false;
    bool dcPen = false;  // the DC_PEN stock pen takes the context's pen colour
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(GdiKind::Brush) {}
    LOGBRUSH logBrush{};
    bool dcBrush = false;  // the DC_BRUSH stock brush takes the context's brush colour
};

struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(GdiKind::Bitmap) {}
    Surface surface;
    const void* selectedInto = nullptr;  // a bitmap is selected into one context at a time
};

struct RegionObject : GdiObject {
    RegionObject() : GdiObject(GdiKind::Region) {}
    RECT rect{};  // normalised; an empty region is (0, 0, 0, 0)
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(GdiKind::Font) {}
    LOGFONTA logFont{};
};

// The handle table. All functions are thread-safe; the objects themselves belong to the
// thread that draws with them.
namespace gdi_table {

HGDIOBJ Add(std::unique_ptr<GdiObject> object);
// The object when the handle is live (and of that kind), else nullptr. Objects waiting
// for deletion are found only when includePending is set (drawing with them is fine,
// selecting them again is not).
GdiObject* Find(HGDIOBJ handle, bool includePending = false);
template <class T>
T* FindAs(HGDIOBJ handle, GdiKind kind, bool includePending = false) {
    GdiObject* object = Find(handle, includePending);
    return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
bool IsStock(HGDIOBJ handle);
BOOL Delete(HGDIOBJ handle);

// A device context's hold on an object (see Selection). Hold answers nullptr, holding
// nothing, for a handle that is not live.
GdiObject* Hold(HGDIOBJ handle);
// One more hold on an object already held (deleted or not); does not search the table.
void HoldAgain(HGDIOBJ handle);
// Searches the table only when the last hold on the object goes.
void Release(HGDIOBJ handle);

void SetPermanent(HGDIOBJ handle, CGdiObject* wrapper);
void ClearPermanent(HGDIOBJ handle, const CGdiObject* wrapper);
CGdiObject* Wrapper(HGDIOBJ handle);

HGDIOBJ Stock(int index);
// The 1x1 bitmap a new memory context starts with (stock, shared).
HBITMAP DefaultBitmap();

}  // namespace gdi_table

// A counted hold on a selected object; copies (saved states) hold it too. While held, the
// object stays alive even if deleted, so the pointer can be kept.
class Selection {
public:
    Selection() = default;
    // Holds a live (not deleted) object; holds nothing for any other handle.
    explicit Selection(HGDIOBJ handle);
    Selection(const Selection& other);
    // Takes the other's hold (saved states move back without touching the table).
    Selection(Selection&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)),
          object_(std::exchange(other.object_, nullptr)) {}
    Selection& operator=(Selection other) {
        std::swap(handle_, other.handle_);
        std::swap(object_, other.object_);
        return *this;
    }
    ~Selection();

    HGDIOBJ Handle() const { return handle_; }
    GdiObject* Get() const { return object_; }
    template <class T>
    T* As(GdiKind kind) const {
        return object_ && object_->kind == kind ? static_cast<T*>(object_) : nullptr;
    }

private:
    HGDIOBJ handle_ = nullptr;
    GdiObject* object_ = nullptr;
};

}  // namespace plat
