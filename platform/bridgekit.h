#pragma once
// bridgekit: the connection to the running accounting product. Initiate loads the book.

#include "framework/WinTypes.h"
#include "platform/Status.h"

class ClAccConnect {
  public:
    static ClAccConnect* Inst();

    // Written directly by the program; serve the library's own message boxes.
    const char* caption = nullptr;
    HWND ownerWnd = nullptr;

    void SetAppType(int type);
    void SetUseDataType(int type);
    // Loads the book (TALLYVALE_BOOK, else TallyvaleBook.json beside the program).
    // kLibBookRefused, after one message box, when the book cannot be loaded; else the
    // book's connection.initiate.
    int Initiate();
    // 0 linked, 1 the user declined, other nonzero failure.
    int ExpSysLink();
    int DispMsg(HWND owner, const char* text, const char* caption, UINT type);
    void LogOut();
    void Terminate();
    void Release();
};
