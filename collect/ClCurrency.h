#pragma once
// A raw amount (ten-thousandths of a yen) in sign-and-magnitude form, the value the
// collectors add and subtract with.

#include <cstdint>
#include <stdexcept>

// Raised when a sum cannot be represented: by ClCurrency::Add at 10^18 raw (10^14 yen)
// in magnitude, by the other operations when the sum leaves the 64-bit range.
class ClCurrencyOverflow : public std::overflow_error {
  public:
    static constexpr int kCode = -1;
    ClCurrencyOverflow() : std::overflow_error("amount overflow") {}
    int code() const { return kCode; }
};

class ClCurrency {
  public:
    static constexpr int64_t kFractionsPerUnit = 10000;
    // Magnitude from which ClCurrency::Add refuses a sum, in raw units.
    static constexpr int64_t kAddBound = 1000000000000000000;

    ClCurrency() = default;
    ClCurrency(const ClCurrency&) = default;
    ClCurrency& operator=(const ClCurrency&) = default;
    virtual ~ClCurrency() = default;

    static ClCurrency FromRaw(int64_t raw);
    int64_t ToRaw() const;

    // a + b; throws ClCurrencyOverflow when the sum reaches kAddBound in magnitude.
    static ClCurrency Add(const ClCurrency& a, const ClCurrency& b);
    static ClCurrency Subtract(const ClCurrency& a, const ClCurrency& b);
    static ClCurrency AddRaw(int64_t raw, const ClCurrency& b);
    void AddAssign(const ClCurrency& b);
    // Whole part |n|, no fraction, the sign of n.
    void SetWhole(int64_t n);

    static bool IsEqual(const ClCurrency& a, const ClCurrency& b);
    static bool IsNotEqual(const ClCurrency& a, const ClCurrency& b);
    // True when a has a fraction or its signed whole part is not n.
    static bool IsNotEqualWhole(const ClCurrency& a, int64_t n);

    int64_t whole = 0;      // integer part of the magnitude, never negative
    uint32_t fraction = 0;  // ten-thousandths of the magnitude, 0 to 9999
    int16_t sign = 1;       // +1 or -1; zero carries +1
};
