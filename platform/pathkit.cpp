#include "platform/pathkit.h"

#include <cstring>
#include <string>

#include "platform/Book.h"

using book::Op;
using book::TakeFault;

ClFileMgr* ClFileMgr::Inst() {
    static ClFileMgr instance;
    return &instance;
}

int ClFileMgr::GetAppFolderPath(int folderType, char* out, int size) {
    if (auto fault = TakeFault(Op::FileMgrGetAppFolderPath)) return *fault;
    if (!out || size <= 0) return kLibBadArgument;
    out[0] = '\0';
    const book::Book& current = book::Current();
    const std::string* folder = folderType == kFolderOutput     ? &current.folderOutput
                                : folderType == kFolderSettings ? &current.folderSettings
                                                                : nullptr;
    if (!folder || folder->size() >= static_cast<size_t>(size)) return kLibBadArgument;
    std::memcpy(out, folder->c_str(), folder->size() + 1);
    return kLibOk;
}
