#pragma once
// Scope guards for device contexts: everything a drawing step changes is put back when
// the step's scope ends, whichever way it is left.
//
//     plat::SavedDC saved(dc);               // SaveDC now, RestoreDC at scope end
//     plat::SelectedObject usePen(dc, &pen); // select now, reselect the previous at end

#include "platform/gdi/CDC.h"

namespace plat {

class SavedDC {
public:
    explicit SavedDC(CDC& dc) : dc_(dc), level_(dc.SaveDC()) {}
    ~SavedDC() {
        if (level_ > 0) {
            dc_.RestoreDC(level_);
        }
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    CDC& dc_;
    int level_;
};

// Holds the previous object by handle, so the guard stays right even when the
// framework object that was selected before is destroyed meanwhile.
class SelectedObject {
public:
    SelectedObject(CDC& dc, CGdiObject* object)
        : dc_(dc), previous_(object ? dc.SelectObject(object->GetSafeHandle()) : nullptr) {}
    ~SelectedObject() {
        if (previous_) {
            dc_.SelectObject(previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    // False when the object could not be selected (nothing changed then).
    explicit operator bool() const { return previous_ != nullptr; }

private:
    CDC& dc_;
    HGDIOBJ previous_;
};

}  // namespace plat
