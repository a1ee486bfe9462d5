// The form's number display (general format, 8 significant digits) and its
// tolerant text-to-number conversion.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

#include "calc/form_logic.h"

using korvane::formatGeneral8;
using korvane::textToNumber;

TEST(FormatGeneral8, WholeNumbersHaveNoPoint) {
    EXPECT_EQ(formatGeneral8(30), "30");
    EXPECT_EQ(formatGeneral8(1.0), "1");
    EXPECT_EQ(formatGeneral8(2400), "2400");
    EXPECT_EQ(formatGeneral8(0), "0");
    EXPECT_EQ(formatGeneral8(-5), "-5");
}

TEST(FormatGeneral8, FractionsUsePointAndDropTrailingZeros) {
    EXPECT_EQ(formatGeneral8(0.1), "0.1");
    EXPECT_EQ(formatGeneral8(0.4), "0.4");
    EXPECT_EQ(formatGeneral8(-0.5), "-0.5");
    EXPECT_EQ(formatGeneral8(2.5), "2.5");
    EXPECT_EQ(formatGeneral8(0.4286548683761529), "0.42865487");
}

TEST(FormatGeneral8, RoundsToEightSignificantDigits) {
    EXPECT_EQ(formatGeneral8(14.4339953321423), "14.433995");
    EXPECT_EQ(formatGeneral8(10.330127018922195), "10.330127");
    EXPECT_EQ(formatGeneral8(306.93266739736606), "306.93267");
    // 30 degrees through radians and back is not exactly 30
    EXPECT_EQ(formatGeneral8(30 * M_PI / 180 * 180 / M_PI), "30");
    EXPECT_EQ(formatGeneral8(29.999999999999996), "30");
}

TEST(FormatGeneral8, HalfRoundsAwayFromZero) {
    // exactly representable halves in the ninth digit
    EXPECT_EQ(formatGeneral8(12345678.5), "12345679");
    EXPECT_EQ(formatGeneral8(-12345678.5), "-12345679");
    EXPECT_EQ(formatGeneral8(12345670.5), "12345671");
    EXPECT_EQ(formatGeneral8(0.125), "0.125");
}

TEST(FormatGeneral8, CarryIntoANewDigit) {
    EXPECT_EQ(formatGeneral8(9.999999999), "10");
    EXPECT_EQ(formatGeneral8(99999999.7), "1E+08");
    EXPECT_EQ(formatGeneral8(0.99999999996), "1");
}

TEST(FormatGeneral8, ScientificBeyondEightIntegerDigits) {
    EXPECT_EQ(formatGeneral8(12345678), "12345678");
    EXPECT_EQ(formatGeneral8(99999999), "99999999");
    EXPECT_EQ(formatGeneral8(123456789), "1.2345679E+08");
    EXPECT_EQ(formatGeneral8(1.2345678e12), "1.2345678E+12");
    EXPECT_EQ(formatGeneral8(-3e9), "-3E+09");
    EXPECT_EQ(formatGeneral8(1e100), "1E+100");
}

TEST(FormatGeneral8, ScientificBelowOneHundredThousandth) {
    EXPECT_EQ(formatGeneral8(0.00001), "0.00001");
    EXPECT_EQ(formatGeneral8(0.000012345678912), "0.000012345679");
    EXPECT_EQ(formatGeneral8(1e-6), "1E-06");
    EXPECT_EQ(formatGeneral8(9.87654321e-6), "9.8765432E-06");
    EXPECT_EQ(formatGeneral8(1.5e-12), "1.5E-12");
    // rounds up into the fixed range
    EXPECT_EQ(formatGeneral8(9.999999999e-6), "0.00001");
}

TEST(TextToNumber, PlainDecimals) {
    EXPECT_DOUBLE_EQ(textToNumber("12"), 12);
    EXPECT_DOUBLE_EQ(textToNumber("1.0"), 1);
    EXPECT_DOUBLE_EQ(textToNumber("14.433995"), 14.433995);
    EXPECT_DOUBLE_EQ(textToNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(textToNumber("5."), 5);
}

TEST(TextToNumber, TextsTheFormShowsItself) {
    EXPECT_DOUBLE_EQ(textToNumber("-5"), -5);
    EXPECT_DOUBLE_EQ(textToNumber("1E-06"), 1e-6);
    EXPECT_DOUBLE_EQ(textToNumber("1.2345679E+08"), 123456790);
    EXPECT_DOUBLE_EQ(textToNumber("1E+100"), 1e100);
    EXPECT_DOUBLE_EQ(textToNumber("2e3"), 2000);
}

TEST(TextToNumber, OdditiesGiveADefinedValue) {
    EXPECT_EQ(textToNumber(""), 0);
    EXPECT_EQ(textToNumber("."), 0);
    EXPECT_EQ(textToNumber("-"), 0);
    EXPECT_EQ(textToNumber("-."), 0);
    EXPECT_DOUBLE_EQ(textToNumber("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(textToNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(textToNumber("3E"), 3);
    EXPECT_DOUBLE_EQ(textToNumber("3E+"), 3);
    EXPECT_DOUBLE_EQ(textToNumber("..5"), 0);
    EXPECT_DOUBLE_EQ(textToNumber(" 7"), 7);
}

TEST(TextToNumber, HugeAndTinyStayFinite) {
    EXPECT_EQ(textToNumber("1e999"), DBL_MAX);
    EXPECT_EQ(textToNumber(std::string(400, '9')), DBL_MAX);
    EXPECT_EQ(textToNumber("-1e999"), -DBL_MAX);
    EXPECT_EQ(textToNumber("1e-999"), 0);
}

TEST(TextToNumber, DisplayRoundTripKeepsEightDigits) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> ex(-12, 12);
    for (int i = 0; i < 2000; ++i) {
        const double v = mant(rng) * std::pow(10.0, ex(rng));
        const double back = textToNumber(formatGeneral8(v));
        EXPECT_NEAR(back, v, v * 5.0001e-8) << formatGeneral8(v);
        // showing the shown value again changes nothing
        EXPECT_EQ(formatGeneral8(back), formatGeneral8(v));
    }
}
