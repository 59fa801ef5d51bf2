#pragma once
// The application object. The program defines one global instance of a class derived
// from CWinApp; the framework's start-up finds it, runs InitInstance, then Run when
// that succeeded, and ExitInstance once in every case.

#include "framework/CWnd.h"
#include "framework/WinTypes.h"

class CWinApp {
  public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Pumps messages while there is a main window; returns at once without one.
    virtual int Run();

    const char* m_lpCmdLine = "";  // the arguments, without the program name
    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;

    // The wait cursor, counted: it shows while Begin calls outnumber End calls.
    void BeginWaitCursor();
    void EndWaitCursor();
    // Shows the wait cursor again after something else (a message box) changed it.
    void RestoreWaitCursor();

  private:
    int waitCursorCount_ = 0;
};

CWinApp* AfxGetApp();

// The wait cursor for the life of a scope.
class CWaitCursor {
  public:
    CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor();
    void Restore();
};
