#pragma once
// Runs a script against one program under test: starts it, finds its dialogs, fills and
// clicks their controls, reads and answers its message boxes, takes screenshots and
// checks how it ends. The first mismatch stops the script.

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/driver/CallerWindow.h"
#include "tests/driver/Script.h"

class Mismatch : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The program under test; a program still running when the driver ends is terminated.
class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess() { Close(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void Start(const std::wstring& commandLine);
    bool started() const { return info_.hProcess != nullptr; }
    bool HasEnded() const;
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    DWORD ExitCode() const;

  private:
    void Close();
    PROCESS_INFORMATION info_{};
};

class Driver {
  public:
    void Run(const std::vector<ScriptCommand>& commands);
    // The visible dialogs of the program, one per line, for failure reports.
    std::string DescribeWindows() const;

  private:
    struct CommandSpec {
        const char* name;
        size_t minArgs, maxArgs;
        void (Driver::*handler)(const ScriptCommand&);
    };
    static const CommandSpec kCommands[];

    void Execute(const ScriptCommand& command);

    void SetTimeout(const ScriptCommand& c);
    void Start(const ScriptCommand& c);
    void StartWithHandshake(const ScriptCommand& c);
    void FindDialog(const ScriptCommand& c);
    void CatchDialog(const ScriptCommand& c);
    void ExpectText(const ScriptCommand& c);
    void SetText(const ScriptCommand& c);
    void ExpectEnabled(const ScriptCommand& c);
    void ExpectChecked(const ScriptCommand& c);
    void Click(const ScriptCommand& c);
    void PostKey(const ScriptCommand& c);
    void SendKeys(const ScriptCommand& c);
    void ExpectFocus(const ScriptCommand& c);
    void ExpectSelected(const ScriptCommand& c);
    void ExpectMessage(const ScriptCommand& c);
    void ExpectMessageHolding(const ScriptCommand& c);
    void Answer(const ScriptCommand& c);
    void AnswerAll(const ScriptCommand& c);
    void ExpectNoMessage(const ScriptCommand& c);
    void ExpectClosed(const ScriptCommand& c);
    void ExpectNoDialog(const ScriptCommand& c);
    void Close(const ScriptCommand& c);
    void Screenshot(const ScriptCommand& c);
    void WaitExit(const ScriptCommand& c);
    void ExpectPost(const ScriptCommand& c);
    void ExpectNoPost(const ScriptCommand& c);
    void ExpectCallerEnabled(const ScriptCommand& c);
    void Sleep(const ScriptCommand& c);

    // Polls the condition, dispatching the driver's own messages meanwhile, until it holds
    // or the timeout passes; then fails with what() of the last state seen.
    void WaitUntil(const std::function<bool()>& condition, const std::function<std::string()>& what,
                   DWORD timeoutMs = 0);
    void RequireRunning() const;
    HWND Dialog() const;
    HWND Box() const;
    HWND Control(int id) const;
    HWND WaitForMessageBox();
    void CheckMessageBox(HWND box, const std::wstring& caption, const std::wstring& icon,
                         const std::function<bool(const std::wstring&)>& textMatches,
                         const std::string& expectedText);

    ChildProcess process_;
    CallerWindow caller_;
    HWND dialog_ = nullptr;
    HWND box_ = nullptr;
    DWORD timeoutMs_ = 10000;
    size_t postsChecked_ = 0;
};
