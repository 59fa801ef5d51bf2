#include "tests/driver/Driver.h"

#include <cstdio>
#include <cstdlib>

#include "tests/driver/Capture.h"
#include "tests/driver/Text.h"
#include "tests/driver/WindowQuery.h"

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kSettleMs = 150;
constexpr DWORD kQuietCheckMs = 500;
constexpr DWORD kShortLivedSettleMs = 1500;

struct NamedKey {
    const wchar_t* name;
    WORD vk;
};
constexpr NamedKey kKeys[] = {
    {L"ENTER", VK_RETURN}, {L"ESC", VK_ESCAPE},  {L"TAB", VK_TAB},      {L"F12", VK_F12},
    {L"SPACE", VK_SPACE},  {L"SHIFT", VK_SHIFT}, {L"CTRL", VK_CONTROL}, {L"ALT", VK_MENU},
    {L"F4", VK_F4},        {L"UP", VK_UP},       {L"DOWN", VK_DOWN},
};

struct NamedButton {
    const wchar_t* name;
    int id;
};
constexpr NamedButton kButtons[] = {
    {L"OK", IDOK},
    {L"CANCEL", IDCANCEL},
    {L"YES", IDYES},
    {L"NO", IDNO},
};

long Number(const std::wstring& text) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 0);
    if (text.empty() || *end) throw ScriptError("not a number: " + Narrow(text));
    return value;
}

WORD VirtualKey(const std::wstring& name) {
    for (const NamedKey& key : kKeys) {
        if (name == key.name) return key.vk;
    }
    if (name.size() == 1 && iswalnum(name[0])) return static_cast<WORD>(towupper(name[0]));
    throw ScriptError("unknown key " + Narrow(name));
}

int ButtonId(const std::wstring& name) {
    for (const NamedButton& button : kButtons) {
        if (name == button.name) return button.id;
    }
    throw ScriptError("unknown button " + Narrow(name));
}

std::string ButtonNames(const std::vector<int>& ids) {
    std::string names;
    for (int id : ids) {
        std::string name = std::to_string(id);
        for (const NamedButton& button : kButtons) {
            if (button.id == id) name = Narrow(button.name);
        }
        names += (names.empty() ? "" : ",") + name;
    }
    return names;
}

LPARAM KeyParam(WORD vk, bool up) {
    const LPARAM scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    return 1 | scan << 16 | (up ? (3L << 30) : 0);
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

// ---- ChildProcess ----

void ChildProcess::Start(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
        throw Mismatch("cannot start " + Narrow(commandLine) + " (error " +
                       std::to_string(GetLastError()) + ")");
    }
    WaitForInputIdle(info_.hProcess, 5000);
}

