#pragma once
// pathkit: the accounting product's folders.

#include "platform/Status.h"

// Folder types of GetAppFolderPath.
constexpr int kFolderOutput = 0;    // default folder of the output file
constexpr int kFolderSettings = 1;  // folder of the settings file

class ClFileMgr {
  public:
    static ClFileMgr* Inst();
    // Copies the folder (ending with a backslash, or empty) into `out` of `size` bytes.
    // kLibBadArgument (and an empty text when size > 0) for an unknown type or short buffer.
    int GetAppFolderPath(int folderType, char* out, int size);
};
