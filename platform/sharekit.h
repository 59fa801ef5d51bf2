#pragma once
// sharekit: the process-wide data manager, set manager and link manager.

#include "platform/bookkit.h"

// Kinds of shared set objects, with the flag each is asked with.
constexpr int kSetKindKamoku = 1;    // ClSetKamoku, flag 1
constexpr int kSetKindShohizei = 4;  // ClSetShohizei, flag 1
constexpr int kSetKindData = 5;      // ClSetData, flag 1
constexpr int kSetKindGengo = 13;    // ClSetGengo, flag 0

// Owns the shared set objects; the program uses them and never frees them.
class ClSetMgr {
  public:
    // Null for an unknown kind or a flag other than the kind's.
    ClSetBase* GetSetObject(int kind, int flag);

  private:
    ClSetKamoku kamoku_;
    ClSetShohizei shohizei_;
    ClSetData data_;
    ClSetGengo gengo_;
};

class ClDataMgr {
  public:
    static ClDataMgr* Inst();
    ClSetBase* GetSetObject(int kind, int flag);
    ClSetMgr* GetSetMgr();
    ClSysUser* GetSysUserObject();

  private:
    ClSetMgr setMgr_;
    ClSysUser sysUser_;
};

// The option link that rule and save objects are attached to.
class ClOptLink {};

class ClLinkMgr {
  public:
    static ClLinkMgr* Inst();
    ClOptLink* GetOptLink();

  private:
    ClOptLink optLink_;
};
