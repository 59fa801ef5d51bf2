// The Win32 side of the application object: the program's entry point, the run loop
// and the cursor.

#include "framework/CWinApp.h"
#include "framework/Cursor.h"

void framework::ShowCursorShape(bool wait) {
    ::SetCursor(::LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

int CWinApp::Run() {
    MSG message{};
    while (m_pMainWnd && m_pMainWnd->m_hWnd && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (m_pMainWnd->PreTranslateMessage(&message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    CWinApp* app = AfxGetApp();
    if (!app) return 0;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : "";
    ::InitCommonControls();
    if (app->InitInstance()) app->Run();
    app->ExitInstance();
    return 0;
}
