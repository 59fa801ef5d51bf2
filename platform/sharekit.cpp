#include "platform/sharekit.h"

ClSetBase* ClSetMgr::GetSetObject(int kind, int flag) {
    struct Entry {
        int kind;
        int flag;
        ClSetBase* set;
    };
    const Entry entries[] = {
        {kSetKindKamoku, 1, &kamoku_},
        {kSetKindShohizei, 1, &shohizei_},
        {kSetKindData, 1, &data_},
        {kSetKindGengo, 0, &gengo_},
    };
    for (const Entry& entry : entries)
        if (entry.kind == kind) return entry.flag == flag ? entry.set : nullptr;
    return nullptr;
}

ClDataMgr* ClDataMgr::Inst() {
    static ClDataMgr instance;
    return &instance;
}

ClSetBase* ClDataMgr::GetSetObject(int kind, int flag) { return setMgr_.GetSetObject(kind, flag); }

ClSetMgr* ClDataMgr::GetSetMgr() { return &setMgr_; }

ClSysUser* ClDataMgr::GetSysUserObject() { return &sysUser_; }

ClLinkMgr* ClLinkMgr::Inst() {
    static ClLinkMgr instance;
    return &instance;
}

ClOptLink* ClLinkMgr::GetOptLink() { return &optLink_; }
