#pragma once
// CMFCMaskedEdit: an edit whose text follows an input template. Template characters '_'
// are entry positions, shown as the placeholder character until something is typed there;
// every other template character is a literal the user cannot change. The mask says what
// each entry position accepts (IsMaskedChar):
//     D digit   d digit or blank   + '+', '-' or blank   C letter   c letter or blank
//     A letter or digit   a letter, digit or blank   * any printable character
// and the valid characters, when set, must also contain the character (they work without
// a mask too, then limiting what may be typed at all).
//
// Editing with a mask: a typed character overwrites the entry position at or after the
// caret and the caret moves on, over literals, to the next entry position; a character
// the position does not accept, or typing with no entry position left, beeps and changes
// nothing. Typing over a selection empties the selected entry positions first. Backspace
// removes the character before the caret, the rest of its group (a run of entry
// positions) moving left and the placeholder filling the end; before a literal it only
// moves the caret to the end of the previous group. Delete does the same at the caret
// and beeps when there is no entry position under it. With select-by-group (the default)
// Home, End, Shift+Left/Right and a double click work within the caret's group.
//
// Text: WM_GETTEXT gives only the entry positions (placeholders included) unless
// EnableGetMaskedCharsOnly(FALSE). WM_SETTEXT takes the full text, whose literals must
// match the template, or with EnableSetMaskedCharsOnly the entry characters only; a
// shorter text fills the first positions and leaves the rest to the placeholder; a text
// that does not fit is refused (FALSE) and changes nothing.

#include <memory>

#include "platform/controls/CEdit.h"

namespace plat::controls {
struct MaskState;
}

class SUI_API CMFCMaskedEdit : public CEdit {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CMFCMaskedEdit();
    ~CMFCMaskedEdit() override;

    // Null texts raise the invalid-argument exception; a mask and template of different
    // lengths are refused (nothing changes). Empty ones turn the mask off. The text shown
    // becomes the empty template.
    void EnableMask(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chMaskInputTemplate = '_',
                    LPCTSTR lpszValid = nullptr);
    // The text stays as shown; editing is plain again (valid characters still apply).
    void DisableMask();
    void SetValidChars(LPCTSTR lpszValid = nullptr);
    void EnableGetMaskedCharsOnly(BOOL bEnable = TRUE);
    void EnableSetMaskedCharsOnly(BOOL bEnable = TRUE);
    void EnableSelectByGroup(BOOL bEnable = TRUE);

protected:
    // Whether an entry position with mask character chMaskChar accepts chChar.
    virtual BOOL IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;

private:
    // A character at an entry position: the mask and the valid characters agree.
    bool Accepts(char ch, int pos) const;
    bool IsValid(char ch) const;
    void TypeMasked(char ch);
    void EraseMasked(bool forward);
    bool MoveByGroup(UINT key, bool shift);
    // The text WM_SETTEXT would show, false when it is refused.
    bool TextToShow(const std::string& source, std::string& shown) const;
    std::string TextToGive() const;

    std::unique_ptr<plat::controls::MaskState> mask_;
};
