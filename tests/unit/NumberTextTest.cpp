#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "base/NumberText.h"
#include "fake/FakePlatform.h"

using namespace vantoly;
using fake::u8;

namespace {

struct Written {
    float value;
    const char16_t* separator;
    const char* text;
};

class NumberTextWrites : public testing::TestWithParam<Written> {};

TEST_P(NumberTextWrites, AsSevenSignificantDigits) {
    const auto& c = GetParam();
    EXPECT_EQ(u8(NumberText(c.value, c.separator)), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberTextWrites,
    testing::Values(Written{1440, u".", "1440"}, Written{0, u".", "0"}, Written{-300, u".", "-300"},
                    Written{5790, u",", "5790"}, Written{1234.5f, u".", "1234.5"},
                    Written{1234.5f, u",", "1234,5"}, Written{-0.25f, u",", "-0,25"},
                    Written{1234567, u".", "1234567"}, Written{12345678, u".", "1.234568E+07"},
                    Written{123.4567f, u".", "123.4567"}, Written{0.1f, u".", "0.1"}));

struct Read {
    const char16_t* text;
    const char16_t* separator;
    std::optional<float> value;
};

class NumberTextReads : public testing::TestWithParam<Read> {};

TEST_P(NumberTextReads, BackToSingle) {
    const auto& c = GetParam();
    EXPECT_EQ(ParseNumberText(c.text, c.separator), c.value) << u8(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberTextReads,
    testing::Values(Read{u"1440", u".", 1440.0f}, Read{u"-300", u".", -300.0f},
                    Read{u" 15 ", u".", 15.0f}, Read{u"1234,5", u",", 1234.5f},
                    Read{u"1234.5", u",", 1234.5f}, Read{u"1.234568E+07", u".", 12345680.0f},
                    Read{u"+7", u".", 7.0f}, Read{u"", u".", std::nullopt},
                    Read{u"abc", u".", std::nullopt}, Read{u"12px", u".", std::nullopt},
                    Read{u"1e39", u".", std::nullopt}, Read{u"nan", u".", std::nullopt},
                    Read{u"inf", u".", std::nullopt}, Read{u"--1", u".", std::nullopt},
                    Read{u"1,5", u".", std::nullopt}));

TEST(NumberText, WrittenTextReadsBackToTheSameValue) {
    for (float v : {1440.0f, -300.0f, 5790.5f, 0.125f, 98765.43f, -1.0e-3f})
        for (const char16_t* sep : {u".", u","})
            EXPECT_EQ(ParseNumberText(NumberText(v, sep), sep), v) << v;
}

#ifndef _WIN32
// Qt sets the C library's locale from the user's; the separator must still be the program's.
TEST(NumberText, TheCLibrarysLocalePlaysNoPart) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"), nullptr) << "scripts/test makes it";
    EXPECT_EQ(u8(NumberText(1234.5f, u".")), "1234.5");
    EXPECT_EQ(u8(NumberText(-0.25f, u"\u066B")), "-0\u066B25");
    EXPECT_EQ(ParseNumberText(u"5790.5", u"."), 5790.5f);
    std::setlocale(LC_NUMERIC, before.c_str());
}
#endif

TEST(IntegerText, DigitsWithSign) {
    EXPECT_EQ(u8(IntegerText(0)), "0");
    EXPECT_EQ(u8(IntegerText(1)), "1");
    EXPECT_EQ(u8(IntegerText(-1)), "-1");
    EXPECT_EQ(u8(IntegerText(-32768)), "-32768");
}

TEST(IntegerText, ReadsRoundedToSixteenBits) {
    EXPECT_EQ(ParseIntegerText(u"1", u"."), int16_t(1));
    EXPECT_EQ(ParseIntegerText(u"2.5", u"."), int16_t(2)); // halves go to the even neighbour
    EXPECT_EQ(ParseIntegerText(u"3.5", u"."), int16_t(4));
    EXPECT_EQ(ParseIntegerText(u"-32768", u"."), int16_t(-32768));
    EXPECT_EQ(ParseIntegerText(u"40000", u"."), std::nullopt);
    EXPECT_EQ(ParseIntegerText(u"yes", u"."), std::nullopt);
}

} // namespace
