#pragma once
// CMFCPropertyGridProperty: one row of the framework property grid. A row is either a
// value (a name, a variant value, a description) or a group of rows (a name with an
// expand box); a group made as a value list also shows its sub-items' values joined by
// the grid's list delimiter and takes them back split.
//
// The grid calls the virtual operations below to draw a row (OnDrawName, OnDrawValue,
// OnDrawButton, OnDrawExpandBox, OnDrawDescription), to turn its value into text and back
// (FormatProperty, TextToVar), and to run an edit (OnEdit makes the in-place control,
// OnUpdateValue stores its text, OnEndEdit destroys it). A derived row overrides them the
// way the framework's rows do.
//
// Text by value type: BSTR as is; I2 "%d"; I4 and INT "%ld"; UI1 the character (empty for
// 0); UI2, UI4 and UINT "%u"; R4 "%f"; R8 "%lf"; BOOL the grid's true or false label. Typed
// text must hold a number of the type's range (white space round it is ignored; empty
// text is 0), one of the two labels for BOOL; other text is refused.

#include <vector>

#include "platform/controls/CComboBox.h"
#include "platform/controls/CSpinButtonCtrl.h"
#include "platform/core/CArray.h"
#include "platform/core/COleVariant.h"
#include "platform/core/CString.h"
#include "platform/gdi/CDC.h"
#include "platform/window/CWnd.h"

class CMFCPropertyGridCtrl;

// m_dwFlags: what the value part offers.
constexpr DWORD AFX_PROP_HAS_LIST = 0x0001;    // a drop-down list of options
constexpr DWORD AFX_PROP_HAS_BUTTON = 0x0002;  // a "..." button
constexpr DWORD AFX_PROP_HAS_SPIN = 0x0004;    // a spin control beside the edit

// The control id of every in-place window.
constexpr UINT AFX_PROPLIST_ID_INPLACE = 3;

class SUI_API CMFCPropertyGridProperty : public CObject {
    friend class CMFCPropertyGridCtrl;

public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    enum ClickArea { ClickExpandBox, ClickName, ClickValue, ClickDescription };

