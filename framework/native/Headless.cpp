#include "framework/Headless.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <unordered_map>

#include "framework/native/HeadlessWindows.h"

namespace headless {

namespace {

// Default answers by box type (MB_OK to MB_RETRYCANCEL): the first button.
constexpr int kFirstButton[] = {IDOK, IDOK, IDABORT, IDYES, IDYES, IDRETRY};

std::unordered_map<HWND, std::unique_ptr<Window>>& Windows() {
    static auto* windows = new std::unordered_map<HWND, std::unique_ptr<Window>>;
    return *windows;
}

int Clamped(const BarState& bar, int pos) { return std::clamp(pos, bar.lower, bar.upper); }

// A progress-bar message applied to the bar's state; returns what the control returns.
LRESULT ApplyToBar(BarState& bar, UINT message, WPARAM wParam, LPARAM lParam) {
    const int previous = bar.pos;
    switch (message) {
        case PBM_SETRANGE:
            bar.lower = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
            bar.upper = static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam)));
            bar.pos = Clamped(bar, bar.pos);
            return MAKELPARAM(0, 100);
        case PBM_SETSTEP: {
            const int step = bar.step;
            bar.step = static_cast<int>(wParam);
            return step;
        }
        case PBM_SETPOS:
            bar.pos = Clamped(bar, static_cast<int>(wParam));
            return previous;
        case PBM_DELTAPOS:
            bar.pos = Clamped(bar, bar.pos + static_cast<int>(wParam));
            return previous;
        case PBM_STEPIT:
            bar.pos = bar.pos + bar.step > bar.upper ? bar.lower : bar.pos + bar.step;
            return previous;
        default:
            return bar.pos;  // PBM_GETPOS
    }
}

bool IsBarMessage(UINT message) { return message >= PBM_SETRANGE && message <= PBM_GETPOS; }

}  // namespace

Recorder& Recorder::Get() {
    static auto* recorder = new Recorder;
    return *recorder;
}

void Recorder::Reset() {
    messageBoxes.clear();
    titles.clear();
    barMessages.clear();
    bars.clear();
    repaints = broughtToTop = foregrounded = 0;
    focus = nullptr;
    modalScript = nullptr;
    answers_.clear();
    fileChoices_.clear();
}

int Recorder::RecordMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    int answer = buttons < std::size(kFirstButton) ? kFirstButton[buttons] : IDOK;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type, answer});
    return answer;
}

bool Recorder::NextFileChoice(std::string& path) {
    if (fileChoices_.empty()) return false;
    path = fileChoices_.front();
    fileChoices_.pop_front();
    return true;
}

HWND CreateWindow(HWND parent, int id, bool dialog) {
    auto window = std::make_unique<Window>();
    window->id = id;
    window->parent = parent;
    window->dialog = dialog;
    HWND handle = reinterpret_cast<HWND>(window.get());
    Windows()[handle] = std::move(window);
    if (Window* owner = FindWindow(parent)) owner->children.push_back(handle);
    return handle;
}

Window* FindWindow(HWND handle) {
    const auto found = Windows().find(handle);
    return found == Windows().end() ? nullptr : found->second.get();
}

HWND DialogItem(HWND dialog, int id) {
    Window* window = FindWindow(dialog);
    if (!window) return nullptr;
    for (HWND child : window->children)
        if (FindWindow(child)->id == id) return child;
    return CreateWindow(dialog, id, false);
}

std::vector<HWND> WindowTree(HWND window) {
    std::vector<HWND> tree;
    if (FindWindow(window)) tree.push_back(window);
    for (size_t i = 0; i < tree.size(); ++i) {
        const std::vector<HWND>& children = FindWindow(tree[i])->children;
        tree.insert(tree.end(), children.begin(), children.end());
    }
    return tree;
}

void DestroyWindow(HWND window) {
    const std::vector<HWND> tree = WindowTree(window);
    if (tree.empty()) return;
    if (Window* parent = FindWindow(FindWindow(window)->parent))
        std::erase(parent->children, window);
    for (HWND handle : tree) {
        if (Recorder::Get().focus == handle) Recorder::Get().focus = nullptr;
        Windows().erase(handle);
    }
}

LRESULT SendControlMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FindWindow(handle);
    if (!window) return 0;
    Recorder& recorder = Recorder::Get();
    if (IsBarMessage(message)) {
        if (message != PBM_GETPOS)
            recorder.barMessages.push_back({window->id, message, wParam, lParam});
        return ApplyToBar(recorder.bars[window->id], message, wParam, lParam);
    }
    switch (message) {
        case BM_GETCHECK:
            return window->check;
        case BM_SETCHECK:
            window->check = static_cast<int>(wParam);
            return 0;
        case EM_SETSEL:
            window->selStart = static_cast<int>(wParam);
            window->selEnd = static_cast<int>(lParam);
            return 0;
        case EM_LIMITTEXT:
            window->textLimit = static_cast<int>(wParam);
            return 0;
        case WM_NEXTDLGCTL:  // the form that names the control (lParam TRUE)
            if (Window* control = lParam ? FindWindow(reinterpret_cast<HWND>(wParam)) : nullptr) {
                // As the dialog manager does for an edit: the whole text is selected.
                recorder.focus = reinterpret_cast<HWND>(wParam);
                control->selStart = 0;
                control->selEnd = -1;
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace headless
