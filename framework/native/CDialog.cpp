// Dialogs on the headless side: a dialog window whose controls appear as the code
// asks for them; a modal run is played by the recorder's script.

#include "framework/CDialog.h"

#include "framework/Headless.h"
#include "framework/native/HeadlessWindows.h"

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    templateId_ = templateId;
    parent_ = parent;
    ended_ = false;
    Attach(headless::CreateWindow(parent ? parent->m_hWnd : nullptr, static_cast<int>(templateId),
                                  true));
    OnInitDialog();
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    result_ = -1;
    modal_ = true;
    Create(templateId_, parent_);
    if (!ended_) ShowWindow(SW_SHOW);
    const auto& script = headless::Recorder::Get().modalScript;
    if (!ended_ && script) script(*this);
    DestroyWindow();
    modal_ = false;
    return ended_ ? result_ : -1;
}

void CDialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    if (!modal_) ShowWindow(SW_HIDE);
}
