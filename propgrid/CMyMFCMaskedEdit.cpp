#include "propgrid/CMyMFCMaskedEdit.h"

#include <cctype>

namespace {

bool IsDigit(char ch) {
    return std::isdigit(static_cast<unsigned char>(ch)) != 0;
}

bool IsNumberPunctuation(char ch) {
    return ch == '.' || ch == '+' || ch == '-';
}

}  // namespace

BOOL CMyMFCMaskedEdit::IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const {
    switch (chMaskChar) {
        case '+':
            return IsNumberPunctuation(chChar) || chChar == ' ';
        case 'D':
            return IsDigit(chChar) || IsNumberPunctuation(chChar);
        case 'd':
            return IsDigit(chChar) || IsNumberPunctuation(chChar) || chChar == ' ';
        case 'c':
        case 'C':
            // The hemisphere letter of an angle field: without it a latitude could never
            // be typed as south.
            return CMFCMaskedEdit::IsMaskedChar(chChar, chMaskChar);
        default:
            return FALSE;
    }
}
