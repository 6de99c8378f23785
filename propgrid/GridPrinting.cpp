// Printing of the colour grid: every visible row as a two-column table, divided into
// pages as they fill, once per copy.

#include <algorithm>
#include <memory>

#include "platform/gdi/GdiObjects.h"
#include "platform/print/CPrintDialog.h"
#include "platform/print/PrinterDC.h"
#include "propgrid/CMFCColourPropertyGridCtrl.h"

namespace {

constexpr const char* kErrorText = "*** error ***";
constexpr const char* kRowGap = "      ";
constexpr int kLargestPoint = 12;
constexpr int kSmallestPoint = 3;
constexpr int kTableSideMargin = 50;

int MillimetresToPixels(double mm, int dpi) {
    return static_cast<int>(dpi * mm / 25.4);
}

struct PageLayout {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int dpiX = 0;
    int dpiY = 0;
};

PageLayout LayoutOf(const plat::PrinterDC& dc) {
    PageLayout page;
    const int resX = dc.GetDeviceCaps(HORZRES);
    const int resY = dc.GetDeviceCaps(VERTRES);
    page.dpiX = dc.GetDeviceCaps(LOGPIXELSX);
    page.dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const int margin = std::min(resX, resY) / 20;
    page.left = margin + MillimetresToPixels(0.3, page.dpiX);
    page.top = margin + MillimetresToPixels(0.3, page.dpiY);
    page.width = resX - 2 * page.left;
    page.height = resY - 2 * page.top;
    return page;
}

bool MakeTableFont(CFont& font, int point, int dpiY) {
    return font.CreateFont(-(point * dpiY / 72), 0, 0, 0, 600, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           "Tahoma") != FALSE;
}

// Draws rows onto pages, starting a new page when the next row would pass the bottom.
class TablePrinter {
public:
    TablePrinter(plat::PrinterDC& dc, const PageLayout& page, int tableLeft, int tableRight,
                 int rowHeight, int padding)
        : dc_(dc),
          page_(page),
          left_(tableLeft),
          right_(tableRight),
          rowHeight_(rowHeight),
          padding_(padding) {}

    void StartCopy() { NewPage(); }
    void EndCopy() { dc_.EndPage(); }

    void HeadingRow(const CString& text) {
        const CRect row = NextRow();
        Rule(row.left, row.top, row.right, row.top);
        CRect textRect(row.left, row.top + padding_, row.right, row.bottom - padding_);
        dc_.DrawText(text, &textRect, DT_SINGLELINE | DT_CENTER | DT_NOCLIP | DT_NOPREFIX);
        Frame(row);
    }

    void ValueRow(const CString& name, const CString& value) {
        const CRect row = NextRow();
        CRect textRect(row.left + kTableSideMargin, row.top + padding_,
                       row.right - kTableSideMargin, row.bottom - padding_);
        dc_.DrawText(name, &textRect, DT_SINGLELINE | DT_LEFT | DT_NOCLIP | DT_NOPREFIX);
        dc_.DrawText(value, &textRect, DT_SINGLELINE | DT_RIGHT | DT_NOCLIP | DT_NOPREFIX);
        Frame(row);
    }

    // A plain line of the header block, centred, without rules.
    void HeaderLine(const CString& text) {
        const CRect row = NextRow();
        CRect textRect(row.left, row.top + padding_, row.right, row.bottom - padding_);
        dc_.DrawText(text, &textRect, DT_SINGLELINE | DT_CENTER | DT_NOCLIP | DT_NOPREFIX);
    }

private:
    void NewPage() {
        dc_.StartPage();
        y_ = page_.top;
    }

    CRect NextRow() {
        const int height = rowHeight_ + 2 * padding_;
        if (y_ > page_.top && y_ + height > page_.top + page_.height) {
            dc_.EndPage();
            NewPage();
        }
        const CRect row(left_, y_, right_, y_ + height);
        y_ += height;
        return row;
    }

    void Rule(int x1, int y1, int x2, int y2) {
        dc_.MoveTo(x1, y1);
        dc_.LineTo(x2, y2);
    }

    // The side rules and the rule across the bottom.
    void Frame(const CRect& row) {
        Rule(row.left, row.top, row.left, row.bottom);
        Rule(row.right, row.top, row.right, row.bottom);
        Rule(row.left, row.bottom, row.right + 1, row.bottom);
    }

    plat::PrinterDC& dc_;
    const PageLayout& page_;
    int left_;
    int right_;
    int rowHeight_;
    int padding_;
    int y_ = 0;
};

}  // namespace

void CMFCColourPropertyGridCtrl::ClearPrintRows() {
    m_arrPrintLeft.RemoveAll();
    m_arrPrintRight.RemoveAll();
    m_nWidestName = 0;
    m_nWidestValue = 0;
    m_strWidestRow.Empty();
    m_strWidestName.Empty();
    m_strWidestValue.Empty();
}

