#pragma once
// noticekit: records and shows the accounting library's errors.

#include <string>

#include "framework/WinTypes.h"

class ClMsgMgr {
  public:
    static ClMsgMgr* Inst();
    // Every status other than 0 and 5000 is fatal: shows a message box naming it and
    // the last recorded source and line, and returns nonzero. 0 otherwise.
    int CheckFatalErrorWithMsg(int status, int reserved, int show, HWND owner);
    // Records the error (and writes it to standard error).
    int SetLastError(int status, const char* source, int line);

  private:
    int lastStatus_ = 0;
    std::string lastSource_;
    int lastLine_ = 0;
};
