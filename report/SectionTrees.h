#pragma once
// The fixed trees of the balance sheet, the income statement and the
// cost-of-manufacturing report, walked row by row by the section writers.

#include <cstdint>

enum class RowKind : uint8_t {
    Start,             // start tag without attributes
    GroupStart,        // the group's start tag; its contents are the rows that follow
    Group,             // the group's start tag, its items one level deeper, its end tag
    GroupIfFound,      // a Group, written only when an account carries exactly its code
    Items,             // the listed accounts of the code
    Unclassified,      // the noncurrent assets without a subgroup
    UnclassifiedWarn,  // the same, warning about each one
    Total,             // a total row; nothing when no account carries its code
    IncomeTaxItems,    // the income-tax accounts
    End,               // end tag
};

struct SectionRow {
    RowKind kind;
    int depth;
    const char* name = nullptr;
    uint32_t code = 0;
};

// Codes that the writers use outside the trees as well.
inline constexpr uint32_t kNetIncomeCode = 0x40200040;
inline constexpr uint32_t kIncomeTaxCode = 0x40200000;
// Lines under the income-tax code that are not listed as income taxes (income before
// income taxes among them).
inline constexpr uint32_t kNotIncomeTaxCodes[] = {0x40200080, 0x40200020, 0x40200010};
// Noncurrent assets that carry no subgroup.
inline constexpr uint32_t kUnclassifiedNoncurrentCodes[] = {0x80840000, 0x80840008, 0x80840004};

inline constexpr SectionRow kBalanceSheetRows[] = {
    {RowKind::Start, 2, "BalanceSheet"},
    {RowKind::GroupStart, 3, "Assets", 0x80800000},
    {RowKind::Group, 4, "CurrentAssets", 0x80880000},
    {RowKind::GroupStart, 4, "NoncurrentAssets", 0x80840000},
    {RowKind::GroupStart, 5, "PropertyPlantAndEquipment", 0x80848000},
    {RowKind::Items, 6, nullptr, 0x80848000},
    {RowKind::UnclassifiedWarn, 6},
    {RowKind::End, 5, "PropertyPlantAndEquipment"},
    {RowKind::GroupStart, 5, "IntangibleAssets", 0x80844000},
    {RowKind::Items, 6, nullptr, 0x80844000},
    {RowKind::Unclassified, 6},
    {RowKind::End, 5, "IntangibleAssets"},
    {RowKind::GroupStart, 5, "InvestmentsAndOtherAssets", 0x80842000},
    {RowKind::Items, 6, nullptr, 0x80842000},
    {RowKind::Unclassified, 6},
    {RowKind::End, 5, "InvestmentsAndOtherAssets"},
    {RowKind::End, 4, "NoncurrentAssets"},
    {RowKind::Group, 4, "DeferredAssets", 0x80820000},
    {RowKind::End, 3, "Assets"},
    {RowKind::GroupStart, 3, "Liabilities", 0x80400000},
    {RowKind::Group, 4, "CurrentLiabilities", 0x80480000},
    {RowKind::Group, 4, "NoncurrentLiabilities", 0x80440000},
    {RowKind::End, 3, "Liabilities"},
    {RowKind::Group, 3, "NetAssets", 0x80200000},
    {RowKind::End, 2, "BalanceSheet"},
};

inline constexpr SectionRow kIncomeStatementRows[] = {
    {RowKind::Start, 2, "IncomeStatement"},
    {RowKind::Group, 3, "NetSales", 0x40888000},
    {RowKind::Group, 3, "CostOfSales", 0x40884000},
    {RowKind::Total, 3, "GrossProfit", 0x40880008},
    {RowKind::Group, 3, "SellingGeneralAndAdministrativeExpenses", 0x40882000},
    {RowKind::Total, 3, "OperatingIncome", 0x40880000},
    {RowKind::Group, 3, "NonOperatingIncome", 0x40848000},
    {RowKind::Group, 3, "NonOperatingExpenses", 0x40844000},
    {RowKind::Total, 3, "OrdinaryIncome", 0x40800000},
    {RowKind::Group, 3, "ExtraordinaryIncome", 0x40480000},
    {RowKind::Group, 3, "ExtraordinaryLoss", 0x40440000},
    {RowKind::Total, 3, "IncomeBeforeIncomeTaxes", 0x40200080},
    {RowKind::Start, 3, "IncomeTaxes"},
    {RowKind::IncomeTaxItems, 4},
    {RowKind::End, 3, "IncomeTaxes"},
    {RowKind::Total, 3, "NetIncome", kNetIncomeCode},
    {RowKind::End, 2, "IncomeStatement"},
};

inline constexpr SectionRow kCostOfManufacturingRows[] = {
    {RowKind::Start, 2, "ScheduleCostGoodsManufactured"},
    {RowKind::Group, 3, "MaterialCost", 0x20800000},
    {RowKind::Group, 3, "LaborCost", 0x20400000},
    {RowKind::GroupIfFound, 3, "SubcontractCost", 0x20040000},
    {RowKind::Group, 3, "OverheadExpenses", 0x20200000},
    {RowKind::Total, 3, "TotalProductionCostUtilized", 0x20080000},
    {RowKind::Group, 3, "WorkProcessBeginningInventories", 0x20108000},
    {RowKind::Total, 3, "SubtotalScheduleCostGoodsManufactured", 0x20100008},
    {RowKind::Group, 3, "WorkProcessClosingInventories", 0x20102000},
    {RowKind::Total, 3, "CostFinishedGoods", 0x40884200},
    {RowKind::End, 2, "ScheduleCostGoodsManufactured"},
};
