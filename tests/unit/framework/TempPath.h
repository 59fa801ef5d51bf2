#pragma once
// A file name in the system's temporary folder, removed when the test ends.

#include <cstdio>
#include <string>

#include "framework/Sys.h"

class TempPath {
  public:
    explicit TempPath(const std::string& name)
        : path_(sys::TempFolder() + "stmtlink-fw-" + std::to_string(sys::TickCount()) + "-" +
                name) {
        std::remove(path_.c_str());
    }
    TempPath(const TempPath&) = delete;
    TempPath& operator=(const TempPath&) = delete;
    ~TempPath() { std::remove(path_.c_str()); }
    const char* c_str() const { return path_.c_str(); }

  private:
    std::string path_;
};