bool ChildProcess::HasEnded() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void ChildProcess::Close() {
    if (!info_.hProcess) return;
    if (!HasEnded()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

// ---- Driver ----

const Driver::CommandSpec Driver::kCommands[] = {
    {"timeout", 1, 1, &Driver::SetTimeout},
    {"start", 1, 2, &Driver::Start},
    {"start_handshake", 4, 4, &Driver::StartWithHandshake},
    {"dialog", 1, 1, &Driver::FindDialog},
    {"catch_dialog", 2, 2, &Driver::CatchDialog},
    {"expect_text", 2, 2, &Driver::ExpectText},
    {"set_text", 2, 2, &Driver::SetText},
    {"expect_enabled", 2, 2, &Driver::ExpectEnabled},
    {"expect_checked", 2, 2, &Driver::ExpectChecked},
    {"click", 1, 1, &Driver::Click},
    {"key", 1, 1, &Driver::PostKey},
    {"input", 1, 1, &Driver::SendKeys},
    {"expect_focus", 1, 1, &Driver::ExpectFocus},
    {"expect_selected", 1, 1, &Driver::ExpectSelected},
    {"message", 3, 3, &Driver::ExpectMessage},
    {"message_holding", 3, 99, &Driver::ExpectMessageHolding},
    {"answer", 1, 1, &Driver::Answer},
    {"answer_all", 1, 1, &Driver::AnswerAll},
    {"expect_no_message", 0, 1, &Driver::ExpectNoMessage},
    {"expect_closed", 0, 0, &Driver::ExpectClosed},
    {"expect_no_dialog", 1, 1, &Driver::ExpectNoDialog},
    {"close", 0, 0, &Driver::Close},
    {"screenshot", 2, 2, &Driver::Screenshot},
    {"wait_exit", 0, 1, &Driver::WaitExit},
    {"expect_post", 3, 3, &Driver::ExpectPost},
    {"expect_no_post", 0, 0, &Driver::ExpectNoPost},
    {"expect_caller_enabled", 1, 1, &Driver::ExpectCallerEnabled},
    {"sleep", 1, 1, &Driver::Sleep},
};

void Driver::Run(const std::vector<ScriptCommand>& commands) {
    for (const ScriptCommand& command : commands) {
        try {
            Execute(command);
        } catch (const std::runtime_error& error) {
            const std::string where =
                "line " + std::to_string(command.line) + " (" + command.name + "): " + error.what();
            if (dynamic_cast<const ScriptError*>(&error)) throw ScriptError(where);
            throw Mismatch(where);
        }
    }
}

std::string Driver::DescribeWindows() const {
    if (!process_.started()) return "  (no program started)\n";
    if (process_.HasEnded()) {
        return "  (the program has ended, exit code " + std::to_string(process_.ExitCode()) + ")\n";
    }
    std::string lines;
    for (HWND window : VisibleDialogs(process_.id())) lines += "  " + Describe(window) + "\n";
    return lines.empty() ? "  (no visible dialog)\n" : lines;
}

void Driver::Execute(const ScriptCommand& command) {
    for (const CommandSpec& spec : kCommands) {
        if (command.name != spec.name) continue;
        if (command.args.size() < spec.minArgs || command.args.size() > spec.maxArgs) {
            throw ScriptError("wrong number of arguments");
        }
        (this->*spec.handler)(command);
        return;
    }
    throw ScriptError("unknown command");
}

void Driver::WaitUntil(const std::function<bool()>& condition,
                       const std::function<std::string()>& what, DWORD timeoutMs) {
    const DWORD limit = timeoutMs ? timeoutMs : timeoutMs_;
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return;
        if (GetTickCount() - start >= limit) {
            throw Mismatch(what() + " (after " + std::to_string(limit) + " ms)");
        }
        PumpMessages(kPollMs);
    }
}

void Driver::RequireRunning() const {
    if (!process_.started()) throw ScriptError("no program started");
    if (process_.HasEnded()) {
        throw Mismatch("the program ended (exit code " + std::to_string(process_.ExitCode()) + ")");
    }
}

HWND Driver::Dialog() const {
    if (!dialog_) throw ScriptError("no current dialog (use dialog first)");
    return dialog_;
}

HWND Driver::Box() const {
    if (!box_) throw ScriptError("no current message box (use message first)");
    return box_;
}

HWND Driver::Control(int id) const {
    HWND control = GetDlgItem(Dialog(), id);
    if (!control) throw Mismatch("the dialog has no control " + std::to_string(id));
    return control;
}

void Driver::SetTimeout(const ScriptCommand& c) { timeoutMs_ = Number(c.args[0]); }

void Driver::Start(const ScriptCommand& c) {
    std::wstring line = L"\"" + c.args[0] + L"\"";
    if (c.args.size() > 1) line += L" " + c.args[1];
    process_.Start(line);
}

void Driver::StartWithHandshake(const ScriptCommand& c) {
    const std::wstring handshake = std::to_wstring(reinterpret_cast<uintptr_t>(caller_.handle())) +
                                   L"," + c.args[1] + L"," + c.args[2] + L"," + c.args[3];
    process_.Start(L"\"" + c.args[0] + L"\" " + handshake);
}

void Driver::FindDialog(const ScriptCommand& c) {
    const std::wstring& caption = c.args[0];
    HWND found = nullptr;
    WaitUntil(
        [&] {
            RequireRunning();
            for (HWND window : VisibleDialogs(process_.id())) {
                if (!IsMessageBox(window) && Caption(window) == caption) found = window;
            }
            return found != nullptr;
        },
        [&] { return "no dialog " + Quoted(caption) + "; open:\n" + DescribeWindows(); });
    dialog_ = found;
    PumpMessages(kSettleMs);
}

// Takes a screenshot of a short-lived dialog whose caption starts with the given text,
// when one shows up before the program ends or asks something; never fails.
void Driver::CatchDialog(const ScriptCommand& c) {
    const std::wstring& prefix = c.args[0];
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs_ && !process_.HasEnded()) {
        for (HWND window : VisibleDialogs(process_.id())) {
            if (IsMessageBox(window)) return;
            if (Caption(window).rfind(prefix, 0) == 0) {
                PumpMessages(kShortLivedSettleMs);  // lets the dialog show some progress
                if (!IsWindowVisible(window)) return;
                RECT area;
                GetWindowRect(window, &area);
                SaveBmp(CaptureScreen(area), c.args[1]);
                return;
            }
        }
        PumpMessages(kPollMs);
    }
}

