#pragma once
// How the collector's rule and save objects are made and tied to a company.

#include <memory>
#include <new>

#include "platform/bookkit.h"

// The data id of the company selected in the accounting product; empty when none is.
const char* SelectedDataId();

// Ties a rule or save object to the company with `dataId`.
void AttachToCompany(ClRuleBase& object, const char* dataId);

// Creates `held` and ties it to the selected company unless an object is held already;
// false when it cannot be created.
template <class Object>
bool HoldAttached(std::unique_ptr<Object>& held) {
    if (held) return true;
    std::unique_ptr<Object> created(new (std::nothrow) Object);
    if (!created) return false;
    AttachToCompany(*created, SelectedDataId());
    held = std::move(created);
    return true;
}
