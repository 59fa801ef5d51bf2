#pragma once
// The two settings derived from the company data before collecting: the search
// conditions for the chosen months and the consumption-tax record.

#include "platform/Records.h"

// Month kinds the search conditions test besides the positions 1 to 12.
constexpr int16_t kMonthKindInterim = 15;
constexpr int16_t kMonthKindYearEnd = 18;

// Fills the zero-filled conditions for the chosen calendar months: month kind between the
// two positions, or the interim closing period, or the year-end closing period.
void BuildFindInfo(StFINDINFO* find, const StDATAINFO* data, int startMonth, int endMonth);

// Reads the company's consumption-tax settings; 1 when filled, 0 when the library refused
// (the output then stays untouched).
int ReadShohizeiInfo(StSHOHIZEIINFO* out, const StDATAINFO* data);

// 1 when the settings ask for the second set of account sums.
inline int SumSetFlag(const StSHOHIZEIINFO& tax) { return tax.sumSet != 0 ? 1 : 0; }
