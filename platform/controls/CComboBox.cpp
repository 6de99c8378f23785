#include "platform/controls/CComboBox.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/CEdit.h"
#include "platform/controls/ControlLook.h"
#include "platform/controls/ControlSupport_p.h"
#include "platform/gdi/SavedDC.h"
#include "platform/window/Backend.h"
#include "platform/window/WindowDC.h"

const CRuntimeClass CComboBox::runtimeClass = plat::MakeRuntimeClass<CComboBox, CWnd>("CComboBox");

namespace plat::controls {
namespace {

constexpr int kFrame = 2;         // the sunken edge round the control
constexpr int kFieldPadding = 2;  // the selection field is this much taller than the font
constexpr int kTextIndent = 2;    // from the field's (or a list row's) left edge to the text
constexpr UINT kEditId = 1001;    // the edit part's id, as the windowing system numbers it
constexpr int kWheelRows = 3;     // rows the open list scrolls per wheel notch

bool StartsWithNoCase(const CString& text, const char* prefix) {
    const std::size_t length = std::strlen(prefix);
    return static_cast<std::size_t>(text.GetLength()) >= length &&
           CString(text.Left(static_cast<int>(length))).CompareNoCase(prefix) == 0;
}

}  // namespace

struct ComboItem {
    CString text;
    DWORD_PTR data = 0;
};

struct ComboState {
    std::vector<ComboItem> items;
    int curSel = -1;
    int hot = -1;  // the highlighted row of the open list
    int topIndex = 0;
    int minVisible = CComboBox::kDefaultMinVisible;
    int itemHeight = 0;   // 0: from the font
    int fieldHeight = 0;  // 0: from the font
    bool dropped = false;
    bool closing = false;
    bool focusInside = false;      // CBN_SETFOCUS went out, CBN_KILLFOCUS not yet
    bool settingEditText = false;  // the edit's notifications are the combo's own doing
    std::unique_ptr<CEdit> edit;
    std::unique_ptr<CWnd> list;
    FontMeasure font;
};

namespace {

// The edit part: Up, Down and F4, and while the list is open Enter, Escape and the page
// keys, belong to the combo box.
class ComboEdit : public CEdit {
public:
    explicit ComboEdit(CComboBox& combo) : combo_(combo) {}

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override {
        const bool dropped = combo_.GetDroppedState() != FALSE;
        const bool forCombo = nChar == VK_UP || nChar == VK_DOWN || nChar == VK_F4 ||
                              (dropped && (nChar == VK_RETURN || nChar == VK_ESCAPE ||
                                           nChar == VK_PRIOR || nChar == VK_NEXT));
        if (forCombo) {
            combo_.SendMessage(WM_KEYDOWN, nChar,
                               MAKELPARAM(static_cast<int>(nRepCnt), static_cast<int>(nFlags)));
            return;
        }
        CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
    }

    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override {
        return static_cast<BOOL>(
            combo_.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(nFlags, zDelta), MAKELPARAM(pt.x, pt.y)));
    }

private:
    CComboBox& combo_;
};

// The drop-down list: a pop-up that never activates and holds the mouse while open.
class ComboList : public CWnd {
public:
    explicit ComboList(CComboBox& combo) : combo_(combo) {}

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    int OnMouseActivate(CWnd*, UINT, UINT) override { return MA_NOACTIVATE; }
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnCaptureChanged(CWnd* pWnd) override;

private:
    CComboBox& combo_;
};

}  // namespace

// The combo box's layout, list, selection and notifications.
class ComboEngine {
public:
    explicit ComboEngine(CComboBox& combo) : wnd_(combo), s_(*combo.combo_) {}

    // ---- Kind and measures
    bool IsList() const { return (wnd_.GetStyle() & 0x3) == CBS_DROPDOWNLIST; }
    int Count() const { return static_cast<int>(s_.items.size()); }
    bool Valid(std::intptr_t index) const { return index >= 0 && index < Count(); }

    const FontMeasure& Font() { return MeasureFont(wnd_, s_.font); }
    int ItemHeight() { return s_.itemHeight > 0 ? s_.itemHeight : Font().height; }
    int FieldHeight() {
        return s_.fieldHeight > 0 ? s_.fieldHeight : Font().height + kFieldPadding;
    }
    int WindowHeight() { return FieldHeight() + 2 * (kFrame + 1); }

