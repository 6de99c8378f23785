#include "platform/controls/ControlSupport_p.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/SavedDC.h"
#include "platform/window/WindowDC.h"

namespace plat::controls {
namespace {

// A class without a background brush (the controls paint every pixel themselves).
LPCTSTR Register(LPCTSTR name, UINT style) {
    WNDCLASSA existing{};
    if (!GetClassInfoA(nullptr, name, &existing)) {
        WNDCLASSA wc{};
        wc.style = style;
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    return name;
}

}  // namespace

LPCTSTR EditClass() {
    static const LPCTSTR name = Register("Edit", CS_DBLCLKS);
    return name;
}

LPCTSTR ButtonClass() {
    static const LPCTSTR name = Register("Button", CS_DBLCLKS);
    return name;
}

LPCTSTR ComboBoxClass() {
    static const LPCTSTR name = Register("ComboBox", CS_DBLCLKS);
    return name;
}

LPCTSTR ComboListClass() {
    static const LPCTSTR name = Register("ComboLBox", CS_DBLCLKS | CS_SAVEBITS);
    return name;
}

LPCTSTR SpinClass() {
    static const LPCTSTR name = Register("msctls_updown32", 0);
    return name;
}

CFont* ControlFont(const CWnd& control) {
    if (CFont* font = control.GetFont()) {
        return font;
    }
    return CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

const FontMeasure& MeasureFont(const CWnd& control, FontMeasure& cache) {
    CFont* font = ControlFont(control);
    const HFONT handle = font ? static_cast<HFONT>(font->m_hObject) : nullptr;
    if (handle == cache.font && cache.height > 0) {
        return cache;
    }
    CClientDC dc(nullptr);
    const plat::SelectedObject useFont(dc, font);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    cache.font = handle;
    cache.height = std::max<int>(1, metrics.tmHeight);
    cache.widths[0] = 0;
    for (int byte = 1; byte < 256; ++byte) {
        const char ch = static_cast<char>(byte);
        cache.widths[byte] = dc.GetTextExtent(&ch, 1).cx;
    }
    return cache;
}

bool NotifyParent(CWnd& control, UINT code) {
    const HWND hwnd = control.m_hWnd;
    CWnd* parent = control.GetParent();
    if (!hwnd || !parent) {
        return hwnd != nullptr;
    }
    parent->SendMessage(WM_COMMAND, MAKEWPARAM(control.GetDlgCtrlID(), static_cast<int>(code)),
                        reinterpret_cast<LPARAM>(hwnd));
    return IsWindow(hwnd) != FALSE;
}

HBRUSH ParentColours(CWnd& control, CDC& dc, UINT message) {
    CWnd* parent = control.GetParent();
    CWnd* asker = parent ? parent : &control;
    return reinterpret_cast<HBRUSH>(asker->SendMessage(message, reinterpret_cast<WPARAM>(dc.m_hDC),
                                                       reinterpret_cast<LPARAM>(control.m_hWnd)));
}

LRESULT CopyTextOut(std::string_view text, WPARAM capacity, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || capacity == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), capacity - 1);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

bool IsDigit(unsigned char ch) {
    return ch >= '0' && ch <= '9';
}

bool IsLetter(unsigned char ch) {
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z')) {
        return true;
    }
    switch (ch) {
        case 0x83:  // f with hook
        case 0x8A:  // S caron
        case 0x8C:  // OE
        case 0x8E:  // Z caron
        case 0x9A:
        case 0x9C:
        case 0x9E:
        case 0x9F:  // Y diaeresis
        case 0xAA:  // feminine ordinal
        case 0xB5:  // micro
        case 0xBA:  // masculine ordinal
            return true;
        default:
            return ch >= 0xC0 && ch != 0xD7 && ch != 0xF7;
    }
}

bool IsPrintable(unsigned char ch) {
    return ch >= 0x20 && ch != 0x7F;
}

char ToUpper(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 'a' && byte <= 'z') {
        return static_cast<char>(byte - 'a' + 'A');
    }
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) {
        return static_cast<char>(byte - 0x20);
    }
    switch (byte) {
        case 0x9A:
        case 0x9C:
        case 0x9E:
            return static_cast<char>(byte - 0x10);
        case 0xFF:
            return static_cast<char>(0x9F);
        default:
            return ch;
    }
}

char ToLower(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 'A' && byte <= 'Z') {
        return static_cast<char>(byte - 'A' + 'a');
    }
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:
        case 0x8C:
        case 0x8E:
            return static_cast<char>(byte + 0x10);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return ch;
    }
}

}  // namespace plat::controls
