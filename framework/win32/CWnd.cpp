#include "framework/CWnd.h"

#include <vector>

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

}  // namespace

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

CString CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return CString(std::move(text));
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
void CWnd::BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

CWnd* CWnd::SetParent(CWnd* parent) {
    return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

BOOL CWnd::DestroyWindow() {
    HWND window = m_hWnd;
    if (!window) return FALSE;
    // The handles go stale with the window; the objects must not keep them.
    std::vector<HWND> windows{window};
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&windows));
    const BOOL destroyed = ::DestroyWindow(window);
    if (destroyed)
        for (HWND handle : windows) ForgetHandle(handle);
    return destroyed;
}