    CRect Inner() const {
        CRect inner;
        wnd_.GetClientRect(&inner);
        inner.DeflateRect(kFrame, kFrame);
        return inner;
    }
    CRect ButtonRect() const {
        CRect button = Inner();
        button.left = std::max(button.left, button.right - GetSystemMetrics(SM_CXVSCROLL));
        return button;
    }
    CRect FieldRect() const {
        CRect field = Inner();
        field.right = ButtonRect().left;
        return field;
    }

    // The control keeps the height of its font; the edit part fills the field.
    void Layout() {
        wnd_.SetWindowPos(nullptr, 0, 0, WindowWidth(), WindowHeight(),
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceEdit();
    }

    int WindowWidth() const {
        CRect window;
        wnd_.GetWindowRect(&window);
        return window.Width();
    }

    void PlaceEdit() {
        if (s_.edit && s_.edit->m_hWnd) {
            CRect field = FieldRect();
            field.DeflateRect(1, 1);
            s_.edit->MoveWindow(&field);
        }
    }

    void CreateEdit() {
        const DWORD style = wnd_.GetStyle();
        DWORD editStyle = WS_CHILD | WS_VISIBLE;
        editStyle |= (style & CBS_AUTOHSCROLL) ? ES_AUTOHSCROLL : 0;
        editStyle |= (style & CBS_UPPERCASE) ? ES_UPPERCASE : 0;
        editStyle |= (style & CBS_LOWERCASE) ? ES_LOWERCASE : 0;
        auto edit = std::make_unique<ComboEdit>(wnd_);
        CRect field = FieldRect();
        field.DeflateRect(1, 1);
        if (edit->Create(editStyle, field, &wnd_, kEditId)) {
            edit->SetFont(wnd_.GetFont(), FALSE);
            s_.edit = std::move(edit);
        }
    }

    // ---- Selection
    // Selects index (-1: nothing) without telling anyone; the edit part shows the item.
    void Select(int index) {
        s_.curSel = Valid(index) ? index : -1;
        if (s_.edit) {
            s_.settingEditText = true;
            s_.edit->SetWindowText(s_.curSel >= 0 ? s_.items[s_.curSel].text.GetString() : "");
            s_.edit->SetSel(0, -1);
            s_.settingEditText = false;
        }
        wnd_.Invalidate(FALSE);
    }

    // A change the user made on the closed control. False when the control went.
    bool UserSelect(int index) {
        if (!Valid(index) || index == s_.curSel) {
            return true;
        }
        Select(index);
        return NotifyParent(wnd_, CBN_SELCHANGE) && NotifyParent(wnd_, CBN_SELENDOK);
    }

    int Find(std::intptr_t startAfter, const char* text, bool exact) const {
        if (!text || Count() == 0) {
            return CB_ERR;
        }
        const int first = Valid(startAfter) ? static_cast<int>(startAfter) + 1 : 0;
        for (int n = 0; n < Count(); ++n) {
            const int index = (first + n) % Count();
            const CString& item = s_.items[index].text;
            if (exact ? item.CompareNoCase(text) == 0 : StartsWithNoCase(item, text)) {
                return index;
            }
        }
        return CB_ERR;
    }

    // ---- Items
    int Insert(int index, const char* text) {
        s_.items.insert(s_.items.begin() + index, ComboItem{text ? text : "", 0});
        if (s_.curSel >= index) {
            ++s_.curSel;
        }
        Changed();
        return index;
    }

    int SortedPosition(const char* text) const {
        const CString item(text ? text : "");
        const auto it = std::upper_bound(
            s_.items.begin(), s_.items.end(), item,
            [](const CString& a, const ComboItem& b) { return a.CompareNoCase(b.text) < 0; });
        return static_cast<int>(it - s_.items.begin());
    }

    int Delete(int index) {
        s_.items.erase(s_.items.begin() + index);
        if (s_.curSel == index) {
            s_.curSel = -1;
        } else if (s_.curSel > index) {
            --s_.curSel;
        }
        s_.hot = std::min(s_.hot, Count() - 1);
        Changed();
        return Count();
    }

    void Reset() {
        s_.items.clear();
        s_.hot = -1;
        s_.topIndex = 0;
        Select(-1);
        Changed();
    }

    // The items changed: the field and an open list show them.
    void Changed() {
        wnd_.Invalidate(FALSE);
        if (s_.dropped) {
            PlaceList();
        }
    }

    // ---- The list
    int VisibleRows() const { return std::clamp(Count(), 1, std::max(1, s_.minVisible)); }

    CRect ListRect() {
        CRect window;
        wnd_.GetWindowRect(&window);
        const int height = VisibleRows() * ItemHeight() + 2;  // and its one-pixel border
        CRect below(window.left, window.bottom, window.right, window.bottom + height);
        const CSize screen = plat::ScreenSize();
        if (below.bottom > screen.cy && window.top - height >= 0) {
            return CRect(window.left, window.top - height, window.right, window.top);
        }
        return below;
    }

    void EnsureVisible(int index) {
        if (index < 0) {
            return;
        }
        const int rows = VisibleRows();
        s_.topIndex = std::clamp(s_.topIndex, index - rows + 1, index);
        ClampTop();
    }

    void ClampTop() {
        s_.topIndex = std::clamp(s_.topIndex, 0, std::max(0, Count() - VisibleRows()));
    }

    void PlaceList() {
        if (!s_.list || !s_.list->m_hWnd) {
            return;
        }
        ClampTop();
        const CRect rect = ListRect();
        s_.list->SetWindowPos(&CWnd::wndTopMost, rect.left, rect.top, rect.Width(), rect.Height(),
                              SWP_NOACTIVATE | SWP_SHOWWINDOW);
        s_.list->Invalidate(FALSE);
    }

    void Open() {
        if (s_.dropped) {
            return;
        }
        if (!NotifyParent(wnd_, CBN_DROPDOWN)) {
            return;
        }
        if (!s_.list) {
            auto list = std::make_unique<ComboList>(wnd_);
            const CRect rect = ListRect();
            if (!list->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                ComboListClass(), "", WS_POPUP | WS_BORDER, rect, &wnd_, 0)) {
                return;
            }
            s_.list = std::move(list);
        }
        s_.dropped = true;
        s_.hot = s_.curSel;
        EnsureVisible(s_.hot);
        PlaceList();
        s_.list->SetCapture();
        wnd_.Invalidate(FALSE);
    }

