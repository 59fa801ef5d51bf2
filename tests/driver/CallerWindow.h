#pragma once
// The driver's own hidden top-level window, named in a handshake command line. It keeps
// every message posted to it, as a calling application would receive them.

#include <windows.h>

#include <vector>

struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CallerWindow {
  public:
    CallerWindow();
    ~CallerWindow();
    CallerWindow(const CallerWindow&) = delete;
    CallerWindow& operator=(const CallerWindow&) = delete;

    HWND handle() const { return window_; }
    const std::vector<PostedMessage>& posted() const { return posted_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<PostedMessage> posted_;
};

// Dispatches this thread's messages for the given time (0: only what is queued).
void PumpMessages(DWORD milliseconds);
