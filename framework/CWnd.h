#pragma once
// A window object: holds a window handle and adds typed calls. Objects are found
// again from their handle; a handle the program never bound gets a wrapper that lives
// as long as the window.

#include "framework/CString.h"
#include "framework/WinTypes.h"

class CWnd {
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromHandle(HWND handle);
    // Binds this object to `handle` so that FromHandle finds it; false when already bound.
    BOOL Attach(HWND handle);
    HWND Detach();

    void SetWindowText(const char* text);
    CString GetWindowText() const;
    // Returns TRUE when the window was disabled before, as EnableWindow does.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    // Returns the window that had the focus.
    CWnd* SetFocus();
    void BringWindowToTop();
    BOOL SetForegroundWindow();
    // Repaints at once, without waiting for the message loop.
    void UpdateWindow();
    BOOL ShowWindow(int command);
    // Returns the previous parent.
    CWnd* SetParent(CWnd* parent);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetDlgItem(int id) const;
    // A message box owned by this window.
    int MessageBox(const char* text, const char* caption, UINT type);
    // Sees a queued message before it is dispatched; TRUE when it was handled here.
    virtual BOOL PreTranslateMessage(MSG* message);
    BOOL DestroyWindow();

  protected:
    // A message sent to this window; TRUE (with *result) when this object handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Unbinds whatever object holds `handle`, once its window is gone.
    static void ForgetHandle(HWND handle);
};
