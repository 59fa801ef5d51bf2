#include "framework/CDialog.h"

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    templateId_ = templateId;
    parent_ = parent;
    ended_ = false;
    HWND window = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                       parent ? parent->m_hWnd : nullptr, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = parent_ ? parent_->m_hWnd : nullptr;
    result_ = -1;
    modal_ = true;
    // The owner is disabled while the dialog runs, as for any modal dialog.
    const bool disabledOwner = owner && ::IsWindowEnabled(owner) && !::EnableWindow(owner, FALSE);
    if (!Create(templateId_, parent_)) {
        if (disabledOwner) ::EnableWindow(owner, TRUE);
        modal_ = false;
        return -1;
    }
    if (!ended_) ::ShowWindow(m_hWnd, SW_SHOW);
    MSG message{};
    while (!ended_ && ::IsWindow(m_hWnd)) {  // also ends when someone else destroyed it
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        const bool ours = message.hwnd == m_hWnd || ::IsChild(m_hWnd, message.hwnd);
        if (ours && PreTranslateMessage(&message)) continue;
        if (::IsDialogMessageA(m_hWnd, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    // Enable the owner before the dialog disappears, so that it gets the activation back.
    if (disabledOwner) ::EnableWindow(owner, TRUE);
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyWindow();
    modal_ = false;
    return result_;
}

void CDialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    if (!m_hWnd) return;
    if (modal_)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
    else
        ::ShowWindow(m_hWnd, SW_HIDE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->Attach(window);
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog || dialog->m_hWnd != window) return FALSE;
    LRESULT result = 0;
    if (!dialog->OnWndMsg(message, wParam, lParam, &result)) return FALSE;
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}
