#include <algorithm>
#include <utility>
#include <vector>

#include "framework/Controls.h"

namespace {

// The state of a held progress bar, kept by a subclass of the control so that the
// messages sent to the bar are answered exactly as the control would answer them.
struct DrawHold {
    WNDPROC original = nullptr;
    bool held = false;
    int lower = 0;
    int upper = 100;
    int step = 10;
    int pos = 0;

    LRESULT Forward(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcA(original, bar, message, wParam, lParam);
    }

    void Capture(HWND bar) {
        PBRANGE range{};
        Forward(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        lower = range.iLow;
        upper = range.iHigh;
        step = static_cast<int>(Forward(bar, PBM_SETSTEP, 1, 0));
        Forward(bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
        pos = static_cast<int>(Forward(bar, PBM_GETPOS, 0, 0));
    }

    void Release(HWND bar) {
        held = false;
        Forward(bar, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
        Forward(bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
        Forward(bar, PBM_SETPOS, static_cast<WPARAM>(pos), 0);
    }

    int Move(int to) {
        const int previous = pos;
        pos = std::clamp(to, std::min(lower, upper), std::max(lower, upper));
        return previous;
    }

    LRESULT SetRange(int low, int high, LRESULT previous) {
        lower = low;
        upper = high;
        Move(pos);
        return previous;
    }

    // Answers a message while held; false for a message the shadow state does not cover.
    bool Answer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        switch (message) {
            case PBM_SETRANGE:
                result = SetRange(LOWORD(lParam), HIWORD(lParam), MAKELONG(lower, upper));
                return true;
            case PBM_SETRANGE32:
                result = SetRange(static_cast<int>(wParam), static_cast<int>(lParam),
                                  MAKELONG(lower, upper));
                return true;
            case PBM_SETSTEP:
                result = step;
                step = static_cast<int>(wParam);
                return true;
            case PBM_SETPOS:
                result = Move(static_cast<int>(wParam));
                return true;
            case PBM_DELTAPOS:
                result = Move(pos + static_cast<int>(wParam));
                return true;
            case PBM_GETPOS:
                result = pos;
                return true;
            default:
                return false;
        }
    }
};

// Held bars by window. Kept in the process rather than as window properties, which
// would cost a round trip to the window system for every message.
std::vector<std::pair<HWND, DrawHold*>>& HeldBars() {
    static std::vector<std::pair<HWND, DrawHold*>> bars;
    return bars;
}

DrawHold* HoldOf(HWND bar) {
    for (const auto& [window, hold] : HeldBars()) {
        if (window == bar) return hold;
    }
    return nullptr;
}

void Forget(HWND bar) {
    auto& bars = HeldBars();
    std::erase_if(bars, [bar](const auto& entry) { return entry.first == bar; });
}

LRESULT CALLBACK HeldBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    DrawHold* hold = HoldOf(bar);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = hold->original;
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        Forget(bar);
        delete hold;
        return CallWindowProcA(original, bar, message, wParam, lParam);
    }
    if (hold->held) {
        LRESULT result = 0;
        if (hold->Answer(message, wParam, lParam, result)) return result;
        // Anything else sees the control as the messages so far have left it.
        hold->Release(bar);
        hold->held = true;
        result = hold->Forward(bar, message, wParam, lParam);
        hold->Capture(bar);
        return result;
    }
    return hold->Forward(bar, message, wParam, lParam);
}

}  // namespace

void CProgressCtrl::HoldDrawing(bool hold) {
    if (!m_hWnd) return;
    DrawHold* state = HoldOf(m_hWnd);
    if (!state) {
        if (!hold) return;
        state = new DrawHold;
        HeldBars().emplace_back(m_hWnd, state);
        state->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeldBarProc)));
    }
    if (hold == state->held) return;
    if (hold) {
        state->Capture(m_hWnd);
        state->held = true;
    } else {
        state->Release(m_hWnd);
    }
}
