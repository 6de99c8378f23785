// The grid window: creation, its rows, its settings and colours, its fonts, the
// property-changed notification and the colour palette.

#include "platform/propgrid/CMFCPropertyGridCtrl.h"

#include <algorithm>
#include <unordered_set>

#include "platform/controls/MessageBeep.h"
#include "platform/core/Messages.h"
#include "platform/propgrid/CMFCPropertyGridColorProperty.h"
#include "platform/propgrid/ColourPalette_p.h"

const UINT AFX_WM_PROPERTY_CHANGED = RegisterWindowMessageA("AFX_WM_PROPERTYCHANGED");

const CRuntimeClass CMFCPropertyGridCtrl::runtimeClass =
    plat::MakeRuntimeClass<CMFCPropertyGridCtrl, CWnd>("CMFCPropertyGridCtrl");

namespace {

// Posted to the grid itself: the in-place windows retired meanwhile can go now.
constexpr UINT kFreeRetired = WM_USER + 0x300;

COLORREF Either(COLORREF custom, COLORREF fallback) {
    return custom == CLR_INVALID ? fallback : custom;
}

void CollectRows(CMFCPropertyGridProperty* prop, std::unordered_set<const void*>& rows) {
    rows.insert(prop);
    for (int i = 0; i < prop->GetSubItemsCount(); ++i) {
        CollectRows(prop->GetSubItem(i), rows);
    }
}

}  // namespace

CMFCPropertyGridCtrl::CMFCPropertyGridCtrl() = default;

CMFCPropertyGridCtrl::~CMFCPropertyGridCtrl() {
    CloseColorPopup();
    if (m_pSel && m_pSel->m_bInPlaceEdit) {
        m_pSel->OnEndEdit();
    }
    m_pSel = nullptr;
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        delete prop;
    }
    m_lstProps.clear();
    m_lstDisplayed.clear();
    DestroyWindow();
    FreeRetired();
}

BOOL CMFCPropertyGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    const LPCTSTR cls =
        AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CWnd::CreateEx(0, cls, "", dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CMFCPropertyGridCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    CreateBoldFont();
    CRect client;
    GetClientRect(&client);
    m_nLeftColumnWidth = client.Width() / 2;
    AdjustLayout();
    return 0;
}

void CMFCPropertyGridCtrl::OnDestroy() {
    CloseColorPopup();
    EndEditItem(FALSE);
    KillTimer(1);
    CWnd::OnDestroy();
}

LRESULT CMFCPropertyGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            m_hFont = reinterpret_cast<HFONT>(wParam);
            CreateBoldFont();
            AdjustLayout();
            if (LOWORD(lParam)) {
                Invalidate(FALSE);
            }
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(GetGridFont());
        case kFreeRetired:
            m_bRetirePosted = false;
            FreeRetired();
            return 0;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- Rows --------------------------------------------------------------------------------

int CMFCPropertyGridCtrl::AddProperty(CMFCPropertyGridProperty* pProp, BOOL bRedraw,
                                      BOOL bAdjustLayout) {
    // A row in a grid (this one included) knows it: no search is needed.
    if (!pProp || pProp->m_pParent || pProp->m_pWndList) {
        return -1;
    }
    pProp->SetOwnerList(this);
    m_lstProps.push_back(pProp);
    if (bAdjustLayout) {
        AdjustLayout();
    }
    if (bRedraw && m_hWnd) {
        Invalidate(FALSE);
    }
    return GetPropertyCount() - 1;
}

BOOL CMFCPropertyGridCtrl::DeleteProperty(CMFCPropertyGridProperty*& pProp, BOOL bRedraw,
                                          BOOL bAdjustLayout) {
    if (!pProp || pProp->m_pWndList != this) {
        return FALSE;
    }
    const auto top = std::find(m_lstProps.begin(), m_lstProps.end(), pProp);
    if (top != m_lstProps.end()) {
        DetachRows(pProp);
        m_lstProps.erase(top);
        delete pProp;
        pProp = nullptr;
    } else if (!pProp->m_pParent || !pProp->m_pParent->RemoveSubItem(pProp, TRUE)) {
        return FALSE;
    }
    if (bAdjustLayout) {
        AdjustLayout();
    }
    if (bRedraw && m_hWnd) {
        Invalidate(FALSE);
    }
    return TRUE;
}