    // Closes the open list with the highlighted item (accept) or without a choice. False
    // when the control went.
    bool Close(bool accept) {
        if (!s_.dropped || s_.closing) {
            return true;
        }
        s_.closing = true;
        const HWND self = wnd_.m_hWnd;
        bool alive = true;
        if (accept && Valid(s_.hot) && s_.hot != s_.curSel) {
            Select(s_.hot);
            alive = NotifyParent(wnd_, CBN_SELCHANGE);
        }
        alive = alive && NotifyParent(wnd_, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
        if (!alive) {
            return false;
        }
        s_.dropped = false;
        if (s_.list && s_.list->m_hWnd) {
            if (CWnd::GetCapture() == s_.list.get()) {
                ReleaseCapture();
            }
            s_.list->ShowWindow(SW_HIDE);
        }
        s_.closing = false;
        wnd_.Invalidate(FALSE);
        return NotifyParent(wnd_, CBN_CLOSEUP) && IsWindow(self);
    }

    int RowAt(CPoint point) {
        CRect client;
        s_.list->GetClientRect(&client);
        if (!client.PtInRect(point)) {
            return -1;
        }
        const int index = s_.topIndex + point.y / ItemHeight();
        return Valid(index) ? index : -1;
    }

    void Hover(CPoint point) {
        const int row = RowAt(point);
        if (row >= 0 && row != s_.hot) {
            s_.hot = row;
            s_.list->Invalidate(FALSE);
        }
    }

    void MoveHot(int delta) {
        if (Count() == 0) {
            return;
        }
        const int from = s_.hot >= 0 ? s_.hot : (delta > 0 ? -1 : Count());
        s_.hot = std::clamp(from + delta, 0, Count() - 1);
        EnsureVisible(s_.hot);
        s_.list->Invalidate(FALSE);
    }

    void ScrollList(int rows) {
        s_.topIndex += rows;
        ClampTop();
        s_.list->Invalidate(FALSE);
    }

    // ---- Keys (for the control and its edit part); false when the key is not its own.
    bool Key(UINT key) {
        if (s_.dropped) {
            return OpenListKey(key);
        }
        // The page keys, Home and End belong to the edit part of a drop-down combo box.
        const bool list = IsList();
        const int last = Count() - 1;
        const int from = s_.curSel;
        const int page = VisibleRows();
        int target = 0;
        switch (key) {
            case VK_F4:
                Open();
                return true;
            case VK_UP:
                target = from < 0 ? 0 : std::max(0, from - 1);
                break;
            case VK_DOWN:
                target = from < 0 ? 0 : std::min(last, from + 1);
                break;
            case VK_PRIOR:
                target = std::max(0, from - page);
                break;
            case VK_NEXT:
                target = std::min(last, from + page);
                break;
            case VK_HOME:
                target = 0;
                break;
            case VK_END:
                target = last;
                break;
            default:
                return false;
        }
        if (!list && key != VK_UP && key != VK_DOWN) {
            return false;
        }
        UserSelect(target);  // may destroy the control: the caller touches nothing then
        return true;
    }

    bool OpenListKey(UINT key) {
        switch (key) {
            case VK_UP:
                MoveHot(-1);
                return true;
            case VK_DOWN:
                MoveHot(1);
                return true;
            case VK_PRIOR:
                MoveHot(-VisibleRows());
                return true;
            case VK_NEXT:
                MoveHot(VisibleRows());
                return true;
            case VK_HOME:
                MoveHot(-Count());
                return true;
            case VK_END:
                MoveHot(Count());
                return true;
            case VK_RETURN:
            case VK_F4:
                Close(true);
                return true;
            case VK_ESCAPE:
                Close(false);
                return true;
            default:
                return false;
        }
    }

    // A typed character on a drop-down list: the next item that starts with it.
    void TypeAhead(char ch) {
        const char prefix[2] = {ch, '\0'};
        const int found = Find(s_.dropped ? s_.hot : s_.curSel, prefix, false);
        if (found == CB_ERR) {
            return;
        }
        if (s_.dropped) {
            s_.hot = found;
            EnsureVisible(found);
            s_.list->Invalidate(FALSE);
        } else {
            UserSelect(found);
        }
    }

    // ---- Focus
    void FocusEntered() {
        if (!s_.focusInside) {
            s_.focusInside = true;
            wnd_.Invalidate(FALSE);
            NotifyParent(wnd_, CBN_SETFOCUS);
        }
    }

    void FocusLeft() {
        const CWnd* now = CWnd::GetFocus();
        if (now && (now == &wnd_ || now == s_.edit.get())) {
            return;  // still inside
        }
        if (!s_.focusInside) {
            return;
        }
        s_.focusInside = false;
        wnd_.Invalidate(FALSE);
        if (Close(false)) {
            NotifyParent(wnd_, CBN_KILLFOCUS);
        }
    }

    // ---- Paint
    COLORREF FieldColours(CDC& dc, CBrush*& brush) {
        const bool enabled = wnd_.IsWindowEnabled() != FALSE;
        const UINT message = !enabled   ? WM_CTLCOLORSTATIC
                             : IsList() ? WM_CTLCOLORLISTBOX
                                        : WM_CTLCOLOREDIT;
        const HBRUSH handle = ParentColours(wnd_, dc, message);
        brush = handle ? CBrush::FromHandle(handle) : nullptr;
        return enabled ? dc.GetTextColor() : GetSysColor(COLOR_GRAYTEXT);
    }

    void Paint(CDC& dc) {
        CRect client;
        wnd_.GetClientRect(&client);
        const plat::style::ControlColours colours = plat::style::SystemControlColours();
        const bool enabled = wnd_.IsWindowEnabled() != FALSE;
        plat::style::DrawEditFrame(dc, client, plat::style::EditFrame::Sunken, enabled, colours);

        CBrush* brush = nullptr;
        COLORREF text = FieldColours(dc, brush);
        const CRect field = FieldRect();
        if (brush) {
            dc.FillRect(&field, brush);
        } else {
            dc.FillSolidRect(&field, dc.GetBkColor());
        }
        if (IsList() && s_.curSel >= 0) {
            CRect item = field;
            item.DeflateRect(1, 1);
            if (s_.focusInside && !s_.dropped) {
                dc.FillSolidRect(&item, colours.selection);
                text = colours.selectionText;
            }
            DrawItemText(dc, item, s_.items[s_.curSel].text, text);
        }
        plat::style::DrawDropButton(dc, ButtonRect(), s_.dropped, enabled, colours);
    }

    void DrawItemText(CDC& dc, CRect rect, const CString& text, COLORREF colour) {
        const SavedDC saved(dc);
        dc.SelectObject(ControlFont(wnd_));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(colour);
        rect.left += kTextIndent;
        dc.DrawText(text, &rect,
                    DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

    void PaintList(CWnd& list, CDC& dc) {
        CRect client;
        list.GetClientRect(&client);
        const plat::style::ControlColours colours = plat::style::SystemControlColours();
        const HBRUSH handle = ParentColours(wnd_, dc, WM_CTLCOLORLISTBOX);
        const COLORREF text = dc.GetTextColor();
        if (CBrush* brush = handle ? CBrush::FromHandle(handle) : nullptr) {
            dc.FillRect(&client, brush);
        } else {
            dc.FillSolidRect(&client, dc.GetBkColor());
        }
        const int height = ItemHeight();
        const int last = std::min(Count(), s_.topIndex + VisibleRows());
        for (int index = s_.topIndex; index < last; ++index) {
            const CRect row(client.left, (index - s_.topIndex) * height, client.right,
                            (index - s_.topIndex + 1) * height);
            const bool hot = index == s_.hot;
            if (hot) {
                dc.FillSolidRect(&row, colours.selection);
            }
            DrawItemText(dc, row, s_.items[index].text, hot ? colours.selectionText : text);
        }
    }

    ComboState& State() { return s_; }

private:
    CComboBox& wnd_;
    ComboState& s_;
};

namespace {

void ComboList::OnPaint() {
    CPaintDC dc(this);
    ComboEngine(combo_).PaintList(*this, dc);
}

void ComboList::OnMouseMove(UINT, CPoint point) {
    ComboEngine(combo_).Hover(point);
}

void ComboList::OnLButtonDown(UINT, CPoint point) {
    ComboEngine engine(combo_);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        engine.Hover(point);
        return;
    }
    // A press anywhere else (the control's own button included) closes without a choice.
    engine.Close(false);
}

void ComboList::OnLButtonUp(UINT, CPoint point) {
    ComboEngine engine(combo_);
    const int row = engine.RowAt(point);
    if (row >= 0) {
        engine.State().hot = row;
        engine.Close(true);  // may destroy the control and this list: nothing after
    }
}

void ComboList::OnCaptureChanged(CWnd* pWnd) {
    CWnd::OnCaptureChanged(pWnd);
    if (pWnd != this) {
        ComboEngine(combo_).Close(false);  // someone else took the mouse
    }
}

}  // namespace
}  // namespace plat::controls

using plat::controls::ComboEngine;

CComboBox::CComboBox() : combo_(std::make_unique<plat::controls::ComboState>()) {}

CComboBox::~CComboBox() {
    DestroyWindow();
}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    const bool list = (dwStyle & 0x3) == CBS_DROPDOWNLIST;
    return CWnd::CreateEx(0, plat::controls::ComboBoxClass(), "",
                          dwStyle | WS_CHILD | (list ? 0 : WS_CLIPCHILDREN), rect, pParentWnd, nID);
}

