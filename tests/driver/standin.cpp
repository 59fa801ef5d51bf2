// A small program shaped like the program under test, for the driver's own test: the
// conditions dialog's caption and control ids, its refusal and completion messages, and
// the handshake post-back. It calls the ANSI functions with Shift_JIS texts.

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kConditionsDialog = 130;
constexpr int kIdEndMonth = 1000;
constexpr int kIdBrowse = 1001;
constexpr int kIdExecute = 1002;
constexpr int kIdCancel = 1003;
constexpr int kIdCompany = 1006;
constexpr int kIdPeriod = 1008;
constexpr int kIdOutputPath = 1015;
constexpr int kIdStartMonth = 1016;
constexpr int kIdLedger = 1021;

constexpr int kResultSuccess = 0;
constexpr int kResultCancelled = 1;

constexpr char kCaption[] = "決算書";

struct Handshake {
    HWND caller = nullptr;
    UINT notifyMsg = 0;
    WPARAM functionId = 3;
    bool accepted = false;
};

Handshake ParseHandshake(const char* line) {
    Handshake handshake;
    const char* first = std::strchr(line, ',');
    const char* second = first ? std::strchr(first + 1, ',') : nullptr;
    const char* third = second ? std::strchr(second + 1, ',') : nullptr;
    if (third) {
        handshake.caller = reinterpret_cast<HWND>(std::strtoull(line, nullptr, 10));
        handshake.notifyMsg = std::strtoul(first + 1, nullptr, 10);
        handshake.functionId = std::strtol(second + 1, nullptr, 10);
        handshake.accepted = true;
    }
    return handshake;
}

void FocusWhole(HWND dialog, int id) {
    HWND edit = GetDlgItem(dialog, id);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void OnExecute(HWND dialog) {
    const UINT start = GetDlgItemInt(dialog, kIdStartMonth, nullptr, FALSE);
    if (start < 1 || start > 12) {
        MessageBoxA(dialog, "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。",
                    kCaption, MB_OK | MB_ICONEXCLAMATION);
        FocusWhole(dialog, kIdStartMonth);
        return;
    }
    MessageBoxA(dialog, "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。",
                kCaption, MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, kResultSuccess);
}

void OnCancel(HWND dialog) {
    MessageBoxA(dialog, "｢決算書｣の集計を中止します。", kCaption, MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, kResultCancelled);
}

INT_PTR CALLBACK ConditionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, kIdCompany, " 試験商事株式会社");
        SetDlgItemTextA(dialog, kIdPeriod, " 2025/04/01～2026/03/31");
        SetDlgItemTextA(dialog, kIdStartMonth, "4");
        SetDlgItemTextA(dialog, kIdEndMonth, "3");
        SetDlgItemTextA(dialog, kIdOutputPath, "*.xml");
        EnableWindow(GetDlgItem(dialog, kIdBrowse), FALSE);
        CheckDlgButton(dialog, kIdLedger, BST_CHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case kIdExecute:
            OnExecute(dialog);
            return TRUE;
        case kIdCancel:
        case IDCANCEL:
            OnCancel(dialog);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const Handshake handshake = ParseHandshake(commandLine);
    if (handshake.accepted) EnableWindow(handshake.caller, FALSE);
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(kConditionsDialog),
                                           handshake.caller, ConditionsProc, 0);
    if (handshake.accepted) {
        EnableWindow(handshake.caller, TRUE);
        PostMessageA(handshake.caller, handshake.notifyMsg, handshake.functionId, result);
    }
    return 0;
}
