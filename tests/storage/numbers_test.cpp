#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <optional>

#include "game/numbers.h"
#include "qstring_print.h"

namespace hibi {
namespace {

struct ParseRow {
  const char* text;  // UTF-8
  std::optional<double> value;
};

class ParseNumberRows : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseNumberRows, ACaptionReadsAsANumberOnlyWhenItIsOne) {
  SCOPED_TRACE(GetParam().text);
  EXPECT_EQ(ParseNumber(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberRows,
    ::testing::Values(
        ParseRow{"0", 0.0}, ParseRow{"12", 12.0}, ParseRow{"-3", -3.0}, ParseRow{" 12 ", 12.0},
        ParseRow{"-3 ", -3.0}, ParseRow{"  7\t", 7.0}, ParseRow{"+5", 5.0}, ParseRow{"12.5", 12.5},
        ParseRow{".5", 0.5}, ParseRow{"5.", 5.0}, ParseRow{"-0", 0.0}, ParseRow{"1e2", 100.0},
        ParseRow{"1.5E-1", 0.15}, ParseRow{"2e+3", 2000.0}, ParseRow{"007", 7.0},
        ParseRow{"", std::nullopt}, ParseRow{"   ", std::nullopt}, ParseRow{"abc", std::nullopt},
        ParseRow{"1a", std::nullopt}, ParseRow{"1 2", std::nullopt}, ParseRow{"--1", std::nullopt},
        ParseRow{"+", std::nullopt}, ParseRow{".", std::nullopt}, ParseRow{"1e", std::nullopt},
        ParseRow{"e5", std::nullopt}, ParseRow{"1,5", std::nullopt}, ParseRow{"0x10", std::nullopt},
        ParseRow{"inf", std::nullopt}, ParseRow{"nan", std::nullopt},
        ParseRow{"1e400", std::nullopt}, ParseRow{"１２", std::nullopt},
        ParseRow{"\u3000"
                 "12\u3000",
                 12.0}));

struct TextRow {
  double value;
  const char* text;
};

class NumberTextRows : public ::testing::TestWithParam<TextRow> {};

TEST_P(NumberTextRows, ACaptionShowsWholeNumbersWithoutPointOrLeadingSpace) {
  EXPECT_EQ(NumberText(GetParam().value), QString(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextRows,
                         ::testing::Values(TextRow{12, "12"}, TextRow{-3, "-3"}, TextRow{0, "0"},
                                           TextRow{-0.0, "0"}, TextRow{-100, "-100"},
                                           TextRow{100000, "100000"}, TextRow{12.5, "12.5"},
                                           TextRow{-0.25, "-0.25"}));

TEST(NumberText, EveryCaptionItWritesReadsBackAsTheSameNumber) {
  for (double value : {0.0, 1.0, -1.0, 99.0, -100.0, 32767.0, 12.5, 0.1, 123456789.0}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(ParseNumber(NumberText(value)), value);
  }
}

struct RoundRow {
  const char* text;
  long lo, hi;
  std::optional<long> value;
};

class RoundedIntegerRows : public ::testing::TestWithParam<RoundRow> {};

TEST_P(RoundedIntegerRows, ASaveLineRoundsHalvesToEvenAndChecksTheRangeAfterwards) {
  SCOPED_TRACE(GetParam().text);
  EXPECT_EQ(ParseRoundedInteger(GetParam().text, GetParam().lo, GetParam().hi), GetParam().value);
}

constexpr long kMin16 = -32768, kMax16 = 32767;

INSTANTIATE_TEST_SUITE_P(
    Lines, RoundedIntegerRows,
    ::testing::Values(
        RoundRow{" 12 ", kMin16, kMax16, 12}, RoundRow{"-3 ", kMin16, kMax16, -3},
        RoundRow{"12.5", kMin16, kMax16, 12}, RoundRow{"13.5", kMin16, kMax16, 14},
        RoundRow{"-2.5", kMin16, kMax16, -2}, RoundRow{"-3.5", kMin16, kMax16, -4},
        RoundRow{"0.5", kMin16, kMax16, 0}, RoundRow{"1.5", kMin16, kMax16, 2},
        RoundRow{"2.49", kMin16, kMax16, 2}, RoundRow{"2.51", kMin16, kMax16, 3},
        RoundRow{"32767", kMin16, kMax16, 32767}, RoundRow{"32767.4", kMin16, kMax16, 32767},
        RoundRow{"32767.5", kMin16, kMax16, std::nullopt},
        RoundRow{"-32768.5", kMin16, kMax16, -32768},
        RoundRow{"-32768.6", kMin16, kMax16, std::nullopt},
        RoundRow{"40000", kMin16, kMax16, std::nullopt}, RoundRow{"255.5", 0, 255, std::nullopt},
        RoundRow{"254.5", 0, 255, 254}, RoundRow{"-0.5", 0, 255, 0},
        RoundRow{"-1", 0, 255, std::nullopt}, RoundRow{"1e3", kMin16, kMax16, 1000},
        RoundRow{"x1", kMin16, kMax16, std::nullopt}, RoundRow{"", kMin16, kMax16, std::nullopt}));

struct AddRow {
  std::int16_t value;
  int amount;
  std::int16_t sum;
};

class SaturatingAddRows : public ::testing::TestWithParam<AddRow> {};

TEST_P(SaturatingAddRows, AffectionStopsAtTheEdgesOfSixteenBits) {
  EXPECT_EQ(SaturatingAdd(GetParam().value, GetParam().amount), GetParam().sum);
}

INSTANTIATE_TEST_SUITE_P(Sums, SaturatingAddRows,
                         ::testing::Values(AddRow{0, 5, 5}, AddRow{-5, 3, -2},
                                           AddRow{32760, 7, 32767}, AddRow{32760, 8, 32767},
                                           AddRow{32767, 100000, 32767}, AddRow{-32760, -8, -32768},
                                           AddRow{-32768, -1, -32768}, AddRow{-32768, 65535, 32767},
                                           AddRow{32767, -65535, -32768}));

}  // namespace
}  // namespace hibi
