#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "collect/ClCurrency.h"

namespace {

constexpr int64_t kBound = 1000000000000000000;  // 10^18 raw: 10^14 yen

struct Fields {
    int64_t whole;
    uint32_t fraction;
    int16_t sign;
};

TEST(Currency, FromRawSplitsTheMagnitudeAndToRawJoinsIt) {
    struct Case {
        int64_t raw;
        Fields fields;
    } cases[] = {
        {-1, {0, 1, -1}},
        {0, {0, 0, 1}},
        {15000, {1, 5000, 1}},
        {-15000, {1, 5000, -1}},
        {kBound - 1, {99999999999999, 9999, 1}},
        {std::numeric_limits<int64_t>::min(), {922337203685477, 5808, -1}},
    };
    for (const Case& c : cases) {
        const ClCurrency value = ClCurrency::FromRaw(c.raw);
        EXPECT_EQ(value.whole, c.fields.whole) << c.raw;
        EXPECT_EQ(value.fraction, c.fields.fraction) << c.raw;
        EXPECT_EQ(value.sign, c.fields.sign) << c.raw;
        EXPECT_EQ(value.ToRaw(), c.raw);
        const ClCurrency copy = value;
        EXPECT_EQ(copy.ToRaw(), c.raw);
    }
}

TEST(Currency, AZeroResultCarriesAPositiveSign) {
    const ClCurrency five = ClCurrency::FromRaw(-5);
    EXPECT_EQ(ClCurrency::Subtract(five, five).sign, 1);
    EXPECT_EQ(ClCurrency::Add(five, ClCurrency::FromRaw(5)).sign, 1);
    EXPECT_EQ(ClCurrency::AddRaw(5, five).sign, 1);
    ClCurrency sum = five;
    sum.AddAssign(ClCurrency::FromRaw(5));
    EXPECT_EQ(sum.sign, 1);
    EXPECT_EQ(sum.ToRaw(), 0);
}

TEST(Currency, AddRefusesSumsFromTenToTheEighteenthRaw) {
    struct Case {
        int64_t a, b;
        bool refused;
    } cases[] = {
        {kBound - 2, 1, false},
        {-(kBound - 2), -1, false},
        {kBound - 1, 1, true},
        {-(kBound - 1), -1, true},
        {kBound, -1, false},  // only the sum is bounded
        {std::numeric_limits<int64_t>::max(), 1, true},
    };
    for (const Case& c : cases) {
        const ClCurrency a = ClCurrency::FromRaw(c.a), b = ClCurrency::FromRaw(c.b);
        if (c.refused) {
            try {
                ClCurrency::Add(a, b);
                ADD_FAILURE() << c.a << " + " << c.b << " was accepted";
            } catch (const ClCurrencyOverflow& overflow) {
                EXPECT_EQ(overflow.code(), -1);
            }
        } else {
            EXPECT_EQ(ClCurrency::Add(a, b).ToRaw(), c.a + c.b);
        }
    }
}

// The other operations have no bound of their own, but never leave the 64-bit range
// with a wrapped number.
TEST(Currency, OtherOperationsAcceptLargeSumsButNotWrappedOnes) {
    const int64_t max = std::numeric_limits<int64_t>::max();
    const ClCurrency one = ClCurrency::FromRaw(1);
    EXPECT_EQ(
        ClCurrency::Subtract(ClCurrency::FromRaw(kBound), ClCurrency::FromRaw(-kBound)).ToRaw(),
        2 * kBound);
    EXPECT_EQ(ClCurrency::AddRaw(kBound, ClCurrency::FromRaw(kBound)).ToRaw(), 2 * kBound);
    ClCurrency sum = ClCurrency::FromRaw(kBound);
    sum.AddAssign(sum);
    EXPECT_EQ(sum.ToRaw(), 2 * kBound);

    EXPECT_THROW(ClCurrency::Subtract(ClCurrency::FromRaw(-max), ClCurrency::FromRaw(2)),
                 ClCurrencyOverflow);
    EXPECT_THROW(ClCurrency::AddRaw(max, one), ClCurrencyOverflow);
    ClCurrency top = ClCurrency::FromRaw(max);
    EXPECT_THROW(top.AddAssign(one), ClCurrencyOverflow);
    EXPECT_EQ(top.ToRaw(), max);
}

}  // namespace

TEST(Currency, ComparisonsOfTheLedgerWalk) {
    struct Case {
        int64_t raw;
        int64_t other;  // raw for IsEqual, whole yen for IsNotEqualWhole
        bool equal;
        bool notEqualWhole;
    } cases[] = {
        {0, 0, true, false},
        {30000, 3, false, false},    // 3 yen against raw 3 and whole 3
        {-30000, -3, false, false},  // the whole part is compared with its sign
        {-30000, 3, false, true},
        {30001, 30001, true, true},  // a fraction is never a whole number
        {-1, 0, false, true},
    };
    for (const Case& c : cases) {
        const ClCurrency a = ClCurrency::FromRaw(c.raw);
        EXPECT_EQ(ClCurrency::IsEqual(a, ClCurrency::FromRaw(c.other)), c.equal) << c.raw;
        EXPECT_EQ(ClCurrency::IsNotEqual(a, ClCurrency::FromRaw(c.other)), !c.equal) << c.raw;
        EXPECT_EQ(ClCurrency::IsNotEqualWhole(a, c.other), c.notEqualWhole) << c.raw;
    }
}

TEST(Currency, SetWholeTakesTheSignAndDropsTheFraction) {
    ClCurrency value = ClCurrency::FromRaw(15000);
    value.SetWhole(-7);
    EXPECT_EQ(value.ToRaw(), -70000);
    value.SetWhole(0);
    EXPECT_EQ(value.ToRaw(), 0);
    EXPECT_EQ(value.sign, 1);
    EXPECT_THROW(value.SetWhole(std::numeric_limits<int64_t>::max()), ClCurrencyOverflow);
}
