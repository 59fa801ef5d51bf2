// Window calls on the headless side: they change the window records and count what
// would have reached the screen.

#include "framework/CWnd.h"

#include "framework/Controls.h"
#include "framework/Headless.h"
#include "framework/native/HeadlessWindows.h"

namespace {

headless::Recorder& Screen() { return headless::Recorder::Get(); }

}  // namespace

void CWnd::SetWindowText(const char* text) {
    headless::Window* window = headless::FindWindow(m_hWnd);
    if (!window) return;
    window->text = text ? text : "";
    if (window->dialog) Screen().titles.push_back({m_hWnd, window->text});
}

CString CWnd::GetWindowText() const {
    const headless::Window* window = headless::FindWindow(m_hWnd);
    return window ? CString(window->text) : CString();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    headless::Window* window = headless::FindWindow(m_hWnd);
    if (!window) return FALSE;
    const BOOL wasDisabled = !window->enabled;
    window->enabled = enable != FALSE;
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    const headless::Window* window = headless::FindWindow(m_hWnd);
    return window && window->enabled;
}

CWnd* CWnd::SetFocus() {
    HWND previous = Screen().focus;
    if (headless::FindWindow(m_hWnd)) Screen().focus = m_hWnd;
    return FromHandle(previous);
}

void CWnd::BringWindowToTop() { ++Screen().broughtToTop; }

BOOL CWnd::SetForegroundWindow() {
    ++Screen().foregrounded;
    return TRUE;
}

void CWnd::UpdateWindow() { ++Screen().repaints; }

BOOL CWnd::ShowWindow(int command) {
    headless::Window* window = headless::FindWindow(m_hWnd);
    if (!window) return FALSE;
    const BOOL wasVisible = window->visible;
    window->visible = command != SW_HIDE;
    return wasVisible;
}

CWnd* CWnd::SetParent(CWnd* parent) {
    headless::Window* window = headless::FindWindow(m_hWnd);
    if (!window) return nullptr;
    HWND previous = window->parent;
    if (headless::Window* old = headless::FindWindow(previous)) std::erase(old->children, m_hWnd);
    window->parent = parent ? parent->m_hWnd : nullptr;
    if (headless::Window* owner = headless::FindWindow(window->parent))
        owner->children.push_back(m_hWnd);
    return FromHandle(previous);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    LRESULT result = 0;
    CWnd* target = FromHandle(m_hWnd);
    if (target && target->OnWndMsg(message, wParam, lParam, &result)) return result;
    return headless::SendControlMessage(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(headless::DialogItem(m_hWnd, id)); }

BOOL CWnd::DestroyWindow() {
    if (!headless::FindWindow(m_hWnd)) return FALSE;
    const std::vector<HWND> windows = headless::WindowTree(m_hWnd);
    headless::DestroyWindow(m_hWnd);
    for (HWND handle : windows) ForgetHandle(handle);
    return TRUE;
}

// The headless screen draws nothing, so there is nothing to hold: every message is
// recorded as it is sent.
void CProgressCtrl::HoldDrawing(bool) {}
