#include "framework/Controls.h"

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    // EM_SETSEL scrolls the caret into view unless asked not to.
    if (!noScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::LimitText(int chars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

void CProgressCtrl::SetRange(short lower, short upper) {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}

int CProgressCtrl::SetStep(int step) {
    return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step)));
}

int CProgressCtrl::SetPos(int pos) {
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos)));
}

int CProgressCtrl::OffsetPos(int delta) {
    return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta)));
}

int CProgressCtrl::GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
