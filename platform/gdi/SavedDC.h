#pragma once
// Scope guards for device contexts: everything a drawing step changes is put back when
// the step's scope ends, whichever way it is left.
//
//     plat::SavedDC saved(dc);               // SaveDC now, RestoreDC at scope end
//     plat::SelectedObject usePen(dc, &pen); // select now, reselect the previous at end
//     plat::SavedColours colours(dc);        // text and background colours back at end

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
        : SelectedObject(dc, object ? object->GetSafeHandle() : nullptr) {}
    SelectedObject(CDC& dc, HGDIOBJ handle)
        : dc_(dc), selected_(handle), previous_(handle ? dc.SelectObject(handle) : nullptr) {}
    ~SelectedObject() {
        // Selecting what is selected already would change nothing.
        if (previous_ && previous_ != selected_) {
            dc_.SelectObject(previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    // False when the object could not be selected (nothing changed then).
    explicit operator bool() const { return previous_ != nullptr; }

private:
    CDC& dc_;
    HGDIOBJ selected_;
    HGDIOBJ previous_;
};

// For a step that only changes colours: far cheaper than saving the whole state.
// FillSolidRect leaves its colour as the background colour, so that is kept too.
class SavedColours {
public:
    explicit SavedColours(CDC& dc) : dc_(dc), text_(dc.GetTextColor()), back_(dc.GetBkColor()) {}
    ~SavedColours() {
        dc_.SetTextColor(text_);
        dc_.SetBkColor(back_);
    }
    SavedColours(const SavedColours&) = delete;
    SavedColours& operator=(const SavedColours&) = delete;

private:
    CDC& dc_;
    COLORREF text_;
    COLORREF back_;
};

}  // namespace plat
