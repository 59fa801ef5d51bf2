#include "platform/noticekit.h"

#include <cstdio>

#include "framework/Sys.h"
#include "platform/Operations.h"
#include "platform/Status.h"

using book::Op;
using book::TakeFault;

ClMsgMgr* ClMsgMgr::Inst() {
    static ClMsgMgr instance;
    return &instance;
}

int ClMsgMgr::CheckFatalErrorWithMsg(int status, int, int show, HWND owner) {
    if (auto fault = TakeFault(Op::MsgMgrCheckFatalErrorWithMsg)) return *fault;
    if (status == kLibOk || status == kLibEnd) return 0;
    char text[512];
    std::snprintf(text, sizeof text,
                  "Accounting library error: status %d.\n\nLast recorded: status %d, %s, line %d.",
                  status, lastStatus_, lastSource_.empty() ? "no source" : lastSource_.c_str(),
                  lastLine_);
    std::fprintf(stderr, "%s\n", text);
    if (show) sys::MessageBox(owner, text, "決算書", MB_OK | MB_ICONEXCLAMATION);
    return 1;
}

int ClMsgMgr::SetLastError(int status, const char* source, int line) {
    if (auto fault = TakeFault(Op::MsgMgrSetLastError)) return *fault;
    lastStatus_ = status;
    lastSource_ = source ? source : "";
    lastLine_ = line;
    std::fprintf(stderr, "Accounting library error recorded: status %d, %s, line %d\n", status,
                 source ? source : "no source", line);
    return kLibOk;
}
