#pragma once
// The common open- and save-file dialog.

#include <string>

#include "framework/CString.h"
#include "framework/CWnd.h"
#include "framework/WinTypes.h"

class CFileDialog {
  public:
    // `filter` is in the "Name|*.ext|...||" form.
    CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // The dialog's record; the caller may set lpstrInitialDir and lpstrTitle.
    OPENFILENAMEA m_ofn{};

    // IDOK when the user chose a file, else IDCANCEL.
    INT_PTR DoModal();
    CString GetPathName() const { return CString(m_ofn.lpstrFile); }

  private:
    static constexpr size_t kPathCapacity = 1024;

    BOOL openFileDialog_;
    CWnd* parent_;
    std::string filter_;  // NUL-separated, as the dialog wants it
    std::string defaultExt_;
    char path_[kPathCapacity] = {};
};