void Driver::ExpectText(const ScriptCommand& c) {
    HWND control = Control(Number(c.args[0]));
    WaitUntil([&] { return WindowText(control) == c.args[1]; },
              [&] {
                  return "control " + Narrow(c.args[0]) + " shows " + Quoted(WindowText(control)) +
                         ", expected " + Quoted(c.args[1]);
              });
}

void Driver::SetText(const ScriptCommand& c) {
    RequireRunning();
    if (!SetWindowTextTimed(Control(Number(c.args[0])), c.args[1])) {
        throw Mismatch("cannot set the text of control " + Narrow(c.args[0]));
    }
}

void Driver::ExpectEnabled(const ScriptCommand& c) {
    HWND control = Control(Number(c.args[0]));
    const bool expected = Number(c.args[1]) != 0;
    WaitUntil([&] { return (IsWindowEnabled(control) != FALSE) == expected; },
              [&] {
                  return "control " + Narrow(c.args[0]) + " is " +
                         (expected ? "disabled" : "enabled");
              });
}

void Driver::ExpectChecked(const ScriptCommand& c) {
    HWND button = Control(Number(c.args[0]));
    const DWORD_PTR expected = Number(c.args[1]) ? BST_CHECKED : BST_UNCHECKED;
    DWORD_PTR state = 0;
    WaitUntil(
        [&] {
            return SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state) &&
                   state == expected;
        },
        [&] {
            return "button " + Narrow(c.args[0]) + " has the check state " + std::to_string(state) +
                   ", expected " + std::to_string(expected);
        });
}

void Driver::Click(const ScriptCommand& c) {
    RequireRunning();
    HWND button = Control(Number(c.args[0]));
    if (!IsWindowVisible(button)) throw Mismatch("button " + Narrow(c.args[0]) + " is hidden");
    if (!IsWindowEnabled(button)) {
        throw Mismatch("button " + Narrow(c.args[0]) + " is disabled");
    }
    PostMessageW(button, BM_CLICK, 0, 0);
}

void Driver::PostKey(const ScriptCommand& c) {
    RequireRunning();
    const WORD vk = VirtualKey(c.args[0]);
    HWND window = box_ ? box_ : Dialog();
    HWND target = FocusedWindow(window);
    if (!target) target = window;
    PostMessageW(target, WM_KEYDOWN, vk, KeyParam(vk, false));
    PostMessageW(target, WM_KEYUP, vk, KeyParam(vk, true));
}

// Keys with modifiers, e.g. "SHIFT+ENTER", through the system's input queue.
void Driver::SendKeys(const ScriptCommand& c) {
    RequireRunning();
    std::vector<WORD> keys;
    size_t from = 0;
    const std::wstring& combo = c.args[0];
    for (;;) {
        const size_t plus = combo.find(L'+', from);
        keys.push_back(VirtualKey(combo.substr(from, plus - from)));
        if (plus == std::wstring::npos) break;
        from = plus + 1;
    }
    SetForegroundWindow(box_ ? box_ : Dialog());
    PumpMessages(kSettleMs);
    std::vector<INPUT> inputs;
    for (WORD vk : keys) inputs.push_back(KeyInput(vk, false));
    for (auto vk = keys.rbegin(); vk != keys.rend(); ++vk) inputs.push_back(KeyInput(*vk, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Driver::ExpectFocus(const ScriptCommand& c) {
    HWND control = Control(Number(c.args[0]));
    WaitUntil(
        [&] { return FocusedWindow(Dialog()) == control; },
        [&] {
            HWND focus = FocusedWindow(Dialog());
            return "the focus is on " +
                   (focus ? "control " + std::to_string(GetDlgCtrlID(focus)) + " " + Describe(focus)
                          : std::string("nothing")) +
                   ", expected control " + Narrow(c.args[0]);
        });
}

void Driver::ExpectSelected(const ScriptCommand& c) {
    HWND edit = Control(Number(c.args[0]));
    auto selection = [&] {
        DWORD_PTR range = 0;
        SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 3000, &range);
        return std::make_pair(LOWORD(range), HIWORD(range));
    };
    WaitUntil(
        [&] {
            const auto [first, last] = selection();
            return first == 0 && last == WindowText(edit).size();
        },
        [&] {
            const auto [first, last] = selection();
            return "control " + Narrow(c.args[0]) + " has the selection " + std::to_string(first) +
                   ".." + std::to_string(last) + " of " + Quoted(WindowText(edit));
        });
}

HWND Driver::WaitForMessageBox() {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            RequireRunning();
            for (HWND window : VisibleDialogs(process_.id())) {
                if (IsMessageBox(window)) found = window;
            }
            return found != nullptr;
        },
        [&] { return "no message box; open:\n" + DescribeWindows(); });
    PumpMessages(kSettleMs);
    return found;
}

