#pragma once
// CMFCPropertyGridCtrl: the framework property grid, a window of rows in two columns
// (names and values) with a draggable divider, an optional header strip, an optional
// description area and a vertical scroll bar of its own. Groups fold their sub-items in
// and out. A click in a value opens the row's in-place editor; Enter (or leaving it)
// stores the text, Escape throws it away. A stored change is told to the owner window:
//     SendMessage(owner, AFX_WM_PROPERTY_CHANGED, control id, (LPARAM) the row)
//
// The grid owns its rows (DeleteProperty and RemoveAll delete them). Only the rows that
// show are laid out in the list and painted, so a grid of many rows stays fast.
//
// Keys while the grid has the focus: Up, Down, Home, End, Page Up and Page Down move the
// selection; Left and Right (and - and +) fold and unfold a group; Enter opens the editor
// (or folds a group); F4 opens it and presses its button; a typed character opens it
// with that character. In the editor: Enter stores, Escape cancels, Tab (Shift+Tab)
// stores and opens the next (previous) row's editor, F4 presses the button.

#include <memory>
#include <vector>

#include "platform/propgrid/CMFCPropertyGridProperty.h"
#include "platform/propgrid/PropGridLook.h"

// RegisterWindowMessage("AFX_WM_PROPERTYCHANGED").
SUI_API extern const UINT AFX_WM_PROPERTY_CHANGED;

class CMFCPropertyGridColorProperty;

namespace plat::propgrid {
class ColourPalette;
}

class SUI_API CMFCPropertyGridCtrl : public CWnd {
    friend class CMFCPropertyGridProperty;
    friend class CMFCPropertyGridColorProperty;
    friend class plat::propgrid::ColourPalette;

public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CMFCPropertyGridCtrl();
    ~CMFCPropertyGridCtrl() override;

