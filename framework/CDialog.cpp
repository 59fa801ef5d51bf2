#include "framework/CDialog.h"

#include <string>

#include "framework/Controls.h"
#include "framework/Sys.h"

namespace {

// Text of the message shown when a text is longer than its field allows.
constexpr const char* kTooLongFormat = "%d 文字以内で入力してください。";

// Message boxes of the framework carry the program's name, as the program file has it.
CString ProgramName() {
    const std::string path = sys::ModulePath();
    const size_t slash = path.find_last_of("\\/");
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    return CString(file.substr(0, file.rfind('.')));
}

}  // namespace

void CDataExchange::Fail() {
    m_failed = true;
    CWnd* control = CWnd::FromHandle(m_lastControl);
    if (!control) return;
    m_pDlgWnd->GotoDlgCtrl(control);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    CWnd* item = dx->m_pDlgWnd->GetDlgItem(id);
    if (item) control.Attach(item->m_hWnd);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    if (dx->m_failed) return;
    CWnd* item = dx->m_pDlgWnd->GetDlgItem(id);
    if (!item) return;
    dx->m_lastControl = item->m_hWnd;
    if (dx->m_bSaveAndValidate)
        value = item->GetWindowText();
    else
        item->SetWindowText(value);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (dx->m_failed) return;
    if (!dx->m_bSaveAndValidate) {
        if (CWnd* control = CWnd::FromHandle(dx->m_lastControl))
            control->SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(maxChars));
        return;
    }
    if (value.GetLength() <= maxChars) return;
    CString message;
    message.Format(kTooLongFormat, maxChars);
    dx->m_pDlgWnd->MessageBox(message, ProgramName(), MB_OK | MB_ICONEXCLAMATION);
    dx->Fail();
}

CDialog::~CDialog() { DestroyWindow(); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_failed;
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnCommand(int) { return false; }

void CDialog::OnButton(int id) {
    if (OnCommand(id)) return;
    if (id == IDOK) OnOK();
    if (id == IDCANCEL) OnCancel();
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    OnButton(LOWORD(wParam));
    *result = 0;
    return TRUE;
}
