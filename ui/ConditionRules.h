#pragma once
// The checks of the conditions dialog that need no window.

#include <cstdint>
#include <string>

// The field a refused month range sends the user back to.
enum class MonthField { None, Start, End };

// The month check of an execution: s and e are the typed calendar months, firstMonth and
// lastMonth those of the accounting period (lastMonth + 100 when the period crosses the
// calendar year). Returns the field to correct, or None when the range is accepted.
MonthField CheckMonthRange(int s, int e, int16_t firstMonth, int16_t lastMonth);

// True when the range ends before the month from which the company's data is held.
bool EndsBeforeStartOfUse(int s, int e, int16_t firstMonth, int16_t lastMonth,
                          int16_t startOfUseMonth);

// The proposed output path: "*.xml" in the product's output folder, else in the
// temporary folder, else alone.
std::string DefaultOutputPath(const std::string& outputFolder, const std::string& tempFolder);