void Driver::CheckMessageBox(HWND box, const std::wstring& caption, const std::wstring& icon,
                             const std::function<bool(const std::wstring&)>& textMatches,
                             const std::string& expectedText) {
    const std::wstring shownCaption = Caption(box);
    const std::wstring shownText = WindowText(GetDlgItem(box, kMessageTextId));
    if (shownCaption != caption || !textMatches(shownText)) {
        throw Mismatch("message box " + Quoted(shownCaption) + " " + Quoted(shownText) +
                       ", expected " + Quoted(caption) + " " + expectedText);
    }
    // Questions ask Yes or No; every other message has an OK button only.
    const std::string buttons = ButtonNames(MessageBoxButtons(box));
    const std::string expectedButtons = icon == L"question" ? "YES,NO" : "OK";
    if (buttons != expectedButtons) {
        throw Mismatch("message box " + Quoted(shownText) + " has the buttons " + buttons +
                       ", expected " + expectedButtons);
    }
    // The icon is read from the screen, so the box must be on top and painted.
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    WaitUntil([&] { return MessageBoxIconName(box) == icon; },
              [&] {
                  return "message box " + Quoted(shownText) + " shows the icon " +
                         Narrow(MessageBoxIconName(box)) + ", expected " + Narrow(icon);
              },
              2000);
}

void Driver::ExpectMessage(const ScriptCommand& c) {
    box_ = WaitForMessageBox();
    const std::wstring& text = c.args[2];
    CheckMessageBox(
        box_, c.args[0], c.args[1], [&](const std::wstring& shown) { return shown == text; },
        Quoted(text));
}

void Driver::ExpectMessageHolding(const ScriptCommand& c) {
    box_ = WaitForMessageBox();
    const std::vector<std::wstring> parts(c.args.begin() + 2, c.args.end());
    std::string expected = "holding";
    for (const std::wstring& part : parts) expected += " " + Quoted(part);
    CheckMessageBox(
        box_, c.args[0], c.args[1],
        [&](const std::wstring& shown) {
            for (const std::wstring& part : parts) {
                if (shown.find(part) == std::wstring::npos) return false;
            }
            return true;
        },
        expected);
}

void Driver::Answer(const ScriptCommand& c) {
    RequireRunning();
    HWND box = Box();
    const int id = ButtonId(c.args[0]);
    const std::vector<int> buttons = MessageBoxButtons(box);
    HWND button = GetDlgItem(box, id);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) {
        throw Mismatch("the message box has no usable button " + Narrow(c.args[0]) + " (buttons " +
                       ButtonNames(buttons) + ")");
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); },
              [&] { return std::string("the message box stays open"); });
    box_ = nullptr;
}

// Until the program ends: prints each message box, saves a screenshot of it as
// PREFIX-1.bmp, PREFIX-2.bmp, ... and accepts it (Yes where asked, else OK).
void Driver::AnswerAll(const ScriptCommand& c) {
    if (!process_.started()) throw ScriptError("no program started");
    for (int count = 1;; ++count) {
        HWND box = nullptr;
        WaitUntil(
            [&] {
                if (process_.HasEnded()) return true;
                for (HWND window : VisibleDialogs(process_.id())) {
                    if (IsMessageBox(window)) box = window;
                }
                return box != nullptr;
            },
            [&] { return "the program neither ends nor asks; open:\n" + DescribeWindows(); });
        if (!box) return;
        PumpMessages(kSettleMs);
        std::printf("message %s %s\n", Quoted(Caption(box)).c_str(),
                    Quoted(WindowText(GetDlgItem(box, kMessageTextId))).c_str());
        std::fflush(stdout);
        SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        PumpMessages(kSettleMs);
        RECT area;
        GetWindowRect(box, &area);
        SaveBmp(CaptureScreen(area), c.args[0] + L"-" + std::to_wstring(count) + L".bmp");
        HWND yes = GetDlgItem(box, IDYES);
        PostMessageW(yes && IsWindowVisible(yes) ? yes : GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); },
                  [&] { return std::string("the message box stays open"); });
    }
}