void CMFCColourPropertyGridCtrl::AddPrintRow(CDC* pDC, const CString& left, const CString& right) {
    m_arrPrintLeft.Add(left);
    m_arrPrintRight.Add(right);
    if (left == kTitleMarker) {
        return;
    }
    const int nameWidth = pDC->GetTextExtent(left).cx;
    if (nameWidth > m_nWidestName) {
        m_nWidestName = nameWidth;
        m_strWidestName = left;
    }
    const int valueWidth = pDC->GetTextExtent(right).cx;
    if (valueWidth > m_nWidestValue) {
        m_nWidestValue = valueWidth;
        m_strWidestValue = right;
    }
    m_strWidestRow = m_strWidestName + kRowGap + m_strWidestValue;
}

void CMFCColourPropertyGridCtrl::CollectPrintRows(CDC* pDC) {
    for (int i = 0; i < GetPropertyCount(); ++i) {
        CollectPrintRows(pDC, GetProperty(i));
    }
}

void CMFCColourPropertyGridCtrl::CollectPrintRows(CDC* pDC, CMFCPropertyGridProperty* pProp) {
    if (pProp->IsVisible()) {
        AddPrintRow(pDC, kTitleMarker, pProp->GetName());
    }
    for (int i = 0; i < pProp->GetSubItemsCount(); ++i) {
        CMFCPropertyGridProperty* pSub = pProp->GetSubItem(i);
        if (!pSub->IsVisible()) {
            continue;
        }
        if (pSub->GetSubItemsCount() > 0) {
            CollectPrintRows(pDC, pSub);
            continue;
        }
        const CString value = pSub->FormatProperty();
        if (value == kErrorText) {
            AddPrintRow(pDC, kTitleMarker, pSub->GetName());
        } else {
            AddPrintRow(pDC, pSub->GetName(), value);
        }
    }
}

void CMFCColourPropertyGridCtrl::PrintGrid() {
    CPrintDialog dialog(FALSE,
                        PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                            PD_NOSELECTION | PD_RETURNDC,
                        this);
    if (dialog.DoModal() != IDOK) {
        return;
    }
    const HDC hdc = dialog.GetPrinterDC();
    plat::PrinterDC* pDC = plat::PrinterDCFromHandle(hdc);
    if (!pDC) {
        if (hdc) {
            ::DeleteDC(hdc);
        }
        return;
    }
    CString docName;
    if (CWnd* pParent = GetParent()) {
        pParent->GetWindowText(docName);
    }
    const PageLayout page = LayoutOf(*pDC);
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    pDC->SetBkMode(TRANSPARENT);

    ClearPrintRows();
    CollectPrintRows(pDC);

    // The largest size at which the widest row fits the page.
    CFont font;
    int point = kLargestPoint;
    for (; point >= kSmallestPoint; --point) {
        font.DeleteObject();
        MakeTableFont(font, point, page.dpiY);
        CFont* pOld = pDC->SelectObject(&font);
        const int width = pDC->GetTextExtent(m_strWidestRow).cx;
        pDC->SelectObject(pOld);
        if (m_strWidestRow.IsEmpty() || width <= page.width) {
            break;
        }
    }
    if (point < kSmallestPoint) {
        font.DeleteObject();
        MakeTableFont(font, kSmallestPoint, page.dpiY);
    }
    CFont* pOldFont = pDC->SelectObject(&font);
    const CSize widest =
        pDC->GetTextExtent(m_strWidestRow.IsEmpty() ? CString(" ") : m_strWidestRow);
    const int rowHeight = widest.cy;
    const int padding = rowHeight / 4;
    const int tableWidth = widest.cx + 2 * kTableSideMargin;
    const int tableLeft = page.left + (page.width - tableWidth) / 2;

    CPen pen;
    pen.CreatePen(PS_SOLID, std::max(1, MillimetresToPixels(0.3, page.dpiX)), RGB(0, 0, 0));
    CPen* pOldPen = pDC->SelectObject(&pen);

    if (pDC->StartDoc(docName) > 0) {
        TablePrinter table(*pDC, page, tableLeft, tableLeft + tableWidth, rowHeight, padding);
        // Every copy begins on a page of its own.
        for (int copy = 0; copy < std::max(1, dialog.GetCopies()); ++copy) {
            table.StartCopy();
            if (m_pPrintHeader) {
                for (int i = 0; i < m_pPrintHeader->GetSize(); ++i) {
                    table.HeaderLine(m_pPrintHeader->GetAt(i));
                }
            }
            for (int i = 0; i < m_arrPrintLeft.GetSize(); ++i) {
                if (m_arrPrintLeft[i] == kTitleMarker) {
                    table.HeadingRow(m_arrPrintRight[i]);
                } else {
                    table.ValueRow(m_arrPrintLeft[i], m_arrPrintRight[i]);
                }
            }
            table.EndCopy();
        }
        pDC->EndDoc();
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldFont);
    ClearPrintRows();
    ::DeleteDC(hdc);
}
