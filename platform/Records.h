#pragma once
// Records of the accounting library, with the sizes and byte offsets the program
// reads them by. Fields the program does not read are kept as reserved bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>

#pragma pack(push, 1)

// One company data entry.
struct StDATAINFO {
    char dataId[16];  // data identifier, NUL-terminated
    int32_t dataNo;   // data number, matched against the user's selection
    uint8_t reserved20[4];
    char companyName[260];  // NUL-terminated
    int32_t periodStart;    // yyyymmdd
    int32_t periodEnd;      // yyyymmdd
    uint8_t reserved292[8];
    int32_t manufacturing;   // nonzero: the company prepares a cost-of-manufacturing report
    int32_t interimClosing;  // 1 = interim closing on
    uint8_t reserved308[18];
    int16_t startOfUseMonth;  // 0 behaves like 1; 99 marks past-results data
    uint8_t reserved328[548];
    uint8_t companyLaw;  // 1 = data in the company-law format
    uint8_t reserved877[629];
};
static_assert(sizeof(StDATAINFO) == 1506);
static_assert(offsetof(StDATAINFO, dataNo) == 16);
static_assert(offsetof(StDATAINFO, companyName) == 24);
static_assert(offsetof(StDATAINFO, periodStart) == 284);
static_assert(offsetof(StDATAINFO, periodEnd) == 288);
static_assert(offsetof(StDATAINFO, manufacturing) == 300);
static_assert(offsetof(StDATAINFO, interimClosing) == 304);
static_assert(offsetof(StDATAINFO, startOfUseMonth) == 326);
static_assert(offsetof(StDATAINFO, companyLaw) == 876);

// Consumption-tax settings; only the sum-set byte is read.
struct StSHOHIZEIINFO {
    uint8_t reserved0[5];
    uint8_t sumSet;  // nonzero: use the second set of account sums
    uint8_t reserved6[14];
};
static_assert(sizeof(StSHOHIZEIINFO) == 20);
static_assert(offsetof(StSHOHIZEIINFO, sumSet) == 5);

// One search condition slot.
struct StFINDCONDINFO {
    int32_t field;  // 17: the month-kind field of the records searched
    uint8_t reserved4[2];
    int16_t comparison;  // 4 not less than, 6 not more than, 1 equal to
    uint8_t reserved8[2];
    int16_t valueType;  // 2
    uint8_t reserved12[6];
    int16_t monthKind;  // the month kind compared with
    uint8_t reserved20[10];
    int16_t link;  // 1 and, 2 or, 0 last slot
    uint8_t reserved32[2];
};
static_assert(sizeof(StFINDCONDINFO) == 34);
static_assert(offsetof(StFINDCONDINFO, comparison) == 6);
static_assert(offsetof(StFINDCONDINFO, valueType) == 10);
static_assert(offsetof(StFINDCONDINFO, monthKind) == 18);
static_assert(offsetof(StFINDCONDINFO, link) == 30);

// The search conditions: four slots.
struct StFINDINFO {
    StFINDCONDINFO slots[4];
};
static_assert(sizeof(StFINDINFO) == 136);

// The 32-bit value of a condition slot (value type 3) shares the place of the month kind.
constexpr size_t kFindValue32Offset = offsetof(StFINDCONDINFO, monthKind);

// Records the program only passes as null pointers.
struct StBUMONINFO;
struct StSWKDISPINFO;

