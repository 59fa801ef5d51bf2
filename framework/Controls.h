#pragma once
// The controls the program binds in its dialogs; each call is one control message.

#include "framework/CWnd.h"

class CEdit : public CWnd {
  public:
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void LimitText(int chars);
};

class CButton : public CWnd {
  public:
    int GetCheck() const;
    void SetCheck(int check);
};

class CProgressCtrl : public CWnd {
  public:
    void SetRange(short lower, short upper);
    // Each returns the previous step or position.
    int SetStep(int step);
    int SetPos(int pos);
    int OffsetPos(int delta);
    int GetPos() const;
    // While held, the bar still receives and answers every message, but only keeps its
    // range, step and position; releasing the hold hands that state to the control
    // once, which redraws it. Drawing each move costs far more than the move itself.
    void HoldDrawing(bool hold);
};
