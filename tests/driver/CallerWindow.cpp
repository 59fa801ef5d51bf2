#include "tests/driver/CallerWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"StmtlinkDriverCaller";

}  // namespace

CallerWindow::CallerWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, kClassName, L"stmtlink driver", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                              100, nullptr, nullptr, windowClass.hInstance, this);
}

CallerWindow::~CallerWindow() { DestroyWindow(window_); }

LRESULT CALLBACK CallerWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CallerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message >= WM_USER && !InSendMessage()) {
        self->posted_.push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}
