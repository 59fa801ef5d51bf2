#pragma once
// The native build's stand-in for the screen: records what the windows would have
// shown and answers message boxes from a script, so that tests of code that drives
// the progress dialog and shows message boxes run without a display.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/WinTypes.h"

class CDialog;

namespace headless {

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int answer;
};

struct TitleChange {
    HWND window;
    std::string text;
};

struct BarMessage {
    int barId;
    UINT message;  // PBM_SETRANGE, PBM_SETSTEP, PBM_SETPOS or PBM_DELTAPOS
    WPARAM wParam;
    LPARAM lParam;
};

// A progress bar as the messages left it (position kept within the range).
struct BarState {
    int lower = 0;
    int upper = 100;
    int step = 10;
    int pos = 0;
};

class Recorder {
  public:
    static Recorder& Get();

    // Clears the logs, the counts, the states of the bars and the scripts.
    void Reset();

    // Answers for the next message boxes, in order. Without one a box answers IDOK,
    // or IDYES when it asks Yes or No.
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    int RecordMessageBox(HWND owner, const char* text, const char* caption, UINT type);

    // Chosen paths for the next file dialogs; without one a file dialog is cancelled.
    void QueueFileChoice(const std::string& path) { fileChoices_.push_back(path); }
    bool NextFileChoice(std::string& path);

    std::vector<MessageBoxCall> messageBoxes;
    std::vector<TitleChange> titles;  // texts given to dialog windows
    std::vector<BarMessage> barMessages;
    std::map<int, BarState> bars;  // by control id
    int repaints = 0;
    int broughtToTop = 0;
    int foregrounded = 0;
    HWND focus = nullptr;

    // Plays the user's part in a modal run, after the dialog's initialisation: it
    // drives the dialog through its public calls and messages. A modal run that
    // nobody ends returns -1.
    std::function<void(CDialog&)> modalScript;

  private:
    std::deque<int> answers_;
    std::deque<std::string> fileChoices_;
};

}  // namespace headless
