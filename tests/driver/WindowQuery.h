#pragma once
// Reading the windows of another process. Every call that sends a message uses a
// timeout, so a hung program cannot hang the driver.

#include <windows.h>

#include <string>
#include <vector>

// Control id of a message box's text, and of its icon.
constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 0x0440;

std::wstring WindowText(HWND window);
// The title of a top-level window, read without a message, so also while its program is
// busy and dispatches nothing.
std::wstring Caption(HWND window);
bool SetWindowTextTimed(HWND window, const std::wstring& text);
std::wstring ClassName(HWND window);

// The visible dialog windows (class #32770) of a process, in z-order.
std::vector<HWND> VisibleDialogs(DWORD processId);
// A dialog is a message box when it holds both the text and the icon statics.
bool IsMessageBox(HWND dialog);
// The command buttons of a message box, by their control ids.
std::vector<int> MessageBoxButtons(HWND box);
// The window that has the keyboard focus on the thread of the given window.
HWND FocusedWindow(HWND anyWindowOfThread);
// One line describing a window, for failure reports.
std::string Describe(HWND window);