// ---- Member functions: messages to the control ----------------------------------------

namespace {

int Ask(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<int>(SendMessageA(wnd->m_hWnd, message, wParam, lParam));
}

WPARAM Index(int index) {
    return static_cast<WPARAM>(static_cast<std::intptr_t>(index));
}

LPARAM Text(LPCTSTR text) {
    return reinterpret_cast<LPARAM>(text);
}

}  // namespace

int CComboBox::GetCount() const {
    return Ask(this, CB_GETCOUNT);
}
int CComboBox::GetCurSel() const {
    return Ask(this, CB_GETCURSEL);
}
int CComboBox::SetCurSel(int nSelect) {
    return Ask(this, CB_SETCURSEL, Index(nSelect));
}
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    return Ask(this, CB_GETLBTEXT, Index(nIndex), reinterpret_cast<LPARAM>(lpszText));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const {
    const int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    char* buffer = rString.GetBuffer(length + 1);
    const int copied = GetLBText(nIndex, buffer);
    rString.ReleaseBuffer(copied == CB_ERR ? 0 : copied);
}
int CComboBox::GetLBTextLen(int nIndex) const {
    return Ask(this, CB_GETLBTEXTLEN, Index(nIndex));
}
int CComboBox::AddString(LPCTSTR lpszString) {
    return Ask(this, CB_ADDSTRING, 0, Text(lpszString));
}
int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
    return Ask(this, CB_INSERTSTRING, Index(nIndex), Text(lpszString));
}
int CComboBox::DeleteString(UINT nIndex) {
    return Ask(this, CB_DELETESTRING, nIndex);
}
void CComboBox::ResetContent() {
    Ask(this, CB_RESETCONTENT);
}
int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
    return Ask(this, CB_FINDSTRING, Index(nStartAfter), Text(lpszString));
}
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return Ask(this, CB_FINDSTRINGEXACT, Index(nIndexStart), Text(lpszFind));
}
int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
    return Ask(this, CB_SELECTSTRING, Index(nStartAfter), Text(lpszString));
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(SendMessageA(m_hWnd, CB_GETITEMDATA, Index(nIndex), 0));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return Ask(this, CB_SETITEMDATA, Index(nIndex), static_cast<LPARAM>(dwItemData));
}
void CComboBox::ShowDropDown(BOOL bShowIt) {
    Ask(this, CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt));
}
BOOL CComboBox::GetDroppedState() const {
    return Ask(this, CB_GETDROPPEDSTATE);
}
void CComboBox::GetDroppedControlRect(LPRECT lprect) const {
    Ask(this, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
}
int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight) {
    return Ask(this, CB_SETITEMHEIGHT, Index(nIndex), static_cast<LPARAM>(cyItemHeight));
}
int CComboBox::GetItemHeight(int nIndex) const {
    return Ask(this, CB_GETITEMHEIGHT, Index(nIndex));
}
int CComboBox::GetTopIndex() const {
    return Ask(this, CB_GETTOPINDEX);
}
int CComboBox::SetTopIndex(int nIndex) {
    return Ask(this, CB_SETTOPINDEX, Index(nIndex));
}
BOOL CComboBox::SetMinVisibleItems(int iMinVisible) {
    return Ask(this, CB_SETMINVISIBLE, Index(iMinVisible));
}
int CComboBox::GetMinVisible() const {
    return Ask(this, CB_GETMINVISIBLE);
}
BOOL CComboBox::LimitText(int nMaxChars) {
    return Ask(this, CB_LIMITTEXT, Index(nMaxChars));
}
DWORD CComboBox::GetEditSel() const {
    return static_cast<DWORD>(SendMessageA(m_hWnd, CB_GETEDITSEL, 0, 0));
}
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar) {
    return Ask(this, CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar));
}

