#include <gtest/gtest.h>

#include <QString>
#include <cstdint>
#include <optional>

#include "storage/numbers.h"
#include "support/qstring_print.h"

namespace hibi {
namespace {

const std::nullopt_t no = std::nullopt;

TEST(ParseNumber, ACaptionReadsAsANumberOnlyWhenItIsOne) {
  struct Row {
    const char* text;  // UTF-8
    std::optional<double> value;
  };
  for (const auto& [text, value] :
       {Row{"0", 0.0},       Row{"12", 12.0},     Row{"-3", -3.0}, Row{" 12 ", 12.0},
        Row{"-3 ", -3.0},    Row{"  7\t", 7.0},   Row{"+5", 5.0},  Row{"12.5", 12.5},
        Row{".5", 0.5},      Row{"5.", 5.0},      Row{"-0", 0.0},  Row{"1e2", 100.0},
        Row{"1.5E-1", 0.15}, Row{"2e+3", 2000.0}, Row{"007", 7.0}, Row{"", no},
        Row{"   ", no},      Row{"abc", no},      Row{"1a", no},   Row{"1 2", no},
        Row{"--1", no},      Row{"+", no},        Row{".", no},    Row{"1e", no},
        Row{"e5", no},       Row{"1,5", no},      Row{"0x10", no}, Row{"inf", no},
        Row{"nan", no},      Row{"1e400", no},    Row{"１２", no}, Row{"\u300012\u3000", 12.0}}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseNumber(QString::fromUtf8(text)), value);
  }
}

TEST(NumberText, ACaptionShowsWholeNumbersWithoutPointOrLeadingSpace) {
  struct Row {
    double value;
    const char* text;
  };
  for (const auto& [value, text] :
       {Row{12, "12"}, Row{-3, "-3"}, Row{0, "0"}, Row{-0.0, "0"}, Row{-100, "-100"},
        Row{100000, "100000"}, Row{12.5, "12.5"}, Row{-0.25, "-0.25"}})
    EXPECT_EQ(NumberText(value), QString(text)) << value;
}

TEST(NumberText, EveryCaptionItWritesReadsBackAsTheSameNumber) {
  for (double value : {0.0, 1.0, -1.0, 99.0, -100.0, 32767.0, 12.5, 0.1, 123456789.0}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(ParseNumber(NumberText(value)), value);
  }
}

TEST(ParseRoundedInteger, ASaveLineRoundsHalvesToEvenAndChecksTheRangeAfterwards) {
  struct Row {
    const char* text;
    std::optional<long> value;
  };
  for (const auto& [text, value] :
       {Row{" 12 ", 12}, Row{"-3 ", -3}, Row{"12.5", 12}, Row{"13.5", 14}, Row{"-2.5", -2},
        Row{"-3.5", -4}, Row{"0.5", 0}, Row{"1.5", 2}, Row{"2.49", 2}, Row{"2.51", 3},
        Row{"32767", 32767}, Row{"32767.4", 32767}, Row{"32767.5", no}, Row{"-32768.5", -32768},
        Row{"-32768.6", no}, Row{"40000", no}, Row{"1e3", 1000}, Row{"x1", no}, Row{"", no}}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseRoundedInteger(text, -32768, 32767), value);
  }
  for (const auto& [text, value] :
       {Row{"255.5", no}, Row{"254.5", 254}, Row{"-0.5", 0}, Row{"-1", no}}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseRoundedInteger(text, 0, 255), value);
  }
}

TEST(SaturatingAdd, AffectionStopsAtTheEdgesOfSixteenBits) {
  struct Row {
    std::int16_t value;
    int amount;
    std::int16_t sum;
  };
  for (const auto& [value, amount, sum] :
       {Row{0, 5, 5}, Row{-5, 3, -2}, Row{32760, 7, 32767}, Row{32760, 8, 32767},
        Row{32767, 100000, 32767}, Row{-32760, -8, -32768}, Row{-32768, -1, -32768},
        Row{-32768, 65535, 32767}, Row{32767, -65535, -32768}})
    EXPECT_EQ(SaturatingAdd(value, amount), sum) << value << " + " << amount;
}

}  // namespace
}  // namespace hibi
