#include "tests/driver/WindowQuery.h"

#include "tests/driver/Text.h"

namespace {

constexpr UINT kSendTimeoutMs = 3000;
constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassName(window) == L"#32770") {
        search->found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
    if (ClassName(child) == L"Button" && IsWindowVisible(child)) {
        reinterpret_cast<std::vector<int>*>(param)->push_back(GetDlgCtrlID(child));
    }
    return TRUE;
}

}  // namespace

std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, kSendFlags, kSendTimeoutMs, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        kSendFlags, kSendTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::wstring Caption(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return text;
}

bool SetWindowTextTimed(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               kSendFlags, kSendTimeoutMs, &result) &&
           result;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> VisibleDialogs(DWORD processId) {
    DialogSearch search{processId, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsMessageBox(HWND dialog) {
    return GetDlgItem(dialog, kMessageTextId) && GetDlgItem(dialog, kMessageIconId);
}

std::vector<int> MessageBoxButtons(HWND box) {
    std::vector<int> ids;
    EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&ids));
    return ids;
}

HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::string Describe(HWND window) {
    const bool topLevel = !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
    std::string line =
        Narrow(ClassName(window)) + " " + Quoted(topLevel ? Caption(window) : WindowText(window));
    if (IsMessageBox(window)) {
        line += " text " + Quoted(WindowText(GetDlgItem(window, kMessageTextId)));
    }
    return line;
}