void CMFCPropertyGridCtrl::RemoveAll() {
    CloseColorPopup();
    EndEditItem(FALSE);
    m_pSel = nullptr;
    m_lstDisplayed.clear();
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        delete prop;
    }
    m_lstProps.clear();
    m_nVertScrollOffset = 0;
    AdjustLayout();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::DetachRows(CMFCPropertyGridProperty* pProp) {
    std::unordered_set<const void*> leaving;
    CollectRows(pProp, leaving);
    if (m_pSel && leaving.count(m_pSel)) {
        CloseColorPopup();
        EndEditItem(FALSE);
        m_pSel = nullptr;
    }
    std::erase_if(m_lstDisplayed,
                  [&](const CMFCPropertyGridProperty* row) { return leaving.count(row) != 0; });
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetProperty(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetPropertyCount()) {
        return nullptr;
    }
    return m_lstProps[static_cast<size_t>(nIndex)];
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::FindItemByData(DWORD_PTR dwData,
                                                               BOOL bSearchSubItems) const {
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        if (prop->m_dwData == dwData) {
            return prop;
        }
        if (bSearchSubItems) {
            if (CMFCPropertyGridProperty* found = prop->FindSubItemByData(dwData)) {
                return found;
            }
        }
    }
    return nullptr;
}

// ---- Settings ----------------------------------------------------------------------------

