#include "collect/ClCurrency.h"

namespace {

// a + b, or ClCurrencyOverflow when the sum leaves the 64-bit range.
int64_t CheckedSum(int64_t a, int64_t b) {
    int64_t sum;
    if (__builtin_add_overflow(a, b, &sum)) throw ClCurrencyOverflow();
    return sum;
}

int64_t CheckedDifference(int64_t a, int64_t b) {
    int64_t difference;
    if (__builtin_sub_overflow(a, b, &difference)) throw ClCurrencyOverflow();
    return difference;
}

}  // namespace

ClCurrency ClCurrency::FromRaw(int64_t raw) {
    // Unsigned, so that the most negative amount has a magnitude too.
    const uint64_t magnitude =
        raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    ClCurrency value;
    value.sign = raw < 0 ? -1 : 1;
    value.whole = static_cast<int64_t>(magnitude / kFractionsPerUnit);
    value.fraction = static_cast<uint32_t>(magnitude % kFractionsPerUnit);
    return value;
}

int64_t ClCurrency::ToRaw() const {
    const uint64_t magnitude = static_cast<uint64_t>(whole) * kFractionsPerUnit + fraction;
    return sign < 0 ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

ClCurrency ClCurrency::Add(const ClCurrency& a, const ClCurrency& b) {
    const int64_t sum = CheckedSum(a.ToRaw(), b.ToRaw());
    if (sum >= kAddBound || sum <= -kAddBound) throw ClCurrencyOverflow();
    return FromRaw(sum);
}

ClCurrency ClCurrency::Subtract(const ClCurrency& a, const ClCurrency& b) {
    return FromRaw(CheckedDifference(a.ToRaw(), b.ToRaw()));
}

ClCurrency ClCurrency::AddRaw(int64_t raw, const ClCurrency& b) {
    return FromRaw(CheckedSum(raw, b.ToRaw()));
}

void ClCurrency::AddAssign(const ClCurrency& b) { *this = FromRaw(CheckedSum(ToRaw(), b.ToRaw())); }

void ClCurrency::SetWhole(int64_t n) {
    // Unsigned, so that the most negative number has a magnitude too.
    const uint64_t magnitude = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    if (magnitude > static_cast<uint64_t>(INT64_MAX) / kFractionsPerUnit)
        throw ClCurrencyOverflow();
    whole = static_cast<int64_t>(magnitude);
    fraction = 0;
    sign = n < 0 ? -1 : 1;
}

bool ClCurrency::IsEqual(const ClCurrency& a, const ClCurrency& b) {
    return a.ToRaw() == b.ToRaw();
}

bool ClCurrency::IsNotEqual(const ClCurrency& a, const ClCurrency& b) { return !IsEqual(a, b); }

bool ClCurrency::IsNotEqualWhole(const ClCurrency& a, int64_t n) {
    if (a.fraction != 0) return true;
    return (a.sign < 0 ? -a.whole : a.whole) != n;
}