// One account's period sums. Column index: 0 opening, 1-12 month kinds 1-12,
// 13 year-end closing, 14 interim closing.
constexpr int kSumColumns = 15;
struct StKAMOKUSUMINFO {
    uint8_t reserved0[32];
    uint32_t accountKey;  // main code x 10000 + sub-number
    uint8_t reserved36[2];
    char formalName[31];  // NUL-terminated, at most 30 bytes
    uint8_t reserved69[38];
    char secondName[19];       // NUL-terminated, at most 18 bytes (the flags follow)
    uint8_t excludeLedger126;  // 1 excludes the account from the ledger walk
    uint8_t excludeLedger127;  // 1 excludes the account from the ledger walk
    uint8_t kind;              // 1 = no account item
    uint8_t reserved129;
    uint8_t nature;  // 1 = debit-nature
    uint8_t reserved131[5];
    uint32_t classCode;
    uint8_t reserved140[12];
    int64_t debitSums[2][kSumColumns];   // [sum-set flag]: amount columns 1 and 2
    int64_t creditSums[2][kSumColumns];  // [sum-set flag]: amount columns 3 and 4
    uint8_t reserved632[4];
};
static_assert(sizeof(StKAMOKUSUMINFO) == 636);
static_assert(offsetof(StKAMOKUSUMINFO, accountKey) == 32);
static_assert(offsetof(StKAMOKUSUMINFO, formalName) == 38);
static_assert(offsetof(StKAMOKUSUMINFO, secondName) == 107);
static_assert(offsetof(StKAMOKUSUMINFO, excludeLedger126) == 126);
static_assert(offsetof(StKAMOKUSUMINFO, excludeLedger127) == 127);
static_assert(offsetof(StKAMOKUSUMINFO, kind) == 128);
static_assert(offsetof(StKAMOKUSUMINFO, nature) == 130);
static_assert(offsetof(StKAMOKUSUMINFO, classCode) == 136);
static_assert(offsetof(StKAMOKUSUMINFO, debitSums) == 152);
static_assert(offsetof(StKAMOKUSUMINFO, debitSums[1]) == 272);
static_assert(offsetof(StKAMOKUSUMINFO, creditSums) == 392);
static_assert(offsetof(StKAMOKUSUMINFO, creditSums[1]) == 512);

// Compound markers of a ledger line.
constexpr uint8_t kCompoundDebitSeveral = 0x21;
constexpr uint8_t kCompoundCreditSeveral = 0x12;
constexpr uint8_t kCompoundBothSeveral = 0x22;

// One general-ledger line.
struct StMOTOCHOINFO {
    uint8_t reserved0[4];
    uint32_t voucherId;
    int32_t voucherNo;
    uint32_t lineNo;  // 1 = first line of the voucher
    int32_t date;     // yyyymmdd
    uint8_t reserved20[66];
    uint8_t compound;  // kCompound... or 0
    uint8_t reserved87;
    uint32_t debitKey;
    uint8_t reserved92[4];
    int64_t debitAmount;
    int64_t debitTax;
    uint8_t reserved112[21];
    uint32_t creditKey;
    uint8_t reserved137[4];
    int64_t creditAmount;
    int64_t creditTax;
    uint8_t reserved157[21];
    char summary[61];  // NUL-terminated, at most 60 bytes
    uint8_t reserved239[381];
    uint8_t side;  // 1 credit side, 2 debit side, other both
    uint8_t reserved621[7];
};
static_assert(sizeof(StMOTOCHOINFO) == 628);
static_assert(offsetof(StMOTOCHOINFO, voucherId) == 4);
static_assert(offsetof(StMOTOCHOINFO, voucherNo) == 8);
static_assert(offsetof(StMOTOCHOINFO, lineNo) == 12);
static_assert(offsetof(StMOTOCHOINFO, date) == 16);
static_assert(offsetof(StMOTOCHOINFO, compound) == 86);
static_assert(offsetof(StMOTOCHOINFO, debitKey) == 88);
static_assert(offsetof(StMOTOCHOINFO, debitAmount) == 96);
static_assert(offsetof(StMOTOCHOINFO, debitTax) == 104);
static_assert(offsetof(StMOTOCHOINFO, creditKey) == 133);
static_assert(offsetof(StMOTOCHOINFO, creditAmount) == 141);
static_assert(offsetof(StMOTOCHOINFO, creditTax) == 149);
static_assert(offsetof(StMOTOCHOINFO, summary) == 178);
static_assert(offsetof(StMOTOCHOINFO, side) == 620);

