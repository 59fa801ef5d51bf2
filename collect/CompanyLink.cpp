#include "collect/CompanyLink.h"

#include "platform/sharekit.h"

const char* SelectedDataId() {
    auto* dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    const StDATAINFO* selected = dataSet ? dataSet->GetSelectedInfo() : nullptr;
    return selected ? selected->dataId : "";
}

void AttachToCompany(ClRuleBase& object, const char* dataId) {
    object.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    object.SetCurDataID(dataId);
    object.AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
}
