#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <ostream>

#include "qstring_print.h"
#include "storage/save_file.h"

namespace hibi {
namespace {

struct PrintRow {
  long value;
  const char* text;
};

class PrintForm : public ::testing::TestWithParam<PrintRow> {};

TEST_P(PrintForm, ANumberIsWrittenWithASignPlaceAndATrailingSpace) {
  EXPECT_EQ(PrintNumber(GetParam().value), QString(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Numbers, PrintForm,
                         ::testing::Values(PrintRow{12, " 12 "}, PrintRow{-3, "-3 "},
                                           PrintRow{0, " 0 "}, PrintRow{32767, " 32767 "},
                                           PrintRow{-32768, "-32768 "}, PrintRow{255, " 255 "}));

TEST(FormatSave, TheSevenLinesComeInTheFileOrder) {
  SaveData data;
  data.affection = {5, -7, 0};
  data.dayLimit = 10;
  data.timeSlot = 3;
  data.fatigue = "-100";
  data.days = "4";
  EXPECT_EQ(FormatSave(data), QStringList({" 5 ", "-7 ", " 0 ", " 10 ", " 3 ", "-100", "4"}));
}

TEST(ParseSave, WhatFormatSaveWritesReadsBackTheSame) {
  SaveData data;
  data.affection = {-32768, 32767, 140};
  data.dayLimit = -1;
  data.timeSlot = 7;
  data.fatigue = "99";
  data.days = "12.5";
  const auto back = ParseSave(FormatSave(data));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->affection, data.affection);
  EXPECT_EQ(back->dayLimit, data.dayLimit);
  EXPECT_EQ(back->timeSlot, data.timeSlot);
  EXPECT_EQ(back->fatigue, data.fatigue);
  EXPECT_EQ(back->days, data.days);
}

TEST(ParseSave, NumberLinesIgnoreSpacesAndRoundHalvesToEvenWhileTextsStayVerbatim) {
  const auto data = ParseSave({"  12.5  ", "13.5", "-2.5", "\t10 ", "3.4", " 7 ", "0 ", "extra"});
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->affection, (std::array<std::int16_t, 3>{12, 14, -2}));
  EXPECT_EQ(data->dayLimit, 10);
  EXPECT_EQ(data->timeSlot, 3);
  EXPECT_EQ(data->fatigue, " 7 ");
  EXPECT_EQ(data->days, "0 ");
}

struct BadSave {
  const char* why;
  QStringList lines;
};
void PrintTo(const BadSave& row, std::ostream* os) {
  *os << row.why;
}

class DamagedSave : public ::testing::TestWithParam<BadSave> {};

TEST_P(DamagedSave, AnyDamagedLineRejectsTheWholeFile) {
  EXPECT_FALSE(ParseSave(GetParam().lines).has_value());
}

const QStringList kGood = {" 1 ", " 2 ", " 3 ", " 10 ", " 4 ", "5", "6"};

QStringList With(int index, const QString& text) {
  QStringList lines = kGood;
  lines[index] = text;
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSave,
    ::testing::Values(BadSave{"no lines", {}}, BadSave{"six lines", kGood.mid(0, 6)},
                      BadSave{"a letter in affection", With(0, " 1x ")},
                      BadSave{"empty affection", With(2, "")},
                      BadSave{"40000 affection", With(1, " 40000 ")},
                      BadSave{"-32769 affection", With(2, "-32769 ")},
                      BadSave{"40000 day limit", With(3, " 40000 ")},
                      BadSave{"slot 0", With(4, " 0 ")}, BadSave{"slot 8", With(4, " 8 ")},
                      BadSave{"slot 7.5 rounds to 8", With(4, "7.5")},
                      BadSave{"slot 300", With(4, " 300 ")}, BadSave{"slot -1", With(4, "-1 ")},
                      BadSave{"fatigue abc", With(5, "abc")}, BadSave{"fatigue empty", With(5, "")},
                      BadSave{"days abc", With(6, "abc")}, BadSave{"days 1 2", With(6, "1 2")}));

TEST(ParseSave, TheGoodRowOfTheDamageTableItselfLoads) {
  EXPECT_TRUE(ParseSave(kGood).has_value());
}

}  // namespace
}  // namespace hibi
