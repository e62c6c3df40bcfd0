#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/formatting.h"
#include "model/polygon.h"

using namespace tenzora;

TEST(FormatNumber, FixedDecimalsTrimmed) {
    EXPECT_EQ(formatNumber(250.04, 1), L"250.0");
    EXPECT_EQ(formatNumber(3.14159, 2), L"3.14");
    EXPECT_EQ(formatNumber(3.14159, 3), L"3.142");
    EXPECT_EQ(formatNumber(2.5, 0), L"2"); // printf rounds half to even
    EXPECT_EQ(formatNumber(-12.25, 1), L"-12.2");
    EXPECT_EQ(formatNumber(123456789.5, 1), L"123456789.5");
}

TEST(FormatNumber, ZeroAndOutOfRangeDecimals) {
    EXPECT_EQ(formatNumber(0, 2), L"0");
    EXPECT_EQ(formatNumber(1e-13, 1), L"0");
    EXPECT_EQ(formatNumber(-1e-13, 3, true), L"0");
    EXPECT_EQ(formatNumber(5, 11), L"0");
    EXPECT_EQ(formatNumber(5, -11), L"0");
    EXPECT_EQ(formatNumber(5.5, -3), L"6");
}

TEST(FormatNumber, SmartDropsDecimalsOfNearlyWholeNumbers) {
    EXPECT_EQ(formatNumber(250.0, 1, true), L"250");
    EXPECT_EQ(formatNumber(250.04, 1, true), L"250");
    EXPECT_EQ(formatNumber(250.5, 1, true), L"250.5");
    EXPECT_EQ(formatNumber(250.97, 1, true), L"251.0"); // 0.97 away from its integer part
    EXPECT_EQ(formatNumber(250.0999, 1, true), L"250");
    EXPECT_EQ(formatNumber(250.1001, 1, true), L"250.1");
    EXPECT_EQ(formatNumber(7.009, 2, true), L"7");
    EXPECT_EQ(formatNumber(7.011, 2, true), L"7.01");
    EXPECT_EQ(formatNumber(7.0009, 3, true), L"7");
    EXPECT_EQ(formatNumber(7.0011, 3, true), L"7.001");
    EXPECT_EQ(formatNumber(-3.05, 1, true), L"-3"); // truncation towards zero
}

TEST(FormatNumber, DamagedValuesStayPrintable) {
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN(), 1), L"nan");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::infinity(), 1), L"inf");
    EXPECT_LT(formatNumber(1e300, 1).size(), 20u);
}

TEST(FormatInteger, Trimmed) {
    EXPECT_EQ(formatInteger(42), L"42");
    EXPECT_EQ(formatInteger(-7), L"-7");
    EXPECT_EQ(formatInteger(12345678901LL), L"12345678901");
}

TEST(LengthText, UnmeasuredShowsAQuestionMark) {
    Diagonal d;
    EXPECT_EQ(measuredLengthText(nullptr), L"?");
    EXPECT_EQ(measuredLengthText(&d), L"?");
    d.length = -5;
    EXPECT_EQ(measuredLengthText(&d), L"?");
    d.length = 412.35;
    EXPECT_EQ(measuredLengthText(&d), L"412.4");
}