void CMFCPropertyGridCtrl::EnableHeaderCtrl(BOOL bEnable, LPCTSTR lpszLeftColumn,
                                            LPCTSTR lpszRightColumn) {
    m_bHeaderCtrl = bEnable;
    m_strHeaderLeft = lpszLeftColumn;
    m_strHeaderRight = lpszRightColumn;
    AdjustLayout();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::EnableDescriptionArea(BOOL bEnable) {
    m_bDescriptionArea = bEnable;
    AdjustLayout();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::SetDescriptionRows(int nDescRows) {
    m_nDescrRows = std::max(1, nDescRows);
    AdjustLayout();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::SetVSDotNetLook(BOOL bSet) {
    m_bVSDotNetLook = bSet;
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::MarkModifiedProperties(BOOL bMark, BOOL bRedraw) {
    m_bMarkModifiedProperties = bMark;
    if (bRedraw && m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::ResetOriginalValues(BOOL bRedraw) {
    for (CMFCPropertyGridProperty* prop : m_lstProps) {
        prop->ResetOriginalValue();
    }
    if (bRedraw && m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse) {
    m_strTrue = lpszTrue;
    m_strFalse = lpszFalse;
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

void CMFCPropertyGridCtrl::SetListDelimiter(TCHAR c) {
    m_cListDelimeter = c;
}

void CMFCPropertyGridCtrl::SetCustomColors(COLORREF clrBackground, COLORREF clrText,
                                           COLORREF clrGroupBackground, COLORREF clrGroupText,
                                           COLORREF clrDescriptionBackground,
                                           COLORREF clrDescriptionText, COLORREF clrLine) {
    m_clrBackground = clrBackground;
    m_clrText = clrText;
    m_clrGroupBackground = clrGroupBackground;
    m_clrGroupText = clrGroupText;
    m_clrDescriptionBackground = clrDescriptionBackground;
    m_clrDescriptionText = clrDescriptionText;
    m_clrLine = clrLine;
}

void CMFCPropertyGridCtrl::GetCustomColors(COLORREF& clrBackground, COLORREF& clrText,
                                           COLORREF& clrGroupBackground, COLORREF& clrGroupText,
                                           COLORREF& clrDescriptionBackground,
                                           COLORREF& clrDescriptionText, COLORREF& clrLine) const {
    clrBackground = m_clrBackground;
    clrText = m_clrText;
    clrGroupBackground = m_clrGroupBackground;
    clrGroupText = m_clrGroupText;
    clrDescriptionBackground = m_clrDescriptionBackground;
    clrDescriptionText = m_clrDescriptionText;
    clrLine = m_clrLine;
}

plat::style::GridColours CMFCPropertyGridCtrl::GetGridColours() const {
    plat::style::GridColours c{};
    c.background = Either(m_clrBackground, GetSysColor(COLOR_WINDOW));
    c.text = Either(m_clrText, GetSysColor(COLOR_WINDOWTEXT));
    const COLORREF lookGroup = m_bVSDotNetLook ? GetSysColor(COLOR_3DFACE) : c.background;
    c.groupBackground = Either(m_clrGroupBackground, lookGroup);
    c.fillGroups = m_bVSDotNetLook || m_clrGroupBackground != CLR_INVALID;
    c.groupText = Either(m_clrGroupText, m_bVSDotNetLook ? GetSysColor(COLOR_GRAYTEXT) : c.text);
    c.descriptionBackground = Either(m_clrDescriptionBackground, GetSysColor(COLOR_3DFACE));
    c.descriptionText = Either(m_clrDescriptionText, GetSysColor(COLOR_BTNTEXT));
    c.line = Either(m_clrLine, m_bVSDotNetLook ? c.groupBackground : GetSysColor(COLOR_3DSHADOW));
    c.grayText = GetSysColor(COLOR_GRAYTEXT);
    c.selection = GetSysColor(COLOR_HIGHLIGHT);
    c.selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    c.inactiveSelection = GetSysColor(COLOR_3DFACE);
    c.inactiveSelectionText = GetSysColor(COLOR_BTNTEXT);
    return c;
}

void CMFCPropertyGridCtrl::SetLeftColumnWidth(int nWidth) {
    if (!m_hWnd) {
        m_nLeftColumnWidth = nWidth;  // the window's first size decides it anyway
        return;
    }
    const int widest = m_rectList.Width() - GetSystemMetrics(SM_CXHSCROLL) - 5;
    const int width = std::max(m_nRowHeight, std::min(nWidth, widest));
    if (width == m_nLeftColumnWidth) {
        return;
    }
    m_nLeftColumnWidth = width;
    PositionRows();
    if (m_hWnd) {
        Invalidate(FALSE);
    }
}

// ---- Fonts -------------------------------------------------------------------------------

HFONT CMFCPropertyGridCtrl::GetGridFont() const {
    return m_hFont ? m_hFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void CMFCPropertyGridCtrl::CreateBoldFont() {
    LOGFONTA logFont{};
    if (CFont* font = CFont::FromHandle(GetGridFont())) {
        font->GetLogFont(&logFont);
    }
    logFont.lfWeight = FW_BOLD;
    m_fontBold.DeleteObject();
    m_fontBold.CreateFontIndirect(&logFont);
}

// ---- Notification ------------------------------------------------------------------------

void CMFCPropertyGridCtrl::OnPropertyChanged(CMFCPropertyGridProperty* pProp) const {
    pProp->SetModifiedFlag();
    CWnd* owner = GetOwner();
    if (owner && owner->GetSafeHwnd()) {
        owner->SendMessage(AFX_WM_PROPERTY_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()),
                           reinterpret_cast<LPARAM>(pProp));
    }
}

// ---- In-place windows that outlive their handlers ----------------------------------------

void CMFCPropertyGridCtrl::Retire(CWnd* pWnd) {
    m_lstRetired.emplace_back(pWnd);
    if (m_hWnd && !m_bRetirePosted) {
        m_bRetirePosted = PostMessage(kFreeRetired) != FALSE;
    }
}

void CMFCPropertyGridCtrl::FreeRetired() {
    // Destroying a window may retire another: take the list first.
    while (!m_lstRetired.empty()) {
        std::vector<std::unique_ptr<CWnd>> retired;
        retired.swap(m_lstRetired);
    }
}

// ---- The colour palette ------------------------------------------------------------------

void CMFCPropertyGridCtrl::OpenColorPopup(CMFCPropertyGridColorProperty* pProp) {
    CloseColorPopup();
    if (!pProp || !m_hWnd) {
        return;
    }
    auto palette = std::make_unique<plat::propgrid::ColourPalette>(*this, *pProp);
    if (palette->Open()) {
        m_pColorPopup = std::move(palette);
    }
}

void CMFCPropertyGridCtrl::CloseColorPopup() {
    if (!m_pColorPopup) {
        return;
    }
    std::unique_ptr<plat::propgrid::ColourPalette> palette = std::move(m_pColorPopup);
    if (palette->GetSafeHwnd()) {
        palette->DestroyWindow();
    }
    Retire(palette.release());  // the palette may be the one calling
    if (auto* colour = DynamicDownCast<CMFCPropertyGridColorProperty>(m_pSel)) {
        colour->m_bButtonIsDown = FALSE;
        colour->Redraw();
    }
}

BOOL CMFCPropertyGridCtrl::IsColorPopupOpen() const {
    return m_pColorPopup != nullptr;
}

void CMFCPropertyGridCtrl::UpdateColor(COLORREF color) {
    auto* colour = DynamicDownCast<CMFCPropertyGridColorProperty>(m_pSel);
    if (!colour) {
        return;
    }
    const bool changed = color != colour->GetColor();
    colour->SetColor(color);
    if (changed) {
        OnPropertyChanged(colour);
    }
}
