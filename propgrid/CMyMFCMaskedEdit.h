#pragma once
// CMyMFCMaskedEdit: the in-place editor of the numeric and unit-aware grid rows. Its
// entry positions also take the decimal point and a sign, so a number can be typed
// anywhere in a fixed-width field:
//     '+'  '+', '-', '.' or blank
//     'D'  a digit, '.', '+' or '-'
//     'd'  a digit, '.', '+', '-' or blank
//     'c', 'C'  as in the framework (a letter, 'c' also blank): the hemisphere of an angle
// Any other mask character accepts nothing.

#include "platform/controls/CMFCMaskedEdit.h"

class SUI_API CMyMFCMaskedEdit : public CMFCMaskedEdit {
protected:
    BOOL IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const override;
};