// One journal line of a voucher.
struct StSWKTINFO {
    uint8_t reserved0[12];
    uint32_t lineNo;
    uint8_t reserved16[80];
    int64_t debitAmount;
    int64_t debitTax;
    uint8_t reserved112[29];
    int64_t creditAmount;
    int64_t creditTax;
    uint8_t reserved157[447];
};
static_assert(sizeof(StSWKTINFO) == 604);
static_assert(offsetof(StSWKTINFO, lineNo) == 12);
static_assert(offsetof(StSWKTINFO, debitAmount) == 96);
static_assert(offsetof(StSWKTINFO, debitTax) == 104);
static_assert(offsetof(StSWKTINFO, creditAmount) == 141);
static_assert(offsetof(StSWKTINFO, creditTax) == 149);

// One account master entry.
struct StKAMOKUINFO {
    uint8_t reserved0[22];
    char name[31];  // NUL-terminated, at most 30 bytes
    uint8_t reserved53[91];
    uint32_t classCode;
    uint8_t reserved148[73];
};
static_assert(sizeof(StKAMOKUINFO) == 221);
static_assert(offsetof(StKAMOKUINFO, name) == 22);
static_assert(offsetof(StKAMOKUINFO, classCode) == 144);

// One era of the era table.
struct StGENGOINFO {
    uint8_t reserved0[4];
    int32_t startDate;  // first day of the era, yyyymmdd
    char name[7];       // NUL-terminated, at most 6 bytes
    uint8_t reserved15[9];
};
static_assert(sizeof(StGENGOINFO) == 24);
static_assert(offsetof(StGENGOINFO, startDate) == 4);
static_assert(offsetof(StGENGOINFO, name) == 8);

// The general-ledger view handed to the ledger rule.
struct StMOTOCHOHYOJIINFO {
    uint32_t accountKey;
    uint8_t reserved4[52];
    int32_t endIsInterim;  // 1 when the range ends with month kind 15
    int32_t firstDay;      // yyyymmdd
    int32_t lastDay;       // yyyymmdd
    uint8_t reserved68[8];
    uint32_t* viewList;  // three words owned by the caller
    uint8_t reservedTail[88 - 76 - sizeof(uint32_t*)];
};
static_assert(sizeof(StMOTOCHOHYOJIINFO) == 88);
static_assert(offsetof(StMOTOCHOHYOJIINFO, endIsInterim) == 56);
static_assert(offsetof(StMOTOCHOHYOJIINFO, firstDay) == 60);
static_assert(offsetof(StMOTOCHOHYOJIINFO, lastDay) == 64);
static_assert(offsetof(StMOTOCHOHYOJIINFO, viewList) == 76);

// One item of a sort order.
struct StORDERITEMINFO {
    uint8_t flag;
    uint8_t reserved1;
    int32_t field;
    uint8_t reserved6[2];
};
static_assert(sizeof(StORDERITEMINFO) == 8);
static_assert(offsetof(StORDERITEMINFO, field) == 2);

// The sort order of the ledger and journal rules.
constexpr int kOrderItems = 6;
struct StORDERINFO {
    StORDERITEMINFO items[kOrderItems];
};
static_assert(sizeof(StORDERINFO) == 48);

#pragma pack(pop)

// The 32-bit value of a condition slot (value type 3).
inline uint32_t FindValue32(const StFINDCONDINFO& slot) {
    uint32_t value;
    std::memcpy(&value, reinterpret_cast<const char*>(&slot) + kFindValue32Offset, sizeof value);
    return value;
}
inline void SetFindValue32(StFINDCONDINFO& slot, uint32_t value) {
    std::memcpy(reinterpret_cast<char*>(&slot) + kFindValue32Offset, &value, sizeof value);
}
