// The headless side of the application object: no cursor and no message loop.

#include "framework/CWinApp.h"
#include "framework/Cursor.h"

void framework::ShowCursorShape(bool) {}

int CWinApp::Run() { return 0; }
