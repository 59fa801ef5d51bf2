#pragma once
// The windows of the headless side: a tree of records that keep what the window
// calls set. A handle is the address of its record.

#include <string>
#include <vector>

#include "framework/WinTypes.h"

namespace headless {

struct Window {
    int id = 0;
    HWND parent = nullptr;
    bool dialog = false;
    std::string text;
    bool enabled = true;
    bool visible = false;
    int check = 0;
    int textLimit = 0;
    int selStart = 0;  // an edit's selection, as EM_SETSEL left it
    int selEnd = 0;
    std::vector<HWND> children;
};

HWND CreateWindow(HWND parent, int id, bool dialog);
// Null for a handle that is not (or no longer) a window.
Window* FindWindow(HWND handle);
// The child with `id`; a dialog has every control that the code asks for.
HWND DialogItem(HWND dialog, int id);
// The window and every window inside it, deepest last.
std::vector<HWND> WindowTree(HWND window);
void DestroyWindow(HWND window);
// The control messages: buttons, edits, progress bars, focus moves.
LRESULT SendControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace headless