    // A group. A value list shows (and edits) its sub-items' values in its value column.
    explicit CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData = 0,
                                      BOOL bIsValueList = FALSE);
    // A value. The mask, template and valid characters make the editor a masked edit.
    CMFCPropertyGridProperty(const CString& strName, const COleVariant& varValue,
                             LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0,
                             LPCTSTR lpszEditMask = nullptr, LPCTSTR lpszEditTemplate = nullptr,
                             LPCTSTR lpszValidChars = nullptr);
    // Deletes the sub-items and any in-place windows still open.
    ~CMFCPropertyGridProperty() override;
    CMFCPropertyGridProperty(const CMFCPropertyGridProperty&) = delete;
    CMFCPropertyGridProperty& operator=(const CMFCPropertyGridProperty&) = delete;

    // ---- Sub-items (groups only). The row takes ownership; FALSE for a value row, a
    // null row or a row that already has a place.
    BOOL AddSubItem(CMFCPropertyGridProperty* pProp);
    // Takes pProp out (deleting it with bDelete, then pProp becomes null); FALSE when it
    // is not below this row.
    BOOL RemoveSubItem(CMFCPropertyGridProperty*& pProp, BOOL bDelete = TRUE);
    int GetSubItemsCount() const { return static_cast<int>(m_lstSubItems.size()); }
    // nullptr for an index out of range.
    CMFCPropertyGridProperty* GetSubItem(int nIndex) const;
    CMFCPropertyGridProperty* GetParent() const { return m_pParent; }
    int GetHierarchyLevel() const;
    // The rows shown below an expanded group, counted through expanded sub-groups.
    int GetExpandedSubItems(BOOL bIncludeHidden = TRUE) const;
    virtual BOOL IsSubItem(CMFCPropertyGridProperty* pProp) const;
    virtual CMFCPropertyGridProperty* FindSubItemByData(DWORD_PTR dwData) const;

    // ---- Options: a drop-down list of texts
    // FALSE for a null text or (with bInsertUnique) one already there.
    BOOL AddOption(LPCTSTR lpszOption, BOOL bInsertUnique = TRUE);
    void RemoveAllOptions();
    int GetOptionCount() const { return m_lstOptions.GetSize(); }
    // nullptr for an index out of range.
    LPCTSTR GetOption(int nIndex) const;

    // A spin control beside the editor, for the integer types only (INT, UINT, I2, I4,
    // UI2, UI4): invalid-argument exception for any other. The range counts only when
    // nMin or nMax is not 0.
    void EnableSpinControl(BOOL bEnable = TRUE, int nMin = 0, int nMax = 0);

    // ---- State
    BOOL IsGroup() const { return m_bGroup; }
    BOOL IsValueList() const { return m_bIsValueList; }
    void Expand(BOOL bExpand = TRUE);
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsParentExpanded() const;
    virtual BOOL IsSelected() const;
    void Enable(BOOL bEnable = TRUE);
    BOOL IsEnabled() const { return m_bEnabled; }
    void AllowEdit(BOOL bAllow = TRUE);
    BOOL IsAllowEdit() const { return m_bAllowEdit; }
    // A hidden row takes no room in the grid, nor do its sub-items.
    void Show(BOOL bShow = TRUE, BOOL bAdjustLayout = TRUE);
    BOOL IsVisible() const { return m_bIsVisible; }
    BOOL IsInPlaceEditing() const { return m_bInPlaceEdit; }
    // The row's rectangle in the grid (empty while it does not show).
    CRect GetRect() const { return m_Rect; }
    // Repaints the row now (and its value-list parent or sub-items).
    void Redraw();

    // ---- Name, description, data
    LPCTSTR GetName() const { return m_strName; }
    void SetName(LPCTSTR lpszName, BOOL bRedraw = TRUE);
    const CString& GetDescription() const { return m_strDescr; }
    void SetDescription(const CString& strDescr);
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR dwData) { m_dwData = dwData; }

    // ---- Value
    virtual const COleVariant& GetValue() const { return m_varValue; }
    // Ignored when the value's type differs from the current one (unless that is
    // VT_EMPTY). Does not mark the row modified; an open editor shows the new text.
    virtual void SetValue(const COleVariant& varValue);
    const COleVariant& GetOriginalValue() const { return m_varValueOrig; }
    void SetOriginalValue(const COleVariant& varValue);
    // The current value becomes the original one and the row is no longer modified.
    virtual void ResetOriginalValue();
    // The value differs from the original (for a value list: any sub-item's does).
    virtual BOOL IsValueChanged() const;
    BOOL IsModified() const { return m_bIsModified; }
    // The modified flag follows IsValueChanged (a value list's follows its sub-items').
    virtual void SetModifiedFlag();

    // ---- Overridables: text
    virtual CString FormatProperty();
    // Stores text as the value; FALSE (value unchanged) when the text does not parse.
    virtual BOOL TextToVar(const CString& strText);

    // ---- Overridables: drawing (rect in grid client coordinates)
    virtual void OnDrawName(CDC* pDC, CRect rect);
    virtual void OnDrawValue(CDC* pDC, CRect rect);
    virtual void OnDrawExpandBox(CDC* pDC, CRect rectExpand);
    virtual void OnDrawButton(CDC* pDC, CRect rectButton);
    virtual void OnDrawDescription(CDC* pDC, CRect rect);

    // ---- Overridables: editing
    virtual BOOL HasButton() const;
    virtual BOOL HasValueField() const { return TRUE; }
    // Makes the in-place control(s) and focuses them; TRUE when editing started.
    virtual BOOL OnEdit(LPPOINT lptClick);
    virtual CWnd* CreateInPlaceEdit(CRect rectEdit, BOOL& bDefaultFormat);
    virtual CComboBox* CreateCombo(CWnd* pWndParent, CRect rect);
    virtual CSpinButtonCtrl* CreateSpinControl(CRect rectSpin);
    // Stores the editor's text: notifies the grid when the text parsed and differed from
    // FormatProperty(). FALSE when it did not parse.
    virtual BOOL OnUpdateValue();
    // Destroys the in-place windows.
    virtual BOOL OnEndEdit();
    virtual void OnDestroyWindow();
    // The editor's and the spin's rectangles for the row's current place.
    virtual void AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin);
    virtual void AdjustButtonRect();

    // ---- Overridables: input
    virtual void OnClickButton(CPoint point);
    // Hands a click in the value to the in-place control.
    virtual BOOL OnClickValue(UINT uiMsg, CPoint point);
    virtual void OnClickName(CPoint point);
    virtual BOOL OnDblClk(CPoint point);
    // The next (or previous) option into the editor; FALSE without options.
    virtual BOOL OnRotateListValue(BOOL bForward);
    virtual void OnSelectCombo();
    virtual void OnCloseCombo();
    // A character typed on the selected row starts the edit with it.
    virtual BOOL PushChar(UINT nChar);
    virtual BOOL IsProcessFirstClick() const { return TRUE; }
    // The in-place control lost the focus to pNewWnd; FALSE keeps the edit running.
    virtual BOOL OnKillFocus(CWnd* /*pNewWnd*/) { return TRUE; }
    virtual void OnSetSelection(CMFCPropertyGridProperty* /*pOldSel*/) {}
    virtual void OnKillSelection(CMFCPropertyGridProperty* /*pNewSel*/) {}
    virtual void OnPosSizeChanged(CRect /*rectOld*/) {}

    CMFCPropertyGridProperty* HitTest(CPoint point, ClickArea* pnArea = nullptr);

    // The text formats of the number types.
    static CString m_strFormatChar;
    static CString m_strFormatShort;
    static CString m_strFormatLong;
    static CString m_strFormatUShort;
    static CString m_strFormatULong;
    static CString m_strFormatFloat;
    static CString m_strFormatDouble;

