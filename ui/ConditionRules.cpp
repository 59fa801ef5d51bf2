#include "ui/ConditionRules.h"

#include "util/MonthRules.h"
#include "util/Sjis.h"

namespace {

constexpr const char* kFilePattern = "*.xml";
constexpr size_t kMaxPathBytes = 260;

struct MonthRule {
    bool (*refuses)(int s, int e, int a, int b);
    MonthField focus;
};

bool OutOfRange(int month) { return month < 1 || month > 12; }

// The rules for a period within one calendar year, then for one that crosses it; the
// first rule that holds decides.
constexpr MonthRule kSameYearRules[] = {
    {[](int s, int, int a, int) { return s < a; }, MonthField::Start},
    {[](int, int e, int, int b) { return e > b; }, MonthField::Start},
    {[](int s, int e, int, int) { return s > e; }, MonthField::Start},
};
constexpr MonthRule kCrossingRules[] = {
    {[](int s, int e, int a, int) { return a < s && a <= e && e < s; }, MonthField::End},
    {[](int s, int e, int, int b) { return s <= b && (s > e || e > b); }, MonthField::End},
    {[](int s, int, int a, int b) { return b < s && s < a; }, MonthField::Start},
    {[](int, int e, int a, int b) { return b < e && e < a; }, MonthField::Start},
};

template <size_t N>
MonthField FirstRefusal(const MonthRule (&rules)[N], int s, int e, int a, int b) {
    for (const MonthRule& rule : rules) {
        if (rule.refuses(s, e, a, b)) return rule.focus;
    }
    return MonthField::None;
}

}  // namespace

MonthField CheckMonthRange(int s, int e, int16_t firstMonth, int16_t lastMonth) {
    if (OutOfRange(s)) return MonthField::Start;
    if (OutOfRange(e)) return MonthField::End;
    const bool crossing = lastMonth >= 100;
    const int b = crossing ? lastMonth - 100 : lastMonth;
    return crossing ? FirstRefusal(kCrossingRules, s, e, firstMonth, b)
                    : FirstRefusal(kSameYearRules, s, e, firstMonth, b);
}

bool EndsBeforeStartOfUse(int s, int e, int16_t firstMonth, int16_t lastMonth,
                          int16_t startOfUseMonth) {
    int16_t startPos = 0;
    int16_t endPos = 0;
    GetMonthIndexes(firstMonth, lastMonth, static_cast<int16_t>(s), static_cast<int16_t>(e),
                    &startPos, &endPos);
    return endPos < startOfUseMonth;
}

std::string DefaultOutputPath(const std::string& outputFolder, const std::string& tempFolder) {
    if (!outputFolder.empty()) return outputFolder + kFilePattern;
    if (tempFolder.empty()) return kFilePattern;
    std::string folder = tempFolder;
    if (!sjis::EndsWithBackslash(folder) && folder.size() < kMaxPathBytes) folder += '\\';
    return folder + kFilePattern;
}
