#include "framework/CFileDialog.h"

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = parent_ ? parent_->m_hWnd : nullptr;
    const BOOL chosen = openFileDialog_ ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}
