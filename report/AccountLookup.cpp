#include "report/AccountLookup.h"

namespace {

template <class Match>
AccountRefs SelectListed(const AccountItemList* items, Match matches) {
    AccountRefs selected;
    if (!items) return selected;
    for (POSITION pos = items->GetHeadPosition(); pos;) {
        const StKESSANITEMINFO* item = items->GetNext(pos);
        if (accounts::IsListed(*item) && matches(item->classCode)) selected.push_back(item);
    }
    return selected;
}

}  // namespace

namespace accounts {

const StKESSANITEMINFO* Find(const AccountItemList* items, uint32_t code) {
    if (!items) return nullptr;
    for (POSITION pos = items->GetHeadPosition(); pos;) {
        const StKESSANITEMINFO* item = items->GetNext(pos);
        if (item->classCode == code) return item;
    }
    return nullptr;
}

AccountRefs Select(const AccountItemList* items, uint32_t code) {
    return SelectListed(items, [code](uint32_t classCode) { return BelongsTo(classCode, code); });
}

AccountRefs SelectExact(const AccountItemList* items, uint32_t code) {
    return SelectListed(items, [code](uint32_t classCode) { return classCode == code; });
}

}  // namespace accounts
