#pragma once
// Reads the product name and version from the accounting product's SUPPORT.INF,
// which lies in the program's folder (the current directory of a run).

#include <cstddef>
#include <string_view>

#include "framework/CString.h"
#include "framework/Sys.h"

class ClSupportInfo {
  public:
    static constexpr size_t kBufferSize = 30000;
    // The writer holds a value in 256 bytes with its NUL.
    static constexpr size_t kValueLimit = 255;

    // `folder` is prefixed to the file name as it stands; empty reads the current directory.
    explicit ClSupportInfo(const char* folder = "") : folder(folder) {}

    // The values of "[=製品名=]" and "[=製品ﾊﾞｰｼﾞｮﾝ=]"; empty when the file or the
    // key is missing or the buffer could not be allocated.
    CString GetProductName();
    CString GetProductVersion();

    // Reads the file once per object; 1 on success (also when the file could not be
    // read), 0 when the buffer could not be allocated.
    int Load();

  private:
    CString Lookup(std::string_view key);
    bool ReadFile();

    sys::GlobalBlock buffer;
    CString folder;
};
