#pragma once
// Account access by classification code. Each lookup is one pass over the account
// items in list order, and the writer makes a fixed number of lookups (one per group,
// total and equity code), so writing stays linear in the number of accounts.

#include <cstdint>
#include <vector>

#include "collect/StatementData.h"

using AccountRefs = std::vector<const StKESSANITEMINFO*>;

namespace accounts {

// Raw amounts count ten-thousandths of a yen; the statements show whole yen,
// truncated toward zero.
constexpr int64_t kRawPerYen = 10000;
constexpr int64_t WholeYen(int64_t raw) { return raw / kRawPerYen; }

// Kinds 0 and 3 are the accounts that the statements list; other kinds are groups
// and totals, found only by exact lookups that ignore the kind.
constexpr bool IsListed(const StKESSANITEMINFO& item) {
    return item.accountKind == 0 || item.accountKind == 3;
}

// A group contains an account when every bit of the group's code is set in the
// account's code.
constexpr bool BelongsTo(uint32_t classCode, uint32_t groupCode) {
    return (classCode & groupCode) == groupCode;
}

// The first item whose code equals `code`, of any kind; null when there is none. A
// missing list holds no items.
const StKESSANITEMINFO* Find(const AccountItemList* items, uint32_t code);
// Listed items whose code contains every bit of `code`, in list order.
AccountRefs Select(const AccountItemList* items, uint32_t code);
// Listed items whose code equals `code`, in list order.
AccountRefs SelectExact(const AccountItemList* items, uint32_t code);

}  // namespace accounts
