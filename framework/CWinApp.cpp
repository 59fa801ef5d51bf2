#include "framework/CWinApp.h"

#include "framework/Cursor.h"

namespace {

CWinApp* theApplication = nullptr;

}  // namespace

CWinApp::CWinApp() { theApplication = this; }

CWinApp::~CWinApp() {
    if (theApplication == this) theApplication = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::BeginWaitCursor() {
    ++waitCursorCount_;
    framework::ShowCursorShape(true);
}

void CWinApp::EndWaitCursor() {
    if (waitCursorCount_ > 0) --waitCursorCount_;
    framework::ShowCursorShape(waitCursorCount_ > 0);
}

void CWinApp::RestoreWaitCursor() { framework::ShowCursorShape(waitCursorCount_ > 0); }

CWinApp* AfxGetApp() { return theApplication; }

CWaitCursor::CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->EndWaitCursor();
}

void CWaitCursor::Restore() {
    if (CWinApp* app = AfxGetApp()) app->RestoreWaitCursor();
}
