#pragma once
// Dialogs from dialog templates, modal (our own loop, so that PreTranslateMessage sees
// every message of the dialog and its controls) or modeless, with data exchange
// between members and controls.

#include <cstddef>

#include "framework/CString.h"
#include "framework/CWnd.h"

class CDialog;

// One pass of data exchange: from the controls into the members (saving) or back.
class CDataExchange {
  public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    HWND m_lastControl = nullptr;  // the control of the last exchanged value
    bool m_failed = false;         // a validation failed; the rest of the pass is skipped

    // Ends the pass as failed and puts the focus on the control at fault.
    void Fail();
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Saving: a text longer than maxChars fails with a message. Loading: limits the edit.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);

// A dialog's command table: `{id, &Dialog::Handler}` rows walked by DispatchCommand.
template <class Dialog>
struct CommandEntry {
    int id;
    void (Dialog::*handler)();
};

template <class Dialog, size_t N>
bool DispatchCommand(Dialog* dialog, const CommandEntry<Dialog> (&table)[N], int id) {
    for (const CommandEntry<Dialog>& entry : table) {
        if (entry.id == id) {
            (dialog->*entry.handler)();
            return true;
        }
    }
    return false;
}

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : templateId_(templateId), parent_(parent) {}
    ~CDialog() override;

    // Runs the dialog modally; returns the result given to EndDialog, -1 on failure.
    INT_PTR DoModal();
    // Creates the dialog modeless (hidden until shown).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal run with `result`; a modeless dialog is hidden.
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // Moves the focus to `control` as the dialog manager does (an edit's text is selected).
    void GotoDlgCtrl(CWnd* control);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

  protected:
    virtual void DoDataExchange(CDataExchange* dx);
    // A button's click; true when the derived dialog handled it.
    virtual bool OnCommand(int id);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void OnButton(int id);
#ifdef _WIN32
    static INT_PTR __stdcall DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#endif

    UINT templateId_;
    CWnd* parent_;
    int result_ = -1;
    bool ended_ = false;
    bool modal_ = false;
};
