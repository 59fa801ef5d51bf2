#include "framework/CFileDialog.h"

#include <algorithm>
#include <cstring>

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : openFileDialog_(openFileDialog),
      parent_(parent),
      filter_(filter ? filter : ""),
      defaultExt_(defaultExt ? defaultExt : "") {
    // "A|*.a||" becomes "A\0*.a\0\0".
    std::replace(filter_.begin(), filter_.end(), '|', '\0');
    if (fileName) std::strncpy(path_, fileName, kPathCapacity - 1);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
    m_ofn.lpstrFile = path_;
    m_ofn.nMaxFile = kPathCapacity;
    m_ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER;
}
