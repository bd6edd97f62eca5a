// SPDX-License-Identifier: GPL-3.0-or-later
// The dollar text of an amount of coins.
#include "core/money.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace {

using zem::core::dollars;
using zem::core::dollarText;

TEST(Money, ShortestDecimalForm) {
    EXPECT_EQ(dollarText(2550), "$ 25.5");
    EXPECT_EQ(dollarText(1200), "$ 12");
    EXPECT_EQ(dollarText(5), "$ 0.05");
    EXPECT_EQ(dollarText(7), "$ 0.07");
    EXPECT_EQ(dollarText(0), "$ 0");
    EXPECT_EQ(dollarText(10), "$ 0.1");
    EXPECT_EQ(dollarText(99), "$ 0.99");
    EXPECT_EQ(dollarText(100), "$ 1");
    EXPECT_EQ(dollarText(101), "$ 1.01");
    EXPECT_EQ(dollarText(1525), "$ 15.25");
    EXPECT_EQ(dollarText(500000), "$ 5000");
    EXPECT_EQ(dollarText(std::numeric_limits<int32_t>::max()), "$ 21474836.47");
}

TEST(Money, NegativeAmounts) {
    EXPECT_EQ(dollarText(-250), "$ -2.5");
    EXPECT_EQ(dollarText(-5), "$ -0.05");
    EXPECT_EQ(dollarText(-1200), "$ -12");
    EXPECT_EQ(dollarText(-1), "$ -0.01");
    EXPECT_EQ(dollars(std::numeric_limits<int32_t>::min()), "-21474836.48");
    EXPECT_EQ(dollars(std::numeric_limits<int64_t>::min()), "-92233720368547758.08");
}

}  // namespace