// ---- The messages ------------------------------------------------------------------------

LRESULT CComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    plat::controls::ComboState& s = *combo_;
    ComboEngine engine(*this);
    const auto index = static_cast<std::intptr_t>(wParam);
    const auto* text = reinterpret_cast<const char*>(lParam);
    switch (message) {
        case CB_GETCOUNT:
            return engine.Count();
        case CB_GETCURSEL:
            return s.curSel;
        case CB_SETCURSEL:
            engine.Select(engine.Valid(index) ? static_cast<int>(index) : -1);
            return engine.Valid(index) ? index : CB_ERR;
        case CB_GETLBTEXT:
            if (!engine.Valid(index) || !text) {
                return CB_ERR;
            }
            std::memcpy(reinterpret_cast<char*>(lParam), s.items[index].text.GetString(),
                        static_cast<std::size_t>(s.items[index].text.GetLength()) + 1);
            return s.items[index].text.GetLength();
        case CB_GETLBTEXTLEN:
            return engine.Valid(index) ? s.items[index].text.GetLength() : CB_ERR;
        case CB_ADDSTRING:
            return engine.Insert(
                (GetStyle() & CBS_SORT) ? engine.SortedPosition(text) : engine.Count(), text);
        case CB_INSERTSTRING:
            if (index < -1 || index > engine.Count()) {
                return CB_ERR;
            }
            return engine.Insert(index == -1 ? engine.Count() : static_cast<int>(index), text);
        case CB_DELETESTRING:
            return engine.Valid(index) ? engine.Delete(static_cast<int>(index)) : CB_ERR;
        case CB_RESETCONTENT:
            engine.Reset();
            return CB_OKAY;
        case CB_FINDSTRING:
            return engine.Find(index, text, false);
        case CB_FINDSTRINGEXACT:
            return engine.Find(index, text, true);
        case CB_SELECTSTRING: {
            const int found = engine.Find(index, text, false);
            if (found != CB_ERR) {
                engine.Select(found);
            }
            return found;
        }
        case CB_GETITEMDATA:
            return engine.Valid(index) ? static_cast<LRESULT>(s.items[index].data) : CB_ERR;
        case CB_SETITEMDATA:
            if (!engine.Valid(index)) {
                return CB_ERR;
            }
            s.items[index].data = static_cast<DWORD_PTR>(lParam);
            return CB_OKAY;
        case CB_SHOWDROPDOWN:
            if (wParam) {
                engine.Open();
            } else {
                engine.Close(false);
            }
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return s.dropped ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT:
            if (auto* out = reinterpret_cast<RECT*>(lParam)) {
                CRect window;
                GetWindowRect(&window);
                *out = window | engine.ListRect();
            }
            return CB_OKAY;
        case CB_SETITEMHEIGHT:
            if (lParam <= 0 || lParam > 255) {
                return CB_ERR;
            }
            (index == -1 ? s.fieldHeight : s.itemHeight) = static_cast<int>(lParam);
            engine.Layout();
            engine.Changed();
            return CB_OKAY;
        case CB_GETITEMHEIGHT:
            return index == -1 ? engine.FieldHeight() : engine.ItemHeight();
        case CB_GETTOPINDEX:
            return s.topIndex;
        case CB_SETTOPINDEX:
            if (!engine.Valid(index)) {
                return CB_ERR;
            }
            s.topIndex = static_cast<int>(index);
            engine.Changed();
            return CB_OKAY;
        case CB_SETMINVISIBLE:
            if (index <= 0) {
                return FALSE;
            }
            s.minVisible = static_cast<int>(std::min<std::intptr_t>(index, 0xFFFF));
            engine.Changed();
            return TRUE;
        case CB_GETMINVISIBLE:
            return s.minVisible;
        case CB_LIMITTEXT:
            if (!s.edit) {
                return CB_ERR;
            }
            s.edit->LimitText(static_cast<int>(index));
            return TRUE;
        case CB_GETEDITSEL: {
            if (!s.edit) {
                return CB_ERR;
            }
            return static_cast<LRESULT>(s.edit->SendMessage(EM_GETSEL, wParam, lParam));
        }
        case CB_SETEDITSEL:
            if (!s.edit) {
                return CB_ERR;
            }
            s.edit->SetSel(static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)));
            return TRUE;
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: {
            CString shown;
            if (s.edit) {
                s.edit->GetWindowText(shown);
            } else if (s.curSel >= 0) {
                shown = s.items[s.curSel].text;
            }
            return message == WM_GETTEXTLENGTH
                       ? shown.GetLength()
                       : plat::controls::CopyTextOut(shown.str(), wParam, lParam);
        }
        case WM_SETTEXT:
            if (s.edit) {
                s.edit->SetWindowText(text ? text : "");
                return TRUE;
            } else {
                // A drop-down list can only show one of its items.
                const int found = engine.Find(-1, text ? text : "", true);
                if (found == CB_ERR) {
                    return CB_ERR;
                }
                engine.Select(found);
                return TRUE;
            }
        case WM_SETFONT: {
            const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
            if (s.edit) {
                s.edit->SendMessage(WM_SETFONT, wParam, lParam);
            }
            if (m_hWnd) {
                engine.Layout();
                engine.Changed();
            }
            return result;
        }
        default:
            return CWnd::WindowProc(message, wParam, lParam);
    }
}

