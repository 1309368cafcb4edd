#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "params/TextFormat.h"

namespace {

std::string asFloat(float v) {
    char text[32] = "untouched";
    formatFloat(v, text);
    return text;
}

std::string asInteger(int32_t v) {
    char text[32] = "untouched";
    formatInteger(v, text);
    return text;
}

std::string asPercent(float v) {
    char text[32];
    formatPercent(v, text);
    return text;
}

}  // namespace

TEST(FormatFloat, FillsEightCharactersCuttingTheFraction) {
    EXPECT_EQ(asFloat(0.5f), "0.500000");
    EXPECT_EQ(asFloat(1.0f), "1.000000");
    EXPECT_EQ(asFloat(0.0f), "0.000000");
    EXPECT_EQ(asFloat(0.7f), "0.699999");
    EXPECT_EQ(asFloat(12.5f), "12.50000");
    EXPECT_EQ(asFloat(1234567.0f), "1234567.");
}

TEST(FormatFloat, NegativeValuesGiveOneFractionDigitToTheSign) {
    EXPECT_EQ(asFloat(-0.5f), "-0.50000");
    EXPECT_EQ(asFloat(-12.25f), "-12.2500");
    EXPECT_EQ(asFloat(-123456.0f), "-123456.");
}

TEST(FormatFloat, EightIntegerDigitsLoseTheMostSignificant) {
    EXPECT_EQ(asFloat(12345678.0f), "2345678.");
    EXPECT_EQ(asFloat(-1234567.0f), "-234567.");
}

TEST(FormatFloat, BeyondTheFieldOrNotANumberWritesHuge) {
    EXPECT_EQ(asFloat(100000000.0f), "Huge!");
    EXPECT_EQ(asFloat(-10000000.0f), "Huge!");
    EXPECT_EQ(asFloat(std::numeric_limits<float>::infinity()), "Huge!");
    EXPECT_EQ(asFloat(std::numeric_limits<float>::quiet_NaN()), "Huge!");
    EXPECT_EQ(asFloat(99999992.0f), "9999992.") << "the largest float below the limit still fits";
}

TEST(FormatInteger, RightAlignsInSevenColumns) {
    EXPECT_EQ(asInteger(42), "     42");
    EXPECT_EQ(asInteger(-42), "    -42");
    EXPECT_EQ(asInteger(1234567), "1234567");
    EXPECT_EQ(asInteger(12345678), "12345678");
    EXPECT_EQ(asInteger(99999999), "99999999");
    EXPECT_EQ(asInteger(100000000), "Huge!");
    EXPECT_EQ(asInteger(-123456789), "-1234567") << "cut after eight characters";
}

TEST(FormatPercent, RoundsHalfUpInDoublePrecision) {
    EXPECT_EQ(asPercent(0.5f), "50%");
    EXPECT_EQ(asPercent(0.7f), "70%");
    EXPECT_EQ(asPercent(0.995f), "100%");
    EXPECT_EQ(asPercent(0.005f), "0%");
    EXPECT_EQ(asPercent(1.0f), "100%");
    EXPECT_EQ(asPercent(std::numeric_limits<float>::quiet_NaN()), "0%");
}