protected:
    void Init();
    void SetFlags();
    void SetOwnerList(CMFCPropertyGridCtrl* pWndList);
    // The options the drop-down offers: the Boolean labels for VT_BOOL.
    std::vector<CString> ListOptions() const;
    // The value text of a value list: the sub-items' texts joined.
    CString FormatValueList();
    BOOL ValueListToVar(const CString& strText);
    // The font the value is drawn and edited in.
    CFont* ValueFont() const;
    // Its handle; a paint selects by handle, without looking up the font's wrapper.
    HFONT ValueFontHandle() const;

    CString m_strName;
    COleVariant m_varValue;
    COleVariant m_varValueOrig;
    CString m_strDescr;
    CString m_strEditMask;
    CString m_strEditTempl;
    CString m_strValidChars;
    CStringArray m_lstOptions;
    DWORD_PTR m_dwData = 0;
    DWORD m_dwFlags = 0;

    BOOL m_bGroup = FALSE;
    BOOL m_bExpanded = TRUE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bAllowEdit = TRUE;
    BOOL m_bIsValueList = FALSE;
    BOOL m_bIsModified = FALSE;
    BOOL m_bIsVisible = TRUE;
    BOOL m_bInPlaceEdit = FALSE;
    BOOL m_bButtonIsDown = FALSE;
    BOOL m_bButtonIsFocused = FALSE;

    CMFCPropertyGridCtrl* m_pWndList = nullptr;  // the grid
    CWnd* m_pWndInPlace = nullptr;               // the editor (owned while editing)
    CComboBox* m_pWndCombo = nullptr;            // the options' list (hidden combo box)
    CSpinButtonCtrl* m_pWndSpin = nullptr;

    CRect m_Rect;
    CRect m_rectButton;
    int m_nMinValue = 0;
    int m_nMaxValue = 0;

    CMFCPropertyGridProperty* m_pParent = nullptr;
    std::vector<CMFCPropertyGridProperty*> m_lstSubItems;  // owned
};