    using CWnd::Create;
    // A child grid (WS_CHILD is added, and WS_CLIPCHILDREN so editors stay on top).
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- Rows. The grid takes ownership of what it is given.
    // The row's index; -1 (and nothing taken) for a null row or one already placed.
    int AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE,
                    BOOL bAdjustLayout = TRUE);
    // Deletes a row at any level (an open editor of it is discarded first); pProp
    // becomes null. FALSE when the row is not in this grid.
    BOOL DeleteProperty(CMFCPropertyGridProperty*& pProp, BOOL bRedraw = TRUE,
                        BOOL bAdjustLayout = TRUE);
    void RemoveAll();
    int GetPropertyCount() const { return static_cast<int>(m_lstProps.size()); }
    // The top-level row at nIndex; nullptr out of range.
    CMFCPropertyGridProperty* GetProperty(int nIndex) const;
    CMFCPropertyGridProperty* FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems = TRUE) const;
    // The row at a client point and what part of it was hit; nullptr outside the rows.
    CMFCPropertyGridProperty* HitTest(CPoint pt,
                                      CMFCPropertyGridProperty::ClickArea* pnArea = nullptr,
                                      BOOL bPropsOnly = FALSE) const;

    // ---- Selection and view
    // An open editor is stored first; when its text does not parse the selection stays.
    void SetCurSel(CMFCPropertyGridProperty* pProp, BOOL bRedraw = TRUE);
    CMFCPropertyGridProperty* GetCurSel() const { return m_pSel; }
    // Scrolls the row into view; bExpandParents unfolds the groups above it first.
    void EnsureVisible(CMFCPropertyGridProperty* pProp, BOOL bExpandParents = FALSE);
    void ExpandAll(BOOL bExpand = TRUE);
    // Lays out the header, the list, the rows, the scroll bar and the description area.
    virtual void AdjustLayout();
    // The first row that shows, and how many rows the list shows whole.
    int GetScrollPos() const { return m_nVertScrollOffset; }
    void SetScrollPos(int nPos);
    int GetVisibleRowCount() const { return m_nVertScrollPage; }
    int GetTotalRowCount() const { return static_cast<int>(m_lstDisplayed.size()); }

    // ---- Editing
    virtual BOOL EditItem(CMFCPropertyGridProperty* pProp, LPPOINT lptClick = nullptr);
    // Ends the running edit, storing its text with bUpdateData. FALSE (the edit goes on)
    // when the text was refused.
    virtual BOOL EndEditItem(BOOL bUpdateData = TRUE);
    virtual BOOL ValidateItemData(CMFCPropertyGridProperty* /*pProp*/) { return TRUE; }
    // A row's value was stored: marks it modified and tells the owner.
    virtual void OnPropertyChanged(CMFCPropertyGridProperty* pProp) const;
    virtual void OnChangeSelection(CMFCPropertyGridProperty* /*pNewSel*/,
                                   CMFCPropertyGridProperty* /*pOldSel*/) {}

    // ---- Settings
    void EnableHeaderCtrl(BOOL bEnable = TRUE, LPCTSTR lpszLeftColumn = "Property",
                          LPCTSTR lpszRightColumn = "Value");
    BOOL IsHeaderCtrl() const { return m_bHeaderCtrl; }
    void EnableDescriptionArea(BOOL bEnable = TRUE);
    BOOL IsDescriptionArea() const { return m_bDescriptionArea; }
    int GetDescriptionHeight() const { return m_nDescrHeight; }
    int GetDescriptionRows() const { return m_nDescrRows; }
    void SetDescriptionRows(int nDescRows);
    void SetVSDotNetLook(BOOL bSet = TRUE);
    BOOL IsVSDotNetLook() const { return m_bVSDotNetLook; }
    void MarkModifiedProperties(BOOL bMark = TRUE, BOOL bRedraw = TRUE);
    BOOL IsMarkModifiedProperties() const { return m_bMarkModifiedProperties; }
    void ResetOriginalValues(BOOL bRedraw = TRUE);
    void SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse);
    LPCTSTR GetTrueLabel() const { return m_strTrue; }
    LPCTSTR GetFalseLabel() const { return m_strFalse; }
    void SetListDelimiter(TCHAR c);
    TCHAR GetListDelimiter() const { return m_cListDelimeter; }
    // (COLORREF)-1 for any of them: the default colour.
    void SetCustomColors(COLORREF clrBackground, COLORREF clrText, COLORREF clrGroupBackground,
                         COLORREF clrGroupText, COLORREF clrDescriptionBackground,
                         COLORREF clrDescriptionText, COLORREF clrLine);
    void GetCustomColors(COLORREF& clrBackground, COLORREF& clrText, COLORREF& clrGroupBackground,
                         COLORREF& clrGroupText, COLORREF& clrDescriptionBackground,
                         COLORREF& clrDescriptionText, COLORREF& clrLine) const;
    // The colours a paint uses now.
    plat::style::GridColours GetGridColours() const;
    // Between the row height and the list width less a scroll bar and 5 pixels.
    void SetLeftColumnWidth(int nWidth);
    int GetLeftColumnWidth() const { return m_nLeftColumnWidth; }
    int GetPropertyColumnWidth() const { return m_nLeftColumnWidth; }
    int GetRowHeight() const { return m_nRowHeight; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    CRect GetListRect() const { return m_rectList; }
    // Empty while every row fits.
    CRect GetScrollBarRect() const { return m_rectScrollBar; }
    CRect GetDescriptionRect() const { return m_rectDescr; }
    CFont& GetBoldFont() { return m_fontBold; }
    // The grid's font: the one WM_SETFONT gave it, else DEFAULT_GUI_FONT.
    HFONT GetGridFont() const;

    // ---- Drawing steps (overridable)
    // Draws one row; FALSE when it does not show.
    virtual int OnDrawProperty(CDC* pDC, CMFCPropertyGridProperty* pProp) const;
    virtual void OnDrawList(CDC* pDC);
    virtual void OnDrawDescription(CDC* pDC, CRect rect);
    virtual void OnFillBackground(CDC* pDC, CRect rectClient);
    virtual void OnDrawHeader(CDC* pDC, CRect rect);
    virtual void OnDrawScrollBar(CDC* pDC);

    // ---- The colour property's palette
    void CloseColorPopup();
    // The selected colour row takes the colour (and tells the owner when it changed).
    void UpdateColor(COLORREF color);
    BOOL IsColorPopupOpen() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void OnCaptureChanged(CWnd* pWnd) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    UINT OnGetDlgCode() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnTimer(UINT_PTR nIDEvent) override;

    // ---- Layout helpers
    void CreateBoldFont();
    int MeasureRowHeight();
    void RebuildDisplayed();
    void PositionRows();
    void ClearRects(CMFCPropertyGridProperty* pProp);
    int ClampScroll(int nPos) const;
    plat::style::ScrollBarParts ScrollBarLayout() const;
    int DisplayIndex(const CMFCPropertyGridProperty* pProp) const;
    bool IsGridFocused() const;
    bool IsInGrid(const CWnd* pWnd) const;

    // ---- Input helpers
    // Selects a row, storing the open edit first; false when the edit refused.
    bool Select(CMFCPropertyGridProperty* pProp);
    void MoveSelection(int nToIndex);
    bool IsOnDivider(CPoint point) const;
    void TrackDivider(CPoint point);
    // Scrolls for the user: the open edit is stored first (a refused text stops it).
    void ScrollByInput(int nNewPos);
    void ClickScrollBar(CPoint point);
    void ScrollStep(plat::style::ScrollPart part);
    void ClickRow(CMFCPropertyGridProperty* pHit, CMFCPropertyGridProperty::ClickArea area,
                  bool bSelChanged, CPoint point);
    // A key for the running edit; false when the editor should have it.
    bool EditorKey(UINT nChar);
    // The edit's text was refused: a beep, and the editor keeps the focus.
    void RefuseEdit();
    void TabToNext(bool bForward);
    void InPlaceLostFocus();
    // Keeps an in-place window alive until the handler that destroyed it has returned.
    void Retire(CWnd* pWnd);
    void FreeRetired();
    // A row (with its sub-items) leaves the grid: its edit, selection and palette go.
    void DetachRows(CMFCPropertyGridProperty* pProp);
    // The button of the selected row was pressed (click or F4).
    void PressButton(CMFCPropertyGridProperty* pProp, CPoint point);
    void OpenColorPopup(CMFCPropertyGridColorProperty* pProp);

    std::vector<CMFCPropertyGridProperty*> m_lstProps;      // owned, top level
    std::vector<CMFCPropertyGridProperty*> m_lstDisplayed;  // the rows that show, in order
    CMFCPropertyGridProperty* m_pSel = nullptr;

    BOOL m_bHeaderCtrl = TRUE;
    BOOL m_bDescriptionArea = FALSE;
    BOOL m_bVSDotNetLook = FALSE;
    BOOL m_bMarkModifiedProperties = FALSE;
    CString m_strHeaderLeft = "Property";
    CString m_strHeaderRight = "Value";
    CString m_strTrue = "True";
    CString m_strFalse = "False";
    TCHAR m_cListDelimeter = ',';

    COLORREF m_clrBackground = CLR_INVALID;
    COLORREF m_clrText = CLR_INVALID;
    COLORREF m_clrGroupBackground = CLR_INVALID;
    COLORREF m_clrGroupText = CLR_INVALID;
    COLORREF m_clrDescriptionBackground = CLR_INVALID;
    COLORREF m_clrDescriptionText = CLR_INVALID;
    COLORREF m_clrLine = CLR_INVALID;

    HFONT m_hFont = nullptr;   // from WM_SETFONT; null: DEFAULT_GUI_FONT
    mutable CFont m_fontBold;  // selected by the const drawing steps

    int m_nRowHeight = 0;
    int m_nHeaderHeight = 0;
    int m_nDescrHeight = 0;
    int m_nDescrRows = 3;
    int m_nLeftColumnWidth = 0;
    int m_nVertScrollOffset = 0;  // the first row that shows
    int m_nVertScrollPage = 0;    // the rows that fit whole
    CRect m_rectHeader;
    CRect m_rectList;
    CRect m_rectDescr;
    CRect m_rectScrollBar;  // empty while every row fits

    // Mouse tracking.
    enum class Tracking { None, Divider, Thumb, ScrollRepeat };
    Tracking m_tracking = Tracking::None;
    plat::style::ScrollPart m_scrollPressed = plat::style::ScrollPart::None;
    int m_nThumbGrab = 0;  // where the thumb was grabbed, from its top

    std::unique_ptr<plat::propgrid::ColourPalette> m_pColorPopup;
    std::vector<std::unique_ptr<CWnd>> m_lstRetired;
    bool m_bRetirePosted = false;
    bool m_bEndingEdit = false;
};
