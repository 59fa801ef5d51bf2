#pragma once
// The statement data that collection hands to the report writer: one account item per
// account and one ledger line per general-ledger line written. The application object
// owns both lists and every record in them.

#include <cstddef>
#include <cstdint>

#include "framework/CPtrList.h"

#pragma pack(push, 1)

struct StKESSANITEMINFO {
    uint32_t accountKey;    // account code x 10000 + sub-number
    char formalName[31];    // Shift_JIS, NUL-terminated
    char labelName[31];     // second name; labels of total rows
    int64_t openingAmount;  // raw amounts: ten-thousandths of a yen
    int64_t changeAmount;
    int64_t closingAmount;
    uint32_t classCode;
    int16_t accountKind;
};
static_assert(sizeof(StKESSANITEMINFO) == 96);
static_assert(offsetof(StKESSANITEMINFO, openingAmount) == 66);
static_assert(offsetof(StKESSANITEMINFO, classCode) == 90);

struct StMOTOCHOLINEINFO {
    uint32_t accountKey;
    int32_t voucherNo;
    char dateText[31];
    char subAccountName[31];
    char counterAccountName[31];
    char counterSubAccountName[31];
    char summary[61];
    int64_t amount;   // signed effect on the account's balance, raw
    int64_t balance;  // running balance after the line, raw
};
static_assert(sizeof(StMOTOCHOLINEINFO) == 209);
static_assert(offsetof(StMOTOCHOLINEINFO, summary) == 132);
static_assert(offsetof(StMOTOCHOLINEINFO, amount) == 193);

#pragma pack(pop)

using AccountItemList = CPtrList<StKESSANITEMINFO>;
using LedgerLineList = CPtrList<StMOTOCHOLINEINFO>;

// Deletes every record the list points to, then every node.
template <class T>
void DeleteAll(CPtrList<T>& list) {
    for (POSITION pos = list.GetHeadPosition(); pos;) delete list.GetNext(pos);
    list.RemoveAll();
}
