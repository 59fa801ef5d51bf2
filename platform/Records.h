#pragma once
// Records of the accounting library, with the sizes and byte offsets the program
// reads them by. Fields the program does not read are kept as reserved bytes.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// One company data entry.
struct StDATAINFO {
    char dataId[16];            // data identifier, NUL-terminated
    int32_t dataNo;             // data number, matched against the user's selection
    uint8_t reserved20[4];
    char companyName[260];      // NUL-terminated
    int32_t periodStart;        // yyyymmdd
    int32_t periodEnd;          // yyyymmdd
    uint8_t reserved292[8];
    int32_t manufacturing;      // nonzero: the company prepares a cost-of-manufacturing report
    int32_t interimClosing;     // 1 = interim closing on
    uint8_t reserved308[18];
    int16_t startOfUseMonth;    // 0 behaves like 1; 99 marks past-results data
    uint8_t reserved328[548];
    uint8_t companyLaw;         // 1 = data in the company-law format
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
    uint8_t sumSet;             // nonzero: use the second set of account sums
    uint8_t reserved6[14];
};
static_assert(sizeof(StSHOHIZEIINFO) == 20);
static_assert(offsetof(StSHOHIZEIINFO, sumSet) == 5);

// One search condition slot.
struct StFINDCONDINFO {
    int32_t field;              // 17: the month-kind field of the records searched
    uint8_t reserved4[2];
    int16_t comparison;         // 4 not less than, 6 not more than, 1 equal to
    uint8_t reserved8[2];
    int16_t valueType;          // 2
    uint8_t reserved12[6];
    int16_t monthKind;          // the month kind compared with
    uint8_t reserved20[10];
    int16_t link;               // 1 and, 2 or, 0 last slot
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

#pragma pack(pop)
