// The file dialog on the headless side answers from the recorder's script.

#include "framework/CFileDialog.h"

#include <cstring>

#include "framework/Headless.h"

INT_PTR CFileDialog::DoModal() {
    std::string path;
    if (!headless::Recorder::Get().NextFileChoice(path) || path.size() >= m_ofn.nMaxFile)
        return IDCANCEL;
    std::memcpy(m_ofn.lpstrFile, path.c_str(), path.size() + 1);
    return IDOK;
}
