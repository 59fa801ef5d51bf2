#include "platform/Calendar.h"

#include <algorithm>

namespace book {
namespace {

int YearOf(int date) { return date / 10000; }
int MonthOf(int date) { return date / 100 % 100; }
int DayOf(int date) { return date % 100; }
int MakeDate(int year, int month, int day) { return year * 10000 + month * 100 + day; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int NextDay(int date) {
    int year = YearOf(date), month = MonthOf(date), day = DayOf(date) + 1;
    if (day > DaysInMonth(year, month)) {
        day = 1;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return MakeDate(year, month, day);
}

// The closing date of the calendar month year/month: its closing day, or its last day
// when the month is shorter (or the closing day is 0).
int ClosingDateIn(int year, int month, int closingDay) {
    const int last = DaysInMonth(year, month);
    return MakeDate(year, month, closingDay == 0 ? last : std::min(closingDay, last));
}

// The first closing date on or after `date`.
int ClosingDateFrom(int date, int closingDay) {
    int year = YearOf(date), month = MonthOf(date);
    int closing = ClosingDateIn(year, month, closingDay);
    if (closing < date) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
        closing = ClosingDateIn(year, month, closingDay);
    }
    return closing;
}

}  // namespace

bool IsValidDate(int64_t date) {
    if (date < 10101 || date > 99991231) return false;
    const int d = static_cast<int>(date);
    const int month = MonthOf(d);
    return month >= 1 && month <= 12 && DayOf(d) >= 1 && DayOf(d) <= DaysInMonth(YearOf(d), month);
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int ClosingDayOf(int end) {
    return DayOf(end) == DaysInMonth(YearOf(end), MonthOf(end)) ? 0 : DayOf(end);
}

int AccountingMonthOf(int date, int closingDay) {
    const int month = MonthOf(date);
    if (closingDay == 0 || DayOf(date) <= closingDay) return month;
    return month == 12 ? 1 : month + 1;
}

std::vector<MonthSpan> AccountingMonths(int start, int end, int closingDay, size_t limit) {
    std::vector<MonthSpan> months;
    for (int from = start; from <= end && months.size() < limit;) {
        const int to = std::min(ClosingDateFrom(from, closingDay), end);
        months.push_back({from, to});
        if (to == 99991231) break;
        from = NextDay(to);
    }
    return months;
}

}  // namespace book
