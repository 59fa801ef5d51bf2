// A program made of the framework's start-up and one application object that prints
// what the start-up did with it. The command line chooses whether InitInstance
// succeeds ("ok") or fails (anything else).

#include <cstdio>
#include <cstring>

#include "framework/CWinApp.h"

namespace {

class ProbeApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        std::printf("init[%s]", m_lpCmdLine);
        return std::strcmp(m_lpCmdLine, "ok") == 0;
    }
    int Run() override {
        std::printf(" run");
        return CWinApp::Run();
    }
    int ExitInstance() override {
        std::printf(" exit\n");
        std::fflush(stdout);
        return CWinApp::ExitInstance();
    }
};

ProbeApp theApp;

}  // namespace