void Driver::ExpectNoMessage(const ScriptCommand& c) {
    const DWORD span = c.args.empty() ? kQuietCheckMs : Number(c.args[0]);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < span && !process_.HasEnded()) {
        for (HWND window : VisibleDialogs(process_.id())) {
            if (IsMessageBox(window)) throw Mismatch("unexpected " + Describe(window));
        }
        PumpMessages(kPollMs);
    }
}

void Driver::ExpectClosed(const ScriptCommand&) {
    HWND dialog = Dialog();
    WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); },
              [&] { return "the dialog " + Quoted(Caption(dialog)) + " stays open"; });
    dialog_ = nullptr;
}

void Driver::ExpectNoDialog(const ScriptCommand& c) {
    if (!process_.started()) throw ScriptError("no program started");
    if (process_.HasEnded()) return;
    for (HWND window : VisibleDialogs(process_.id())) {
        if (Caption(window) == c.args[0])
            throw Mismatch("the dialog " + Describe(window) + " is shown");
    }
}

// The close box of the current dialog.
void Driver::Close(const ScriptCommand&) {
    RequireRunning();
    PostMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Driver::Screenshot(const ScriptCommand& c) {
    const std::wstring& what = c.args[0];
    RECT area;
    if (what == L"desktop") {
        GetWindowRect(GetDesktopWindow(), &area);
    } else if (what == L"dialog" || what == L"message") {
        HWND window = what == L"dialog" ? Dialog() : Box();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        PumpMessages(kSettleMs);
        GetWindowRect(window, &area);
    } else {
        throw ScriptError("screenshot of dialog, message or desktop");
    }
    if (!SaveBmp(CaptureScreen(area), c.args[1])) {
        throw Mismatch("cannot write " + Narrow(c.args[1]));
    }
}

void Driver::WaitExit(const ScriptCommand& c) {
    if (!process_.started()) throw ScriptError("no program started");
    WaitUntil([&] { return process_.HasEnded(); },
              [&] { return "the program is still running; open:\n" + DescribeWindows(); });
    if (!c.args.empty() && process_.ExitCode() != static_cast<DWORD>(Number(c.args[0]))) {
        throw Mismatch("exit code " + std::to_string(process_.ExitCode()) + ", expected " +
                       Narrow(c.args[0]));
    }
    PumpMessages(kSettleMs);  // collects a message posted just before the end
}

void Driver::ExpectPost(const ScriptCommand& c) {
    const PostedMessage expected{static_cast<UINT>(Number(c.args[0])),
                                 static_cast<WPARAM>(Number(c.args[1])),
                                 static_cast<LPARAM>(Number(c.args[2]))};
    auto describe = [](const PostedMessage& m) {
        return std::to_string(m.message) + " " + std::to_string(static_cast<LONG_PTR>(m.wParam)) +
               " " + std::to_string(m.lParam);
    };
    WaitUntil([&] { return caller_.posted().size() > postsChecked_; },
              [&] { return "nothing posted, expected " + describe(expected); });
    const PostedMessage& got = caller_.posted()[postsChecked_++];
    if (got.message != expected.message || got.wParam != expected.wParam ||
        got.lParam != expected.lParam) {
        throw Mismatch("posted " + describe(got) + ", expected " + describe(expected));
    }
}

void Driver::ExpectNoPost(const ScriptCommand&) {
    PumpMessages(kQuietCheckMs);
    if (caller_.posted().size() > postsChecked_) {
        const PostedMessage& got = caller_.posted()[postsChecked_];
        throw Mismatch("unexpected post " + std::to_string(got.message) + " " +
                       std::to_string(static_cast<LONG_PTR>(got.wParam)) + " " +
                       std::to_string(got.lParam));
    }
}

void Driver::ExpectCallerEnabled(const ScriptCommand& c) {
    const bool expected = Number(c.args[0]) != 0;
    WaitUntil(
        [&] { return (IsWindowEnabled(caller_.handle()) != FALSE) == expected; },
        [&] { return std::string("the caller window is ") + (expected ? "disabled" : "enabled"); });
}

void Driver::Sleep(const ScriptCommand& c) { PumpMessages(Number(c.args[0])); }
