#include "report/ClSupportInfo.h"

#include <algorithm>

#include "framework/CFile.h"
#include "report/SupportText.h"
#include "util/Caption.h"

namespace {

constexpr int kOk = 1;
constexpr int kFail = 0;
constexpr char kFileName[] = "SUPPORT.INF";
constexpr char kNoMemory[] = "ﾒﾓﾘが不足しています。";

}  // namespace

CString ClSupportInfo::GetProductName() { return Lookup(kSupportProductNameKey); }

CString ClSupportInfo::GetProductVersion() { return Lookup(kSupportProductVersionKey); }

int ClSupportInfo::Load() {
    if (buffer.IsAllocated()) return kOk;
    if (!buffer.Allocate(kBufferSize)) {
        sys::MessageBox(nullptr, kNoMemory, kCaption, MB_OK);
        return kFail;
    }
    std::fill_n(buffer.data(), kBufferSize, kSupportUnread);
    if (ReadFile()) NormaliseSupportText(buffer.data(), kBufferSize);
    return kOk;
}

bool ClSupportInfo::ReadFile() {
    CFile file;
    if (!file.Open(folder + kFileName,
                   CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
        return false;
    }
    file.Read(buffer.data(), kBufferSize);
    file.Close();
    return true;
}

CString ClSupportInfo::Lookup(std::string_view key) {
    if (Load() != kOk) return CString();
    return FindSupportValue(buffer.data(), kBufferSize, key, kValueLimit);
}