// ---- Handlers ----------------------------------------------------------------------------

int CComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    ComboEngine engine(*this);
    engine.Layout();
    if (!engine.IsList()) {
        engine.CreateEdit();
    }
    return 0;
}

void CComboBox::OnDestroy() {
    plat::controls::ComboState& s = *combo_;
    s.dropped = false;
    if (s.list && s.list->m_hWnd) {
        s.list->DestroyWindow();
    }
    CWnd::OnDestroy();
}

void CComboBox::OnPaint() {
    CPaintDC dc(this);
    ComboEngine(*this).Paint(dc);
}

BOOL CComboBox::OnEraseBkgnd(CDC*) {
    return TRUE;  // the paint covers the control
}

void CComboBox::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    ComboEngine(*this).PlaceEdit();
    Invalidate(FALSE);
}

void CComboBox::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CWnd::OnWindowPosChanging(lpwndpos);
    if (lpwndpos && !(lpwndpos->flags & SWP_NOSIZE)) {
        lpwndpos->cy = ComboEngine(*this).WindowHeight();  // the font decides the height
    }
}

void CComboBox::OnLButtonDown(UINT, CPoint) {
    plat::controls::ComboState& s = *combo_;
    const HWND self = m_hWnd;
    if (s.edit) {
        s.edit->SetFocus();
    } else {
        SetFocus();
    }
    if (!IsWindow(self)) {
        return;
    }
    ComboEngine engine(*this);
    if (s.dropped) {
        engine.Close(false);
    } else {
        engine.Open();
    }
}

void CComboBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    OnLButtonDown(nFlags, point);
}

void CComboBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!ComboEngine(*this).Key(nChar)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CComboBox::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    ComboEngine engine(*this);
    const auto ch = static_cast<unsigned char>(nChar);
    if (engine.IsList() && plat::controls::IsPrintable(ch)) {
        engine.TypeAhead(static_cast<char>(ch));
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CComboBox::OnMouseWheel(UINT, short zDelta, CPoint) {
    ComboEngine engine(*this);
    const int notches = zDelta / WHEEL_DELTA;
    if (notches == 0) {
        return TRUE;
    }
    if (combo_->dropped) {
        engine.ScrollList(-notches * plat::controls::kWheelRows);
    } else {
        engine.Key(notches > 0 ? VK_UP : VK_DOWN);
    }
    return TRUE;
}

void CComboBox::OnSetFocus(CWnd* pOldWnd) {
    CWnd::OnSetFocus(pOldWnd);
    plat::controls::ComboState& s = *combo_;
    if (s.edit && s.edit->m_hWnd) {
        s.edit->SetFocus();  // the edit part takes the keys
        return;
    }
    ComboEngine(*this).FocusEntered();
}

void CComboBox::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    ComboEngine(*this).FocusLeft();
}

UINT CComboBox::OnGetDlgCode() {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CComboBox::OnEnable(BOOL bEnable) {
    CWnd::OnEnable(bEnable);
    if (!bEnable && !ComboEngine(*this).Close(false)) {
        return;
    }
    if (combo_->edit) {
        combo_->edit->EnableWindow(bEnable);
    }
    Invalidate(FALSE);
}

BOOL CComboBox::OnCommand(WPARAM wParam, LPARAM lParam) {
    plat::controls::ComboState& s = *combo_;
    if (!s.edit || reinterpret_cast<HWND>(lParam) != s.edit->m_hWnd) {
        return CWnd::OnCommand(wParam, lParam);
    }
    ComboEngine engine(*this);
    switch (HIWORD(wParam)) {
        case EN_UPDATE:
            if (!s.settingEditText) {
                plat::controls::NotifyParent(*this, CBN_EDITUPDATE);
            }
            break;
        case EN_CHANGE:
            if (!s.settingEditText) {
                plat::controls::NotifyParent(*this, CBN_EDITCHANGE);
            }
            break;
        case EN_SETFOCUS:
            engine.FocusEntered();
            break;
        case EN_KILLFOCUS:
            engine.FocusLeft();
            break;
        default:
            break;
    }
    return TRUE;
}
